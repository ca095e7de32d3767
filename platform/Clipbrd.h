#pragma once
// The clipboard's text (the stand-in of the framework's clipboard object).
// Needs the Qt application object; main thread only.
#include "rtl/Types.h"

bool ClipboardHasText();
// Empty when the clipboard holds no text.
String ClipboardAsText();
void SetClipboardAsText(const String& Text);
