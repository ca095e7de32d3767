#pragma once
// The keyboard and mouse vocabulary of the control classes (Controls.h):
// virtual-key codes and the shift state.
//
// Key codes are the platform's virtual-key codes, whatever key the Qt event
// names: letters and digits are their upper-case ASCII codes ('A' 0x41,
// '7' 0x37), the numeric keypad has its own codes while Num Lock is on
// (VK_NUMPAD0 .. VK_DIVIDE) and the navigation codes while it is off.
// Punctuation keys get the codes of a US keyboard (VK_OEM_1 for ';' and ':',
// ...), whatever layout is in force; a key that has no virtual key (a letter
// of another alphabet) sends no key-down, only its character.
#include <cstdint>

// ---- Virtual-key codes -------------------------------------------------------
constexpr uint16_t VK_LBUTTON = 0x01;
constexpr uint16_t VK_RBUTTON = 0x02;
constexpr uint16_t VK_CANCEL = 0x03;
constexpr uint16_t VK_MBUTTON = 0x04;
constexpr uint16_t VK_BACK = 0x08;
constexpr uint16_t VK_TAB = 0x09;
constexpr uint16_t VK_CLEAR = 0x0C; // keypad 5 with Num Lock off
constexpr uint16_t VK_RETURN = 0x0D;
constexpr uint16_t VK_SHIFT = 0x10;
constexpr uint16_t VK_CONTROL = 0x11;
constexpr uint16_t VK_MENU = 0x12; // Alt
constexpr uint16_t VK_PAUSE = 0x13;
constexpr uint16_t VK_CAPITAL = 0x14; // Caps Lock
constexpr uint16_t VK_ESCAPE = 0x1B;
constexpr uint16_t VK_SPACE = 0x20;
constexpr uint16_t VK_PRIOR = 0x21; // Page Up
constexpr uint16_t VK_NEXT = 0x22;  // Page Down
constexpr uint16_t VK_END = 0x23;
constexpr uint16_t VK_HOME = 0x24;
constexpr uint16_t VK_LEFT = 0x25;
constexpr uint16_t VK_UP = 0x26;
constexpr uint16_t VK_RIGHT = 0x27;
constexpr uint16_t VK_DOWN = 0x28;
constexpr uint16_t VK_SELECT = 0x29;
constexpr uint16_t VK_PRINT = 0x2A;
constexpr uint16_t VK_EXECUTE = 0x2B;
constexpr uint16_t VK_SNAPSHOT = 0x2C; // Print Screen
constexpr uint16_t VK_INSERT = 0x2D;
constexpr uint16_t VK_DELETE = 0x2E;
constexpr uint16_t VK_HELP = 0x2F;
constexpr uint16_t VK_0 = 0x30; // VK_0 + n for digit n
constexpr uint16_t VK_1 = 0x31;
constexpr uint16_t VK_2 = 0x32;
constexpr uint16_t VK_3 = 0x33;
constexpr uint16_t VK_4 = 0x34;
constexpr uint16_t VK_5 = 0x35;
constexpr uint16_t VK_6 = 0x36;
constexpr uint16_t VK_7 = 0x37;
constexpr uint16_t VK_8 = 0x38;
constexpr uint16_t VK_9 = 0x39;
constexpr uint16_t VK_A = 0x41; // VK_A + n for the n-th letter; 'A' .. 'Z'
constexpr uint16_t VK_C = 0x43;
constexpr uint16_t VK_V = 0x56;
constexpr uint16_t VK_X = 0x58;
constexpr uint16_t VK_Z = 0x5A;
constexpr uint16_t VK_LWIN = 0x5B;
constexpr uint16_t VK_RWIN = 0x5C;
constexpr uint16_t VK_APPS = 0x5D;    // the context-menu key
constexpr uint16_t VK_NUMPAD0 = 0x60; // VK_NUMPAD0 + n for keypad digit n
constexpr uint16_t VK_NUMPAD1 = 0x61;
constexpr uint16_t VK_NUMPAD2 = 0x62;
constexpr uint16_t VK_NUMPAD3 = 0x63;
constexpr uint16_t VK_NUMPAD4 = 0x64;
constexpr uint16_t VK_NUMPAD5 = 0x65;
constexpr uint16_t VK_NUMPAD6 = 0x66;
constexpr uint16_t VK_NUMPAD7 = 0x67;
constexpr uint16_t VK_NUMPAD8 = 0x68;
constexpr uint16_t VK_NUMPAD9 = 0x69;
constexpr uint16_t VK_MULTIPLY = 0x6A;
constexpr uint16_t VK_ADD = 0x6B;
constexpr uint16_t VK_SEPARATOR = 0x6C;
constexpr uint16_t VK_SUBTRACT = 0x6D;
constexpr uint16_t VK_DECIMAL = 0x6E;
constexpr uint16_t VK_DIVIDE = 0x6F;
constexpr uint16_t VK_F1 = 0x70; // VK_F1 + n - 1 for F<n>, up to F24
constexpr uint16_t VK_F2 = 0x71;
constexpr uint16_t VK_F3 = 0x72;
constexpr uint16_t VK_F4 = 0x73;
constexpr uint16_t VK_F5 = 0x74;
constexpr uint16_t VK_F6 = 0x75;
constexpr uint16_t VK_F7 = 0x76;
constexpr uint16_t VK_F8 = 0x77;
constexpr uint16_t VK_F9 = 0x78;
constexpr uint16_t VK_F10 = 0x79;
constexpr uint16_t VK_F11 = 0x7A;
constexpr uint16_t VK_F12 = 0x7B;
constexpr uint16_t VK_F24 = 0x87;
constexpr uint16_t VK_NUMLOCK = 0x90;
constexpr uint16_t VK_SCROLL = 0x91;
constexpr uint16_t VK_LSHIFT = 0xA0;
constexpr uint16_t VK_RSHIFT = 0xA1;
constexpr uint16_t VK_LCONTROL = 0xA2;
constexpr uint16_t VK_RCONTROL = 0xA3;
constexpr uint16_t VK_LMENU = 0xA4;
constexpr uint16_t VK_RMENU = 0xA5;
constexpr uint16_t VK_OEM_1 = 0xBA;      // ; :
constexpr uint16_t VK_OEM_PLUS = 0xBB;   // = +
constexpr uint16_t VK_OEM_COMMA = 0xBC;  // , <
constexpr uint16_t VK_OEM_MINUS = 0xBD;  // - _
constexpr uint16_t VK_OEM_PERIOD = 0xBE; // . >
constexpr uint16_t VK_OEM_2 = 0xBF;      // / ?
constexpr uint16_t VK_OEM_3 = 0xC0;      // ` ~
constexpr uint16_t VK_OEM_4 = 0xDB;      // [ {
constexpr uint16_t VK_OEM_5 = 0xDC;      // \ |
constexpr uint16_t VK_OEM_6 = 0xDD;      // ] }
constexpr uint16_t VK_OEM_7 = 0xDE;      // ' "

// ---- Shift state ----------------------------------------------------------------
// A set: bit n stands for member n of the framework's TShiftState, so that
// streams and property editors see the members in their order.
using TShiftState = uint16_t;
constexpr TShiftState ssShift = 1u << 0;
constexpr TShiftState ssAlt = 1u << 1;
constexpr TShiftState ssCtrl = 1u << 2;
constexpr TShiftState ssLeft = 1u << 3;   // left mouse button held
constexpr TShiftState ssRight = 1u << 4;  // right mouse button held
constexpr TShiftState ssMiddle = 1u << 5; // middle mouse button held
constexpr TShiftState ssDouble = 1u << 6; // the mouse-down of a double click

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

// ---- Shortcuts ------------------------------------------------------------------
// A key with its shift keys in one number: the virtual-key code in the low
// byte, scShift, scCtrl and scAlt above it; 0 is no shortcut. Menus.h turns
// them into text and back.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;
