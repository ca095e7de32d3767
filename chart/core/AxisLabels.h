#pragma once
// The label settings of an axis (its Texts): style, angle, alignment,
// position at the ticks, separation, rows, rounding of the first label and
// the automatic-text switches. The axis republishes most of them under
// its own names (LabelsAngle, LabelsSeparation, RoundFirstLabel ...).
//
// Published (default): Align (alDefault), Alternate (False), Angle (0),
// Behind (False), Exponent (False), Font (not stored: it is Format's),
// Format (the axis items' shared shape), GridIgnoresLabelSize (False),
// MarginToAxis (10), MultiLine (False), OnAxis (True), RoundFirst (True),
// Separation (10), Size (0), Style (talAuto), Position (lpAtTick),
// UseImages (True), Visible (True, Format's).
#include "platform/Component.h"

#include <cstdint>
#include <memory>

class TAutomaticText;
class TAxisLabelsFormat;
class TChartAxis;
class TZuzFont;

enum TAxisLabelStyle : uint8_t { talAuto, talNone, talValue, talMark, talText, talPointValue };
enum TAxisLabelAlign : uint8_t { alDefault, alOpposite, alCenter };
enum TAxisLabelsPosition : uint8_t { lpAtTick, lpBeforeTick, lpAfterTick, lpCenter };

class TAxisLabels : public TPersistent {
public:
  explicit TAxisLabels(TChartAxis* AAxis);
  ~TAxisLabels() override;
  String ClassName() const override;
  // Align, Alternate, Angle, Automatic, Behind, Exponent, GridIgnoresSize,
  // Margin, MultiLine, OnAxis, Position, Separation, Size, Style,
  // RoundFirst and UseImages.
  void Assign(TPersistent* Source) override;

  TAxisLabelAlign Align() const { return FAlign; }
  void SetAlign(TAxisLabelAlign Value);
  bool Alternate() const { return FAlternate; }
  void SetAlternate(bool Value);
  // Degrees, kept in 0..359.
  int32_t Angle() const { return FAngle; }
  void SetAngle(int32_t Value);
  TAutomaticText* Automatic() const { return FAutomatic.get(); }
  void SetAutomatic(TAutomaticText* Value);
  bool Behind() const { return FBehind; }
  void SetBehind(bool Value);
  bool Exponent() const { return FExponent; }
  void SetExponent(bool Value);
  TZuzFont* Font() const;
  void SetFont(TZuzFont* Value);
  TAxisLabelsFormat* Format() const;
  void SetFormat(TAxisLabelsFormat* Value);
  bool GridIgnoresLabelSize() const { return FGridIgnoresSize; }
  void SetGridIgnoresLabelSize(bool Value);
  // Percent of the height of "W" between labels and axis.
  int32_t MarginToAxis() const { return FMargin; }
  void SetMarginToAxis(int32_t Value);
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);
  bool OnAxis() const { return FOnAxis; }
  void SetOnAxis(bool Value);
  bool RoundFirst() const { return FRoundFirst; }
  void SetRoundFirst(bool Value);
  // Percent of a label's size kept free between labels. Raises
  // AxisException ZuzMsg_AxisLabelSep for a negative value (0 is taken).
  int32_t Separation() const { return FSeparation; }
  void SetSeparation(int32_t Value);
  int32_t Size() const { return FSize; }
  void SetSize(int32_t Value);
  TAxisLabelStyle Style() const { return FStyle; }
  void SetStyle(TAxisLabelStyle Value);
  TAxisLabelsPosition Position() const { return FPosition; }
  void SetPosition(TAxisLabelsPosition Value);
  bool UseImages() const { return FUseImages; }
  void SetUseImages(bool Value);
  bool Visible() const;
  void SetVisible(bool Value);

  TChartAxis* Axis() const { return FAxis; }
  // Largest line count of the labels (0: to be measured).
  int32_t IHeightFactor = 0;
  // Largest picture height among the labels.
  int32_t IMaxImageHeight = 0;

private:
  void SetBool(bool& Field, bool Value);
  void SetInt(int32_t& Field, int32_t Value);
  template <class T>
  void SetOther(T& Field, T Value);

  TAxisLabelAlign FAlign = alDefault;
  bool FAlternate = false;
  int32_t FAngle = 0;
  std::unique_ptr<TAutomaticText> FAutomatic;
  bool FBehind = false;
  bool FGridIgnoresSize = false;
  int32_t FMargin = 10;
  bool FOnAxis = true;
  int32_t FSeparation = 10;
  int32_t FSize = 0;
  TAxisLabelStyle FStyle = talAuto;
  bool FExponent = false;
  bool FMultiLine = false;
  bool FRoundFirst = true;
  TAxisLabelsPosition FPosition = lpAtTick;
  bool FUseImages = true;
  TChartAxis* FAxis;
};
