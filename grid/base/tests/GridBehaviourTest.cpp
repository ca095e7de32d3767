// The behaviour settings objects: what they hold after construction, which
// setters notify, their side effects and what Assign copies.
#include "grid/base/GridBehaviour.h"

#include "platform/Graphics.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Counts the notifications of an object while an action runs.
template <class T>
int32_t Notifications(T& Object, const std::function<void()>& Action)
{
  int32_t N = 0;
  Object.OnChange = [&N](TObject*) { ++N; };
  Action();
  Object.OnChange = nullptr;
  return N;
}

} // namespace

TEST(SearchFooter, CaptionsOnlyWhenAsked)
{
  TSearchFooter Plain(false), Labelled(true);
  EXPECT_TRUE(Plain.FindNextCaption().isEmpty());
  EXPECT_TRUE(Plain.HintClose().isEmpty());
  EXPECT_EQ(Plain.ResultFormat().toStdString(), "(%d of %d)");
  EXPECT_EQ(Plain.SearchColumn(), -1);
  EXPECT_EQ(Plain.ColorTo(), clBtnFace);
  EXPECT_EQ(Labelled.FindNextCaption().toStdString(), "Find &next");
  EXPECT_EQ(Labelled.HintHighlight().toStdString(), "Highlight occurrences");
}

TEST(SearchFooter, WhichSettersNotify)
{
  TSearchFooter F;
  struct Case {
    const char* What;
    std::function<void()> Action;
    int32_t Expected;
  };
  const Case Cases[] = {
      {"colour set to its own value", [&] { F.SetColor(F.Color()); }, 1},
      {"caption set to its own value", [&] { F.SetHintClose(F.HintClose()); }, 1},
      {"ShowClose set to its own value", [&] { F.SetShowClose(true); }, 1},
      {"Visible unchanged", [&] { F.SetVisible(false); }, 0},
      {"Visible changed", [&] { F.SetVisible(true); }, 1},
      {"SearchType unchanged", [&] { F.SetSearchType(stSearch); }, 0},
      {"SearchType changed", [&] { F.SetSearchType(stNarrowDown); }, 1},
      {"AutoSearch", [&] { F.SetAutoSearch(false); }, 0},
      {"font", [&] { F.Font()->SetSize(14); }, 1},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.What);
    EXPECT_EQ(Notifications(F, C.Action), C.Expected);
  }
}

TEST(SearchFooter, AssignLeavesTheSearchModes)
{
  TSearchFooter A(true), B;
  A.SetAutoSearch(false);
  A.SetSearchType(stNarrowDown);
  A.SetIgnoreHTML(false);
  A.SetSearchColumn(3);
  A.Font()->SetName(QStringLiteral("Courier New"));
  B.Assign(&A);
  EXPECT_EQ(B.SearchColumn(), 3);
  EXPECT_EQ(B.FindPrevCaption().toStdString(), "Find &previous");
  EXPECT_EQ(B.Font()->Name().toStdString(), "Courier New");
  EXPECT_TRUE(B.AutoSearch());
  EXPECT_EQ(B.SearchType(), stSearch);
  EXPECT_TRUE(B.IgnoreHTML());
}

TEST(Navigation, AdvanceAutoAndNotifications)
{
  TNavigation N;
  N.SetAdvanceAuto(true);
  EXPECT_TRUE(N.AdvanceOnEnter());
  N.SetAdvanceAuto(false);
  EXPECT_TRUE(N.AdvanceOnEnter());
  EXPECT_EQ(Notifications(N, [&] { N.SetAllowInsertRow(true); }), 0);
  EXPECT_EQ(Notifications(N, [&] { N.SetAdvanceDirection(adLeftRight); }), 0);
  EXPECT_EQ(Notifications(N, [&] { N.SetAdvanceDirection(adTopBottom); }), 1);
  EXPECT_EQ(Notifications(N, [&] { N.SetAdvanceInsert(true); }), 1);

  TNavigation Copy;
  N.SetKeepScrollOnSort(true);
  N.SetHomeEndKey(heFirstLastCell);
  Copy.Assign(&N);
  EXPECT_EQ(Copy.HomeEndKey(), heFirstLastCell);
  EXPECT_FALSE(Copy.KeepScrollOnSort());
  TMouseActions Other;
  Copy.Assign(&Other); // another class: nothing changes
  EXPECT_EQ(Copy.HomeEndKey(), heFirstLastCell);
}

TEST(MouseActions, DisjunctSelectionsExcludeEachOtherOnlyInTheDesigner)
{
  for (bool Designing : {false, true}) {
    SCOPED_TRACE(Designing);
    TMouseActions M;
    M.OnIsDesigning = [Designing](TObject*, bool& D) { D = Designing; };
    M.SetDisjunctRowSelect(true);
    M.SetDisjunctColSelect(true);
    EXPECT_EQ(M.DisjunctRowSelect(), !Designing);
    EXPECT_TRUE(M.DisjunctColSelect());
  }
  TMouseActions M;
  bool Invalidated = false;
  M.OnInvalidate = [&](TObject*) { Invalidated = true; };
  M.SetHotmailRowSelect(true);
  EXPECT_TRUE(M.DisjunctRowSelect());
  EXPECT_TRUE(M.CheckAllCheck());
  EXPECT_TRUE(Invalidated);
  EXPECT_EQ(Notifications(M, [&] { M.SetWheelAction(waScroll); }), 1);
  EXPECT_EQ(Notifications(M, [&] { M.SetWheelAction(waScroll); }), 0);
  EXPECT_EQ(Notifications(M, [&] { M.SetRowSelect(true); }), 0);

  TMouseActions Copy;
  M.SetSizeFixedRow(true);
  M.SetWheelIncrement(3);
  Copy.Assign(&M);
  EXPECT_EQ(Copy.WheelIncrement(), 3);
  EXPECT_FALSE(Copy.HotmailRowSelect());
  EXPECT_FALSE(Copy.SizeFixedRow());
}

TEST(Bands, LengthsAddUpAndNotifyWhileActive)
{
  TBands B;
  EXPECT_EQ(B.TotalLength(), 2);
  EXPECT_EQ(Notifications(B, [&] { B.SetPrimaryLength(2); }), 0);
  EXPECT_EQ(Notifications(B, [&] { B.SetActive(true); }), 1);
  EXPECT_EQ(Notifications(B, [&] { B.SetSecondaryLength(3); }), 1);
  EXPECT_EQ(Notifications(B, [&] { B.SetSecondaryLength(3); }), 0);
  EXPECT_EQ(B.TotalLength(), 5);
  TBands Copy;
  EXPECT_EQ(Notifications(Copy, [&] { Copy.Assign(&B); }), 0);
  EXPECT_EQ(Copy.TotalLength(), 5);
  EXPECT_TRUE(Copy.Active());
}

TEST(SyncGrid, NeverFollowsItsOwnGrid)
{
  TComponent Owner(nullptr), Other(nullptr);
  TSyncGrid S(&Owner);
  S.SetGrid(&Owner);
  EXPECT_EQ(S.Grid(), nullptr);
  S.SetGrid(&Other);
  EXPECT_EQ(S.Grid(), &Other);
}
