// Check boxes, radio groups and radio buttons in cells: made, kept, read,
// set and toggled. A plain check box keeps its state in its record, a data
// check box in the cell text (the check texts), a tri-state box its three
// states, the row check boxes of column 0 the row's disjunct selection; a
// radio group keeps the chosen index and mirrors the choice in the text,
// a radio button its state and its group.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/GridBehaviour.h"
#include "grid/core/GridSettings.h"
#include "platform/Graphics.h"
#include "rtl/StringList.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr TCellTypes CheckKinds = CellTypeBit(ctCheckBox) | CellTypeBit(ctDataCheckBox) | CellTypeBit(ctVirtCheckBox) |
                                  CellTypeBit(ctRowCheckBox) | CellTypeBit(ctTriStateCheckBox);
constexpr TCellTypes DataCheckKinds =
    CellTypeBit(ctDataCheckBox) | CellTypeBit(ctVirtCheckBox) | CellTypeBit(ctRowCheckBox);
constexpr TCellTypes ButtonKinds = CellTypeBit(ctButton) | CellTypeBit(ctBitButton) | CellTypeBit(ctVirtButton);

bool Is(const TCellGraphic* G, TCellTypes Kinds) { return G && (Kinds & CellTypeBit(G->CellType())); }

TCheckBoxState StateOf(bool Checked) { return Checked ? cbChecked : cbUnchecked; }

} // namespace

// ---------------------------------------------------------------- shared

void TZurEvoderOzod::CheckCellInGrid(int32_t ACol, int32_t ARow) const
{
  if (ACol >= ColCount() + FNumHidden || ARow >= RowCount() + NumHiddenRows())
    throw Exception(QStringLiteral("Invalid cell"));
}

TCellVAlign TZurEvoderOzod::ControlVAlign() const
{
  switch (FVAlignment) {
  case vtaCenter:
    return vaCenter;
  case vtaBottom:
    return vaBottom;
  default:
    return vaTop;
  }
}

int32_t TZurEvoderOzod::CheckFirstRow() const
{
  return FMouseActions->CheckAllCheck() ? std::max(0, FixedRows() - 1) : FixedRows();
}

TCellGraphic* TZurEvoderOzod::CheckedGraphic(int32_t ACol, int32_t ARow) const
{
  const TPoint Base = BaseCell(ACol, ARow);
  return const_cast<TZurEvoderOzod*>(this)->GetCellGraphic(Base.X, Base.Y);
}

TCellGraphic* TZurEvoderOzod::StoredGraphic(int32_t ACol, int32_t RealRow, bool& FromStore)
{
  FromStore = false;
  if (NumHiddenRows() == 0)
    return GetCellGraphic(ACol, RealRow);
  if (auto* CP = dynamic_cast<TCellProperties*>(GetAllGraphicsObject(ACol, RealRow))) {
    FromStore = true;
    return dynamic_cast<TCellGraphic*>(GetCPGraphicObject(CP));
  }
  return GetCellGraphic(ACol, RealRow);
}

bool TZurEvoderOzod::MouseRefused(int32_t ACol, int32_t ARow, bool FromMouse, bool AlwaysActive)
{
  if (!FromMouse || AlwaysActive)
    return false;
  bool CanEdit = true;
  GetCellReadOnly(ACol, ARow, CanEdit);
  return !CanEdit;
}

bool TZurEvoderOzod::DataChecked(int32_t ACol, int32_t ARow, const String& Text)
{
  // Exact: a check text in other letter case means unchecked.
  return Text == GetCheckTrue(ACol, ARow);
}

String TZurEvoderOzod::GetColumnCheckTrue(int32_t) { return FCheckTrue; }
String TZurEvoderOzod::GetColumnCheckFalse(int32_t) { return FCheckFalse; }

void TZurEvoderOzod::DoCheckBoxChange(int32_t ACol, int32_t ARow, bool State)
{
  if (OnCheckBoxChange)
    OnCheckBoxChange(this, ACol, ARow, State);
}

// ---------------------------------------------------------------- check boxes

void TZurEvoderOzod::AddCheckBox(int32_t ACol, int32_t ARow, bool State, bool Data)
{
  CheckCellInGrid(ACol, ARow);
  CreateCellGraphic(ACol, ARow)->SetCheckBox(State, Data, true, haBeforeText, ControlVAlign());
  if (Data) {
    const String Text = GetCellEx(ACol, ARow);
    const String True = GetCheckTrue(ACol, ARow), False = GetCheckFalse(ACol, ARow);
    if (Text != True && Text != False)
      SetCellEx(ACol, ARow, State ? True : False);
  }
  RepaintCell(DisplColIndex(ACol), ARow);
}

void TZurEvoderOzod::AddCheckBox(int32_t ACol, int32_t ARow, TCheckBoxState State)
{
  CheckCellInGrid(ACol, ARow);
  CreateCellGraphic(ACol, ARow)->SetCheckBox(State, true, haBeforeText, ControlVAlign());
  RepaintCell(DisplColIndex(ACol), ARow);
}

void TZurEvoderOzod::AddCheckBoxColumn(int32_t ACol, bool DefaultState, bool DataCheckBox)
{
  if (ACol == 0 && FMouseActions->HotmailRowSelect())
    return;
  for (int32_t R = CheckFirstRow(); R < RowCount() - FFixedFooters; ++R) {
    if (IsSummary(R))
      continue;
    if (IsNode(R))
      AddCheckBox(ACol, R, StateOf(DefaultState));
    else
      AddCheckBox(ACol, R, DefaultState, DataCheckBox);
  }
}

void TZurEvoderOzod::AddTriStateCheckBoxColumn(int32_t ACol, TCheckBoxState State)
{
  for (int32_t R = CheckFirstRow(); R < RowCount(); ++R)
    AddCheckBox(ACol, R, State);
}

void TZurEvoderOzod::RemoveCheckBox(int32_t ACol, int32_t ARow)
{
  // The record frees an attached balloon with itself.
  const TCellType T = GetCellType(ACol, ARow);
  if (T == ctCheckBox || T == ctDataCheckBox || T == ctTriStateCheckBox)
    FreeCellGraphic(ACol, ARow);
}

void TZurEvoderOzod::RemoveCheckBoxColumn(int32_t ACol)
{
  for (int32_t R = CheckFirstRow(); R < RowCount(); ++R)
    if (HasCheckBox(ACol, R))
      RemoveCheckBox(ACol, R);
}

bool TZurEvoderOzod::HasCheckBox(int32_t ACol, int32_t ARow) { return IsCellGraphic(ACol, ARow, CheckKinds); }
bool TZurEvoderOzod::HasDataCheckBox(int32_t ACol, int32_t ARow) { return IsCellGraphic(ACol, ARow, DataCheckKinds); }

bool TZurEvoderOzod::IsDataCheckCol(int32_t ACol)
{
  const int32_t FR = FixedRows();
  return FR + 1 < RowCount() && HasDataCheckBox(ACol, FR) && HasDataCheckBox(ACol, FR + 1);
}

bool TZurEvoderOzod::IsCheckCell(int32_t ACol, int32_t ARow) { return HasCheckBox(ACol, ARow); }

// The undo list puts a check state back through its text.
void TZurEvoderOzod::SetAsCheck(int32_t ACol, int32_t ARow, const String& Value)
{
  SetCheckBoxState(ACol, ARow, Value == FCheckTrue);
}

bool TZurEvoderOzod::GetCheckBoxState(int32_t ACol, int32_t ARow, TCheckBoxState& State)
{
  const bool Hidden = NumHiddenRows() > 0;
  bool FromStore = false;
  const TCellGraphic* G = Hidden ? StoredGraphic(ACol, ARow, FromStore) : GetCellGraphic(ACol, ARow);
  if (!G)
    return false;
  // Text of the row: through the all-rows reader when rows are hidden.
  const String Text = FromStore ? GetCellsEx(ACol, ARow) : GetCellEx(ACol, ARow);
  switch (G->CellType()) {
  case ctCheckBox:
    if (Hidden && !FromStore)
      return false;
    State = StateOf(G->CellBoolean());
    return true;
  case ctDataCheckBox:
  case ctVirtCheckBox:
    State = StateOf(DataChecked(ACol, ARow, Text));
    return true;
  case ctTriStateCheckBox:
    State = G->CellCheckBoxState();
    return true;
  case ctRowCheckBox:
    if (ACol != 0)
      return false;
    State = StateOf(G->CellBoolean());
    return true;
  default:
    return false;
  }
}

bool TZurEvoderOzod::GetCheckBoxState(int32_t ACol, int32_t ARow, bool& State)
{
  const bool Hidden = NumHiddenRows() > 0;
  if (Hidden && ACol == 0 && FMouseActions->HotmailRowSelect()) {
    State = ARow >= 0 && ARow < static_cast<int32_t>(FRowSelect.size()) && FRowSelect[static_cast<size_t>(ARow)];
    return true;
  }
  bool FromStore = false;
  const TCellGraphic* G = Hidden ? StoredGraphic(ACol, ARow, FromStore) : GetCellGraphic(ACol, ARow);
  if (!G)
    return false;
  switch (G->CellType()) {
  case ctCheckBox:
    State = G->CellBoolean();
    return true;
  case ctDataCheckBox:
  case ctVirtCheckBox:
    State = DataChecked(ACol, ARow, FromStore ? GetCellsEx(ACol, ARow) : GetCellEx(ACol, ARow));
    return true;
  case ctTriStateCheckBox:
    // Its three states are read with the state form; hidden rows compare
    // the text, as a data check box does.
    if (!Hidden)
      return false;
    State = DataChecked(ACol, ARow, GetCellsEx(ACol, ARow));
    return true;
  case ctRowCheckBox:
    if (ACol != 0)
      return false;
    State = G->CellBoolean();
    return true;
  default:
    return false;
  }
}

bool TZurEvoderOzod::IsChecked(int32_t ACol, int32_t ARow)
{
  bool State = false;
  return GetCheckBoxState(ACol, ARow, State) && State;
}

bool TZurEvoderOzod::SetCheckBoxState(int32_t ACol, int32_t ARow, TCheckBoxState State)
{
  bool FromStore = false;
  TCellGraphic* G = StoredGraphic(ACol, ARow, FromStore);
  if (!Is(G, CellTypeBit(ctTriStateCheckBox)))
    return false;
  G->SetCellCheckBoxState(State);
  RepaintCell(DisplColIndex(ACol), DisplRowIndex(ARow));
  return true;
}

bool TZurEvoderOzod::SetCheckBoxState(int32_t ACol, int32_t ARow, bool State)
{
  bool FromStore = false;
  TCellGraphic* G = StoredGraphic(ACol, ARow, FromStore);
  if (!G)
    return false;
  switch (G->CellType()) {
  case ctCheckBox:
    G->SetCellBoolean(State);
    RepaintCell(DisplColIndex(ACol), DisplRowIndex(ARow));
    return true;
  case ctTriStateCheckBox:
    G->SetCellCheckBoxState(StateOf(State));
    RepaintCell(DisplColIndex(ACol), DisplRowIndex(ARow));
    return true;
  case ctDataCheckBox:
  case ctVirtCheckBox:
    SetCellsEx(ACol, ARow, State ? GetCheckTrue(ACol, ARow) : GetCheckFalse(ACol, ARow));
    return true;
  case ctRowCheckBox:
    if (ACol != 0)
      return false;
    SetRowSelect(ARow, State);
    return true;
  default:
    return false;
  }
}

bool TZurEvoderOzod::SetCheckBoxStateInt(int32_t ACol, int32_t ARow, bool State)
{
  const int32_t Real = NumHiddenRows() > 0 ? RealRowIndex(ARow) : ARow;
  bool FromStore = false;
  TCellGraphic* G = StoredGraphic(ACol, Real, FromStore);
  if (!G)
    return false;
  switch (G->CellType()) {
  case ctCheckBox:
    if (G->CellBoolean() != State) {
      G->SetCellBoolean(State);
      DoCheckBoxChange(ACol, ARow, State);
      RepaintCell(DisplColIndex(ACol), ARow);
    }
    return true;
  case ctTriStateCheckBox:
    G->SetCellCheckBoxState(StateOf(State));
    RepaintCell(DisplColIndex(ACol), ARow);
    return false;
  case ctDataCheckBox:
  case ctVirtCheckBox: {
    const bool Was = DataChecked(ACol, ARow, GetCellEx(ACol, ARow));
    SetCellEx(ACol, ARow, State ? GetCheckTrue(ACol, ARow) : GetCheckFalse(ACol, ARow));
    if (Was != State)
      DoCheckBoxChange(ACol, ARow, State);
    return true;
  }
  case ctRowCheckBox:
    if (ACol != 0)
      return false;
    if (RowSelect(ARow) != State) {
      SetRowSelect(ARow, State);
      DoCheckBoxChange(ACol, ARow, State);
    }
    return true;
  default:
    return false;
  }
}

void TZurEvoderOzod::CheckAll(int32_t ACol)
{
  for (int32_t R = FixedRows(); R < RowCount(); ++R)
    SetCheckBoxStateInt(ACol, R, true);
  if (FNumHidden > 0)
    RepaintCol(DisplColIndex(ACol));
}

void TZurEvoderOzod::UnCheckAll(int32_t ACol)
{
  for (int32_t R = FixedRows(); R < RowCount(); ++R)
    SetCheckBoxStateInt(ACol, R, false);
}

bool TZurEvoderOzod::ToggleCheck(int32_t ACol, int32_t ARow, bool FromMouse)
{
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!Is(G, CheckKinds))
    return false;
  const TCellType Kind = G->CellType();
  const String Before = GetCellEx(ACol, ARow);
  bool Current = false;
  switch (Kind) {
  case ctCheckBox:
    Current = G->CellBoolean();
    break;
  case ctRowCheckBox:
    Current = RowSelect(ARow);
    break;
  case ctTriStateCheckBox:
    Current = G->CellCheckBoxState() == cbChecked;
    break;
  default:
    Current = DataChecked(ACol, ARow, Before);
    break;
  }
  bool Allow = true;
  if (OnCheckBoxCanToggle)
    OnCheckBoxCanToggle(this, ACol, ARow, Current, Allow);
  if (!Allow)
    return false;

  // The group the row belongs to, when its check boxes follow the node.
  const bool Group = FGrouping->AutoCheckGroup() && FGroupColumn != -1 && ARow >= FixedRows();
  bool NodeRow = false, Contracted = false;
  int32_t Span = 0, Parent = -1;
  if (Group) {
    auto SpanOf = [this](int32_t R) {
      const TCellGraphic* N = GetCellGraphic(0, R);
      return N && N->CellType() == ctNode ? N->CellIndex() : 0;
    };
    NodeRow = IsNode(ARow);
    if (NodeRow) {
      Span = SpanOf(ARow);
      Contracted = GetCellGraphic(0, ARow)->CellBoolean();
    } else {
      for (int32_t R = ARow - 1; R >= FixedRows() && Parent < 0; --R)
        if (IsNode(R) && R + SpanOf(R) > ARow)
          Parent = R;
      Span = Parent >= 0 ? SpanOf(Parent) : 0;
    }
  }

  if (MouseRefused(ACol, ARow, FromMouse, FControlLook->CheckAlwaysActive()))
    return false;

  bool NewState = false;
  switch (Kind) {
  case ctCheckBox:
    G->SetCellBoolean(!G->CellBoolean());
    NewState = G->CellBoolean();
    break;
  case ctTriStateCheckBox: {
    const TCheckBoxState S = G->CellCheckBoxState();
    TCheckBoxState Next = cbChecked;
    if (S == cbChecked)
      Next = cbUnchecked;
    else if (S == cbUnchecked && !NodeRow && FNavigation->ToggleTriStateCheck() == tsAllStates)
      Next = cbGrayed;
    G->SetCellCheckBoxState(Next);
    NewState = Next == cbChecked;
    break;
  }
  case ctRowCheckBox:
    // The box shows the row's selection, so toggling it selects the row
    // (writing a check text into the cell would change nothing shown).
    NewState = !Current;
    SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow, NewState);
    break;
  default:
    NewState = Before != GetCheckTrue(ACol, ARow);
    SetCellEx(ACol, ARow, NewState ? GetCheckTrue(ACol, ARow) : GetCheckFalse(ACol, ARow));
    break;
  }
  RepaintCell(DisplColIndex(ACol), ARow);

  if (Group && NodeRow && Span >= 2) {
    for (int32_t I = 1; I < Span; ++I)
      SetCheckBoxState(ACol, Contracted ? RealRowIndex(ARow) + I : RealRowIndex(ARow + I), NewState);
  } else if (Group && Parent >= 0 && Span >= 2) {
    bool First = false, Same = true;
    for (int32_t R = Parent + 1; R < Parent + Span; ++R) {
      bool S = false;
      GetCheckBoxState(ACol, RealRowIndex(R), S);
      if (R == Parent + 1)
        First = S;
      else
        Same = Same && S == First;
    }
    SetCheckBoxState(ACol, RealRowIndex(Parent), Same ? StateOf(First) : cbGrayed);
  }

  DoCheckBoxChange(ACol, ARow, NewState);
  FGridModified = true;
  return true;
}

bool TZurEvoderOzod::IsInCheckBox(int32_t ACol, int32_t ARow, int32_t XPos, int32_t YPos)
{
  const TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!Is(G, CheckKinds | CellTypeBit(ctRadioButton)))
    return false;
  if (!FMouseActions->PreciseCheckBoxCheck())
    return true;
  const TRect R = CellRect(DisplColIndex(ACol), ARow);
  const int32_t Size = FControlLook->CheckSize();
  const int32_t M = static_cast<int32_t>(std::nearbyint(2 * FDPIScale));
  const int32_t B = static_cast<int32_t>(std::nearbyint(Size * FDPIScale));
  TAlignment HAlign = GetCellAlignment(ACol, ARow).first;
  TVAlignment VAlign = G->CellVAlign() == vaBottom ? vtaBottom : G->CellVAlign() == vaCenter ? vtaCenter : vtaTop;
  if (OnGetAlignment) {
    TAlignment H = HAlign;
    OnGetAlignment(this, ARow, ACol, H, VAlign);
  }
  int32_t Top = R.Top + M;
  if (VAlign == vtaCenter)
    Top = R.Top + (R.Height() - Size) / 2;
  else if (VAlign == vtaBottom)
    Top = R.Bottom - M - Size;
  int32_t Left = R.Left + M;
  if (HAlign == taRightJustify) {
    Left = R.Right - M - B;
    if (!GetCellEx(ACol, ARow).isEmpty())
      Left -= GetCellTextSize(ACol, ARow, false, false).X;
  } else if (HAlign == taCenter) {
    Left = R.Left + (R.Width() - B) / 2;
  }
  return XPos >= Left && XPos < Left + B && YPos >= Top && YPos < Top + B;
}

// ---------------------------------------------------------------- radio groups

TStringList* TZurEvoderOzod::CreateRadio(int32_t ACol, int32_t ARow, int32_t DirRadio, int32_t IdxRadio)
{
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetCellType(ctRadio);
  G->SetCellAngle(0);
  G->SetCellBoolean(DirRadio != 0);
  G->SetCellIndex(IdxRadio);
  auto* Choices = new TStringList();
  G->SetCellBitmap(Choices);
  G->SetCellCreated(true);
  RepaintCell(DisplColIndex(ACol), ARow);
  return Choices;
}

void TZurEvoderOzod::AddRadio(int32_t ACol, int32_t ARow, int32_t DirRadio, int32_t IdxRadio, TStringList* sl)
{
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetCellType(ctRadio);
  G->SetCellAngle(sl ? sl->Count() : 0);
  G->SetCellBoolean(DirRadio != 0);
  G->SetCellIndex(IdxRadio);
  G->SetCellBitmap(sl);
  RepaintCell(DisplColIndex(ACol), ARow);
}

bool TZurEvoderOzod::GetRadioIdx(int32_t ACol, int32_t ARow, int32_t& IdxRadio)
{
  const TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G)
    return false;
  IdxRadio = G->CellIndex();
  return G->CellType() == ctRadio;
}

bool TZurEvoderOzod::SetRadioIdx(int32_t ACol, int32_t ARow, int32_t IdxRadio)
{
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G)
    return false;
  G->SetCellIndex(IdxRadio);
  if (IdxRadio == -1)
    SetCellEx(ACol, ARow, String());
  RepaintCell(DisplColIndex(ACol), ARow);
  return G->CellType() == ctRadio;
}

TStringList* TZurEvoderOzod::GetRadioStrings(int32_t ACol, int32_t ARow)
{
  const TCellGraphic* G = CheckedGraphic(ACol, ARow);
  return Is(G, CellTypeBit(ctRadio)) ? dynamic_cast<TStringList*>(G->CellBitmap()) : nullptr;
}

bool TZurEvoderOzod::IsRadio(int32_t ACol, int32_t ARow) { return IsCellGraphic(ACol, ARow, CellTypeBit(ctRadio)); }
bool TZurEvoderOzod::RemoveRadio(int32_t ACol, int32_t ARow) { return RemoveCellGraphic(ACol, ARow, ctRadio); }

bool TZurEvoderOzod::ToggleRadio(int32_t ACol, int32_t ARow, bool FromMouse)
{
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!Is(G, CellTypeBit(ctRadio)))
    return false;
  if (MouseRefused(ACol, ARow, FromMouse, FControlLook->RadioAlwaysActive()))
    return false;
  const auto* Choices = dynamic_cast<TStringList*>(G->CellBitmap());
  const int32_t Count = Choices ? Choices->Count() : 0;
  int32_t Next = G->CellIndex() < 0 ? (Choices ? Choices->IndexOf(GetCellEx(ACol, ARow)) : -1) + 1 : G->CellIndex() + 1;
  if (Next >= Count)
    Next = 0;
  // Below -1 the group keeps its choice only in the text.
  if (G->CellIndex() >= -1)
    G->SetCellIndex(Next);
  G->SetCellVar(Next);
  if (Next < Count)
    SetCellEx(ACol, ARow, Choices->Strings(Next));
  return false;
}

// ---------------------------------------------------------------- radio buttons

void TZurEvoderOzod::AddRadioButtonGroup(int32_t ACol, int32_t ARow, TRadioButtonGroup Group, bool State)
{
  CheckCellInGrid(ACol, ARow);
  CreateCellGraphic(ACol, ARow)->SetRadioButton(State, true, haBeforeText, ControlVAlign(), Group);
  RepaintCell(DisplColIndex(ACol), ARow);
}

void TZurEvoderOzod::AddRadioButton(int32_t ACol, int32_t ARow, bool State)
{
  AddRadioButtonGroup(ACol, ARow, rgCol, State);
}

void TZurEvoderOzod::AddRadioButtonColumn(int32_t ACol)
{
  for (int32_t R = FixedRows(); R < RowCount(); ++R)
    AddRadioButton(ACol, R, false);
}

void TZurEvoderOzod::AddRadioButtonGroupColumn(int32_t ACol)
{
  for (int32_t R = FixedRows(); R < RowCount(); ++R)
    AddRadioButtonGroup(ACol, R, rgRow, false);
}

void TZurEvoderOzod::RemoveRadioButton(int32_t ACol, int32_t ARow) { RemoveCellGraphic(ACol, ARow, ctRadioButton); }

void TZurEvoderOzod::RemoveRadioButtonColumn(int32_t ACol)
{
  for (int32_t R = FixedRows(); R < RowCount(); ++R)
    if (HasRadioButton(ACol, R))
      RemoveRadioButton(ACol, R);
}

bool TZurEvoderOzod::HasRadioButton(int32_t ACol, int32_t ARow)
{
  return IsCellGraphic(ACol, ARow, CellTypeBit(ctRadioButton));
}

bool TZurEvoderOzod::HasRadioButtonGroup(int32_t ACol, int32_t ARow, TRadioButtonGroup Group)
{
  const TCellGraphic* G = CheckedGraphic(ACol, ARow);
  return Is(G, CellTypeBit(ctRadioButton)) && G->CellAngle() == Group;
}

bool TZurEvoderOzod::IsRadioButtonChecked(int32_t ACol, int32_t ARow)
{
  const TCellGraphic* G = CheckedGraphic(ACol, ARow);
  return Is(G, CellTypeBit(ctRadioButton)) && G->CellBoolean();
}

bool TZurEvoderOzod::SetRadioButtonState(int32_t ACol, int32_t ARow, bool State)
{
  TCellGraphic* G = CheckedGraphic(ACol, ARow);
  if (!Is(G, CellTypeBit(ctRadioButton)))
    return false;
  if (G->CellBoolean() != State) {
    G->SetCellBoolean(State);
    RepaintCell(DisplColIndex(ACol), ARow);
  }
  return true;
}

void TZurEvoderOzod::SetRadioButtonRowIndex(int32_t ARow, int32_t Index)
{
  for (int32_t C = FixedCols(); C < ColCount(); ++C)
    SetRadioButtonState(C, ARow, C == Index);
}

void TZurEvoderOzod::SetRadioButtonColumnIndex(int32_t ACol, int32_t Index)
{
  for (int32_t R = FixedRows(); R < RowCount(); ++R)
    SetRadioButtonState(ACol, R, R == Index);
}

int32_t TZurEvoderOzod::GetRadioButtonColumnIndex(int32_t ACol)
{
  for (int32_t R = FixedRows(); R < RowCount(); ++R)
    if (IsRadioButtonChecked(ACol, R))
      return R;
  return -1;
}

bool TZurEvoderOzod::ToggleRadioButton(int32_t ACol, int32_t ARow, bool FromMouse)
{
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!Is(G, CellTypeBit(ctRadioButton)))
    return false;
  if (MouseRefused(ACol, ARow, FromMouse, FControlLook->RadioAlwaysActive()))
    return false;
  if (!G->CellBoolean()) {
    G->SetCellBoolean(true);
    RepaintCell(DisplColIndex(ACol), ARow);
    // The neighbours of the group, up to the first cell that is no radio
    // button on either side.
    auto Uncheck = [this](int32_t C, int32_t R) {
      TCellGraphic* N = GetCellGraphic(C, R);
      if (!Is(N, CellTypeBit(ctRadioButton)))
        return false;
      if (N->CellBoolean()) {
        N->SetCellBoolean(false);
        RepaintCell(DisplColIndex(C), R);
      }
      return true;
    };
    if (G->CellAngle() == rgCol) {
      for (int32_t R = ARow + 1; R < RowCount() && Uncheck(ACol, R); ++R) {
      }
      for (int32_t R = ARow - 1; R >= 0 && Uncheck(ACol, R); --R) {
      }
    } else if (G->CellAngle() == rgRow) {
      for (int32_t C = ACol + 1; C < AllColCount() && Uncheck(C, ARow); ++C) {
      }
      for (int32_t C = ACol - 1; C >= 0 && Uncheck(C, ARow); --C) {
      }
    }
  }
  FGridModified = true;
  return true;
}

// ---------------------------------------------------------------- kinds the editing asks about

bool TZurEvoderOzod::HasDataCell(int32_t ACol, int32_t ARow)
{
  return IsCellGraphic(ACol, ARow, DataCheckKinds | CellTypeBit(ctDataImage));
}

bool TZurEvoderOzod::HasStaticEdit(int32_t ACol, int32_t ARow)
{
  if (ACol < 0 || ARow < 0)
    return false;
  if (IsCellGraphic(ACol, ARow, CheckKinds | CellTypeBit(ctRadio) | CellTypeBit(ctRadioButton)))
    return true;
  return IsCellGraphic(ACol, ARow, ButtonKinds) && !FNavigation->AllowEditButtonCells();
}
