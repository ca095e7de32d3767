// The grid's small settings objects: filter conditions, the background and
// the row store item.
#include "grid/core/BackGround.h"
#include "grid/core/Filter.h"
#include "grid/core/GridItem.h"

#include "grid/base/GridBehaviour.h"
#include "platform/Bitmap.h"
#include "platform/ClassRegistry.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Filter, ConditionsPerColumn)
{
  TFilter F(nullptr);
  std::vector<std::pair<int32_t, int32_t>> Repaints;
  F.RepaintHeader = [&](int32_t C, int32_t R) { Repaints.emplace_back(C, R); };
  TFilterData* A = F.Add();
  EXPECT_EQ(A->Operation(), foNONE);
  A->SetColumn(2);
  TFilterData* B = F.Add();
  EXPECT_EQ(B->Operation(), foAND);
  B->SetColumn(4);
  EXPECT_TRUE(F.HasFilter(2));
  EXPECT_FALSE(F.HasFilter(3));
  EXPECT_TRUE(F.HasOtherFilter(2));
  EXPECT_EQ(F.HasFilterType(3), ftContains);
  B->SetFilterType(ftEqual);
  EXPECT_EQ(F.HasFilterType(4), ftEqual);
  EXPECT_EQ(F.GetColFilter(2), A);
  TFilterData* C = F.GetColFilter(7);
  EXPECT_EQ(C->Column(), 7);
  EXPECT_EQ(F.Count(), 3);
  F.Add()->SetColumn(2);
  F.RemoveColumnFilter(2);
  EXPECT_EQ(F.Count(), 2);
  EXPECT_FALSE(F.HasFilter(2));
  ASSERT_FALSE(Repaints.empty());
  EXPECT_EQ(Repaints.back(), std::make_pair(2, 0));
}

TEST(Filter, BuildConditionByType)
{
  struct Case {
    TFilterType Type;
    const char* Text;
    const char* Condition;
  };
  const Case Cases[] = {
      {ftStartsWith, "ab", "ab*"},    {ftEndsWith, "ab", "*ab"},  {ftContains, "a b", "*\"a b\"*"},
      {ftNotContains, "ab", "!*ab*"}, {ftEqual, "ab", "ab"},      {ftNotEqual, "ab", "!ab"},
      {ftLargerThan, "5", ">5"},      {ftSmallerThan, "5", "<5"}, {ftClear, "ab", "old"},
      {ftNone, "ab", "old"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Text);
    TFilter F(nullptr);
    TFilterData* D = F.Add();
    D->SetCondition(QStringLiteral("old"));
    D->SetFilterType(C.Type);
    D->BuildCondition(QString::fromUtf8(C.Text));
    EXPECT_EQ(D->Condition().toStdString(), C.Condition);
  }
}

TEST(BackGround, SettersNotifyAndAssignCopies)
{
  TBackGround A;
  int32_t Changes = 0;
  A.OnChange = [&](TObject*) { ++Changes; };
  EXPECT_EQ(A.Color(), clWindow);
  EXPECT_EQ(A.ColorTo(), clBtnFace);
  A.SetDisplay(bdGradientVert);
  A.SetColorTo(clRed);
  TBitmap Bmp(4, 3);
  A.SetBitmap(&Bmp);
  EXPECT_EQ(Changes, 3);
  EXPECT_EQ(A.Bitmap()->Width(), 4);
  TBackGround B;
  B.Assign(&A);
  EXPECT_EQ(B.Display(), bdGradientVert);
  EXPECT_EQ(B.ColorTo(), clRed);
  EXPECT_EQ(B.Bitmap()->Height(), 3);
}

TEST(GridItem, OwnsItsListNotTheObjects)
{
  TOwnedCollection Store(nullptr, ClassInfoFor<TGridItem>());
  auto* Item = static_cast<TGridItem*>(Store.Add());
  TObject Record;
  Item->Items()->AddObject(QStringLiteral("text"), &Record);
  Item->SetIdx(5);
  Item->SetHeight(30);
  EXPECT_EQ(Item->Level(), 0);
  Store.Clear(); // the record stays alive: it goes back to the grid with the row
  EXPECT_EQ(Store.Count(), 0);
}

TEST(BehaviourSettings, HotmailRowSelectTurnsOnItsCompanions)
{
  TMouseActions M;
  int32_t Invalidates = 0;
  M.OnInvalidate = [&](TObject*) { ++Invalidates; };
  M.SetHotmailRowSelect(true);
  EXPECT_TRUE(M.DisjunctRowSelect());
  EXPECT_TRUE(M.CheckAllCheck());
  EXPECT_EQ(Invalidates, 1);
  TMouseActions Copy;
  Copy.Assign(&M);
  EXPECT_FALSE(Copy.HotmailRowSelect()); // not copied
  EXPECT_TRUE(Copy.CheckAllCheck());

  TComponent Owner(nullptr), Other(nullptr);
  TSyncGrid S(&Owner);
  S.SetGrid(&Owner); // never itself
  EXPECT_EQ(S.Grid(), nullptr);
  S.SetGrid(&Other);
  EXPECT_EQ(S.Grid(), &Other);

  TSearchFooter F;
  int32_t Changes = 0;
  F.OnChange = [&](TObject*) { ++Changes; };
  F.SetVisible(false); // unchanged: no notice
  F.SetVisible(true);
  F.SetColor(F.Color()); // colours notify on every assignment
  EXPECT_EQ(Changes, 2);
}
