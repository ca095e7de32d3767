#include "platform/KeyMap.h"

#include <QKeyEvent>

#include <array>

namespace {

struct TKeyRow {
  int QtKey;
  uint16_t Vk;
};

// Keys whose code does not depend on the keypad. Where two Qt keys share a
// code the first is the one shortcuts are made of.
constexpr TKeyRow KeyRows[] = {
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Select, VK_SELECT},
    {Qt::Key_Printer, VK_PRINT},
    {Qt::Key_Execute, VK_EXECUTE},
    {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP},
    {Qt::Key_Super_L, VK_LWIN},
    {Qt::Key_Meta, VK_LWIN},
    {Qt::Key_Super_R, VK_RWIN},
    {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL},
    // Punctuation, unshifted and shifted, as on a US keyboard.
    {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},
    // Shifted digits of a US keyboard.
    {Qt::Key_Exclam, VK_1},
    {Qt::Key_At, VK_2},
    {Qt::Key_NumberSign, VK_3},
    {Qt::Key_Dollar, VK_4},
    {Qt::Key_Percent, VK_5},
    {Qt::Key_AsciiCircum, VK_6},
    {Qt::Key_Ampersand, VK_7},
    {Qt::Key_Asterisk, VK_8},
    {Qt::Key_ParenLeft, VK_9},
    {Qt::Key_ParenRight, VK_0},
};

// The keypad's own codes (Num Lock on: digits and the decimal key).
constexpr TKeyRow KeypadRows[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},      {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Comma, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE},
};

uint16_t Lookup(const TKeyRow* Begin, const TKeyRow* End, int Key)
{
  for (const TKeyRow* R = Begin; R != End; ++R)
    if (R->QtKey == Key)
      return R->Vk;
  return 0;
}

} // namespace

uint16_t VirtualKeyOf(const QKeyEvent& E)
{
  const int Key = E.key();
  const bool Keypad = E.modifiers() & Qt::KeypadModifier;
  if (Key >= Qt::Key_0 && Key <= Qt::Key_9)
    return static_cast<uint16_t>(Keypad ? VK_NUMPAD0 + (Key - Qt::Key_0) : VK_0 + (Key - Qt::Key_0));
  if (Key >= Qt::Key_A && Key <= Qt::Key_Z)
    return static_cast<uint16_t>(VK_A + (Key - Qt::Key_A));
  if (Key >= Qt::Key_F1 && Key <= Qt::Key_F24)
    return static_cast<uint16_t>(VK_F1 + (Key - Qt::Key_F1));
  if (Keypad)
    if (const uint16_t Vk = Lookup(std::begin(KeypadRows), std::end(KeypadRows), Key))
      return Vk;
  return Lookup(std::begin(KeyRows), std::end(KeyRows), Key);
}

char16_t KeyCharOf(const QKeyEvent& E)
{
  const int Key = E.key();
  const Qt::KeyboardModifiers M = E.modifiers();
  const bool Ctrl = M & Qt::ControlModifier;
  const bool Alt = M & Qt::AltModifier;
  // Alt with a key is a system key: it types nothing (Ctrl+Alt is AltGr).
  if (Alt && !Ctrl)
    return 0;
  switch (Key) {
  case Qt::Key_Return:
  case Qt::Key_Enter:
    return Ctrl ? 10 : 13;
  case Qt::Key_Escape:
    return 27;
  case Qt::Key_Backspace:
    return Ctrl ? 127 : 8;
  case Qt::Key_Tab:
  case Qt::Key_Backtab:
    return Ctrl ? 0 : 9;
  default:
    break;
  }
  if (Ctrl && !Alt) {
    if (Key >= Qt::Key_A && Key <= Qt::Key_Z)
      return static_cast<char16_t>(Key - Qt::Key_A + 1);
    switch (Key) {
    case Qt::Key_BracketLeft:
      return 27;
    case Qt::Key_Backslash:
      return 28;
    case Qt::Key_BracketRight:
      return 29;
    case Qt::Key_AsciiCircum:
      return 30;
    case Qt::Key_Underscore:
      return 31;
    case Qt::Key_Space:
      return 32;
    default:
      return 0;
    }
  }
  const QString T = E.text();
  if (T.isEmpty())
    return 0;
  const char16_t C = T.at(0).unicode();
  // Delete and the other control keys send text on some platforms; the
  // framework types nothing for them.
  if (C < 32 || C == 127)
    return 0;
  return C;
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons)
{
  TShiftState S = 0;
  if (Modifiers & Qt::ShiftModifier)
    S |= ssShift;
  if (Modifiers & Qt::AltModifier)
    S |= ssAlt;
  if (Modifiers & Qt::ControlModifier)
    S |= ssCtrl;
  if (Buttons & Qt::LeftButton)
    S |= ssLeft;
  if (Buttons & Qt::RightButton)
    S |= ssRight;
  if (Buttons & Qt::MiddleButton)
    S |= ssMiddle;
  return S;
}

TShiftState KeyShiftStateOf(const QKeyEvent& E)
{
  TShiftState S = ShiftStateOf(E.modifiers());
  // Platforms differ in whether a modifier key's own event holds its
  // modifier; the framework counts it held while down.
  TShiftState Own = 0;
  switch (E.key()) {
  case Qt::Key_Shift:
    Own = ssShift;
    break;
  case Qt::Key_Control:
    Own = ssCtrl;
    break;
  case Qt::Key_Alt:
    Own = ssAlt;
    break;
  default:
    return S;
  }
  return E.type() == QEvent::KeyRelease ? S & ~Own : S | Own;
}

int QtKeyOf(uint16_t Vk)
{
  if (Vk >= VK_0 && Vk <= VK_9)
    return Qt::Key_0 + (Vk - VK_0);
  if (Vk >= VK_A && Vk <= VK_Z)
    return Qt::Key_A + (Vk - VK_A);
  if (Vk >= VK_F1 && Vk <= VK_F24)
    return Qt::Key_F1 + (Vk - VK_F1);
  if (Vk >= VK_NUMPAD0 && Vk <= VK_NUMPAD0 + 9)
    return Qt::Key_0 + (Vk - VK_NUMPAD0);
  for (const TKeyRow& R : KeypadRows)
    if (R.Vk == Vk)
      return R.QtKey;
  for (const TKeyRow& R : KeyRows)
    if (R.Vk == Vk)
      return R.QtKey;
  return 0;
}
