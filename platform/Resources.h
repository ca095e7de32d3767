#pragma once
// Resources linked into the program: blocks of data found by type and name,
// the stand-in of a module's resources (the program is its only module).
//
// A unit that carries resources registers them when the program starts,
// from a file the linker keeps (one whose other code is used):
//
//   [[maybe_unused]] const bool KeyMapRegistered =
//       RegisterResource(RT_RCDATA, QStringLiteral("ADVT100KEYMAP"), &Vt100KeyMapData);
//
// The data is made the first time it is asked for. Names and types compare
// ignoring letter case, as resource names do.
#include "rtl/Types.h"

#include <optional>

inline const char* const RT_RCDATA = "RCDATA";

using TResourceMaker = QByteArray (*)();

// Adds the resource, or replaces one of the same type and name; returns
// true so that a registration can initialise a constant.
bool RegisterResource(const char* Type, const String& Name, TResourceMaker Make);
bool RegisterResource(const char* Type, const String& Name, const QByteArray& Data);
void UnregisterResource(const char* Type, const String& Name);
// The data; std::nullopt when there is no such resource.
std::optional<QByteArray> FindResourceData(const char* Type, const String& Name);
