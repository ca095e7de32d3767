#pragma once
// Root of the class tree: objects that string lists, components and
// streams hold by pointer.
#include "rtl/Types.h"
#include <functional>

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject();
  // The class name as the design names it ("TSioComPort"); classes that are
  // streamed or looked up by name override it.
  virtual String ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
