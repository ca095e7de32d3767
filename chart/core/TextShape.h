#pragma once
// A framed box with a text inside (TCustomTextShape): it sizes itself to
// its lines (separated by ZuzTextLineBreak; line feeds are dropped;
// optionally HTML-like text) plus margins, and draws the lines aligned,
// clipped and rotated with the box. Series marks, axis titles and labels,
// chart titles and the legend derive from it.
//
// TMargins: the four text margins in percent of the font size, percent of
// the text size, or pixels. TAutomaticText: switches some owners read
// (axis labels read Trim).
//
// Published (default): TMargins Left, Right (10), Top, Bottom (5; each
// stored when it differs from its default), Units (maPercentFont);
// TAutomaticText Hide, Move, Resize, Rotate, Trim, Wrap (True). The text
// shape's own properties are published by its descendants.
#include "chart/core/CustomZuzPanel.h"
#include "chart/core/ZuzShape.h"

class TCustomTextShape;

enum TMarginUnits : uint8_t { maPercentFont, maPercentSize, maPixels };
enum TVertTextAlign : uint8_t { vtaCenter, vtaTop, vtaBottom };

class TMargins : public TPersistent {
public:
  explicit TMargins(TZuzCustomShapeBrushPen* AParent);
  String ClassName() const override;
  // The four margins and the units (not the defaults).
  void Assign(TPersistent* Source) override;

  // The pixel margins (ILast): percent of FontSize, or of Width / Height,
  // rounded half to even; or the pixels as they are.
  void Calculate(int32_t Width, int32_t Height, int32_t FontSize);
  void Reset() { ILast = TRect{}; }
  int32_t HorizSize() const { return ILast.Left + ILast.Right; }
  int32_t VertSize() const { return ILast.Top + ILast.Bottom; }
  // Sets a direction's default and both its margins.
  void SetDefaultHoriz(int32_t Value);
  void SetDefaultVert(int32_t Value);

  int32_t Left() const { return FLeft; }
  void SetLeft(int32_t Value);
  int32_t Top() const { return FTop; }
  void SetTop(int32_t Value);
  int32_t Right() const { return FRight; }
  void SetRight(int32_t Value);
  int32_t Bottom() const { return FBottom; }
  void SetBottom(int32_t Value);
  TMarginUnits Units() const { return FUnits; }
  void SetUnits(TMarginUnits Value);
  bool IsLeftStored() const { return FLeft != DefaultHoriz; }
  bool IsRightStored() const { return FRight != DefaultHoriz; }
  bool IsTopStored() const { return FTop != DefaultVert; }
  bool IsBottomStored() const { return FBottom != DefaultVert; }

  int32_t DefaultHoriz = 10;
  int32_t DefaultVert = 5;
  // The pixel margins last computed.
  TRect ILast;

private:
  template <class T>
  void Change(T& Field, T Value);

  int32_t FLeft = 10, FTop = 5, FRight = 10, FBottom = 5;
  TMarginUnits FUnits = maPercentFont;
  TZuzCustomShapeBrushPen* IParent;
};

class TAutomaticText : public TPersistent {
public:
  explicit TAutomaticText(TNotifyEvent AChanged = {});
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  bool Hide() const { return FHide; }
  void SetHide(bool Value);
  bool Move() const { return FMove; }
  void SetMove(bool Value);
  bool Resize() const { return FResize; }
  void SetResize(bool Value);
  bool Rotate() const { return FRotate; }
  void SetRotate(bool Value);
  bool Trim() const { return FTrim; }
  void SetTrim(bool Value);
  bool Wrap() const { return FWrap; }
  void SetWrap(bool Value);

private:
  void Change(bool& Field, bool Value);

  bool FHide = true, FMove = true, FResize = true, FRotate = true, FTrim = true, FWrap = true;
  TNotifyEvent FChanged;
};

class TCustomTextShape : public TZuzCustomShape {
public:
  // ClipText on, text left-aligned (also the unstored default).
  explicit TCustomTextShape(TCustomZuzPanel* AOwner);
  ~TCustomTextShape() override;
  String ClassName() const override;
  // ClipText, Cursor, Margins, Text, TextAlignment, TextFormat and
  // VertTextAlign, then the box.
  void Assign(TPersistent* Source) override;
  // The box's size from its children, then from its text plus margins
  // (when auto-sized).
  void CalcBounds(TCustomZuzPanel* Panel) override;
  String GetEditorClass() const override;
  std::unique_ptr<TZuzCustomShape> CreateChild(TCustomZuzPanel* Panel) const override;

  // The size of Text in the current canvas font (multi-line).
  void CalcTextSize(TCustomZuzPanel* Panel, const String& AText, TPoint& Size, int32_t& NumLines,
                    TZuzTextFormat Format);
  // Sets the canvas text alignment and the start X inside R.
  virtual void CalcTextAlign(TCustomZuzPanel* Panel, int32_t& X, const String& AText, const TRect& R);
  // One line at (X, Y, Z), rotated by Angle about Center.
  virtual void DrawString(TCustomZuzPanel* Panel, int32_t X, int32_t Y, int32_t Z, const String& AText, bool Html,
                          int32_t Angle, const TPoint& Center);

  const String& Text() const { return FText; }
  void SetText(const String& Value);
  bool ClipText() const { return FClipText; }
  void SetClipText(bool Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }
  TMargins* Margins() const { return FMargins.get(); }
  void SetMargins(TMargins* Value);
  TAlignment TextAlignment() const { return FTextAlign; }
  void SetTextAlignment(TAlignment Value);
  bool IsTextAlignmentStored() const { return FTextAlign != IDefaultTextAlign; }
  // Sets the alignment and its unstored default together.
  void InitTextAlignment(TAlignment Value);
  TZuzTextFormat TextFormat() const { return FTextFormat; }
  void SetTextFormat(TZuzTextFormat Value);
  TVertTextAlign VertTextAlign() const { return FVertTextAlign; }
  void SetVertTextAlign(TVertTextAlign Value);

  TAlignment IDefaultTextAlign = taLeftJustify;
  // Select the font in 2D even in a 3D chart.
  bool IDraw2D = false;
  // Extra horizontal shift of the text.
  int32_t ITextOffset = 0;
  // Lines found by the last size calculation.
  int32_t INumLines = 0;

protected:
  void DoDraw(TCustomZuzPanel* Panel, const TRect& R, int32_t Angle, int32_t AZ) override;
  void DoDraw(TCustomZuzPanel* Panel, std::span<const TPoint> Points, const TRect& R, int32_t Angle,
              int32_t AZ) override;
  int32_t FirstChildPos() const override;
  virtual void ChangedText();

private:
  void SelectFont(TCustomZuzPanel* Panel);
  void DoDrawText(TCustomZuzPanel* Panel, const TRect& R, int32_t Angle, int32_t AZ);

  bool FClipText = true;
  TCursor FCursor = crDefault;
  std::unique_ptr<TMargins> FMargins;
  TAlignment FTextAlign = taLeftJustify;
  TZuzTextFormat FTextFormat = ttfNormal;
  TVertTextAlign FVertTextAlign = vtaCenter;
  String FText;
};
