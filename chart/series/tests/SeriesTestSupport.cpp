#include "chart/series/tests/SeriesTestSupport.h"

#include "chart/core/ChartAxis.h"

TPixelChart::TPixelChart(std::unique_ptr<TRecordingCanvas> C) : TImageChart(300, 200)
{
  if (!C)
    C = std::make_unique<TRecordingCanvas>();
  Canvas = C.get();
  SetInternalCanvas(std::move(C));
  SetView3D(false);
  SetAxisVisible(false);
  SetMarginUnits(muPixels);
  for (int I = 0; I < 4; ++I)
    SetMargin(I, 0);
  Draw();
  R = ChartRect;
  BottomAxis()->SetMinMax(R.Left, R.Right);
  LeftAxis()->SetMinMax(R.Top, R.Bottom);
}

QStringList TPixelChart::Redraw()
{
  Canvas->Log.clear();
  Draw();
  return Segments();
}

QStringList TPixelChart::Segments() const
{
  QStringList Result;
  QString Pen;
  for (const QString& S : Canvas->Log) {
    const QString Args = S.mid(S.indexOf(QLatin1Char('(')) + 1).chopped(1);
    if (S.startsWith(QStringLiteral("MoveTo(")))
      Pen = Args;
    else if (S.startsWith(QStringLiteral("LineTo("))) {
      Result << Pen + QLatin1Char('-') + Args;
      Pen = Args;
    }
  }
  return Result;
}
