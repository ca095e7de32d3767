// Tool and animation bases: entering, leaving and moving between charts,
// the events of one drawing in order (tools before animations, inactive
// ones left out), series tools that forget a freed series and find their
// axes, axis tools that follow their axis' chart and store it as its
// index, and animation titles.
#include "CoreTestSupport.h"

#include "chart/core/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ZuzCustomTool.h"
#include "platform/ClassRegistry.h"
#include "platform/Filer.h"
#include "platform/Published.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

namespace {

QString EventName(TChartToolEvent E)
{
  static const char* Names[] = {"AfterDraw",      "BeforeDrawSeries", "BeforeDraw",
                                "BeforeDrawAxes", "AfterDrawSeries",  "MouseLeave"};
  return QString::fromLatin1(Names[E]);
}

class TLogTool : public TZuzCustomTool {
public:
  TLogTool(QStringList* ALog, const char* ATag) : TZuzCustomTool(nullptr), Log(ALog), Tag(QString::fromLatin1(ATag)) {}
  void ChartEvent(TChartToolEvent E) override { *Log << Tag + QLatin1Char(' ') + EventName(E); }
  void SeriesEvent(TChartToolEvent E, TChartSeries*) override
  {
    *Log << Tag + QStringLiteral(" series ") + EventName(E);
  }
  QStringList* Log;
  String Tag;
};

class TLogAnimation : public TZuzCustomAnimation {
public:
  explicit TLogAnimation(TComponent* AOwner, QStringList* ALog = nullptr) : TZuzCustomAnimation(AOwner), Log(ALog) {}
  String ClassName() const override { return QStringLiteral("TLogAnimation"); }
  void Play() override {}
  void ChartEvent(TChartToolEvent E) override
  {
    if (Log)
      *Log << QStringLiteral("animation ") + EventName(E);
  }
  String Description() const override { return Text; }
  QStringList* Log;
  String Text;
};

[[maybe_unused]] const TClassInfo& LogAnimationClass =
    PublishClass<TLogAnimation>("TLogAnimation", "TZuzCustomAnimation");

class TAxisTool : public TZuzCustomToolAxis {
public:
  using TZuzCustomToolAxis::TZuzCustomToolAxis;
  String ClassName() const override { return QStringLiteral("TAxisTool"); }
};
[[maybe_unused]] const TClassInfo& AxisToolClass = PublishClass<TAxisTool>("TAxisTool", "TZuzCustomToolAxis");

} // namespace

TEST(ToolBases, ToolsJoinOnceAndMoveBetweenCharts)
{
  TImageChart A, B;
  int InvalidatedA = 0;
  A.OnInvalidate = [&] { ++InvalidatedA; };
  QStringList Log;
  TLogTool Tool(&Log, "t");
  A.Tools().Add(&Tool);
  A.Tools().Add(&Tool);
  EXPECT_EQ(A.Tools().Count(), 1);
  EXPECT_EQ(Tool.ParentChart(), &A);
  InvalidatedA = 0;
  Tool.SetParentChart(&B);
  EXPECT_EQ(A.Tools().Count(), 0);
  EXPECT_EQ(B.Tools().IndexOf(&Tool), 0);
  EXPECT_EQ(InvalidatedA, 0);
  // Only leaving for no chart repaints the chart left.
  int InvalidatedB = 0;
  B.OnInvalidate = [&] { ++InvalidatedB; };
  Tool.SetParentChart(nullptr);
  EXPECT_EQ(B.Tools().Count(), 0);
  EXPECT_EQ(InvalidatedB, 1);
}

TEST(ToolBases, OneDrawingReachesToolsThenAnimationsInOrder)
{
  TImageChart C;
  C.SetView3D(false);
  C.SetAxisBehind(true);
  QStringList Log;
  TLogTool Tool(&Log, "tool");
  TLogTool Off(&Log, "off");
  Off.SetActive(false);
  TLogAnimation Animation(nullptr, &Log);
  C.Tools().Add(&Tool);
  C.Tools().Add(&Off);
  C.Animations().Add(&Animation);
  EXPECT_EQ(C.Animations().Get(0), &Animation);
  EXPECT_EQ(C.Tools().Count(), 2);
  auto* S = new TChartSeries(&C);
  C.AddSeries(S);
  S->AddArray({1, 2, 3});
  Log.clear();
  C.Paint();
  const QStringList Expected = {
      "tool BeforeDraw",
      "animation BeforeDraw",
      "tool BeforeDrawAxes",
      "animation BeforeDrawAxes",
      "tool BeforeDrawSeries",
      "animation BeforeDrawSeries",
      "tool series BeforeDrawSeries",
      "tool series AfterDrawSeries",
      "tool AfterDrawSeries",
      "animation AfterDrawSeries",
      "tool AfterDraw",
      "animation AfterDraw",
  };
  EXPECT_EQ(Log, Expected);
  C.Tools().Remove(&Tool);
  C.Tools().Remove(&Off);
}

TEST(ToolBases, SeriesToolsForgetAFreedSeriesAndFindTheirAxes)
{
  TImageChart C;
  TZuzCustomToolSeries Tool(nullptr);
  C.Tools().Add(&Tool);
  EXPECT_EQ(Tool.GetEditorClass(), QStringLiteral("TSeriesToolEditor"));
  // Without a series: the axes active series use, bottom and left first.
  EXPECT_EQ(Tool.GetHorizAxis(), C.BottomAxis());
  auto* OnTop = new TChartSeries(&C);
  C.AddSeries(OnTop);
  OnTop->SetHorizAxis(aTopAxis);
  OnTop->SetVertAxis(aRightAxis);
  EXPECT_EQ(Tool.GetHorizAxis(), C.TopAxis());
  EXPECT_EQ(Tool.GetVertAxis(), C.RightAxis());
  TChartAxis* Custom = C.CustomAxes()->Add();
  auto* S = new TChartSeries(&C);
  C.AddSeries(S);
  S->SetCustomVertAxis(Custom);
  Tool.SetSeries(S);
  EXPECT_EQ(Tool.GetVertAxis(), Custom);
  EXPECT_EQ(Tool.GetHorizAxis(), C.BottomAxis());
  delete S;
  EXPECT_EQ(Tool.Series(), nullptr);
  C.Tools().Remove(&Tool);
}

TEST(ToolBases, AxisToolsFollowTheirAxisAndStoreItsIndex)
{
  TImageTChart C;
  auto* Tool = new TAxisTool(&C);
  Tool->SetAxis(C.RightAxis());
  EXPECT_EQ(Tool->ParentChart(), &C);
  EXPECT_EQ(C.Tools().IndexOf(Tool), 0);
  EXPECT_EQ(Tool->GetEditorClass(), QStringLiteral("TAxisToolEditor"));

  TBytesStream S;
  WriteComponentToStream(S, &C);
  TImageTChart Back;
  TBytesStream In(S.Bytes());
  ReadComponentFromStream(In, &Back);
  ASSERT_EQ(Back.Tools().Count(), 1);
  auto* Read = dynamic_cast<TAxisTool*>(Back.Tools().Items(0));
  ASSERT_NE(Read, nullptr);
  EXPECT_EQ(Read->Axis(), Back.RightAxis());
  EXPECT_EQ(Back.Axes().IndexOf(Read->Axis()), 3);

  // No axis: the tool leaves its chart.
  Tool->SetAxis(nullptr);
  EXPECT_EQ(Tool->ParentChart(), nullptr);
  EXPECT_EQ(C.Tools().Count(), 0);
}

TEST(ToolBases, AnimationsAreTitledAndMadeByClass)
{
  TComponent Form(nullptr);
  auto* Chart = new TImageChart();
  Form.InsertComponent(Chart);
  TZuzCustomAnimation* A = Chart->Animations().AddClass(ClassInfoFor<TLogAnimation>());
  EXPECT_EQ(A->Owner(), &Form);
  EXPECT_EQ(A->ParentChart(), Chart);
  EXPECT_EQ(A->Title(), QStringLiteral("TLogAnimation"));
  static_cast<TLogAnimation*>(A)->Text = QStringLiteral("Zoom in");
  EXPECT_EQ(A->Title(), QStringLiteral("Zoom in"));
  A->SetName(QStringLiteral("Intro"));
  EXPECT_EQ(A->Title(), QStringLiteral("Intro"));
  delete A;
  EXPECT_EQ(Chart->Animations().Count(), 0);
}
