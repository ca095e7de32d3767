#include "CoreTestSupport.h"

#include "chart/core/ChartCoreInit.h"
#include "chart/core/ChartSeries.h"
#include "platform/Published.h"

#include "platform/tests/QtTestApp.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

QTemporaryDir* ConfigHome = nullptr;

class TCoreEnvironment : public ::testing::Environment {
public:
  void SetUp() override
  {
    EnsureQtApplication();
    ConfigHome = new QTemporaryDir();
    setenv("XDG_CONFIG_HOME", ConfigHome->path().toLocal8Bit().constData(), 1);
    InitializeChartCore();
  }
  void TearDown() override
  {
    FinalizeChartCore();
    delete ConfigHome;
    ConfigHome = nullptr;
  }
};
const auto* Registered = ::testing::AddGlobalTestEnvironment(new TCoreEnvironment);

} // namespace

TPoints PointsOf(const TChartSeries* S)
{
  TPoints R;
  for (int32_t I = 0; I < S->Count(); ++I)
    R.emplace_back(S->XValue(I), S->YValue(I));
  return R;
}

String TestConfigFolder() { return ConfigHome->path() + QStringLiteral("/fathomix"); }

TImageChart::TImageChart(int32_t W, int32_t H) : TCustomAxisPanel(nullptr), Image(W, H, QImage::Format_RGB32)
{
  SetBounds(0, 0, W, H);
  Canvas()->BindImage(&Image);
}

TImageChart::~TImageChart() { Canvas()->Release(); }

TImageTChart::TImageTChart(int32_t W, int32_t H) : TChart(nullptr), Image(W, H, QImage::Format_RGB32)
{
  SetBounds(0, 0, W, H);
  Canvas()->BindImage(&Image);
}

TImageTChart::~TImageTChart() { Canvas()->Release(); }

int32_t TDotSeries::Clicked(int32_t X, int32_t Y)
{
  ++Tests;
  for (int32_t I = 0; I < Count(); ++I)
    if (std::abs(CalcXPos(I) - X) <= 3 && std::abs(CalcYPos(I) - Y) <= 3)
      return I;
  return -1;
}

TVisualBlock* TEntityLogCanvas::BeginEntity(const String& Entity, TVisualBlock* Visual, TZuzTransform*)
{
  Log << QStringLiteral("Begin ") + Entity;
  Entities.emplace_back(Entity, Visual);
  return nullptr;
}

void TEntityLogCanvas::EndEntity() { Log << QStringLiteral("End"); }

QStringList TEntityLogCanvas::Inside(const QString& Name) const
{
  QStringList R;
  int Depth = -1;
  for (const QString& S : Log) {
    if (Depth < 0) {
      if (S == QStringLiteral("Begin ") + Name)
        Depth = 0;
      continue;
    }
    if (S.startsWith(QStringLiteral("Begin ")))
      ++Depth;
    else if (S == QStringLiteral("End") && Depth-- == 0)
      break;
    R << S;
  }
  return R;
}

void TImageChart::Invalidate()
{
  if (AutoRepaint() && OnInvalidate)
    OnInvalidate();
  TCustomAxisPanel::Invalidate();
}

namespace {
[[maybe_unused]] const TClassInfo& RecordingBlockClass =
    PublishClass<TRecordingBlock>("TRecordingBlock", "TVisualBlock");
} // namespace

TRecordingBlock::TRecordingBlock(TComponent* AOwner) : TVisualBlock(AOwner) {}

TRecordingBlock::~TRecordingBlock()
{
  if (Freed)
    *Freed = true;
}

String TRecordingBlock::ClassName() const { return QStringLiteral("TRecordingBlock"); }

void TRecordingBlock::DrawBlock(TPen* APen, TBrush* ABrush, TZuzTransparency ATransparency, TColor AColor)
{
  DrawnPen = APen;
  DrawnBrush = ABrush;
  const TPoint3DFloat& L = Location()->Point;
  const TPoint3DFloat& S = Size()->Point;
  Log << QStringLiteral("Draw L(%1,%2,%3) S(%4,%5,%6) #%7 T%8")
             .arg(L.X)
             .arg(L.Y)
             .arg(L.Z)
             .arg(S.X)
             .arg(S.Y)
             .arg(S.Z)
             .arg(static_cast<uint32_t>(AColor), 0, 16)
             .arg(ATransparency);
}

void TRecordingBlock::AddPathPoint(float X, float Y, TColor AColor)
{
  Log << QStringLiteral("Path %1,%2 #%3").arg(X).arg(Y).arg(static_cast<uint32_t>(AColor), 0, 16);
}

void TRecordingBlock::ClearPath() { Log << QStringLiteral("ClearPath"); }
