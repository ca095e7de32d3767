#include "app/windows/ChartActionCopy.h"

#include "chart/core/CustomChart.h"
#include "platform/Bitmap.h"
#include "platform/Graphics.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

TChartActionCopy::TChartActionCopy(TComponent* AOwner) : TAction(AOwner)
{
  SetCaption(QStringLiteral("&Copy"));
  SetHint(QStringLiteral("Copy to Clipboard"));
}

TChartActionCopy::~TChartActionCopy() { SetChart(nullptr); }

String TChartActionCopy::ClassName() const { return QStringLiteral("TChartActionCopy"); }

void TChartActionCopy::SetChart(TCustomChart* Value)
{
  if (Value == FChart)
    return;
  if (FChart)
    FChart->RemoveFreeNotification(this);
  FChart = Value;
  if (FChart)
    FChart->FreeNotification(this);
}

void TChartActionCopy::Notification(TComponent* AComponent, TOperation Operation)
{
  TAction::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FChart)
    FChart = nullptr;
}

bool TChartActionCopy::Execute()
{
  if (OnExecute)
    return TAction::Execute();
  Update();
  if (!Enabled() || !FChart)
    return false;
  TBitmap Picture;
  DrawChartBitmap(*FChart, Picture);
  QGuiApplication::clipboard()->setImage(*Picture.ImageData());
  return true;
}

void DrawChartBitmap(TCustomChart& Chart, TBitmap& Into)
{
  const int32_t W = Chart.Width() > 0 ? Chart.Width() : 1;
  const int32_t H = Chart.Height() > 0 ? Chart.Height() : 1;
  Into.SetSize(W, H);
  Chart.Draw(Into.Canvas(), TRect{0, 0, W, H});
  // The chart's window shows its own buffer again at the next paint.
  Chart.Invalidate();
}
