// The per-cell questions of the string grid: the record and the grid's
// settings first, the application's event last.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/GridBehaviour.h"
#include "grid/base/RurHintInfo.h"
#include "grid/core/GridSettings.h"
#include "platform/Graphics.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TPaintTools {
  TBrush Brush;
  TFont Font;
  TPaintTools()
  {
    Brush.SetColor(clWhite);
    Font.SetName(QStringLiteral("Arial"));
    Font.SetHeight(-11);
    Font.SetColor(clBlack);
  }
};

} // namespace

TEST(GridAttributes, ColourComesFromTheRecordThenTheEvent)
{
  TZurEvoderOzod G(nullptr);
  {
    TPaintTools T;
    G.GetCellColor(2, 2, 0, &T.Brush, &T.Font);
    EXPECT_EQ(T.Brush.Color(), clWhite);
    EXPECT_EQ(T.Font.Color(), clBlack);
    EXPECT_FALSE(G.HasCellProperties(2, 2)); // asking makes no record
  }
  TCellProperties* CP = G.GetCellProperties(2, 2);
  CP->SetBrushColor(clRed);
  CP->SetFontColor(clBlue);
  CP->SetFontSize(0);
  CP->SetFontName(QString());
  CP->SetFontStyle(0);
  {
    TPaintTools T;
    G.GetCellColor(2, 2, 0, &T.Brush, &T.Font);
    EXPECT_EQ(T.Brush.Color(), clRed);
    EXPECT_EQ(T.Font.Color(), clBlue);
    EXPECT_EQ(T.Font.Height(), -11); // a height of 0 and no name leave the font
    EXPECT_EQ(T.Font.Name().toStdString(), "Arial");
  }
  // A progress bar draws its own background: the record's brush does not
  // apply; a check box takes it.
  G.CreateCellGraphic(2, 2)->SetCellType(ctProgress);
  {
    TPaintTools T;
    G.GetCellColor(2, 2, 0, &T.Brush, &T.Font);
    EXPECT_EQ(T.Brush.Color(), clWhite);
  }
  G.GetCellGraphic(2, 2)->SetCheckBox(true, false, false, haLeft, vaTop);
  std::vector<std::pair<int32_t, int32_t>> Seen;
  G.OnGetCellColor = [&](TObject*, int32_t ARow, int32_t ACol, TGridDrawState, TBrush* B, TFont*) {
    Seen.emplace_back(ARow, ACol);
    if (ACol == 2 && ARow == 2) {
      EXPECT_EQ(B->Color(), clRed); // the handler sees the record's colour
    }
    B->SetColor(clYellow);
  };
  TPaintTools T;
  G.GetCellColor(2, 3, 0, &T.Brush, &T.Font);
  G.GetCellColor(2, 2, 0, &T.Brush, &T.Font);
  EXPECT_EQ(T.Brush.Color(), clYellow);
  ASSERT_EQ(Seen.size(), 2u);
  EXPECT_EQ(Seen[1], std::make_pair(2, 2)); // row first
}

TEST(GridAttributes, ActiveCellHeadersTakeTheActiveColours)
{
  TZurEvoderOzod G(nullptr);
  G.SetActiveCellShow(true);
  G.SetActiveCellColor(clTeal);
  G.SetCol(2);
  G.SetRow(3);
  struct Case {
    int32_t Col, Row;
    bool Active;
  };
  for (const Case& C : {Case{0, 3, true}, Case{2, 0, true}, Case{0, 2, false}, Case{1, 0, false}, Case{2, 3, false}}) {
    SCOPED_TRACE(std::to_string(C.Col) + "," + std::to_string(C.Row));
    TPaintTools T;
    G.GetCellColor(C.Col, C.Row, 0, &T.Brush, &T.Font);
    EXPECT_EQ(T.Brush.Color() == clTeal, C.Active);
    EXPECT_EQ(T.Font.Style() == FontStyleBit(fsBold), C.Active);
  }
}

TEST(GridAttributes, EditabilityGivesTheEventTheLastWord)
{
  TZurEvoderOzod G(nullptr);
  struct Case {
    const char* What;
    bool Record, ReadOnly, Editing, RangeEdit, CanEditIn;
    int32_t Col;
    bool Expected;
  };
  const Case Cases[] = {
      {"no record, no handler", false, false, false, false, true, 2, true},
      {"no record, column beyond the grid", false, false, false, false, false, 40, true},
      {"record without goEditing", true, false, false, false, true, 2, false},
      {"record with goEditing", true, false, true, false, true, 2, true},
      {"read-only record", true, true, true, false, true, 2, false},
      {"range select and edit", true, false, false, true, true, 2, true},
      {"record, asked with False", true, false, true, false, false, 2, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.What);
    TZurEvoderOzod G2(nullptr);
    if (C.Record)
      G2.GetCellProperties(C.Col, 2)->SetReadOnly(C.ReadOnly);
    G2.SetOptions(C.Editing ? G2.Options() | GridOptionBit(goEditing) : G2.Options() & ~GridOptionBit(goEditing));
    G2.MouseActions()->SetRangeSelectAndEdit(C.RangeEdit);
    bool CanEdit = C.CanEditIn;
    G2.GetCellReadOnly(C.Col, 2, CanEdit);
    EXPECT_EQ(CanEdit, C.Expected);
  }
  // The handler overrides the record and is asked about the base cell of a
  // merged range.
  G.GetCellProperties(3, 3)->SetReadOnly(true);
  G.MergeCells(1, 1, 2, 2);
  std::vector<std::pair<int32_t, int32_t>> Asked;
  G.OnCanEditCell = [&](TObject*, int32_t ARow, int32_t ACol, bool& CanEdit) {
    Asked.emplace_back(ARow, ACol);
    CanEdit = true;
  };
  bool CanEdit = true;
  G.GetCellReadOnly(3, 3, CanEdit);
  EXPECT_TRUE(CanEdit);
  G.GetCellReadOnly(2, 2, CanEdit);
  EXPECT_EQ(Asked, (std::vector<std::pair<int32_t, int32_t>>{{3, 3}, {1, 1}}));
}

TEST(GridAttributes, FixednessEditorsAndButtons)
{
  TZurEvoderOzod G(nullptr);
  bool Fixed = false;
  G.GetCellFixed(0, 5, Fixed);
  EXPECT_TRUE(Fixed);
  Fixed = false;
  G.GetCellFixed(2, 5, Fixed);
  EXPECT_FALSE(Fixed);
  G.OnIsFixedCell = [](TObject*, int32_t ARow, int32_t, bool& F) { F = ARow == 5; };
  G.GetCellFixed(2, 5, Fixed);
  EXPECT_TRUE(Fixed);
  EXPECT_TRUE(G.IsFixed(2, 5));

  EXPECT_FALSE(G.GetEditorNone(2, 2));
  G.OnGetEditorType = [](TObject*, int32_t ACol, int32_t, TEditorType& E) {
    if (ACol == 3)
      E = edNone;
  };
  EXPECT_TRUE(G.GetEditorNone(3, 2));
  EXPECT_FALSE(G.GetEditorNone(2, 2));
  G.OnGetEditorType = nullptr;

  struct Case {
    const char* What;
    bool AlwaysVisible;
    TEditorType Default, Asked;
    bool Combo, EditBtn;
  };
  const Case Cases[] = {
      {"buttons hidden", false, edComboList, edNone, false, false},
      {"default combo list", true, edComboList, edNone, true, false},
      {"caller knows: edit button", true, edComboList, edEditBtn, false, true},
      {"grid drop-down", true, edNormal, edRurGridDropDown, true, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.What);
    G.ControlLook()->SetDropDownAlwaysVisible(C.AlwaysVisible);
    G.SetDefaultEditor(C.Default);
    EXPECT_EQ(G.HasCombo(2, 2, C.Asked), C.Combo);
    EXPECT_EQ(G.HasEditBtn(2, 2, C.Asked), C.EditBtn);
  }
  G.ControlLook()->SetSpinButtonsAlwaysVisible(true);
  G.SetDefaultEditor(edSpinEdit);
  EXPECT_TRUE(G.HasSpinEdit(2, 2, edNone));
  G.OnHasSpinEdit = [](TObject*, int32_t, int32_t, bool& R) { R = true; };
  EXPECT_FALSE(G.HasSpinEdit(0, 2, edNone)); // never in fixed cells

  G.FilterEdit()->SetEnabled(true);
  EXPECT_TRUE(G.HasFilterEdit(2, 0));
  EXPECT_FALSE(G.HasFilterEdit(0, 0));
  EXPECT_FALSE(G.HasFilterEdit(2, 1));
}

TEST(GridAttributes, ChecksHintsAndBorders)
{
  TZurEvoderOzod G(nullptr);
  EXPECT_EQ(G.GetCheckTrue(1, 1).toStdString(), "Y");
  EXPECT_EQ(G.GetCheckFalse(1, 1).toStdString(), "N");
  G.OnGetCheckTrue = [](TObject*, int32_t, int32_t, String& V) { V = QStringLiteral("Yes"); };
  EXPECT_EQ(G.GetCheckTrue(1, 1).toStdString(), "Yes");

  G.OnGridHint = [](TObject*, int32_t ARow, int32_t ACol, String& H) { H = QString::number(ARow * 10 + ACol); };
  TRurHintInfo* Seen = nullptr;
  G.OnOfficeHint = [&](TObject*, int32_t, int32_t, TRurHintInfo* Info) { Seen = Info; };
  String Hint, Wide;
  G.GetCellHint(2, 3, Hint, Wide);
  EXPECT_EQ(Hint.toStdString(), "32");
  ASSERT_EQ(Seen, G.OfficeHint());
  EXPECT_EQ(Seen->Notes()->Text().trimmed().toStdString(), "32");

  TCellGraphic* Node = G.CreateCellGraphic(0, 4);
  Node->SetCellType(ctNode);
  G.Grouping()->SetHeaderUnderline(true);
  TPen Pen;
  TCellBorders Borders = 0;
  G.GetCellBorder(2, 4, &Pen, Borders);
  EXPECT_EQ(Borders, SetBit(cbBottom));
  EXPECT_EQ(Pen.Width(), 2);
  Borders = 0;
  G.GetCellBorder(0, 4, &Pen, Borders); // not in column 0
  EXPECT_EQ(Borders, 0);
}

TEST(GridAttributes, ANewRecordNeverCapturesFixedColours)
{
  TZurEvoderOzod G(nullptr);
  G.SetColor(clYellow);
  EXPECT_EQ(G.GetCellProperties(0, 3)->BrushColor(), clNone);
  EXPECT_EQ(G.GetCellProperties(3, 3)->BrushColor(), clYellow);
  G.Bands()->SetActive(true);
  EXPECT_EQ(G.GetCellProperties(4, 4)->BrushColor(), clNone);
  G.SetVAlignment(vtaCenter);
  G.SetDefaultAlignment(taCenter);
  const TCellProperties* CP = G.GetCellProperties(2, 5);
  EXPECT_EQ(CP->VAlignment(), vtaCenter);
  EXPECT_EQ(CP->Alignment(), taCenter);
}
