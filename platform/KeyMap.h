#pragma once
// Qt's keys, modifiers and buttons as the platform's virtual keys, characters
// and shift states (the mapping VirtualKeys.h describes). Qt-facing glue:
// include it in sources only.
#include "platform/VirtualKeys.h"

#include <Qt>

class QKeyEvent;

// The virtual-key code of a key event; 0 for a key that has none.
uint16_t VirtualKeyOf(const QKeyEvent& E);
// The character the key types as KeyPress gets it; 0 for none.
char16_t KeyCharOf(const QKeyEvent& E);
// The shift state of keyboard modifiers and held mouse buttons.
TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons = Qt::NoButton);
// The shift state during a key event: a modifier key counts as held while
// it is pressed and no longer once released.
TShiftState KeyShiftStateOf(const QKeyEvent& E);
// The Qt key of a virtual-key code (for shortcuts); 0 for none.
int QtKeyOf(uint16_t VirtualKey);
