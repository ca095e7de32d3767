#pragma once
// The readable text form of a component stream and its conversion to and
// from the binary form:
//
//   object Chart1: TChart
//     Title.Text.Strings = (
//       'Depth'
//       'It''s'#13#10'two lines')
//     Color = clWhite
//     Pen.Style = psDot
//     Anchors = [akLeft, akTop]
//     Gradient.Angle = 1.5
//     Scale = 0.25s                  (s Single, c Currency, d date; none Extended)
//     Data = {
//       0A0B0C}
//     Items = <
//       item
//         Caption = 'x'
//       end>
//     OnClick = Chart1Click
//     object Series1: TLineSeries
//     end
//   end
//
// "inherited" or "inline" replace "object" for the flags of the same names,
// " [n]" after the class gives the child position. Keywords are read in any
// case. Text is written as ASCII (other characters as #<code>) with CR LF
// line ends and read as UTF-8. Non-finite floats are written "+INF", "-INF"
// and "+NAN".
//
// Both conversions treat their input as untrusted: nesting is bounded and
// every failure is an exception (EReadError from the binary side,
// EParserError "<message> on line <n>" from the text side). Converting a
// binary stream to text and back gives a stream that reads into the same
// objects; converting text written here to binary and back gives the same
// text.
#include "rtl/Exceptions.h"

class TStream;

class EParserError : public Exception {
public:
  explicit EParserError(const String& Msg) : Exception(Msg) {}
};

// From Input's position: "TPF0" and one object, to text at Output's
// position.
void ObjectBinaryToText(TStream& Input, TStream& Output);
// From Input's position to its end: one object in text form, to "TPF0" and
// the binary object at Output's position. Anything after the object's
// final "end" is ignored.
void ObjectTextToBinary(TStream& Input, TStream& Output);

// Nesting of objects, lists and collections that either conversion accepts.
constexpr int32_t MaxObjectTextDepth = 64;
