// The grid's spin, combo, check-box and button editors: made with the grid
// (the spin editor on first use), shown over a cell by editor kind and put
// away with their value written back; what they ask of the grid; radio
// group clicks; and the editors of fixed (header) cells.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/core/CellGraphic.h"
#include "grid/base/GridBehaviour.h"
#include "grid/base/rurutil.h"
#include "grid/core/ControlLook.h"
#include "grid/core/GridSettings.h"
#include "grid/core/GridTransEdit.h"
#include "grid/edit/GridCheckBox.h"
#include "grid/edit/GridCombo.h"
#include "grid/edit/GridSpin.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "rtl/DateTime.h"
#include "rtl/Numbers.h"
#include "rtl/StringList.h"
#include "rtl/Strings.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace {

// An exact (case-sensitive) match; -1 for none.
int32_t ExactIndexOf(const TStringList* Items, const String& S)
{
  for (int32_t I = 0; I < Items->Count(); ++I)
    if (Items->Strings(I) == S)
      return I;
  return -1;
}

int32_t CaseBlindIndexOf(const TStringList* Items, const String& S)
{
  for (int32_t I = 0; I < Items->Count(); ++I)
    if (Items->Strings(I).compare(S, Qt::CaseInsensitive) == 0)
      return I;
  return -1;
}

bool IsSpinKind(TEditorType K)
{
  return K == edSpinEdit || K == edFloatSpinEdit || K == edTimeSpinEdit || K == edDateSpinEdit;
}

} // namespace

// ---------------------------------------------------------------- the editors

void TZurEvoderOzod::InitCellEditors()
{
  EditCombo = new TGridCombo(this, this);
  EditCheck = new TGridCheckBox(this, this);
  GridButton = new TGridButton(this, this);
  GridButton->OnClick = [this](TObject* Sender) { HandleButtonClick(Sender); };
  FEditTrans = new TGridTransEdit(this);
  FComboTrans = new TGridTransCombo(this);
  for (TWinControl* C :
       std::initializer_list<TWinControl*>{EditCombo, EditCheck, GridButton, FEditTrans, FComboTrans}) {
    C->SetVisible(false);
    C->SetEnabled(C == FEditTrans || C == FComboTrans);
    C->SetParent(this);
  }
  EditCombo->FIsWinXP = true;
  EditCombo->FIsVista = true;
}

void TZurEvoderOzod::DoneWithCellEditors()
{
  // The editors go with the grid's components, after the grid's own parts:
  // from now on they call nothing back.
  EditCombo->Detach();
  EditCheck->Detach();
  GridButton->Detach();
  FEditTrans->Detach();
  FComboTrans->Detach();
  if (FEditSpin)
    FEditSpin->Detach();
}

void TZurEvoderOzod::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
  const TComponent* Own[] = {EditCombo, EditCheck, GridButton, FEditTrans, FComboTrans, FEditSpin};
  TBaseGrid::GetChildren(
      [&](TComponent* Child) {
        if (std::find(std::begin(Own), std::end(Own), Child) == std::end(Own))
          Proc(Child);
      },
      Root);
}

TGridSpin* TZurEvoderOzod::EditSpin()
{
  if (!FEditSpin) {
    FEditSpin = new TGridSpin(this, this);
    FEditSpin->SetVisible(false);
    FEditSpin->SetEnabled(false);
    FEditSpin->SetParent(this);
    FEditSpin->SetIsWinXP(true);
  }
  return FEditSpin;
}

TWinControl* TZurEvoderOzod::GetCellEditorControl()
{
  if (!EditMode)
    return nullptr;
  if (EditCtrl)
    return EditCtrl;
  return InplaceEditor();
}

// ---------------------------------------------------------------- showing

void TZurEvoderOzod::ShowSpinEditor(const TRect& R, int32_t RCol, int32_t ARow, const String& Text, TColor Color)
{
  TGridSpin* S = EditSpin();
  EditMode = true;
  S->SetBounds(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
  S->Show();
  S->SetEnabled(true);
  S->SetColor(Color);
  S->SetExcelStyleDecimalSeparator(FExcelStyleDecimalSeparator);
  DoGetEditorProp(RCol, ARow, nullptr);
  // Texts that do not convert never raise: the lenient value is taken.
  switch (EditControl) {
  case edSpinEdit: {
    int32_t V = 0;
    S->SetValue(TryStrToInt(Trim(Text), V) ? V : 0);
    S->SetSpinType(sptNormal);
    break;
  }
  case edFloatSpinEdit: {
    double V = 0;
    S->SetFloatValue(TryStrToFloat(RemoveSeps(Text), V) ? V : 0.0);
    S->SetSpinType(sptFloat);
    break;
  }
  case edTimeSpinEdit:
    S->SetText(Text);
    S->SetSpinType(sptTime);
    break;
  default: {
    TDateTime D = Now();
    if (!Text.isEmpty() && !TryStrToDate(Text, D))
      D = Now();
    S->SetDateValue(D);
    S->SetSpinType(sptDate);
    break;
  }
  }
  if (S->CanFocus())
    S->SetFocus();
  if (FStartEditChar != 0)
    S->PostChar(FStartEditChar);
  // A press on a spin button drawn in the cell steps the new editor once.
  if (FSpinUpClick) {
    S->DoInc(false);
    S->DoClick(true);
  }
  if (FSpinDnClick) {
    S->DoDec(false);
    S->DoClick(false);
  }
  FSpinUpClick = FSpinDnClick = false;
  EditCtrl = S;
}

void TZurEvoderOzod::ShowComboEditor(const TRect& R, int32_t RCol, int32_t ARow, const String& Text, TColor Color,
                                     bool List)
{
  TGridCombo* C = EditCombo;
  EditMode = true;
  const bool Force = FForceComboSel;
  if (List)
    FForceComboSel = false;
  C->SetDropDownCount(FControlLook->DropDownCount());
  DoGetEditorProp(RCol, ARow, nullptr);
  C->SetEnabled(true);
  C->SetDroppedDown(false);
  C->SetStyle(List ? csDropDownList : csDropDown);
  const int32_t H = R.Height() - 1;
  C->SetItemHeight(H - 6);
  C->SetBounds(R.Left, R.Top, R.Width() - 1, H);
  bool AutoSelected = false;
  if (!List) {
    C->SetText(Text);
    if (FComboIdx != -1 && C->ItemIndex() < 0)
      C->SetItemIndex(FComboIdx);
    if (auto* Box = qobject_cast<QComboBox*>(C->WidgetOrNull()); Box && Box->lineEdit())
      Box->lineEdit()->setMaxLength(FMaxComboLength > 0 ? FMaxComboLength : 32767);
  } else {
    const int32_t Exact = ExactIndexOf(C->Items(), GetCellEx(RCol, ARow));
    C->SetItemIndex(Exact);
    if (Exact < 0 && FComboIdx == -1) {
      const int32_t Found = CaseBlindIndexOf(C->Items(), Text);
      if (Found >= 0)
        C->SetItemIndex(Found);
      else if (FNavigation->AutoComboSelect() && C->Items()->Count() > 0)
        C->SetItemIndex(0);
      AutoSelected = FNavigation->AutoComboSelect();
    }
    if (FComboIdx != -1 && (C->ItemIndex() < 0 || Force))
      C->SetItemIndex(FComboIdx);
  }
  C->Show();
  const bool FlatLook = FLook == glSoft || FLook == glZID || FLook == glXP || FLook == glListView || FLook == glVista ||
                        FLook == glWin7 || FLook == glOffice2007;
  C->SetFlat(FlatLook);
  C->SetEtched(FlatLook);
  C->SetColor(Color);
  if (FNavigation->AutoComboDropSize())
    C->SizeDropDownWidth();
  if (C->CanFocus())
    C->SetFocus();
  if (FMouseActions->DirectComboDrop() || FControlLook->DropDownAlwaysVisible())
    C->SetDroppedDown(true);
  if (FMouseActions->DirectEdit() && FMouseActions->DirectComboDrop()) {
    const TGridRect S = Selection();
    SelectionChanged(S.Left, S.Top, S.Right, S.Bottom);
  }
  if (FStartEditChar != 0)
    C->PostChar(FStartEditChar);
  EditCtrl = C;
  // The grid chose the first item by itself: the application hears of it.
  if (List && AutoSelected && C->Items()->Count() > 0)
    DoComboChange(RCol, ARow, 0, C->Items()->Strings(0), C->Items()->Objects(0));
}

// The kinds whose editor is a control of this grid; every other kind keeps
// the edit state only.
void TZurEvoderOzod::ShowEditControl(int32_t ACol, int32_t ARow)
{
  FEditing = true;
  FSpecialEditor = true;
  FEditActive = true;
  const TRect R = CellRect(ACol, ARow);
  const int32_t RCol = RemapCol(ACol);
  const String Text = GetEditText(ACol, ARow);
  TBrush Brush;
  TFont CellFont;
  TAlignment HAlign = taLeftJustify;
  GetEditorLook(ACol, ARow, Brush, CellFont, HAlign);
  SetGridState(gsNormal);
  EditCtrl = nullptr;
  if (EditControl != edCustom)
    FLastValidation = true;

  if (IsSpinKind(EditControl)) {
    ShowSpinEditor(R, RCol, ARow, Text, Brush.Color());
    EditSpin()->Font()->Assign(&CellFont);
  } else if (EditControl == edComboEdit || EditControl == edComboList) {
    ShowComboEditor(R, RCol, ARow, Text, Brush.Color(), EditControl == edComboList);
    EditCombo->Font()->Assign(&CellFont);
  } else if (EditControl == edCheckBox) {
    EditMode = true;
    EditCheck->SetBounds(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
    EditCheck->SetChecked(Text == FCheckTrue);
    EditCheck->Show();
    EditCheck->SetEnabled(true);
    if (EditCheck->CanFocus())
      EditCheck->SetFocus();
  } else if (EditControl == edButton) {
    EditMode = true;
    GridButton->SetBounds(R.Left - 1, R.Top - 1, R.Width() + 1, R.Height() + 1);
    GridButton->SetCaption(Text);
    DoGetEditorProp(RCol, ARow, nullptr);
    GridButton->Show();
    GridButton->SetEnabled(true);
    if (GridButton->CanFocus())
      GridButton->SetFocus();
    EditCtrl = GridButton;
  }
  FStartEditChar = 0;
}

// ---------------------------------------------------------------- hiding

void TZurEvoderOzod::WriteSpinValue(int32_t RCol, int32_t ARow)
{
  TGridSpin* S = EditSpin();
  if (S->AllowEmptyValue() && Trim(S->Text()).isEmpty()) {
    SetCellEx(RCol, ARow, String());
    return;
  }
  switch (EditControl) {
  case edSpinEdit:
    SetInts(RCol, ARow, S->Value());
    break;
  case edFloatSpinEdit:
    SetFloats(RCol, ARow, S->FloatValue());
    break;
  case edTimeSpinEdit:
    UpdateEditingCell(RCol, ARow, S->Text());
    break;
  default:
    SetDates(RCol, ARow, S->DateValue());
    break;
  }
}

void TZurEvoderOzod::HideEditControl(int32_t ACol, int32_t ARow)
{
  if (ComponentState() & csDestroying)
    return;
  FSpecialEditor = false;
  FBlockKill = true;
  EditCtrl = nullptr;
  const int32_t RCol = RemapCol(ACol);
  FStartEditChar = 0;
  const auto Done = qScopeGuard([this] {
    FBlockKill = false;
    FEditActive = false;
  });
  if (IsSpinKind(EditControl) && FEditSpin) {
    EditMode = false;
    WriteSpinValue(RCol, ARow);
    FEditSpin->SetEnabled(false);
    FEditSpin->Hide();
  } else if (EditControl == edComboEdit || EditControl == edComboList) {
    if (EditMode) {
      EditMode = false;
      UpdateEditingCell(RCol, ARow, EditCombo->Text());
      EditCombo->Hide();
      EditCombo->SetEnabled(false);
    }
  } else if (EditControl == edCheckBox) {
    UpdateEditingCell(RCol, ARow, EditCheck->Checked() ? FCheckTrue : FCheckFalse);
    EditCheck->SetEnabled(false);
    EditCheck->Hide();
    EditMode = false;
  } else if (EditControl == edButton) {
    GridButton->SetEnabled(false);
    GridButton->Hide();
    EditMode = false;
  }
  const bool Plain = EditControl == edNormal || EditControl == edCapital || EditControl == edValidChars;
  if (!Plain && FEditActive)
    DoneEditing(RCol, ARow);
}

// ---------------------------------------------------------------- what the editors ask

void TZurEvoderOzod::PostEditShow() { PostGridMessage(RegisterGridUnit().WM_GRIDEDITSHOW, 0, 0); }

void TZurEvoderOzod::WMKeyUp(uint16_t& Key, TShiftState Shift) { TBaseGrid::WMKeyUp(Key, Shift); }

void TZurEvoderOzod::DoGridKeyUp(uint16_t& Key, TShiftState Shift)
{
  if (OnKeyUp)
    OnKeyUp(this, Key, Shift);
}

void TZurEvoderOzod::DoGridKeyPress(TObject* Sender, char16_t& Key)
{
  if (OnKeyPress)
    OnKeyPress(Sender, Key);
}

void TZurEvoderOzod::DoComboChange(int32_t ACol, int32_t ARow, int32_t AItemIndex, const String& ASelection,
                                   TObject* AObject)
{
  if (OnComboChange)
    OnComboChange(this, ACol, ARow, AItemIndex, ASelection);
  if (OnComboObjectChange)
    OnComboObjectChange(this, ACol, ARow, AItemIndex, ASelection, AObject);
}

void TZurEvoderOzod::DoSpinClick(int32_t ACol, int32_t ARow, int32_t AValue, bool UpDown)
{
  if (OnSpinClick)
    OnSpinClick(this, ACol, ARow, AValue, UpDown);
}

void TZurEvoderOzod::DoFloatSpinClick(int32_t ACol, int32_t ARow, double AValue, bool UpDown)
{
  if (OnFloatSpinClick)
    OnFloatSpinClick(this, ACol, ARow, AValue, UpDown);
}

void TZurEvoderOzod::DoDateSpinClick(int32_t ACol, int32_t ARow, TDateTime AValue, bool UpDown)
{
  if (OnDateSpinClick)
    OnDateSpinClick(this, ACol, ARow, AValue, UpDown);
}

void TZurEvoderOzod::DoTimeSpinClick(int32_t ACol, int32_t ARow, TDateTime AValue, bool UpDown)
{
  if (OnTimeSpinClick)
    OnTimeSpinClick(this, ACol, ARow, AValue, UpDown);
}

// ---------------------------------------------------------------- radio groups

void TZurEvoderOzod::HandleRadioClick(int32_t ACol, int32_t ARow, int32_t XOff, int32_t YOff)
{
  // Captions are measured in the cell's own font.
  TCanvas* C = Canvas();
  GetCellColor(ACol, ARow, 0, C->Brush(), C->Font());
  const TPoint B = BaseCell(ACol, ARow);
  TCellGraphic* G = GetCellGraphic(B.X, B.Y);
  const int32_t DC = RemapColInv(B.X);
  // The focus moves first, so that a press between the items still moves it.
  if (!IsFixed(DC, B.Y))
    FocusCell(DC, B.Y);
  if (!G || G->CellType() != ctRadio)
    return;
  const TStringList* Items = GetRadioStrings(B.X, B.Y);
  if (!Items)
    return;
  const int32_t RadioSize = FControlLook->ControlStyle() >= csWinXP ? 16 : FControlLook->RadioSize();
  int32_t Hit = -1;
  if (G->CellBoolean()) {
    // Side by side: each item is its caption and its button wide.
    int32_t L = 0;
    for (int32_t I = 0; I < Items->Count() && Hit < 0; ++I) {
      const int32_t R = L + C->TextWidth(Items->Strings(I)) + RadioSize;
      if (L < XOff && XOff < R)
        Hit = I;
      L = R;
    }
  } else {
    const int32_t H = std::max(RadioSize, C->TextHeight(QStringLiteral("gh")));
    for (int32_t I = 0; I < Items->Count() && Hit < 0; ++I)
      if (I * H < YOff && YOff < (I + 1) * H)
        Hit = I;
  }
  if (Hit < 0)
    return;
  // The cell store is addressed by the real column; the event names the
  // column the user sees.
  SetCellEx(B.X, B.Y, Items->Strings(Hit));
  SetRadioIdx(B.X, B.Y, Hit);
  if (OnRadioClick)
    OnRadioClick(this, DC, B.Y, Hit);
}

// ---------------------------------------------------------------- fixed cells

void TZurEvoderOzod::DoFixedCellEdit(int32_t ACol, int32_t ARow, TGridFixedCellEditor& AEditor, TStringList* Values)
{
  if (OnFixedEdit)
    OnFixedEdit(this, ACol, ARow, AEditor, Values);
}

void TZurEvoderOzod::ShowFixedInplaceEdit(int32_t ACol, int32_t ARow)
{
  if (!IsFixed(ACol, ARow))
    throw Exception(QStringLiteral("Cannot start fixed inplace editor in non-fixed cell"));
  StartFixedEdit(ACol, ARow, false);
}

void TZurEvoderOzod::StartFixedEdit(int32_t ACol, int32_t ARow, bool AFilter)
{
  // An open edit ends first; one that validation refuses stays.
  if (FEditTrans->Visible() && !FEditTrans->StopEdit())
    return;
  if (FComboTrans->Visible() && !FComboTrans->StopEdit())
    return;
  if (FMouseActions->HotmailRowSelect() && ACol == 0)
    return;
  bool CanEdit = true;
  if (OnCanEditCell)
    OnCanEditCell(this, ARow, ACol, CanEdit);
  if (!CanEdit)
    return;
  FFixedColEdit = ACol;
  FFixedRowEdit = ARow;
  TGridFixedCellEditor Editor = ACol == 0 ? FMouseActions->FixedColsEditor() : FMouseActions->FixedRowsEditor();
  FComboTrans->Items()->Assign(*FMouseActions->FixedComboValues());
  DoFixedCellEdit(ACol, ARow, Editor, FComboTrans->Items());
  TRect R = CellRect(ACol, ARow);
  const int32_t RC = RealColIndex(ACol);
  R = TRect{R.Left + 1, R.Top + 3, R.Right - 1, R.Bottom - 1};
  if (AFilter) {
    // Room for the filter-type button at the left of the filter cell.
    R.Left += 19;
    Editor = fceEdit;
    FEditTrans->SetColor(FFilterEdit->Color());
  }
  const String Text = GetCellEx(RC, ARow);
  if (Editor == fceComboEdit || Editor == fceComboList) {
    TGridTransCombo* C = FComboTrans;
    C->SetBounds(R.Left - 1, R.Top - 1, R.Width() + 1, R.Height());
    C->SetStyle(Editor == fceComboEdit ? csDropDown : csDropDownList);
    C->SetDropDownCount(FControlLook->DropDownCount());
    C->SetText(Text);
    if (Editor == fceComboList)
      C->SetItemIndex(C->Items()->IndexOf(Text));
    if (FNavigation->AutoComboDropSize())
      C->SizeDropDownWidth();
    C->FCol = RC;
    C->FRow = ARow;
    C->Show();
    if (C->CanFocus())
      C->SetFocus();
    return;
  }
  TGridTransEdit* E = FEditTrans;
  E->SetBounds(R.Left, R.Top, R.Width(), R.Height());
  E->SetText(Text);
  E->FCol = RC;
  E->FRow = ARow;
  E->Show();
  E->FFilterEdit = AFilter;
  if (E->CanFocus())
    E->SetFocus();
}

bool TZurEvoderOzod::StopFixedEdit(TWinControl* Editor, int32_t ACol, int32_t ARow, bool EditBox)
{
  String Text = Editor->Text();
  bool Valid = true;
  if (OnCellValidate)
    OnCellValidate(this, ACol, ARow, Text, Valid);
  if (Valid) {
    FireNotify(OnEditingDone, this);
    SetCellEx(ACol, ARow, Text);
    Editor->Hide();
    if (EditBox && OnEditCellDone)
      OnEditCellDone(Editor, ACol, ARow);
    return true;
  }
  const auto Icon = static_cast<int32_t>(FInvalidEntryIcon);
  if (auto* E = dynamic_cast<TCustomEdit*>(Editor))
    E->ShowBalloonTip(FInvalidEntryTitle, FInvalidEntryText, Icon);
  else if (auto* C = dynamic_cast<TCustomComboBox*>(Editor); C && C->Style() != csDropDownList)
    C->ShowBalloonTip(FInvalidEntryTitle, FInvalidEntryText, Icon);
  // A header cell never becomes the current cell; a normal one does.
  const int32_t DC = DisplColIndex(ACol);
  if (DC >= FixedCols() && ARow >= FixedRows())
    FocusCell(DC, ARow);
  if (Editor->CanFocus())
    Editor->SetFocus();
  return false;
}
