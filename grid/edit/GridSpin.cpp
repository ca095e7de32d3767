#include "grid/edit/GridSpin.h"

#include "grid/base/GridBehaviour.h"
#include "grid/edit/GridEditHost.h"
#include "platform/Grids.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"

namespace {

// The integer at the start of S, as far as it goes ("12x" gives 12).
int32_t LeadingInteger(const String& S)
{
  int32_t I = 0;
  while (I < S.size() && S[I] == u' ')
    ++I;
  const bool Negative = I < S.size() && S[I] == u'-';
  if (I < S.size() && (S[I] == u'-' || S[I] == u'+'))
    ++I;
  int64_t V = 0;
  while (I < S.size() && S[I].isDigit() && V <= INT32_MAX) {
    V = V * 10 + S[I].digitValue();
    ++I;
  }
  V = std::min<int64_t>(V, INT32_MAX);
  return static_cast<int32_t>(Negative ? -V : V);
}

} // namespace

TGridSpin::TGridSpin(TComponent* AOwner, TGridEditHost* AHost) : TZogSpinEdit(AOwner), FGrid(AHost)
{
  if (!AHost)
    throw EInvalidCast(QStringLiteral("Invalid class typecast"));
  SetMaxValue(100);
  SetMinValue(0);
  SetIncrement(1);
}

TGridSpin::~TGridSpin() = default;

String TGridSpin::ClassName() const { return QStringLiteral("TGridSpin"); }

void TGridSpin::UpClick(TObject* Sender)
{
  TZogSpinEdit::UpClick(Sender);
  DoClick(true);
}

void TGridSpin::DownClick(TObject* Sender)
{
  TZogSpinEdit::DownClick(Sender);
  DoClick(false);
}

void TGridSpin::DoClick(bool UpDown)
{
  if (!FGrid)
    return;
  const TCustomGrid* G = FGrid->EditGrid();
  const int32_t C = G->Col(), R = G->Row();
  switch (SpinType()) {
  case sptNormal:
    FGrid->DoSpinClick(C, R, Value(), UpDown);
    break;
  case sptFloat:
    FGrid->DoFloatSpinClick(C, R, FloatValue(), UpDown);
    break;
  case sptDate:
    FGrid->DoDateSpinClick(C, R, DateValue(), UpDown);
    break;
  case sptTime:
    FGrid->DoTimeSpinClick(C, R, TimeValue(), UpDown);
    break;
  }
}

void TGridSpin::CheckMinMax()
{
  switch (SpinType()) {
  case sptNormal:
    if (MinValue() != MaxValue()) {
      if (Value() < MinValue())
        SetValue(MinValue());
      if (Value() > MaxValue())
        SetValue(MaxValue());
    }
    break;
  case sptFloat:
    if (MinFloatValue() != MaxFloatValue()) {
      if (FloatValue() < MinFloatValue())
        SetFloatValue(MinFloatValue());
      if (FloatValue() > MaxFloatValue())
        SetFloatValue(MaxFloatValue());
    }
    break;
  default:
    break;
  }
}

void TGridSpin::Detach() { FGrid = nullptr; }

void TGridSpin::RestoreCachedValue()
{
  SetText(FGrid->FCellCache);
  if (SpinType() == sptNormal) {
    SetValue(LeadingInteger(Text()));
  } else if (SpinType() == sptFloat) {
    double V = 0;
    Val(Text(), V);
    SetFloatValue(V);
  }
}

void TGridSpin::KeyDown(uint16_t& Key, TShiftState Shift)
{
  // The control steps its value on these before anything else sees them.
  if (!FGrid || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) {
    TZogSpinEdit::KeyDown(Key, Shift);
    return;
  }
  TCustomGrid* G = FGrid->EditGrid();
  if (Key == VK_HOME || Key == VK_END) {
    // Home goes to the maximum and End to the minimum.
    const bool Home = Key == VK_HOME;
    if (SpinType() == sptNormal)
      SetValue(Home ? MaxValue() : MinValue());
    else if (SpinType() == sptFloat)
      SetFloatValue(Home ? MaxFloatValue() : MinFloatValue());
    FGrid->DoSpinClick(G->Col(), G->Row(), Value(), Home);
    TZogSpinEdit::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE)
    RestoreCachedValue();
  if (Key == VK_RETURN || Key == VK_TAB) {
    CheckMinMax();
    FGrid->SetCurrentCell(Text());
    if (!FGrid->ValidateCell(Text())) {
      SetText(FGrid->GetCurrentCell());
      SetSelStart(static_cast<int32_t>(Text().size()));
      Key = 0;
      Repaint();
      return;
    }
    SetText(FGrid->GetCurrentCell());
    if (Key == VK_TAB && (G->Options() & GridOptionBit(goTabs))) {
      Key = 0;
      FGrid->HideInplaceEdit();
      if (G->CanFocus())
        G->SetFocus();
      FGrid->TabEdit(Shift & ssShift);
      return;
    }
  }
  if (Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_TAB) {
    FGrid->DoneInplaceEdit(Key, Shift);
    const TNavigation* Nav = FGrid->Navigation();
    if (Nav->AdvanceOnEnter() && Nav->AdvanceAutoEdit())
      FGrid->ShowInplaceEdit();
    Key = 0;
  }
  TZogSpinEdit::KeyDown(Key, Shift);
}

void TGridSpin::KeyPress(char16_t& Key)
{
  if (FGrid)
    FGrid->DoGridKeyPress(FGrid->EditGrid(), Key);
  if (Key == 27)
    Key = 0;
  if (Key != 13)
    TZogSpinEdit::KeyPress(Key);
}

void TGridSpin::WMChar(char16_t& Key, TShiftState Shift)
{
  // Tab and Return have done their work as keys; as characters they would
  // only beep.
  if (Key == 9 || Key == 13) {
    Key = 0;
    return;
  }
  TZogSpinEdit::WMChar(Key, Shift);
}

bool TGridSpin::CMWantSpecialKey(uint16_t Key)
{
  return Key == VK_RETURN || Key == VK_ESCAPE ||
         (Key == VK_TAB && FGrid && (FGrid->EditGrid()->Options() & GridOptionBit(goTabs)));
}

void TGridSpin::DoExit()
{
  CheckMinMax();
  if (FGrid)
    FGrid->HideInplaceEdit();
  TZogSpinEdit::DoExit();
}

void TGridSpin::Change()
{
  TZogSpinEdit::Change();
  if (!FGrid)
    return;
  const TCustomGrid* G = FGrid->EditGrid();
  FGrid->DoEditChange(G->Col(), G->Row(), Text());
}
