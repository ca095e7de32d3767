// A chart file round trip: a chart with a custom axis, a series of every
// registered series kind (with positions, labels, colours and nulls), a
// series computed by a function from two of them, one fed by a source, and
// a group, written, read into a new chart and written again, byte for
// byte; the points and links read back; a damaged "Data" value fails the
// read with a clear message.
//
// The kinds are those the series units register (RegisterZuzStandardSeries
// and the registrations listed in RegisterKinds): a new kind that registers
// itself is in the round trip without a change here.
#include "chart/core/tests/CoreTestSupport.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesList.h"
#include "chart/core/ZuzSeriesTypes.h"
#include "chart/series/BasicFunctions.h"
#include "chart/series/BSpline.h"
#include "chart/series/FastLineSeries.h"
#include "platform/ClassRegistry.h"
#include "platform/Filer.h"
#include "rtl/Exceptions.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void RegisterKinds()
{
  RegisterZuzStandardSeries();
  RegisterZuzBasicFunctions();
  RegisterSmoothing();
}

// Every registered series kind, once.
std::vector<const TClassInfo*> SeriesKinds()
{
  std::vector<const TClassInfo*> Kinds;
  for (int32_t I = 0; I < ZuzSeriesTypes().Count(); ++I) {
    const TZuzSeriesType* T = ZuzSeriesTypes().Items(I);
    if (T->SeriesClass && !T->FunctionClass && T->SeriesClass->CanCreate() &&
        std::find(Kinds.begin(), Kinds.end(), T->SeriesClass) == Kinds.end())
      Kinds.push_back(T->SeriesClass);
  }
  return Kinds;
}

QByteArray Write(TCustomChart& C)
{
  TBytesStream S;
  WriteComponentToStream(S, &C);
  return S.Bytes();
}

void Read(TCustomChart& C, const QByteArray& Bytes)
{
  TBytesStream S(Bytes);
  ReadComponentFromStream(S, &C);
}

struct TBuilt {
  std::vector<TChartSeries*> Kinds;
  TChartSeries* Computed = nullptr;
  TChartSeries* Copy = nullptr;
};

TBuilt Build(TImageTChart& C)
{
  TBuilt B;
  TChartAxis* Custom = C.CustomAxes()->Add();
  Custom->SetStartPosition(50);
  int32_t N = 0;
  for (const TClassInfo* Kind : SeriesKinds()) {
    auto* S = static_cast<TChartSeries*>(Kind->CreateComponent(&C));
    S->SetName(QStringLiteral("Kind%1").arg(++N));
    C.AddSeries(S);
    S->AddXY(0, 10, QStringLiteral("a"));
    S->AddXY(1.5, 20, String(), static_cast<TColor>(0x00AA00));
    S->AddNullXY(3, 15);
    S->AddXY(4, 12, QStringLiteral("d"));
    B.Kinds.push_back(S);
  }
  B.Kinds.back()->SetCustomVertAxis(Custom);
  auto* Extra = new TFastLineSeries(&C);
  Extra->SetName(QStringLiteral("Extra"));
  C.AddSeries(Extra);
  Extra->AddArray({1, 2, 3, 4, 5});
  auto* Computed = new TFastLineSeries(&C);
  Computed->SetName(QStringLiteral("Computed"));
  C.AddSeries(Computed);
  auto* F = new TAddZuzFunction(&C);
  F->SetPeriod(2);
  Computed->SetFunction(F);
  Computed->SetDataSource(B.Kinds.front());
  Computed->InternalAddDataSource(Extra);
  Computed->CheckDataSource();
  B.Computed = Computed;
  auto* Copy = new TFastLineSeries(&C);
  Copy->SetName(QStringLiteral("Copy"));
  C.AddSeries(Copy);
  Copy->SetDataSource(B.Kinds.front());
  B.Copy = Copy;
  TSeriesGroup* G = C.SeriesGroups().Add(QStringLiteral("Traces"));
  G->Add(B.Kinds.front());
  G->Add(Copy);
  return B;
}

} // namespace

TEST(ChartStream, AChartWithEveryKindRoundTripsByteForByte)
{
  RegisterKinds();
  ASSERT_FALSE(SeriesKinds().empty());
  TImageTChart C;
  const TBuilt Built = Build(C);
  const QByteArray First = Write(C);
  // What the file must hold for the links and points to come back.
  for (const QByteArray& Part : {QByteArray("\x04"
                                            "Data"),
                                 QByteArray("\x0b"
                                            "DataSources"),
                                 QByteArray("\x0a"
                                            "DataSource"),
                                 QByteArray("\x0e"
                                            "CustomVertAxis"),
                                 QByteArray("SeriesGroups"), QByteArray("TAddZuzFunction")})
    EXPECT_TRUE(First.contains(Part)) << Part.toStdString();

  TImageTChart Back;
  Read(Back, First);
  EXPECT_EQ(Write(Back), First);

  ASSERT_EQ(Back.SeriesCount(), C.SeriesCount());
  for (int32_t I = 0; I < C.SeriesCount(); ++I) {
    TChartSeries* A = C.GetSeries(I);
    TChartSeries* R = Back.GetSeries(I);
    SCOPED_TRACE(A->Name().toStdString());
    EXPECT_EQ(R->ClassName(), A->ClassName());
    ASSERT_EQ(R->Count(), A->Count());
    for (int32_t P = 0; P < A->Count(); ++P) {
      EXPECT_EQ(R->XValue(P), A->XValue(P));
      EXPECT_EQ(R->YValue(P), A->YValue(P));
      EXPECT_EQ(R->XLabel(P), A->XLabel(P));
      EXPECT_EQ(R->IsNull(P), A->IsNull(P));
    }
  }
  // Links come back: the function with both sources, the copy's source,
  // the custom axis, the group.
  TChartSeries* Computed = Back.SeriesList().Find(QStringLiteral("Computed"));
  ASSERT_NE(Computed, nullptr);
  ASSERT_NE(Computed->FunctionType(), nullptr);
  EXPECT_EQ(Computed->FunctionType()->ClassName(), QStringLiteral("TAddZuzFunction"));
  EXPECT_EQ(Computed->FunctionType()->Period(), 2);
  ASSERT_EQ(Computed->DataSources().size(), 2u);
  EXPECT_EQ(Computed->DataSources()[0], Back.GetSeries(0));
  EXPECT_EQ(Computed->DataSources()[1], Back.SeriesList().Find(QStringLiteral("Extra")));
  EXPECT_GT(Computed->Count(), 0);
  TChartSeries* Copy = Back.SeriesList().Find(QStringLiteral("Copy"));
  ASSERT_NE(Copy, nullptr);
  EXPECT_EQ(Copy->DataSource(), Back.GetSeries(0));
  EXPECT_EQ(Back.GetSeries(static_cast<int32_t>(Built.Kinds.size()) - 1)->CustomVertAxis(), Back.CustomAxes()->Get(0));
  ASSERT_EQ(Back.SeriesGroups().Count(), 1);
  TSeriesGroup* G = Back.SeriesGroups().Items(0);
  EXPECT_EQ(G->Name, QStringLiteral("Traces"));
  ASSERT_EQ(G->Series().Count(), 2);
  EXPECT_EQ(G->Series()[1], Copy);
}

TEST(ChartStream, ADamagedDataValueFailsTheRead)
{
  RegisterKinds();
  TImageTChart C;
  auto* S = new TFastLineSeries(&C);
  S->SetName(QStringLiteral("Trace"));
  C.AddSeries(S);
  S->AddArray({1, 2, 3});
  QByteArray Bytes = Write(C);
  // The point count of "Data" claims one point more than it holds.
  const QByteArray Name("\x04"
                        "Data");
  const qsizetype At = Bytes.indexOf(Name);
  ASSERT_GE(At, 0);
  // Name, vaBinary, int32 size, flags byte, then the count.
  const qsizetype Count = At + Name.size() + 1 + 4 + 1;
  ASSERT_EQ(Bytes[Count], 3);
  Bytes[Count] = 4;
  TImageTChart Back;
  try {
    Read(Back, Bytes);
    FAIL() << "read a damaged value";
  } catch (const Exception& E) {
    EXPECT_TRUE(E.Message().contains(QStringLiteral("Damaged series data"))) << E.Message().toStdString();
  }
}
