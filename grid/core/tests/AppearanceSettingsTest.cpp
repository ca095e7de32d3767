// The grid's settings sub-objects and its control-look and sort settings:
// values after construction, notifications, what Assign copies and what a
// form stores.
#include "grid/core/ZurEvoderOzod.h"

#include "FormText.h"

#include "grid/base/IntList.h"
#include "grid/core/Filter.h"
#include "grid/core/GridAppearance.h"
#include "grid/core/GridSettings.h"
#include "rtl/Exceptions.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include <string>

TEST(GridSettings, GroupingAssignLeavesSummaryAndLines)
{
  TGrouping A, B;
  A.SetSummary(true);
  A.SetHeaderLineWidth(5);
  A.SetSummaryLineColor(clRed);
  A.SetHeaderColor(clAqua);
  A.SetMergeHeader(true);
  B.Assign(&A);
  EXPECT_EQ(B.HeaderColor(), clAqua);
  EXPECT_TRUE(B.MergeHeader());
  EXPECT_FALSE(B.Summary());
  EXPECT_EQ(B.HeaderLineWidth(), 2);
  EXPECT_EQ(B.SummaryLineColor(), 0x00FF0000u);
}

TEST(GridSettings, ProgressAppearanceNotifiesChangesAndOneAssign)
{
  TGridProgressAppearance P, Q;
  int32_t N = 0;
  P.OnChange = [&N](TObject*) { ++N; };
  P.SetLevel1Perc(70);
  P.SetCompleteColor(0x000000FF);
  EXPECT_EQ(N, 0);
  P.SetCompleteColor(clLime);
  EXPECT_EQ(N, 1);
  Q.SetSteps(4);
  Q.SetStacked(true);
  P.Assign(&Q);
  EXPECT_EQ(N, 2);
  EXPECT_EQ(P.Steps(), 4);
  EXPECT_EQ(P.CompleteColor(), 0x000000FFu);
}

TEST(GridSettings, ShowModifiedColourAlwaysNotifies)
{
  TShowModified S;
  int32_t N = 0;
  S.OnChange = [&N](TObject*) { ++N; };
  S.SetColor(S.Color());
  S.SetColor(S.Color());
  EXPECT_EQ(N, 2);
}

TEST(GridSettings, AutoColourChildrenReport)
{
  TAutoColor A;
  int32_t N = 0;
  A.OnChange = [&N](TObject*) { ++N; };
  EXPECT_FALSE(A.ColorsDefined());
  A.NegativeNumber()->SetTextColor(clRed);
  EXPECT_TRUE(A.ColorsDefined());
  EXPECT_EQ(N, 1);
  TAutoColor B;
  B.Assign(&A);
  EXPECT_EQ(B.NegativeNumber()->TextColor(), clRed);
}

TEST(GridSettings, SwitchingTheFilterRowRemovesTheFilterAndEmptiesTheRow)
{
  TZurEvoderOzod G(nullptr);
  G.SetRowCount(5);
  G.SetCells(1, 1, QStringLiteral("abc"));
  G.SetCells(3, 1, QStringLiteral("x*"));
  G.Filter()->Add()->SetColumn(1);
  G.SetFilterActive(true);
  G.FilterEdit()->SetRow(1);
  G.FilterEdit()->SetEnabled(true);
  EXPECT_FALSE(G.FilterActive());
  EXPECT_EQ(G.Filter()->Count(), 0);
  EXPECT_TRUE(G.Cells(1, 1).isEmpty());
  EXPECT_TRUE(G.Cells(3, 1).isEmpty());
  EXPECT_EQ(G.FilterEdit()->TypeNames()->Count(), 9);
  EXPECT_EQ(G.FilterEdit()->TypeNames()->Strings(8).toStdString(), "Clear");
}

TEST(GridSettings, HoverButtonPositionIsStoredWhenItIsTheConstructorsValue)
{
  TZurEvoderOzod A(nullptr);
  EXPECT_EQ(A.HoverButtons()->Position(), hbLeftFromColumnLeft);
  EXPECT_NE(TextOf(&A).find("Position = hbLeftFromColumnLeft"), std::string::npos);
  A.HoverButtons()->SetPosition(hbRightFromColumnRight);
  A.HoverButtons()->Buttons()->Add()->SetCaption(QStringLiteral("Go"));
  const std::string Form = TextOf(&A);
  EXPECT_EQ(Form.find("hbRightFromColumnRight"), std::string::npos);
  TZurEvoderOzod B(nullptr);
  ReadText(Form, &B);
  EXPECT_EQ(B.HoverButtons()->Position(), hbLeftFromColumnLeft);
  ASSERT_EQ(B.HoverButtons()->Buttons()->Count(), 1);
  EXPECT_EQ(B.HoverButtons()->Buttons()->Items(0)->Caption().toStdString(), "Go");
}

TEST(ControlLook, CheckSizeUnderZIDAndWhatAssignCopies)
{
  TZurEvoderOzod G(nullptr);
  TControlLook* L = G.ControlLook();
  EXPECT_EQ(L->CheckSize(), 15);
  L->SetControlStyle(csZID);
  EXPECT_EQ(L->CheckSize(), 16);
  L->SetControlStyle(csFlat);
  EXPECT_EQ(L->CheckSize(), 15);
  L->SetProgressHeight(-3);
  EXPECT_EQ(L->ProgressHeight(), 0);

  TZurEvoderOzod H(nullptr);
  L->SetFixedGradientHoverFrom(clRed);
  L->SetFlatButton(true);
  L->SetDropDownCount(12);
  H.ControlLook()->Assign(L);
  EXPECT_EQ(H.ControlLook()->FixedGradientHoverFrom(), clRed);
  EXPECT_EQ(H.ControlLook()->FixedGradientHoverTo(), L->FixedGradientHoverTo());
  EXPECT_EQ(H.ControlLook()->DropDownCount(), 12);
  EXPECT_FALSE(H.ControlLook()->FlatButton());

  // clNone leaves the grid's own gradient colour as it was.
  const TColor Before = G.FZURGrad[fgFrom];
  L->SetFixedGradientFrom(clNone);
  EXPECT_EQ(G.FZURGrad[fgFrom], Before);
  L->SetFixedGradientFrom(clRed);
  EXPECT_EQ(G.FZURGrad[fgFrom], clRed);
}

TEST(SortSettings, StateAsTextAndDefaults)
{
  TZurEvoderOzod G(nullptr);
  TSortSettings* S = G.SortSettings();
  EXPECT_EQ(S->DefaultFormat(), ssAutomatic);
  EXPECT_NE(TextOf(&G).find("DefaultFormat = ssAutomatic"), std::string::npos);
  struct Case {
    const char* Text;
    int32_t Column;
    TSortDirection Direction;
  };
  for (const Case& C : {Case{"u3", 3, sdAscending}, Case{"d7", 7, sdDescending}}) {
    SCOPED_TRACE(C.Text);
    S->SetShow(false);
    S->LoadFromString(QString::fromLatin1(C.Text));
    EXPECT_TRUE(S->Show());
    EXPECT_EQ(S->Column(), C.Column);
    EXPECT_EQ(S->Direction(), C.Direction);
    EXPECT_EQ(S->SaveToString().toStdString(), C.Text);
  }
  S->LoadFromString(QStringLiteral("uab")); // shows, but no column to sort
  EXPECT_EQ(S->Column(), 7);
  S->SetShow(false);
  EXPECT_THROW(S->LoadFromString(QStringLiteral("u")), Exception);
  EXPECT_TRUE(S->Show());
  S->LoadFromString(QStringLiteral("i;u2;d5;"));
  EXPECT_TRUE(S->IndexShow());
  EXPECT_EQ(S->SaveToString().toStdString(), "i;u2;d5;");
  EXPECT_THROW(S->SetRow(1), Exception); // one fixed row
  EXPECT_EQ(S->Row(), 0);
  S->SetColumn(2);
  S->Remove();
  EXPECT_EQ(S->Column(), -1);
}
