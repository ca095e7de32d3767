// The series "Data" and "Detail" values: their layout byte for byte, what
// the flags say is stored, the older label form, horizontal series, when
// the data are stored at all; round trips with every flag; and damaged
// values (cut short at every byte, counts and lengths larger than the
// bytes, bytes left over, unknown flags) refused with the series left as
// it was.
#include "CoreTestSupport.h"

#include "chart/canvas/ZuzPicture.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/LabelsList.h"
#include "chart/core/SeriesDetail.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZuzPictureList.h"
#include "platform/Bitmap.h"
#include "platform/Filer.h"
#include "rtl/Exceptions.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

namespace {

QByteArray DataOf(TChartSeries& S)
{
  TBytesStream Out;
  S.WriteData(Out);
  return Out.Bytes();
}

void ReadInto(TChartSeries& S, const QByteArray& Bytes)
{
  TBytesStream In(Bytes);
  S.ReadData(In);
}

// Little-endian pieces of a hand-made value.
QByteArray I32(int32_t V)
{
  QByteArray B(4, 0);
  for (int I = 0; I < 4; ++I)
    B[I] = static_cast<char>(static_cast<uint32_t>(V) >> (8 * I));
  return B;
}
QByteArray F64(double V)
{
  uint64_t U;
  std::memcpy(&U, &V, 8);
  QByteArray B(8, 0);
  for (int I = 0; I < 8; ++I)
    B[I] = static_cast<char>(U >> (8 * I));
  return B;
}
QByteArray U8(uint8_t V) { return QByteArray(1, static_cast<char>(V)); }

// A series holding every kind of stored point data.
void FillEverything(TChartSeries& S)
{
  S.AddXY(0.5, 10, QStringLiteral("first"), static_cast<TColor>(0x0000FF));
  S.AddXY(1.5, 20, QStringLiteral("z\u00e9"));
  S.AddNullXY(7, 30);
  TSeriesMarkPosition P;
  P.ArrowFrom = TPoint{1, 2};
  P.ArrowFix = true;
  P.ArrowTo = TPoint{3, -4};
  P.Height = 12;
  P.LeftTop = TPoint{5, 6};
  P.Width = 30;
  P.Custom = true;
  S.Marks()->Positions().Put(1, P);
  auto* Pic = new TZuzPicture();
  TBitmap B;
  B.SetSize(3, 2);
  Pic->SetGraphic(&B);
  S.Pictures()->Put(2, Pic);
}

} // namespace

TEST(SeriesDataStream, LayoutFollowsWhatThePointsCarry)
{
  struct Case {
    const char* Name;
    std::function<void(TChartSeries&)> Fill;
    uint8_t Flags;
    int32_t Size;
  };
  const Case Cases[] = {
      {"positions 0, 1, 2 by Add",
       [](TChartSeries& S) {
         S.AddArray({5, 6, 7});
       },
       0, 5 + 3 * 8},
      {"one position moved",
       [](TChartSeries& S) {
         S.AddArray({5, 6, 7});
         S.SetXValue(2, 7.5);
       },
       1, 5 + 3 * 16},
      {"own colours equal to the series colour",
       [](TChartSeries& S) {
         S.SetSeriesColor(static_cast<TColor>(0x123456));
         S.Add(1, String(), static_cast<TColor>(0x123456));
       },
       0, 5 + 8},
      {"a colour of its own",
       [](TChartSeries& S) {
         S.Add(1);
         S.Add(2, String(), static_cast<TColor>(0x00FF00));
       },
       2, 5 + 2 * 12},
      {"a label", [](TChartSeries& S) { S.Add(1, QStringLiteral("abc")); }, 4, 5 + 8 + 1 + 4 + 3},
      // Every point is looked at, not the first 101 labels or 10001 colours
      // and positions only: later points would lose what they carry.
      {"a label after the 101st point",
       [](TChartSeries& S) {
         for (int I = 0; I < 150; ++I)
           S.Add(I, I == 120 ? QStringLiteral("late") : String());
       },
       4, 5 + 150 * (8 + 5) + 4},
      {"a colour after the 10001st point",
       [](TChartSeries& S) {
         for (int I = 0; I < 10005; ++I)
           S.Add(I);
         S.SetValueColor(10003, static_cast<TColor>(0x00FF00));
       },
       2, 5 + 10005 * 12},
      {"a position moved after the 10001st point but the last in place",
       [](TChartSeries& S) {
         for (int I = 0; I < 10005; ++I)
           S.Add(I);
         S.XValues()->Value[10002] = 10002.5;
       },
       1, 5 + 10005 * 16},
  };
  for (const Case& K : Cases) {
    TChartSeries S(nullptr);
    K.Fill(S);
    const QByteArray D = DataOf(S);
    ASSERT_GE(D.size(), 5) << K.Name;
    EXPECT_EQ(static_cast<uint8_t>(D[0]), K.Flags) << K.Name;
    EXPECT_EQ(D.mid(1, 4), I32(S.Count())) << K.Name;
    EXPECT_EQ(D.size(), K.Size) << K.Name;
    // And it reads back to the same points.
    TChartSeries Back(nullptr);
    ReadInto(Back, D);
    ASSERT_EQ(Back.Count(), S.Count()) << K.Name;
    for (int32_t I = 0; I < S.Count(); ++I) {
      ASSERT_EQ(Back.XValue(I), S.XValue(I)) << K.Name << " " << I;
      ASSERT_EQ(Back.YValue(I), S.YValue(I)) << K.Name << " " << I;
      ASSERT_EQ(Back.XLabel(I), S.XLabel(I)) << K.Name << " " << I;
      ASSERT_EQ(Back.InternalColor(I), (K.Flags & 2) ? S.InternalColor(I) : clDefault) << K.Name << " " << I;
    }
    EXPECT_EQ(DataOf(Back), D) << K.Name;
  }
}

TEST(SeriesDataStream, EverythingStoredComesBack)
{
  TChartSeries S(nullptr);
  FillEverything(S);
  const QByteArray D = DataOf(S);
  EXPECT_EQ(static_cast<uint8_t>(D[0]), 1 | 2 | 4 | 8 | 16);
  TChartSeries Back(nullptr);
  Back.ManualData = false;
  ReadInto(Back, D);
  EXPECT_TRUE(Back.ManualData);
  ASSERT_EQ(Back.Count(), 3);
  EXPECT_EQ(Back.XValue(2), 7);
  EXPECT_EQ(Back.XLabel(1), QStringLiteral("z\u00e9"));
  EXPECT_EQ(Back.InternalColor(0), static_cast<TColor>(0x0000FF));
  EXPECT_TRUE(Back.IsNull(2));
  const TSeriesMarkPosition* P = Back.Marks()->Positions().Get(1);
  ASSERT_NE(P, nullptr);
  EXPECT_EQ(P->ArrowTo.Y, -4);
  EXPECT_TRUE(P->ArrowFix);
  EXPECT_TRUE(P->Custom);
  EXPECT_EQ(P->Width, 30);
  ASSERT_NE(Back.Pictures()->Get(2), nullptr);
  ASSERT_NE(Back.Pictures()->Get(2)->Graphic(), nullptr);
  EXPECT_EQ(Back.Pictures()->Get(2)->Graphic()->Width(), 3);
  EXPECT_EQ(Back.Pictures()->Get(0), nullptr);
  EXPECT_EQ(DataOf(Back), D);
}

TEST(SeriesDataStream, LabelsReadInTheOlderAndTheLongForm)
{
  const QByteArray Long = U8(4) + I32(1) + F64(5) + U8(255) + I32(3) + QByteArray("a\xe9z");
  const QByteArray Short = U8(4) + I32(1) + F64(5) + U8(3) + QByteArray("a\xe9z");
  for (const QByteArray& D : {Long, Short}) {
    TChartSeries S(nullptr);
    ReadInto(S, D);
    ASSERT_EQ(S.Count(), 1);
    EXPECT_EQ(S.XLabel(0), QStringLiteral("a\u00e9z"));
    EXPECT_EQ(S.XValue(0), 0);
    EXPECT_EQ(S.YValue(0), 5);
  }
}

TEST(SeriesDataStream, AHorizontalSeriesReadsTheMandatoryValueAsX)
{
  TChartSeries S(nullptr);
  S.SetHorizontal();
  ReadInto(S, U8(1) + I32(1) + F64(3) + F64(40));
  ASSERT_EQ(S.Count(), 1);
  EXPECT_EQ(S.XValue(0), 40);
  EXPECT_EQ(S.YValue(0), 3);
}

TEST(SeriesDataStream, DataAreStoredOnlyForPointsOfTheSeriesOwn)
{
  TChartSeries S(nullptr);
  S.Add(1);
  EXPECT_TRUE(S.IsDataStored());
  S.DontSaveData = true;
  EXPECT_FALSE(S.IsDataStored());
  S.ForceSaveData = true;
  EXPECT_TRUE(S.IsDataStored());
  S.ForceSaveData = false;
  S.DontSaveData = false;
  S.ManualData = false;
  EXPECT_FALSE(S.IsDataStored());
  // Written against an ancestor with the same points: nothing to write.
  TChartSeries A(nullptr);
  A.Add(1);
  S.ManualData = true;
  EXPECT_TRUE(S.SameData(&A));
  A.Add(2);
  EXPECT_FALSE(S.SameData(&A));
}

TEST(SeriesDataStream, DamagedDataAreRefusedAndChangeNothing)
{
  TChartSeries Full(nullptr);
  FillEverything(Full);
  const QByteArray Good = DataOf(Full);
  const QByteArray OnePoint = U8(0) + I32(1) + F64(5);
  struct Case {
    String Name;
    QByteArray Bytes;
  };
  std::vector<Case> Cases = {
      {QStringLiteral("empty"), QByteArray()},
      {QStringLiteral("negative count"), U8(0) + I32(-1)},
      {QStringLiteral("count beyond the bytes"), U8(0) + I32(0x7FFFFFFF) + F64(1)},
      {QStringLiteral("one point too many"), U8(0) + I32(2) + F64(5)},
      {QStringLiteral("bytes after the last point"), OnePoint + U8(0)},
      {QStringLiteral("unknown flag"), U8(32) + I32(0)},
      {QStringLiteral("label longer than the bytes"), U8(4) + I32(1) + F64(5) + U8(255) + I32(1000) + "ab"},
      {QStringLiteral("negative label length"), U8(4) + I32(1) + F64(5) + U8(255) + I32(-2)},
      {QStringLiteral("short label longer than the bytes"), U8(4) + I32(1) + F64(5) + U8(9) + "ab"},
      {QStringLiteral("mark switch neither 0 nor 1"),
       U8(8) + I32(1) + F64(5) + I32(0) + I32(0) + U8(7) + QByteArray(25, 0)},
      {QStringLiteral("picture switch neither 0 nor 1"), U8(16) + I32(1) + F64(5) + U8(2)},
      {QStringLiteral("picture that is no component stream"), U8(16) + I32(1) + F64(5) + U8(1) + "TPF0\x05"},
  };
  // Cut short at every byte.
  for (qsizetype N = 0; N < Good.size(); ++N)
    Cases.push_back({QStringLiteral("cut at %1").arg(N), Good.left(N)});
  // A picture component of a class that is not a picture carrier.
  TChartSeries Other(nullptr);
  Other.Add(3);
  TBytesStream Nested;
  WriteComponentToStream(Nested, &Other);
  Cases.push_back(
      {QStringLiteral("series where a picture belongs"), U8(16) + I32(1) + F64(5) + U8(1) + Nested.Bytes()});

  for (const Case& K : Cases) {
    TChartSeries S(nullptr);
    S.AddXY(1, 2, QStringLiteral("kept"));
    S.ManualData = false;
    const QByteArray Before = DataOf(S);
    try {
      ReadInto(S, K.Bytes);
      ADD_FAILURE() << K.Name.toStdString() << ": no error";
    } catch (const EReadError& E) {
      EXPECT_FALSE(E.Message().isEmpty());
    } catch (const EClassNotFound&) {
      // The component reader's own refusal of a class it may not make.
    }
    EXPECT_EQ(DataOf(S), Before) << K.Name.toStdString();
    EXPECT_FALSE(S.ManualData) << K.Name.toStdString();
  }
}

TEST(SeriesDataStream, DetailSeriesComeBackAndDamagedDetailIsRefused)
{
  TChartSeries Master(nullptr);
  Master.Detail()->SetAggregate(daMax);
  Master.Detail()->CreateNew(&Master)->AddArray({1, 5});
  Master.Detail()->CreateNew(&Master)->AddArray({2});
  TBytesStream Out;
  Master.WriteDetail(Out);
  const QByteArray D = Out.Bytes();
  EXPECT_EQ(static_cast<uint8_t>(D[0]), daMax);
  EXPECT_EQ(D.mid(1, 4), I32(2));

  TChartSeries Back(nullptr);
  TBytesStream In(D);
  Back.ReadDetail(In);
  ASSERT_EQ(Back.Detail()->Count(), 2);
  EXPECT_EQ(Back.Detail()->Aggregate(), daMax);
  EXPECT_EQ(Back.Detail()->Items(0)->Count(), 2);
  EXPECT_EQ(Back.Detail()->Items(0)->YValue(1), 5);
  EXPECT_EQ(Back.Detail()->Items(1)->YValue(0), 2);

  const QByteArray Damaged[] = {D.left(D.size() - 1), D + "x", U8(9) + I32(0), U8(0) + I32(1000) + D.mid(5),
                                U8(0) + I32(-1)};
  for (const QByteArray& Bad : Damaged) {
    TBytesStream BadIn(Bad);
    EXPECT_ANY_THROW(Back.ReadDetail(BadIn));
    ASSERT_EQ(Back.Detail()->Count(), 2);
    EXPECT_EQ(Back.Detail()->Aggregate(), daMax);
  }
}
