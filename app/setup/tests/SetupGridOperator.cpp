#include "app/setup/tests/SetupGridOperator.h"

#include "app/setup/MDISetup.h"
#include "grid/core/ZurEvoderOzod.h"
#include "rtl/StringList.h"

TSetupGridOperator::TSetupGridOperator(TMDISetup& Screen) : G(*Screen.ZurEvoderOzod1) {}

bool TSetupGridOperator::CanEdit(int32_t Col, int32_t Row, bool GridSays)
{
  bool CanEdit = GridSays;
  G.DoCanEditCell(Col, Row, CanEdit);
  return CanEdit;
}

::testing::AssertionResult TSetupGridOperator::ToggleCheck(int32_t Col, int32_t Row)
{
  if (!G.ToggleCheckBox(Col, Row))
    return ::testing::AssertionFailure() << "no check box at " << Col << ", " << Row;
  G.DoCheckBoxClick(Col, Row, G.IsChecked(Col, Row));
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult TSetupGridOperator::ChooseRadio(int32_t Col, int32_t Row, int32_t Index)
{
  if (!G.SetRadioIdx(Col, Row, Index))
    return ::testing::AssertionFailure() << "no radio group at " << Col << ", " << Row;
  G.OnRadioClick(&G, Col, Row, Index);
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult TSetupGridOperator::ChooseInCombo(int32_t Col, int32_t Row, const String& Item)
{
  G.DoGetEditorProp(Col, Row, nullptr);
  // A list opening on a text it lacks picks its first item itself, and the
  // grid reports that as a change.
  if (G.ComboItems()->Count() > 0 && G.ComboItems()->IndexOf(G.Cells(Col, Row)) < 0)
    G.OnComboChange(&G, Col, Row, 0, G.ComboItems()->Strings(0));
  const int32_t Index = G.ComboItems()->IndexOf(Item);
  if (Index < 0)
    return ::testing::AssertionFailure() << Item.toStdString() << " not offered";
  G.OnComboChange(&G, Col, Row, Index, Item);
  String Value = Item;
  bool Valid = true;
  G.OnCellValidate(&G, Col, Row, Value, Valid);
  if (Valid)
    G.SetCells(Col, Row, Value);
  return ::testing::AssertionSuccess();
}

void TSetupGridOperator::Press(int32_t Col, int32_t Row) { G.DoButtonClick(Col, Row); }

String TSetupGridOperator::Cell(int32_t Col, int32_t Row) const { return G.Cells(Col, Row); }

bool TSetupGridOperator::Checked(int32_t Col, int32_t Row) const { return G.IsChecked(Col, Row); }
