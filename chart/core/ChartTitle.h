#pragma once
// The chart's titles: TStringsShape (a text box whose lines are also a
// string list, both kept equal), TChartTitle (above the plot: Title and
// SubTitle) and TChartFootTitle (below it: Foot and SubFoot).
//
// A title that is drawn takes its room from the chart rectangle (unless it
// has CustomPosition): the chart draws Title, SubTitle, Foot and SubFoot
// in that order, so the main title sits outermost.
//
// Published by TChartTitle (default): AdjustFrame (True), Alignment
// (taCenter), Color (clWhite), Text (the lines), Transparent (True),
// VertMargin (5), Visible, and the text box's properties. Main thread only.
#include "chart/core/ZuzCustomShapePosition.h"

#include <memory>

class TStringList;

// S without a final CR LF when S is longer than two characters.
String RemoveLastLineBreak(const String& S);

class TStringsShape : public TTextShape {
public:
  explicit TStringsShape(TCustomZuzPanel* AOwner);
  ~TStringsShape() override;
  String ClassName() const override;

  using TCustomTextShape::SetText;
  // The lines; changing them sets the text (without its final line break).
  TStringList* GetText() const { return FTitleText.get(); }
  void SetText(TStringList* Strings);
  // The first line, or empty.
  String Caption() const;
  // The lines of Text (split at line breaks); empty clears them.
  void SetCaption(const String& Text);
  void Clear();

protected:
  void ChangedText() override;

private:
  void LinesChanged();

  std::unique_ptr<TStringList> FTitleText;
  bool IChangingText = false;
};

class TChartTitle : public TStringsShape {
public:
  explicit TChartTitle(TCustomZuzPanel* AOwner);
  String ClassName() const override;
  // AdjustFrame, the lines and VertMargin, then the positioned box.
  void Assign(TPersistent* Source) override;

  // Visible and at least one line.
  bool ShouldDraw() const;
  // Visible and P inside its bounds (edges included).
  bool Clicked(const TPoint& P) const;
  bool Clicked(int32_t X, int32_t Y) const { return Clicked(TPoint{X, Y}); }
  const TRect& GetShapeBounds() const { return ShapeBounds; }
  // Places the title (unless custom-positioned), draws it and takes its
  // room from the chart rectangle; nothing unless ShouldDraw.
  void DrawTitle();

  bool AdjustFrame() const { return FAdjustFrame; }
  void SetAdjustFrame(bool Value);
  int32_t VertMargin() const { return FVertMargin; }
  void SetVertMargin(int32_t Value);
  // Placed above the plot (False for foot titles).
  bool IOnTop = true;

private:
  bool FAdjustFrame = true;
  int32_t FVertMargin = 5;
};

class TChartFootTitle : public TChartTitle {
public:
  explicit TChartFootTitle(TCustomZuzPanel* AOwner);
  String ClassName() const override;
};
