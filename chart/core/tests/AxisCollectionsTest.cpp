// Axis collections: the chart's list of axes, custom axes and sub-axes,
// the depth axes, and custom label items stored with the chart.
#include "CoreTestSupport.h"

#include "chart/canvas/ZuzFont.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartSeries.h"
#include "platform/Filer.h"
#include "rtl/Exceptions.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

TEST(AxisCollections, TheChartsAxesInTheirOrder)
{
  TImageChart Chart;
  TChartAxes& Axes = Chart.Axes();
  ASSERT_EQ(Axes.Count(), 6);
  const TChartAxis* Standard[] = {Chart.BottomAxis(), Chart.TopAxis(),   Chart.LeftAxis(),
                                  Chart.RightAxis(),  Chart.DepthAxis(), Chart.DepthTopAxis()};
  const char* IDs[] = {"Bottom", "Top", "Left", "Right", "Depth", "DepthTop"};
  for (int32_t I = 0; I < 6; ++I) {
    EXPECT_EQ(Axes[I], Standard[I]);
    EXPECT_EQ(Axes[I]->IAxisID, QString::fromLatin1(IDs[I]));
    EXPECT_TRUE(Axes[I]->ResizeChart());
    EXPECT_FALSE(Axes[I]->IsCustom());
  }
  EXPECT_FALSE(Chart.DepthAxis()->Visible());
  EXPECT_TRUE(Chart.DepthAxis()->IsDepthAxis());
  EXPECT_EQ(Axes.Left(), Chart.LeftAxis());

  TChartAxis* Custom = Chart.CustomAxes()->Add();
  EXPECT_EQ(Axes.Count(), 7);
  EXPECT_EQ(Axes[6], Custom);
  EXPECT_TRUE(Custom->IsCustom());
  EXPECT_FALSE(Custom->ResizeChart());
  EXPECT_EQ(Chart.CustomAxes()->Get(0), Custom);
  EXPECT_THROW(Chart.CustomAxes()->Get(1), EListError);

  // Reset makes every axis, custom ones too, automatic at both ends.
  Custom->SetMinMax(1, 2);
  Chart.LeftAxis()->SetMinMax(3, 4);
  EXPECT_FALSE(Axes.Automatic());
  Axes.Reset();
  EXPECT_TRUE(Axes.Automatic());
  EXPECT_TRUE(Custom->AutomaticMinimum());
  EXPECT_TRUE(Custom->AutomaticMaximum());
}

TEST(AxisCollections, ACustomAxisGoingTakesItsSeriesBack)
{
  TImageChart Chart;
  TChartAxis* Custom = Chart.CustomAxes()->Add();
  Custom->SetHorizontal(true);
  TChartAxis* Second = Chart.CustomAxes()->Add();
  auto* S = Chart.AddSeries(new TChartSeries(&Chart));
  S->SetCustomVertAxis(Second);
  S->SetCustomHorizAxis(Custom);
  // The program deletes the first custom axis until none is left.
  Chart.CustomAxes()->Delete(0);
  EXPECT_EQ(S->HorizAxis(), aBottomAxis);
  EXPECT_EQ(S->GetHorizAxis(), Chart.BottomAxis());
  EXPECT_EQ(S->VertAxis(), aCustomVertAxis);
  Chart.CustomAxes()->Delete(0);
  EXPECT_EQ(S->VertAxis(), aLeftAxis);
  EXPECT_EQ(S->GetVertAxis(), Chart.LeftAxis());
  EXPECT_EQ(Chart.Axes().Count(), 6);
}

TEST(AxisCollections, SubAxesFollowTheirMaster)
{
  TImageChart Chart;
  TChartAxis* Left = Chart.LeftAxis();
  TChartAxis* Sub = Left->SubAxes()->Add();
  EXPECT_EQ(Sub->MasterAxis(), Left);
  EXPECT_EQ(Sub->GetParentAxis(), Left);
  EXPECT_FALSE(Sub->Grid()->Visible());
  EXPECT_EQ(Chart.Axes().Count(), 6); // drawn by its master, not listed
  // The master's scale, margins and all, is the sub-axis' at each drawing.
  Left->SetMinMax(5, 50);
  Chart.SetView3D(false);
  Chart.Draw();
  EXPECT_EQ(Sub->IMinimum, Left->IMinimum);
  EXPECT_EQ(Sub->IMaximum, Left->IMaximum);
  EXPECT_EQ(Sub->IMinimum, 5);
  Sub->SetInverted(true);
  EXPECT_TRUE(Left->Inverted());
}

TEST(AxisCollections, DepthAxesInvertTogether)
{
  TImageChart Chart;
  Chart.DepthAxis()->SetInverted(true);
  EXPECT_TRUE(Chart.DepthTopAxis()->Inverted());
  Chart.DepthTopAxis()->SetInverted(false);
  EXPECT_FALSE(Chart.DepthAxis()->Inverted());
  // Series titles label the depth axis unless a series has Z values.
  auto* S = Chart.AddSeries(new TChartSeries(&Chart));
  EXPECT_EQ(Chart.DepthAxis()->CalcLabelStyle(), talText);
  S->HasZValues = true;
  EXPECT_EQ(Chart.DepthAxis()->CalcLabelStyle(), talValue);
}

TEST(AxisCollections, OverlappingAxesAnswerInListOrder)
{
  TImageChart Chart;
  Chart.SetView3D(false);
  TChartAxis* Custom = Chart.CustomAxes()->Add();
  Chart.Draw();
  TChartAxis* Left = Chart.LeftAxis();
  // The custom axis lies exactly where the left axis is.
  Custom->IsVisible = true;
  Custom->IStartPos = Left->IStartPos;
  Custom->IEndPos = Left->IEndPos;
  Custom->SetPosAxis(Left->PosAxis());
  Custom->SetPosLabels(Left->PosLabels());
  const int32_t Y = (Left->IStartPos + Left->IEndPos) / 2;
  EXPECT_TRUE(Custom->Clicked(Left->PosAxis(), Y));
  EXPECT_EQ(Chart.Axes().Clicked(Left->PosAxis(), Y), Left);
  EXPECT_EQ(Chart.Axes().Clicked(-50, -50), nullptr);
}

TEST(AxisCollections, CustomLabelItems)
{
  TImageChart Chart;
  TChartAxis* Left = Chart.LeftAxis();
  TAxisItems* Items = Left->Items();
  EXPECT_TRUE(Items->Automatic());
  Items->Add(QStringLiteral("low"), 1.5);
  Items->Add(QStringLiteral("mid"), 5);
  TAxisItem* High = Items->Add(QStringLiteral("high"), 9);
  High->Format()->Font()->SetSize(12);
  EXPECT_FALSE(Items->Automatic());
  EXPECT_EQ(Items->Get(0)->ActiveFormat(), Items->Format());
  EXPECT_EQ(High->ActiveFormat(), High->FormatIfAny());

  // They travel with the chart.
  TMemoryStream S;
  WriteComponentToStream(S, &Chart);
  S.SetPosition(0);
  TImageChart Back;
  ReadComponentFromStream(S, &Back);
  TAxisItems* Read = Back.LeftAxis()->Items();
  EXPECT_FALSE(Read->Automatic());
  ASSERT_EQ(Read->Count(), 3);
  EXPECT_EQ(Read->Get(0)->Text(), QStringLiteral("low"));
  EXPECT_EQ(Read->Get(0)->Value(), 1.5);
  EXPECT_EQ(Read->Get(2)->Text(), QStringLiteral("high"));
  ASSERT_NE(Read->Get(2)->FormatIfAny(), nullptr);
  EXPECT_EQ(Read->Get(2)->FormatIfAny()->Font()->Size(), 12);
  EXPECT_EQ(Read->Get(1)->FormatIfAny(), nullptr);
  // An automatic axis stores no items.
  EXPECT_TRUE(Back.BottomAxis()->Items()->Automatic());
  EXPECT_EQ(Back.BottomAxis()->Items()->Count(), 0);

  // A count of 0 leaves the items as they are.
  TMemoryStream Empty;
  const int32_t Zero = 0;
  Empty.WriteBuffer(&Zero, sizeof Zero);
  Empty.SetPosition(0);
  TImageChart Untouched;
  Untouched.LeftAxis()->Items()->ReadItems(Empty);
  EXPECT_TRUE(Untouched.LeftAxis()->Items()->Automatic());

  // Copying from an automatic list keeps the custom items; from a custom
  // one, its texts and values replace them.
  TImageChart Other;
  Other.LeftAxis()->Items()->CopyFrom(Untouched.LeftAxis()->Items());
  EXPECT_TRUE(Other.LeftAxis()->Items()->Automatic());
  Read->CopyFrom(Untouched.LeftAxis()->Items());
  EXPECT_EQ(Read->Count(), 3);
  Other.LeftAxis()->Items()->CopyFrom(Items);
  EXPECT_EQ(Other.LeftAxis()->Items()->Count(), 3);
  EXPECT_EQ(Other.LeftAxis()->Items()->Get(2)->FormatIfAny(), nullptr); // own formats stay behind

  // Deleting and freeing items keeps the list whole.
  Items->Delete(1);
  EXPECT_EQ(Items->Count(), 2);
  EXPECT_EQ(Items->Get(1)->Text(), QStringLiteral("high"));
  EXPECT_THROW(Items->Delete(5), EListError);
}
