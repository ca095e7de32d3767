#include "grid/edit/GridCheckBox.h"

#include "grid/base/GridBehaviour.h"
#include "grid/edit/GridEditHost.h"
#include "platform/Grids.h"
#include "rtl/Exceptions.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace {

void FocusGrid(TGridEditHost* Host)
{
  TCustomGrid* G = Host->EditGrid();
  if (G->CanFocus())
    G->SetFocus();
}

} // namespace

// ---------------------------------------------------------------- TGridCheckBox

TGridCheckBox::TGridCheckBox(TComponent* AOwner, TGridEditHost* AHost) : TCheckBox(AOwner), FGrid(AHost)
{
  if (!AHost)
    throw EInvalidCast(QStringLiteral("Invalid class typecast"));
}

TGridCheckBox::~TGridCheckBox() = default;

String TGridCheckBox::ClassName() const { return QStringLiteral("TGridCheckBox"); }

void TGridCheckBox::KeyDown(uint16_t& Key, TShiftState Shift)
{
  if (!FGrid)
    return TCheckBox::KeyDown(Key, Shift);
  switch (Key) {
  case VK_SPACE:
    // Toggled here; the native box must not toggle it back on release.
    SetChecked(!Checked());
    Key = 0;
    return;
  case VK_RETURN:
  case VK_PRIOR:
  case VK_NEXT:
  case VK_END:
  case VK_LEFT:
  case VK_UP:
  case VK_RIGHT:
  case VK_DOWN: {
    const uint16_t K = Key;
    Key = 0;
    FGrid->HideInplaceEdit();
    FocusGrid(FGrid);
    const TCustomGrid* G = FGrid->EditGrid();
    if (K == VK_RETURN && FGrid->Navigation()->AdvanceOnEnter())
      FGrid->AdvanceEdit(G->Col(), G->Row(), false, true, !(Shift & ssShift), false, false);
    if (K == VK_UP || K == VK_DOWN) {
      uint16_t Move = K;
      FGrid->WMKeyDown(Move, Shift);
    }
    return;
  }
  default:
    TCheckBox::KeyDown(Key, Shift);
  }
}

void TGridCheckBox::DoExit()
{
  if (FGrid)
    FGrid->HideInplaceEdit();
  TCheckBox::DoExit();
}

// ---------------------------------------------------------------- TGridButton

TGridButton::TGridButton(TComponent* AOwner, TGridEditHost* AHost) : TButton(AOwner), FGrid(AHost)
{
  if (!AHost)
    throw EInvalidCast(QStringLiteral("Invalid class typecast"));
}

TGridButton::~TGridButton() = default;

String TGridButton::ClassName() const { return QStringLiteral("TGridButton"); }

void TGridButton::AskEllipsis()
{
  String S;
  FGrid->EllipsClick(Caption(), S);
  SetCaption(S);
  FGrid->SetCurrentCell(S);
}

void TGridButton::PutAway()
{
  Hide();
  SetEnabled(false);
  FGrid->EditMode = false;
  FocusGrid(FGrid);
}

void TGridButton::KeyDown(uint16_t& Key, TShiftState Shift)
{
  if (!FGrid)
    return TButton::KeyDown(Key, Shift);
  if (Key >= VK_LEFT && Key <= VK_DOWN) {
    uint16_t Down = Key, Up = Key;
    Key = 0;
    FGrid->WMKeyDown(Down, Shift);
    PutAway();
    FGrid->WMKeyUp(Up, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    Key = 0;
    PutAway();
    FGrid->RestoreCache();
    uint16_t Escape = VK_ESCAPE;
    FGrid->WMKeyDown(Escape, Shift);
    return;
  }
  TButton::KeyDown(Key, Shift);
}

void TGridButton::KeyUp(uint16_t& Key, TShiftState Shift)
{
  if (!FGrid)
    return TButton::KeyUp(Key, Shift);
  if (Key != VK_SPACE) {
    // Other releases are neither passed on nor reported.
    Key = 0;
    return;
  }
  AskEllipsis();
  TButton::KeyUp(Key, Shift);
  if (CanFocus())
    SetFocus();
  Repaint();
}

bool TGridButton::CMWantSpecialKey(uint16_t Key)
{
  return Key == VK_ESCAPE || (Key >= VK_LEFT && Key <= VK_DOWN) || TButton::CMWantSpecialKey(Key);
}

void TGridButton::DoExit()
{
  if (FGrid)
    FGrid->HideInplaceEdit();
  TButton::DoExit();
}

bool TGridButton::WidgetEvent(QObject* Watched, QEvent* Event)
{
  if (FGrid && Watched == static_cast<QObject*>(WidgetOrNull()) && Event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(Event)->button() == Qt::LeftButton)
    AskEllipsis();
  return TButton::WidgetEvent(Watched, Event);
}
