#pragma once
// Conversion between SerialLineState and the kernel's termios2 (which carries
// any baud rate). Used by SerialDevice only; termios2 and <termios.h> cannot
// share a source file, so everything that touches termios2 lives here.
#include "platform/SerialDevice.h"

struct termios2;

// Raw bytes, 8N1, receiver on, DCD ignored, reads return what is there;
// a line at rate 0 (hung up) comes up at 9600, and equal XON/XOFF
// characters become DC1/DC3.
void MakeRawLine(termios2& T);
// Writes the rate, character format, flow control and XON/XOFF characters of
// S into T, leaving the rest of T alone. S must have passed CheckLineState.
void EncodeLineState(const SerialLineState& S, termios2& T);
// Reads those fields back from T into S. CharFormat, when given, supplies the
// data bits and parity instead (a device that does not keep them).
void DecodeLineState(const termios2& T, SerialLineState& S, const SerialLineState* CharFormat = nullptr);
uint32_t LineBaudRate(const termios2& T);
// Empty when Got holds what Asked asked for; otherwise what the device
// altered. CheckCharFormat false skips data bits and parity.
String LineMismatch(const termios2& Asked, const termios2& Got, bool CheckCharFormat);
