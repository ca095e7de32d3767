// The shared utilities: hit tests, the index sort, text fields and the
// small text helpers.
#include "chart/core/ZuzGeometry.h"
#include "chart/core/ZuzSort.h"
#include "chart/core/ZuzStrings.h"

#include "platform/Component.h"
#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

TEST(ZuzGeometry, PointsOnLines)
{
  struct Case {
    TPoint P;
    int X0, Y0, X1, Y1, Tolerance;
    bool Expected;
  };
  const Case Cases[] = {
      {{5, 5}, 0, 0, 10, 10, 0, true},    {{5, 7}, 0, 0, 10, 10, 0, false}, // 1.41 away
      {{5, 7}, 0, 0, 10, 10, 1, true},    {{6, 5}, 0, 0, 10, 10, 0, true},  // 0.71 away
      {{12, 12}, 0, 0, 10, 10, 0, false},                                   // beyond the end: 2.8 from it
      {{11, 10}, 0, 0, 10, 10, 0, true},                                    // 1 from the end
      {{10, 10}, 0, 0, 10, 10, 0, true},  {{3, 4}, 3, 4, 3, 4, 0, true},    // a point segment
      {{5, 4}, 3, 4, 3, 4, 0, false},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(PointInLine(C.P, C.X0, C.Y0, C.X1, C.Y1, C.Tolerance), C.Expected)
        << C.P.X << "," << C.P.Y << " tol " << C.Tolerance;
}

TEST(ZuzGeometry, PointsInShapes)
{
  const TPoint Square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  struct Case {
    TPoint P;
    bool Expected;
  };
  for (const Case& C : {Case{{5, 5}, true}, Case{{0, 5}, true}, Case{{10, 5}, false}, Case{{11, 5}, false},
                        Case{{5, 10}, false}, Case{{5, 0}, true}})
    EXPECT_EQ(PointInPolygon(C.P, Square, 3), C.Expected) << C.P.X << "," << C.P.Y;
  const TPoint Two[] = {{0, 0}, {10, 10}};
  EXPECT_FALSE(PointInPolygon({5, 5}, Two, 1));
  EXPECT_FALSE(PointInPolygon({0, 0}, Two, 0));
  EXPECT_FALSE(PointInPolygon({5, 5}, Square, 7)); // High beyond the points

  // Triangles: base on Y0 (or X0), apex on Y1 (or X1).
  EXPECT_TRUE(PointInTriangle({5, 8}, 0, 10, 10, 0));
  EXPECT_FALSE(PointInTriangle({1, 1}, 0, 10, 10, 0));
  EXPECT_TRUE(PointInHorizTriangle({2, 5}, 0, 10, 0, 10));
  EXPECT_FALSE(PointInHorizTriangle({9, 1}, 0, 10, 0, 10));

  EXPECT_TRUE(PointInEllipse({5, 5}, 0, 0, 10, 10));
  EXPECT_TRUE(PointInEllipse({10, 5}, TRect{0, 0, 10, 10}));
  EXPECT_FALSE(PointInEllipse({9, 9}, 0, 0, 10, 10));
  EXPECT_FALSE(PointInEllipse({5, 5}, 5, 0, 5, 10)); // no width
  EXPECT_EQ(RectFromCenter(TPoint{5, 6}, 2, 0), (TRect{3, 4, 7, 8}));
}

TEST(ZuzGeometry, CrossingSegments)
{
  double X = -1, Y = -1;
  EXPECT_TRUE(CrossingLines(0, 0, 10, 10, 0, 10, 10, 0, X, Y));
  EXPECT_DOUBLE_EQ(X, 5);
  EXPECT_DOUBLE_EQ(Y, 5);
  EXPECT_FALSE(CrossingLines(0, 0, 10, 10, 20, 0, 30, -10, X, Y)); // the lines cross, the segments do not
  EXPECT_TRUE(CrossingLines(0, 0, 10, 10, 10, 10, 20, 0, X, Y));   // a shared end
  EXPECT_DOUBLE_EQ(X, 10);
  EXPECT_DOUBLE_EQ(Y, 10);
  X = Y = -1;
  EXPECT_FALSE(CrossingLines(5, 0, 5, 10, 0, 5, 10, 5, X, Y)); // vertical
  EXPECT_EQ(X, -1);
}

TEST(ZuzSort, SortsAnyItemsThroughItsCallbacks)
{
  std::mt19937 Random(7);
  for (const int N : {0, 1, 2, 3, 10, 1000}) {
    for (const int Distinct : {1, 2, 50}) {
      std::vector<int> Items(N);
      for (int& I : Items)
        I = int(Random() % Distinct);
      std::vector<int> Expected = Items;
      std::sort(Expected.begin(), Expected.end());
      ZuzSort(
          0, N - 1, [&](int32_t A, int32_t B) { return Items[A] < Items[B] ? -1 : (Items[A] > Items[B] ? 1 : 0); },
          [&](int32_t A, int32_t B) { std::swap(Items[A], Items[B]); });
      EXPECT_EQ(Items, Expected) << N << " items, " << Distinct << " values";
    }
  }
  // A comparison that is no order at all may leave any order, but never
  // reaches outside the range.
  std::vector<int> Items(100, 0);
  ZuzSort(
      10, 89,
      [&](int32_t A, int32_t B) {
        EXPECT_TRUE(A >= 10 && A <= 89 && B >= 10 && B <= 89) << A << " " << B;
        return -1;
      },
      [&](int32_t A, int32_t B) { EXPECT_TRUE(A >= 10 && A <= 89 && B >= 10 && B <= 89) << A << " " << B; });
}

TEST(ZuzStrings, FieldsOfSeparatedText)
{
  struct Case {
    const char* Text;
    int32_t Count;
    std::vector<const char*> Fields; // 1, 2, ... and one past the last
  };
  const Case Cases[] = {
      {"", 0, {""}},
      {"a", 1, {"a", ""}},
      {"a;b;", 2, {"a", "b", ""}},
      {"a;b", 2, {"a", "b", ""}},
      {"a;;b", 3, {"a", "", "b", ""}},
      {";x", 2, {"", "x", ""}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Text);
    const String S = QString::fromLatin1(C.Text);
    EXPECT_EQ(ZuzNumFields(S), C.Count);
    for (size_t I = 0; I < C.Fields.size(); ++I)
      EXPECT_EQ(ZuzExtractField(S, int32_t(I) + 1), QString::fromLatin1(C.Fields[I])) << I + 1;
    EXPECT_EQ(ZuzExtractField(S, 0), QString());
  }
  EXPECT_EQ(ZuzNumFields(QStringLiteral("a, b, c"), QStringLiteral(", ")), 3);
  EXPECT_EQ(ZuzExtractField(QStringLiteral("a|b|c"), 2, QStringLiteral("|")), QStringLiteral("b"));
  EXPECT_EQ(ZuzFieldSeparator, QStringLiteral(";")); // restored
}

TEST(ZuzStrings, SmallTextHelpers)
{
  EXPECT_EQ(ReplaceChar(QStringLiteral("a.b.c"), u'.', u','), QStringLiteral("a,b,c"));
  EXPECT_EQ(ReplaceChar(QStringLiteral("a.b.c"), u'.', QChar()), QStringLiteral("abc"));
  EXPECT_EQ(RemoveFileExtension(QStringLiteral("/data/cast.1.btd")), QStringLiteral("/data/cast.1"));
  EXPECT_TRUE(ZuzIsURL(QStringLiteral("  http://example.org/a ")));
  EXPECT_TRUE(ZuzIsURL(QStringLiteral("ftp://host")));
  EXPECT_FALSE(ZuzIsURL(QStringLiteral("/home/user/http")));
  EXPECT_EQ(ZuzXMLHeader(QString()), QStringLiteral("<?xml version=\"1.0\"?>"));
  EXPECT_EQ(ZuzXMLHeader(QStringLiteral("UTF-16")), QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>"));
  EXPECT_EQ(ZuzStr(-42), QStringLiteral("-42"));

  TComponent Owner(nullptr);
  EXPECT_EQ(ZuzGetUniqueName(nullptr, QStringLiteral("Series")), QStringLiteral("Series1"));
  for (const char* Name : {"Series1", "Series2"})
    (new TComponent(&Owner))->SetName(QString::fromLatin1(Name));
  EXPECT_EQ(ZuzGetUniqueName(&Owner, QStringLiteral("Series")), QStringLiteral("Series3"));
  EXPECT_EQ(ZuzGetUniqueName(&Owner, QStringLiteral("series")), QStringLiteral("series3"));

  EXPECT_EQ(ZuzTranslateString(QStringLiteral("Axis")), QStringLiteral("Axis"));
  ZuzTranslateStringHook = [](const String& S) { return QStringLiteral("[") + S + QStringLiteral("]"); };
  EXPECT_EQ(ZuzTranslateString(QStringLiteral("Axis")), QStringLiteral("[Axis]"));
  ZuzTranslateStringHook = nullptr;
}

TEST(ZuzStrings, NumberFormatsBetweenStoredAndLocalForm)
{
  const TFormatSettings Saved = FormatSettings;
  EXPECT_EQ(StandardToLocalFormat(QStringLiteral("#,##0.00")), QStringLiteral("#,##0.00")); // en-GB
  FormatSettings.ThousandSeparator = u'.';
  FormatSettings.DecimalSeparator = u',';
  EXPECT_EQ(StandardToLocalFormat(QStringLiteral("#,##0.00")), QStringLiteral("#.##0,00"));
  EXPECT_EQ(LocalToStandardFormat(QStringLiteral("#.##0,00")), QStringLiteral("#,##0.00"));
  FormatSettings.ThousandSeparator = u',';
  EXPECT_EQ(StandardToLocalFormat(QStringLiteral("#,##0.00")), QStringLiteral("#,##0.00")); // same: unchanged
  FormatSettings = Saved;
}
