#pragma once
// A component's form as text, and a form text read into a component.
#include "platform/Component.h"
#include "platform/Filer.h"
#include "platform/ObjectText.h"
#include "rtl/Streams.h"

#include <string>

inline std::string TextOf(TComponent* C)
{
  TMemoryStream Bin, Text;
  WriteComponentToStream(Bin, C);
  Bin.SetPosition(0);
  ObjectBinaryToText(Bin, Text);
  return std::string(reinterpret_cast<const char*>(Text.Memory()), static_cast<size_t>(Text.Size()));
}

inline void ReadText(const std::string& Form, TComponent* Into)
{
  TMemoryStream Text, Bin;
  Text.WriteBuffer(Form.data(), static_cast<int32_t>(Form.size()));
  Text.SetPosition(0);
  ObjectTextToBinary(Text, Bin);
  Bin.SetPosition(0);
  ReadComponentFromStream(Bin, Into);
}
