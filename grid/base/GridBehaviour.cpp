#include "grid/base/GridBehaviour.h"

#include "platform/Published.h"

namespace {

[[maybe_unused]] const TClassInfo& SearchFooterClass = PublishClass<TSearchFooter>(
    "TSearchFooter", "TPersistent",
    {
        PropColor("Color", &TSearchFooter::Color, &TSearchFooter::SetColor, 0x00FFFFFF),
        PropColor("ColorTo", &TSearchFooter::ColorTo, &TSearchFooter::SetColorTo, clBtnFace),
        PropBool("Visible", &TSearchFooter::Visible, &TSearchFooter::SetVisible, false),
    });

[[maybe_unused]] const TClassInfo& NavigationClass = PublishClass<TNavigation>(
    "TNavigation", "TPersistent",
    {
        PropBool("AlwaysEdit", &TNavigation::AlwaysEdit, &TNavigation::SetAlwaysEdit, false),
        PropBool("AdvanceOnEnter", &TNavigation::AdvanceOnEnter, &TNavigation::SetAdvanceOnEnter, false),
    });

using M = TMouseActions;
[[maybe_unused]] const TClassInfo& MouseActionsClass =
    PublishClass<M>("TMouseActions", "TPersistent",
                    {
                        PropBool("AllColumnSize", &M::AllColumnSize, &M::SetAllColumnSize, false),
                        PropBool("AllRowSize", &M::AllRowSize, &M::SetAllRowSize, false),
                        PropBool("CheckAllCheck", &M::CheckAllCheck, &M::SetCheckAllCheck, false),
                        PropBool("DirectDateClose", &M::DirectDateClose, &M::SetDirectDateClose, false),
                        PropBool("DisjunctRowSelect", &M::DisjunctRowSelect, &M::SetDisjunctRowSelect, false),
                        PropBool("HotmailRowSelect", &M::HotmailRowSelect, &M::SetHotmailRowSelect, false),
                        PropBool("RangeSelectAndEdit", &M::RangeSelectAndEdit, &M::SetRangeSelectAndEdit, false),
                    });

[[maybe_unused]] const TClassInfo& SyncGridClass = PublishClass<TSyncGrid>(
    "TSyncGrid", "TPersistent",
    {
        PropObj("Grid", &TSyncGrid::Grid, &TSyncGrid::SetGrid),
        PropBool("SelectionColumn", &TSyncGrid::SelectionColumn, &TSyncGrid::SetSelectionColumn, false),
        PropBool("MoveColumn", &TSyncGrid::MoveColumn, &TSyncGrid::SetMoveColumn, false),
        PropBool("MoveRow", &TSyncGrid::MoveRow, &TSyncGrid::SetMoveRow, false),
    });

[[maybe_unused]] const TClassInfo& BandsClass =
    PublishClass<TBands>("TBands", "TPersistent", {PropBool("Active", &TBands::Active, &TBands::SetActive, false)});

[[maybe_unused]] const TClassInfo& FocusHelperClass = PublishClass<TFocusHelper>(
    "TFocusHelper", "TPersistent", {PropBool("Enabled", &TFocusHelper::Enabled, &TFocusHelper::SetEnabled, false)});

} // namespace

// ---------------------------------------------------------------- TSearchFooter

TSearchFooter::TSearchFooter() = default;
TSearchFooter::~TSearchFooter() = default;
String TSearchFooter::ClassName() const { return QStringLiteral("TSearchFooter"); }

void TSearchFooter::Changed()
{
  if (OnChange)
    OnChange(this);
}

void TSearchFooter::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TSearchFooter*>(Source)) {
    FColor = S->FColor;
    FColorTo = S->FColorTo;
    FVisible = S->FVisible;
  }
}

void TSearchFooter::SetColor(TColor Value)
{
  FColor = Value;
  Changed();
}

void TSearchFooter::SetColorTo(TColor Value)
{
  FColorTo = Value;
  Changed();
}

void TSearchFooter::SetVisible(bool Value)
{
  if (FVisible == Value)
    return;
  FVisible = Value;
  Changed();
}

void TSearchFooter::SetAutoThemeAdapt(bool Value)
{
  FAutoThemeAdapt = Value;
  Changed();
}

// ---------------------------------------------------------------- TNavigation

TNavigation::TNavigation() = default;
TNavigation::~TNavigation() = default;
String TNavigation::ClassName() const { return QStringLiteral("TNavigation"); }

void TNavigation::Changed()
{
  if (OnChange)
    OnChange(this);
}

void TNavigation::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TNavigation*>(Source)) {
    FAlwaysEdit = S->FAlwaysEdit;
    FAdvanceOnEnter = S->FAdvanceOnEnter;
  }
}

void TNavigation::SetAlwaysEdit(bool Value)
{
  FAlwaysEdit = Value;
  Changed();
}

void TNavigation::SetAdvanceOnEnter(bool Value)
{
  FAdvanceOnEnter = Value;
  Changed();
}

// ---------------------------------------------------------------- TMouseActions

TMouseActions::TMouseActions() = default;
TMouseActions::~TMouseActions() = default;
String TMouseActions::ClassName() const { return QStringLiteral("TMouseActions"); }

void TMouseActions::Changed()
{
  if (OnChange)
    OnChange(this);
}

void TMouseActions::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TMouseActions*>(Source)) {
    FCheckAllCheck = S->FCheckAllCheck;
    FDirectDateClose = S->FDirectDateClose;
    FDisjunctRowSelect = S->FDisjunctRowSelect;
    FRangeSelectAndEdit = S->FRangeSelectAndEdit;
    FAllColumnSize = S->FAllColumnSize;
    FAllRowSize = S->FAllRowSize;
  }
}

void TMouseActions::SetCheckAllCheck(bool Value)
{
  FCheckAllCheck = Value;
  Changed();
}

void TMouseActions::SetDirectDateClose(bool Value)
{
  FDirectDateClose = Value;
  Changed();
}

void TMouseActions::SetDisjunctRowSelect(bool Value)
{
  FDisjunctRowSelect = Value;
  Changed();
}

void TMouseActions::SetHotmailRowSelect(bool Value)
{
  FHotmailRowSelect = Value;
  if (Value) {
    FDisjunctRowSelect = true;
    FCheckAllCheck = true;
    if (OnInvalidate)
      OnInvalidate(this);
  }
  Changed();
}

void TMouseActions::SetRangeSelectAndEdit(bool Value)
{
  FRangeSelectAndEdit = Value;
  Changed();
}

// ---------------------------------------------------------------- TSyncGrid

TSyncGrid::TSyncGrid(TComponent* AOwner) : FOwner(AOwner) {}
TSyncGrid::~TSyncGrid() = default;
String TSyncGrid::ClassName() const { return QStringLiteral("TSyncGrid"); }

void TSyncGrid::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TSyncGrid*>(Source)) {
    SetGrid(S->FGrid);
    FSelectionColumn = S->FSelectionColumn;
    FMoveColumn = S->FMoveColumn;
    FMoveRow = S->FMoveRow;
  }
}

void TSyncGrid::SetGrid(TComponent* Value)
{
  if (Value == FOwner || Value == FGrid)
    return;
  TComponent* Old = FGrid;
  FGrid = Value;
  if (OnGridChanged)
    OnGridChanged(Old, Value);
}

// ---------------------------------------------------------------- TBands, TFocusHelper

TBands::TBands() = default;
TBands::~TBands() = default;
String TBands::ClassName() const { return QStringLiteral("TBands"); }

void TBands::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TBands*>(Source))
    FActive = S->FActive;
}

void TBands::SetActive(bool Value)
{
  FActive = Value;
  if (OnChange)
    OnChange(this);
}

TFocusHelper::TFocusHelper() = default;
TFocusHelper::~TFocusHelper() = default;
String TFocusHelper::ClassName() const { return QStringLiteral("TFocusHelper"); }

void TFocusHelper::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TFocusHelper*>(Source))
    FEnabled = S->FEnabled;
}
