#include "grid/edit/ZogSpinEdit.h"

#include "grid/base/rurutil.h"
#include "platform/Canvas.h"
#include "platform/DrawControls.h"
#include "platform/Graphics.h"
#include "platform/Sound.h"
#include "platform/Timer.h"
#include "rtl/DateTime.h"
#include "rtl/FormatSettings.h"
#include "rtl/Numbers.h"
#include "rtl/Strings.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScopeGuard>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr uint32_t FirstRepeat = 400; // ms before the first repeated click
constexpr uint32_t NextRepeat = 100;

// The arrow of a drawn button, as three corners relative to the button.
std::array<TPoint, 3> Arrow(TButtonDirection D, const TRect& R)
{
  switch (D) {
  case bdLeft:
    return {TPoint{R.Left + 5, R.Top + 5}, TPoint{R.Left + 3, R.Top + 7}, TPoint{R.Left + 5, R.Top + 9}};
  case bdRight:
    return {TPoint{R.Left + 3, R.Top + 5}, TPoint{R.Left + 5, R.Top + 7}, TPoint{R.Left + 3, R.Top + 9}};
  case bdUp:
    return {TPoint{R.Left + 4, R.Top + 4}, TPoint{R.Left + 8, R.Top + 4}, TPoint{R.Left + 6, R.Top + 2}};
  case bdDown:
    break;
  }
  return {TPoint{R.Left + 4, R.Top + 2}, TPoint{R.Left + 8, R.Top + 2}, TPoint{R.Left + 6, R.Top + 4}};
}

void DrawArrow(TCanvas* C, const std::array<TPoint, 3>& P, TColor Color)
{
  C->Pen()->SetColor(Color);
  C->Brush()->SetColor(Color);
  C->Polygon(P);
}

bool ContainsText(const String& Text, int32_t SelStart, int32_t SelLength, QChar Ch)
{
  const qsizetype P = Text.indexOf(Ch);
  return P >= SelStart && P < SelStart + SelLength;
}

} // namespace

int32_t PosFrom(const String& Sub, const String& S, int32_t From)
{
  const qsizetype P = S.indexOf(Sub, std::max(From, 0));
  return P < 0 ? 0 : static_cast<int32_t>(P + 1);
}

TDateTime IncYear(int32_t N, TDateTime Date) { return IncMonth(Date, 12 * N); }

// ---------------------------------------------------------------- TRurTimerSpeedButton

TRurTimerSpeedButton::TRurTimerSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {}

TRurTimerSpeedButton::~TRurTimerSpeedButton() = default;

String TRurTimerSpeedButton::ClassName() const { return QStringLiteral("TRurTimerSpeedButton"); }

void TRurTimerSpeedButton::SetTimeBtnState(TTimeBtnState Value)
{
  FTimeBtnState = Value;
  Invalidate();
}

void TRurTimerSpeedButton::SetButtonDirection(TButtonDirection Value)
{
  FButtonDirection = Value;
  Invalidate();
}

void TRurTimerSpeedButton::SetIsWinXP(bool Value)
{
  FIsWinXP = Value;
  Invalidate();
}

void TRurTimerSpeedButton::SetFlat(bool Value)
{
  FFlat = Value;
  Invalidate();
}

void TRurTimerSpeedButton::SetTransparent(bool Value)
{
  FTransparent = Value;
  Invalidate();
}

TZogSpinButton* TRurTimerSpeedButton::Container() const { return dynamic_cast<TZogSpinButton*>(Parent()); }

void TRurTimerSpeedButton::Click()
{
  TGraphicControl::Click();
  if (TZogSpinButton* C = Container())
    C->ButtonClicked(this);
}

void TRurTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)
{
  if (Button == mbLeft && Enabled()) {
    FDown = true;
    if (TZogSpinButton* C = Container())
      C->ButtonPressed(this);
  }
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (FTimeBtnState & TimeBtnBit(tbAllowTimer)) {
    if (!FRepeatTimer) {
      FRepeatTimer = new TTimer(this);
      FRepeatTimer->SetEnabled(false);
      FRepeatTimer->OnTimer = [this](TObject* Sender) { TimerExpired(Sender); };
    }
    FRepeatTimer->SetInterval(FirstRepeat);
    FRepeatTimer->SetEnabled(true);
  }
  if (Parent())
    Parent()->Invalidate();
}

void TRurTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)
{
  if (Button == mbLeft)
    FDown = false;
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (FRepeatTimer)
    FRepeatTimer->SetEnabled(false);
  if (Parent())
    Parent()->Invalidate();
}

void TRurTimerSpeedButton::TimerExpired(TObject*)
{
  FRepeatTimer->SetInterval(NextRepeat);
  if (!FDown || !MouseCapture())
    return;
  // A click that fails stops the repeating, or it would fail every 100 ms.
  auto Stop = qScopeGuard([this] { FRepeatTimer->SetEnabled(false); });
  Click();
  Stop.dismiss();
}

void TRurTimerSpeedButton::MouseEnter()
{
  FHasMouse = true;
  TGraphicControl::MouseEnter();
  Invalidate();
}

void TRurTimerSpeedButton::MouseLeave()
{
  FHasMouse = false;
  TGraphicControl::MouseLeave();
  Invalidate();
}

void TRurTimerSpeedButton::Paint()
{
  TCanvas* C = Canvas();
  const TRect R = ClientRect();
  const TZogSpinButton* Box = Container();
  if (Box && Box->ButtonColor != clNone) {
    const TColor Fill = FDown ? Box->ButtonColorDown : (FHasMouse ? Box->ButtonColorHot : Box->ButtonColor);
    C->Brush()->SetColor(Fill == clNone ? Box->ButtonColor : Fill);
    C->Pen()->SetColor(Fill == clNone ? Box->ButtonColor : Fill);
    C->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
    DrawArrow(C, Arrow(FButtonDirection, R), clBlack);
    return;
  }
  // The platform's look: a push button, flat when asked, pressed while down.
  uint32_t State = DFCS_BUTTONPUSH;
  if (FDown)
    State |= DFCS_PUSHED;
  if (FFlat)
    State |= DFCS_FLAT;
  if (FHasMouse && FIsWinXP)
    State |= DFCS_HOT;
  if (!Enabled())
    State |= DFCS_INACTIVE;
  if (!FTransparent)
    DrawFrameControl(C, R, DFC_BUTTON, State);
  const int32_t Shift = FDown ? 1 : 0;
  const TRect Glyph{R.Left + Shift + (R.Width() - 13) / 2, R.Top + Shift + (R.Height() - 7) / 2, 0, 0};
  DrawArrow(C, Arrow(FButtonDirection, TRect{Glyph.Left, Glyph.Top, Glyph.Left + 13, Glyph.Top + 7}),
            Enabled() ? clBlack : clGray);
}

// ---------------------------------------------------------------- TZogSpinButton

TZogSpinButton::TZogSpinButton(TComponent* AOwner) : TCustomControl(AOwner)
{
  SetControlStyle(ControlStyle() | csOpaque);
  SetTabStop(false);
  auto Make = [this](TButtonDirection D) {
    auto* B = new TRurTimerSpeedButton(this);
    B->SetTimeBtnState(TimeBtnBit(tbAllowTimer));
    B->SetButtonDirection(D);
    B->SetParent(this);
    return B;
  };
  FUpButton = Make(bdUp);
  FDownButton = Make(bdDown);
  FFocusedButton = FUpButton;
  SetBounds(0, 0, 15, 25);
}

TZogSpinButton::~TZogSpinButton() = default;

String TZogSpinButton::ClassName() const { return QStringLiteral("TZogSpinButton"); }

void TZogSpinButton::AdjustSize(int32_t& W, int32_t& H)
{
  if (!FUpButton || !FDownButton || (ComponentState() & csLoading))
    return;
  if (FDirection == spVertical) {
    W = std::max(W, 15);
    FUpButton->SetBounds(0, 0, W, H / 2);
    FDownButton->SetBounds(0, FUpButton->Height() - 1, W, H - FUpButton->Height() + 1);
  } else {
    W = std::max(W, 20);
    FDownButton->SetBounds(0, 0, W / 2, H);
    FUpButton->SetBounds(W / 2 + 1, 0, W / 2, H);
  }
}

void TZogSpinButton::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight)
{
  AdjustSize(AWidth, AHeight);
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TZogSpinButton::SetDirection(TSpinDirection Value)
{
  FDirection = Value;
  const bool Vertical = Value == spVertical;
  FUpButton->SetButtonDirection(Vertical ? bdUp : bdRight);
  FDownButton->SetButtonDirection(Vertical ? bdDown : bdLeft);
  SetBounds(Left(), Top(), Vertical ? 15 : 20, Height());
}

void TZogSpinButton::SetFocusControl(TWinControl* Value)
{
  if (FFocusControl)
    FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value)
    Value->FreeNotification(this);
}

void TZogSpinButton::Notification(TComponent* AComponent, TOperation Operation)
{
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl)
    FFocusControl = nullptr;
}

void TZogSpinButton::SetIsWinXP(bool Value)
{
  FIsWinXP = Value;
  FUpButton->SetIsWinXP(Value);
  FDownButton->SetIsWinXP(Value);
}

void TZogSpinButton::ButtonClicked(TRurTimerSpeedButton* Button)
{
  FireNotify(Button == FUpButton ? OnUpClick : OnDownClick, this);
}

void TZogSpinButton::ButtonPressed(TRurTimerSpeedButton* Button)
{
  SetFocusBtn(Button);
  if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
    FFocusControl->SetFocus();
  else if (TabStop() && CanFocus() && !Focused())
    SetFocus();
}

void TZogSpinButton::SetFocusBtn(TRurTimerSpeedButton* Button)
{
  if (!TabStop() || !CanFocus() || Button == FFocusedButton)
    return;
  FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() & ~TimeBtnBit(tbFocusRect));
  FFocusedButton = Button;
  if (Focused())
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() | TimeBtnBit(tbFocusRect));
  Invalidate();
}

void TZogSpinButton::KeyDown(uint16_t& Key, TShiftState Shift)
{
  switch (Key) {
  case VK_SPACE:
    FFocusedButton->Click();
    break;
  case VK_UP:
    SetFocusBtn(FUpButton);
    FUpButton->Click();
    break;
  case VK_DOWN:
    SetFocusBtn(FDownButton);
    FDownButton->Click();
    break;
  default:
    break;
  }
  TCustomControl::KeyDown(Key, Shift);
}

uint32_t TZogSpinButton::WMGetDlgCode() { return DLGC_WANTARROWS; }

void TZogSpinButton::DoEnter()
{
  FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() | TimeBtnBit(tbFocusRect));
  TCustomControl::DoEnter();
}

void TZogSpinButton::DoExit()
{
  FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() & ~TimeBtnBit(tbFocusRect));
  TCustomControl::DoExit();
}

// ---------------------------------------------------------------- TZogSpinEdit

TZogSpinEdit::TZogSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner)
{
  SetControlStyle(ControlStyle() & ~csSetCaption);
  FButton = new TZogSpinButton(this);
  FButton->SetBounds(0, 0, 15, 17);
  FButton->SetParent(this);
  FButton->SetFocusControl(this);
  FButton->OnUpClick = [this](TObject* Sender) { UpClick(Sender); };
  FButton->OnDownClick = [this](TObject* Sender) { DownClick(Sender); };
  SetText(QStringLiteral("0"));
}

TZogSpinEdit::~TZogSpinEdit() { FButton = nullptr; }

String TZogSpinEdit::ClassName() const { return QStringLiteral("TZogSpinEdit"); }

// ---- Limits.

int32_t TZogSpinEdit::ClampInt(int32_t V) const
{
  if (FMinValue == FMaxValue)
    return V;
  return std::clamp(V, std::min(FMinValue, FMaxValue), std::max(FMinValue, FMaxValue));
}

double TZogSpinEdit::ClampFloat(double V) const
{
  if (FMinFloatValue == FMaxFloatValue)
    return V;
  return std::clamp(V, std::min(FMinFloatValue, FMaxFloatValue), std::max(FMinFloatValue, FMaxFloatValue));
}

TDateTime TZogSpinEdit::ClampDate(TDateTime V) const
{
  if (FMinDateValue == FMaxDateValue)
    return V;
  return std::clamp(V, std::min(FMinDateValue, FMaxDateValue), std::max(FMinDateValue, FMaxDateValue));
}

// ---- Reading and writing.

int32_t TZogSpinEdit::Value()
{
  const String T = Trim(Text());
  if (T.isEmpty())
    return 0;
  int32_t V = 0;
  return TryStrToInt(T, V) ? V : FMinValue;
}

void TZogSpinEdit::SetValue(int32_t V)
{
  SetText(IntToStr(ClampInt(V)));
  if (!FEditorEnabled)
    SelectAll();
}

double TZogSpinEdit::FloatValue()
{
  double V = 0;
  return TryStrToFloat(Text(), V) ? V : FMinValue;
}

void TZogSpinEdit::SetFloatValue(double V)
{
  V = ClampFloat(V);
  SetText(FPrecision != 0 ? FloatToStrF(V, TFloatFormat::ffFixed, 15, FPrecision) : FloatToStr(V));
}

TDateTime TZogSpinEdit::DateValue()
{
  const String T = Text();
  if (T.isEmpty() || T == u"0")
    return Now();
  TDateTime V = 0;
  return TryStrToDate(T, V) ? V : FMinDateValue;
}

void TZogSpinEdit::WriteKeepingCaret(const String& S)
{
  const int32_t Caret = SelStart();
  SetText(S);
  SetSelStart(Caret);
}

void TZogSpinEdit::SetDateValue(TDateTime V)
{
  FDateValue = V;
  if (ComponentState() & csLoading)
    return;
  FDateValue = ClampDate(V);
  WriteKeepingCaret(DateToStr(FDateValue));
}

TDateTime TZogSpinEdit::TimeValue()
{
  TDateTime V = 0;
  return TryStrToTime(Text(), V) ? V : 0;
}

void TZogSpinEdit::SetTimeValue(TDateTime V)
{
  FTimeValue = V;
  if (ComponentState() & csLoading)
    return;
  FTimeValue = ClampDate(V);
  WriteKeepingCaret(FShowSeconds ? TimeToStr(FTimeValue) : FormatDateTime(QStringLiteral("h:nn"), FTimeValue));
}

void TZogSpinEdit::SetSpinType(TZogSpinType Value)
{
  FSpinType = Value;
  switch (Value) {
  case sptNormal:
    SetValue(this->Value());
    break;
  case sptFloat:
    SetFloatValue(FloatValue());
    break;
  case sptDate:
    SetDateValue(DateValue());
    break;
  case sptTime:
    SetTimeValue(TimeValue());
    break;
  }
}

void TZogSpinEdit::SetPrecision(int32_t V)
{
  FPrecision = V;
  if (FSpinType == sptFloat)
    SetFloatValue(FloatValue());
}

// ---- Stepping.

void TZogSpinEdit::StepDate(int32_t Sign)
{
  FUsDates =
      FormatSettings.ShortDateFormat.toUpper().indexOf(u'M') < FormatSettings.ShortDateFormat.toUpper().indexOf(u'D');
  const String T = Text();
  const String Sep(FormatSettings.DateSeparator);
  const int32_t P1 = PosFrom(Sep, T, 0);
  const int32_t P2 = PosFrom(Sep, T, P1);
  const int32_t Caret = SelStart();
  const int32_t Field = P1 > Caret ? 0 : (P2 > Caret ? 1 : 2);
  enum { Day, Month, Year } Step = Year;
  if (Field == 0)
    Step = FUsDates ? Month : Day;
  else if (Field == 1)
    Step = FUsDates ? Day : Month;
  const TDateTime D = DateValue();
  SetDateValue(Step == Day ? D + Sign : (Step == Month ? IncMonth(D, Sign) : IncYear(Sign, D)));
}

void TZogSpinEdit::StepTime(int32_t Sign)
{
  const String T = Text();
  const String Sep(FormatSettings.TimeSeparator);
  const int32_t P1 = PosFrom(Sep, T, 0);
  const int32_t P2 = PosFrom(Sep, T, P1);
  const int32_t Caret = SelStart();
  double Step = FIncrementMinutes / (24.0 * 60);
  if (P1 > Caret)
    Step = FIncrementHours / 24.0;
  else if (FShowSeconds && P2 > Caret)
    Step = FIncrementMinutes / (24.0 * 60);
  else if (FShowSeconds)
    Step = FIncrementSeconds / (24.0 * 3600);
  TDateTime V = TimeValue();
  if (Sign > 0) {
    V += Step;
  } else {
    // Below midnight the time of day comes round from the end of the day:
    // 00:30 minus one hour is 23:30.
    V = V + 1 - Step;
  }
  V -= std::floor(V);
  SetTimeValue(V);
}

void TZogSpinEdit::Step(int32_t Sign, bool Page)
{
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  switch (FSpinType) {
  case sptNormal:
    SetValue(Value() + Sign * FIncrement);
    break;
  case sptFloat:
    SetFloatValue(FloatValue() + Sign * (Page ? FIncrementFloatPage : FIncrementFloat));
    break;
  case sptDate:
    StepDate(Sign);
    break;
  case sptTime:
    StepTime(Sign);
    break;
  }
}

void TZogSpinEdit::DoInc(bool Page) { Step(1, Page); }

void TZogSpinEdit::DoDec(bool Page) { Step(-1, Page); }

void TZogSpinEdit::UpClick(TObject*) { DoInc(false); }

void TZogSpinEdit::DownClick(TObject*) { DoDec(false); }

// ---- Keys.

bool TZogSpinEdit::IsValidChar(char16_t& Key)
{
  const QChar K(Key);
  if (Key == 8)
    return FEditorEnabled;
  const QChar DS = FormatSettings.DecimalSeparator, TS = FormatSettings.ThousandSeparator;
  const QChar TimeSep = FormatSettings.TimeSeparator, DateSep = FormatSettings.DateSeparator;
  const String T = Text();
  const int32_t Start = SelStart(), Length = SelLength();
  const bool Numeric = FSpinType == sptNormal || FSpinType == sptFloat;
  bool Valid = K == DS || K == TS || K == TimeSep || K == DateSep || CheckSignedNum(K) || (Key < 32 && Key != 13);
  // A separator of another kind stays only where it also is a number's own
  // character.
  auto Foreign = [&](QChar Sep, TZogSpinType Own) {
    if (K == Sep && FSpinType != Own && Valid)
      Valid = (Sep == DS || Sep == TS || Sep == u'-' || Sep == u'+') && Numeric;
  };
  Foreign(TimeSep, sptTime);
  Foreign(DateSep, sptDate);
  if (K == u'-') {
    Valid = T.contains(u'-') ? ContainsText(T, Start, Length, u'-') && Start == 0 : Start == 0;
  }
  if (FSpinType == sptNormal && !CheckSignedNum(K))
    Valid = false;
  if (FSpinType == sptFloat && Key != 27 && Key != 13 && Key != 8) {
    if (K == TS)
      Valid = false;
    if (K == DS && T.contains(DS))
      Valid = ContainsText(T, Start, Length, DS);
    const qsizetype F = T.indexOf(DS) + 1; // 1-based, 0 when none
    if (FPrecision > 0 && F > 0 && Start >= F && Length == 0 && Valid)
      Valid = T.length() < F + FPrecision;
  }
  if (FSpinType == sptTime && K == TimeSep && T.count(TimeSep) >= 2)
    Valid = false;
  if (!FEditorEnabled && Valid && Key >= 32)
    Valid = false;
  return Valid;
}

void TZogSpinEdit::KeyDown(uint16_t& Key, TShiftState Shift)
{
  FKeypadDecimal = Key == VK_DECIMAL && KeyFromKeypad();
  switch (Key) {
  case VK_PRIOR:
    DoInc(true);
    Key = 0;
    return;
  case VK_NEXT:
    DoDec(true);
    Key = 0;
    return;
  case VK_UP:
    UpClick(this);
    Key = 0;
    return;
  case VK_DOWN:
    DownClick(this);
    Key = 0;
    return;
  default:
    break;
  }
  if (Key == VK_RETURN && FReturnIsTab)
    Key = VK_TAB;
  if (Key == VK_DELETE && !FEditorEnabled)
    Key = 0;
  // Pasting and cutting by key change the text like typing does.
  const bool Clipboard = ((Shift & ssCtrl) && (Key == VK_V || Key == VK_X)) ||
                         ((Shift & ssShift) && (Key == VK_INSERT || Key == VK_DELETE));
  if (Clipboard && (!FEditorEnabled || ReadOnly()))
    Key = 0;
  TCustomEdit::KeyDown(Key, Shift);
}

void TZogSpinEdit::KeyPress(char16_t& Key)
{
  if (FExcelStyleDecimalSeparator && FKeypadDecimal && Key == u'.')
    Key = FormatSettings.DecimalSeparator.unicode();
  FKeypadDecimal = false;
  if (Key != 0 && !IsValidChar(Key)) {
    Key = 0;
    MessageBeep(0);
    return;
  }
  TCustomEdit::KeyPress(Key);
}

void TZogSpinEdit::DoExit()
{
  TCustomEdit::DoExit();
  switch (FSpinType) {
  case sptNormal:
    if (Value() != ClampInt(Value()))
      SetValue(Value());
    break;
  case sptFloat:
    if (FloatValue() != ClampFloat(FloatValue()))
      SetFloatValue(FloatValue());
    break;
  case sptDate:
    if (DateValue() != ClampDate(DateValue()))
      SetDateValue(DateValue());
    break;
  case sptTime:
    if (TimeValue() != ClampDate(TimeValue()))
      SetTimeValue(TimeValue());
    break;
  }
}

// ---- Layout.

int32_t TZogSpinEdit::MinHeight()
{
  const int32_t H = QFontMetrics(QGuiApplication::font()).height();
  QFont F = QGuiApplication::font();
  F.setPointSize(std::max(1, Font()->Size()));
  const int32_t Own = QFontMetrics(F).height();
  return std::min(Own, H) / 4 + Own + 2 + 4; // 4 border heights of one pixel
}

void TZogSpinEdit::PlaceButtons()
{
  if (!FButton)
    return;
  constexpr int32_t M = 5; // a single border, new-style controls
  FButton->SetBounds(Width() - FButton->Width() - M, 0, FButton->Width(), std::max(0, Height() - M));
  if (auto* E = qobject_cast<QLineEdit*>(WidgetOrNull()))
    E->setTextMargins(0, 0, FButton->Width() + 2, 0);
}

void TZogSpinEdit::Resize()
{
  if (Height() < MinHeight() && !(ComponentState() & csLoading)) {
    SetHeight(MinHeight());
    return;
  }
  PlaceButtons();
  TCustomEdit::Resize();
}

void TZogSpinEdit::CreateWnd()
{
  TCustomEdit::CreateWnd();
  ApplyAlign();
  PlaceButtons();
}

void TZogSpinEdit::ApplyAlign()
{
  if (auto* E = qobject_cast<QLineEdit*>(WidgetOrNull()))
    E->setAlignment(FEditAlign == eaRight    ? Qt::AlignRight | Qt::AlignVCenter
                    : FEditAlign == eaCenter ? Qt::AlignHCenter | Qt::AlignVCenter
                                             : Qt::AlignLeft | Qt::AlignVCenter);
}

void TZogSpinEdit::SetEditAlign(TEditAlign V)
{
  FEditAlign = V;
  ApplyAlign();
}

void TZogSpinEdit::SetDirection(TSpinDirection V)
{
  FDirection = V;
  FButton->SetDirection(V);
  PlaceButtons();
}

void TZogSpinEdit::SetSpinFlat(bool V)
{
  FSpinFlat = V;
  FButton->UpButton()->SetFlat(V);
  FButton->DownButton()->SetFlat(V);
}

void TZogSpinEdit::SetSpinTransparent(bool V)
{
  FSpinTransparent = V;
  FButton->UpButton()->SetTransparent(V);
  FButton->DownButton()->SetTransparent(V);
  PlaceButtons();
}

void TZogSpinEdit::SetIsWinXP(bool V)
{
  FIsWinXP = V;
  FButton->SetIsWinXP(V);
}
