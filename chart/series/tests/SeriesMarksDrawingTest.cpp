// Marks as a user sees them on fast lines (golden image): framed texts
// lifted by their arrow length with the arrow line and a pointer at the
// point, an arrow head, a speech-bubble tail, a colour symbol inside the
// frame and texts on two lines.
#include "chart/core/tests/CoreTestSupport.h"

#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/SeriesMarks.h"
#include "chart/series/FastLineSeries.h"
#include "platform/tests/GoldenImage.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TFastLineSeries* AddLine(TImageTChart& C, double Base)
{
  auto* S = new TFastLineSeries(&C);
  C.AddSeries(S);
  const char* Labels[] = {"N", "E", "S", "W"};
  for (int I = 0; I < 4; ++I)
    S->AddXY(I, Base + (I % 2) * 3, QString::fromLatin1(Labels[I]));
  TSeriesMarks* M = S->Marks();
  M->SetVisible(true);
  M->SetStyle(smsValue);
  return S;
}

} // namespace

TEST(SeriesMarksDrawing, GoldenMarks)
{
  TImageTChart C(360, 260);
  C.SetInternalCanvas(std::make_unique<TGDIPlusCanvas>());
  C.SetView3D(false);
  C.Legend()->SetVisible(false);
  C.LeftAxis()->SetMinMax(0, 30);
  C.BottomAxis()->SetMinMax(-0.5, 3.5);

  // Arrow line from the point to the mark, a round pointer on the point.
  TSeriesMarks* Arrows = AddLine(C, 3)->Marks();
  Arrows->SetArrowLength(18);
  Arrows->Callout()->SetVisible(true);
  Arrows->Callout()->SetStyle(psCircle);
  Arrows->Callout()->SetSize(3);
  Arrows->Arrow()->SetColor(clBlack);

  // A solid arrow head and a tail on the frame.
  TSeriesMarks* Tails = AddLine(C, 12)->Marks();
  Tails->SetArrowLength(14);
  Tails->Callout()->SetArrowHead(ahSolid);
  Tails->Arrow()->SetColor(clNavy);
  Tails->Tail()->SetVisible(true);

  // A colour symbol before label and value on two lines.
  TSeriesMarks* Symbols = AddLine(C, 21)->Marks();
  Symbols->SetStyle(smsLabelValue);
  Symbols->SetMultiLine(true);
  Symbols->Symbol()->SetVisible(true);

  C.Image.fill(Qt::black);
  C.Draw();
  EXPECT_GOLDEN(C.Image, QStringLiteral("series_marks"), 8, 40);
}
