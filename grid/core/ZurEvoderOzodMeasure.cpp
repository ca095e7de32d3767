// The size of a cell's content in the grid's canvas, as automatic sizing
// needs it: the text (line by line, or word-wrapped in the cell's width as
// the system's word-breaking text drawing lays it out) and the cell graphic
// of the kinds whose size does not depend on a picture.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/rurutil.h"
#include "grid/core/ControlLook.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/TypInfo.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace {

// Breaks Text into the lines the word-breaking text drawing makes in Width
// pixels: at line breaks, then between words; a word wider than the width
// stands on a line of its own, which is then wider than Width.
std::vector<String> WrapLines(TCanvas* C, const String& Text, int32_t Width)
{
  std::vector<String> Lines;
  String Paragraphs = Text;
  Paragraphs.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  Paragraphs.replace(u'\r', u'\n');
  for (const QString& Paragraph : Paragraphs.split(u'\n')) {
    String Line;
    for (const QString& Word : Paragraph.split(u' ')) {
      const String Longer = Line.isEmpty() ? Word : Line + u' ' + Word;
      if (Line.isEmpty() || C->TextWidth(Longer) <= Width) {
        Line = Longer;
      } else {
        Lines.push_back(Line);
        Line = Word;
      }
    }
    Lines.push_back(Line);
  }
  return Lines;
}

} // namespace

int32_t TZurEvoderOzod::SettingOr(const char* Path, int32_t Default)
{
  TPersistent* Owner = this;
  const TPropInfo* P = FindPropPath(Owner, QString::fromLatin1(Path));
  return P ? static_cast<int32_t>(GetOrdProp(Owner, P)) : Default;
}

// The canvas font a cell is measured in: the fixed font in fixed cells,
// the grid's font elsewhere, then the cell's own attributes and the
// application's colour event, and the zoom.
void TZurEvoderOzod::PrepareMeasureFont(TCanvas* ACanvas, int32_t ACol, int32_t ARow, bool Fixed)
{
  ACanvas->Font()->Assign(Fixed ? FFixedFont.get() : Font());
  GetCellColor(ACol, ARow, TGridDrawState{}, ACanvas->Brush(), ACanvas->Font());
  if (FZoomFactor != 0) {
    const int32_t Size = ACanvas->Font()->Size() + FZoomFactor;
    ACanvas->Font()->SetSize(Size == 0 ? 1 : Size);
  }
}

int32_t TZurEvoderOzod::CellTextHeight(TCanvas* ACanvas, const String& Text) { return ACanvas->TextHeight(Text); }

TPoint TZurEvoderOzod::GetCellTextSize(int32_t ACol, int32_t ARow, bool ReserveButton, bool WordWrapMeasure)
{
  return GetCellTextSizeInt(DisplColIndex(ACol), ACol, ARow, ReserveButton, WordWrapMeasure, false);
}

TPoint TZurEvoderOzod::GetCellTextSizeInt(int32_t ACol, int32_t RCol, int32_t ARow, bool ReserveButton,
                                          bool WordWrapMeasure, bool Unbounded)
{
  TCanvas* C = Canvas();
  PrepareMeasureFont(C, RCol, ARow, ARow < FixedRows() || ACol < FixedCols());
  // What the cell shows, as its drawing makes it.
  const String Text = ShownCellText(RCol, ARow);
  if (Text.isEmpty())
    return TPoint{0, 0};
  const int32_t LineHeight = CellTextHeight(C, QStringLiteral("gh"));
  if (WordWrapMeasure) {
    int32_t Width = CellSize(ACol, ARow).X - (FXYOffset.X + 1);
    if (!FXYOffsetTopLeftOnly)
      Width -= FXYOffset.X + 1;
    if (ReserveButton)
      Width -= 17;
    int32_t Widest = 0;
    const std::vector<String> Lines = WrapLines(C, Text, Unbounded ? 65535 : Width);
    for (const String& L : Lines)
      Widest = std::max(Widest, C->TextWidth(L));
    return TPoint{Widest, static_cast<int32_t>(Lines.size()) * LineHeight};
  }
  String Rest = Text;
  int32_t Widest = 0, Count = 0;
  do {
    Widest = std::max(Widest, C->TextWidth(GetNextLine(Rest, FMultilinecells)));
    ++Count;
  } while (!Rest.isEmpty());
  return TPoint{Widest, Count * LineHeight};
}
