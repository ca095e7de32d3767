#include "grid/base/IntList.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int32_t> Items(const TIntList& L)
{
  std::vector<int32_t> V;
  for (int32_t I = 0; I < L.Count(); ++I)
    V.push_back(L[I]);
  return V;
}

struct TChangeLog {
  int32_t Calls = 0;
  int32_t Col = -99, Row = -99;
  TObject* Sender = nullptr;
  void Attach(TIntList& L)
  {
    L.OnChange = [this](TObject* S, int32_t C, int32_t R) {
      ++Calls;
      Sender = S;
      Col = C;
      Row = R;
    };
  }
};

} // namespace

TEST(IntList, EachNewListTakesTheNextTag)
{
  TIntList A(0, 0);
  TIntList B(0, 0);
  TSortIndexList C;
  EXPECT_EQ(B.Tag(), A.Tag() + 1);
  EXPECT_EQ(C.Tag(), B.Tag() + 1);
}

TEST(IntList, ChangesNotifyWithTheOwningCell)
{
  TIntList L(3, 7);
  TChangeLog Log;
  Log.Attach(L);
  struct Step {
    const char* What;
    std::function<void()> Do;
    int32_t Notifies;
  };
  const Step Steps[] = {
      {"Add", [&] { L.Add(5); }, 1},
      {"Add", [&] { L.Add(9); }, 1},
      {"SetInteger", [&] { L.SetInteger(0, 4); }, 1},
      {"Insert at", [&] { L.Insert(1, 6); }, 0},
      {"Delete", [&] { L.Delete(1); }, 1},
      {"DeleteValue absent", [&] { L.DeleteValue(42); }, 0},
      {"DeleteValue", [&] { L.DeleteValue(9); }, 1},
      {"sorted Insert into a filled list", [&] { L.Insert(7); }, 0},
      {"Clear", [&] { L.Clear(); }, 0},
      {"sorted Insert into an empty list", [&] { L.Insert(7); }, 1},
  };
  for (const Step& S : Steps) {
    SCOPED_TRACE(S.What);
    const int32_t Before = Log.Calls;
    S.Do();
    EXPECT_EQ(Log.Calls - Before, S.Notifies);
  }
  EXPECT_EQ(Log.Sender, &L);
  EXPECT_EQ(Log.Col, 3);
  EXPECT_EQ(Log.Row, 7);
  EXPECT_EQ(Items(L), std::vector<int32_t>{7});
  EXPECT_THROW(L.GetInteger(1), EListError);
  EXPECT_THROW(L.Delete(-1), EListError);
}

TEST(IntList, TextFormAndStrictConversion)
{
  TIntList L(0, 0);
  L.Add(3);
  L.Add(-1);
  L.Add(7);
  EXPECT_EQ(L.StrValue().toStdString(), "3,-1,7");
  TChangeLog Log;
  Log.Attach(L);
  L.SetStrValue(QStringLiteral("10, 20,30"));
  EXPECT_EQ(Items(L), (std::vector<int32_t>{10, 20, 30}));
  EXPECT_EQ(Log.Calls, 3);
  EXPECT_THROW(L.SetStrValue(QStringLiteral("4,x")), EConvertError);
  EXPECT_EQ(Items(L), std::vector<int32_t>{4});
  L.SetStrValue(QString());
  EXPECT_EQ(L.Count(), 0);
}

TEST(IntList, BinarySearchesAndSortedInsert)
{
  struct Case {
    std::vector<int32_t> List;
    int32_t Value;
    int32_t PosOf;
    int32_t IndexOf;
  };
  const Case Cases[] = {
      {{1, 3, 7}, 5, 2, -1}, {{1, 3, 7}, 4, 2, -1}, {{1, 3, 7}, 3, 1, 1},  {{1, 3, 7}, 0, 0, -1},
      {{1, 3, 7}, 9, 3, -1}, {{}, 5, 0, -1},        {{-5, -1}, -3, 1, -1}, {{2}, 2, 0, 0},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Value);
    TIntList L(0, 0);
    for (int32_t V : C.List)
      L.Add(V);
    EXPECT_EQ(L.SortedPosOf(C.Value), C.PosOf);
    EXPECT_EQ(L.SortedIndexOf(C.Value), C.IndexOf);
  }
  TIntList L(0, 0);
  for (int32_t V : {5, 1, 9, 3, 7, 3})
    L.Insert(V);
  EXPECT_EQ(Items(L), (std::vector<int32_t>{1, 3, 3, 5, 7, 9}));
}

TEST(SortIndexList, ColumnsAndDirections)
{
  TSortIndexList L;
  L.AddIndex(2, true);
  L.AddIndex(5, false);
  EXPECT_EQ(L.SaveToString().toStdString(), "u2;d5");
  EXPECT_EQ(L.FindIndex(5), 1);
  EXPECT_EQ(L.FindIndex(3), -1);
  EXPECT_EQ(L.SortColumns(1), 5);
  EXPECT_FALSE(L.SortDirections(1));
  L.ToggleIndex(5);
  EXPECT_TRUE(L.SortDirections(1));
  L.ToggleIndex(4); // absent: unchanged
  EXPECT_EQ(L.SaveToString().toStdString(), "u2;u5");
  L.SetSortDirections(0, false);
  L.SetSortColumns(0, 11);
  EXPECT_EQ(L.SaveToString().toStdString(), "d11;u5");
}

TEST(SortIndexList, TextFormIsReadLeniently)
{
  struct Case {
    const char* Text;
    const char* Saved;
  };
  const Case Cases[] = {
      {"u3;d12;", "u3;d12"}, {"u3;;d1", "u3;d1"}, {"x4", "d4"}, {"u12abc", "u12"}, {"u;d7", "d7"}, {"", ""},
      {"uz", "u0"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Text);
    TSortIndexList L;
    L.AddIndex(99, true);
    L.LoadFromString(QString::fromUtf8(C.Text));
    EXPECT_EQ(L.SaveToString().toStdString(), C.Saved);
  }
}
