#include "app/windows/QvNumEdit.h"

#include "platform/Colors.h"
#include "platform/Graphics.h"
#include "rtl/FormatSettings.h"
#include "rtl/Numbers.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace {

constexpr char16_t KeyBack = 8;
constexpr char16_t KeyEscape = 27;

QChar DecimalSeparator() { return FormatSettings.DecimalSeparator; }

} // namespace

// ---------------------------------------------------------------------------
// TQvCustomEdit

TQvCustomEdit::TQvCustomEdit(TComponent* AOwner) : TCustomEdit(AOwner)
{
  // The text starts empty whatever the control is called.
  SetControlStyle(ControlStyle() & ~csSetCaption);
  SetColor(clBlack);
  Font()->SetColor(clLime);
}

TQvCustomEdit::~TQvCustomEdit() = default;

String TQvCustomEdit::ClassName() const { return QStringLiteral("TQvCustomEdit"); }

void TQvCustomEdit::SetAlignment(TAlignment Value)
{
  if (Value == FAlignment)
    return;
  FAlignment = Value;
  ApplyAlignment();
}

void TQvCustomEdit::CreateWnd()
{
  TCustomEdit::CreateWnd();
  ApplyAlignment();
}

void TQvCustomEdit::ApplyAlignment()
{
  auto* E = qobject_cast<QLineEdit*>(WidgetOrNull());
  if (!E)
    return;
  Qt::Alignment A = Qt::AlignLeft;
  if (FAlignment == taRightJustify)
    A = Qt::AlignRight;
  else if (FAlignment == taCenter)
    A = Qt::AlignHCenter;
  E->setAlignment(A | Qt::AlignVCenter);
}

// ---------------------------------------------------------------------------
// TQvNumEdit

TQvNumEdit::TQvNumEdit(TComponent* AOwner) : TQvCustomEdit(AOwner) {}

TQvNumEdit::~TQvNumEdit() = default;

String TQvNumEdit::ClassName() const { return QStringLiteral("TQvNumEdit"); }

double TQvNumEdit::GetValue() const
{
  const String T = Text();
  return T.isEmpty() ? FMinValue : StrToFloat(T);
}

void TQvNumEdit::SetValue(double Value)
{
  SetText(FloatToStr(Value));
  Validate();
}

void TQvNumEdit::SetMinValue(double Value)
{
  if (Value == FMinValue || Value >= FMaxValue)
    return;
  FMinValue = Value;
  Validate();
}

void TQvNumEdit::SetMaxValue(double Value)
{
  if (Value == FMaxValue || Value <= FMinValue)
    return;
  FMaxValue = Value;
  Validate();
}

void TQvNumEdit::SetDecimals(int32_t Value)
{
  Value = std::clamp(Value, 0, 18);
  if (Value == FDecimals)
    return;
  FDecimals = Value;
  Validate();
}

bool TQvNumEdit::Validate()
{
  const String T = Text();
  if (T.trimmed().isEmpty())
    return false;
  double V = 0;
  if (TryStrToFloat(T, V) && V >= FMinValue && V <= FMaxValue) {
    SetText(FloatToStrF(V, TFloatFormat::ffFixed, 18, FDecimals));
    FireNotify(OnAccept, this);
    return true;
  }
  bool CanExit = true;
  if (OnError)
    OnError(this, CanExit);
  // A control that was never shown has no focus to take back.
  if (!CanExit && HandleAllocated() && CanFocus()) {
    // Taken back once the focus change that runs now has ended, or the
    // window system would finish it after us.
    QPointer<QWidget> W = Handle();
    QTimer::singleShot(0, W, [this, W] {
      if (W && CanFocus())
        SetFocus();
    });
  }
  return false;
}

void TQvNumEdit::DoEnter()
{
  if (AutoSelect() && !(QGuiApplication::mouseButtons() & Qt::LeftButton))
    SelectAll();
  FOrgValue = Text();
  // Not TCustomEdit's: it selects whatever the mouse does.
  TWinControl::DoEnter();
}

void TQvNumEdit::DoExit()
{
  Validate();
  TQvCustomEdit::DoExit();
}

void TQvNumEdit::KeyPress(char16_t& Key)
{
  if (Key == KeyEscape && FRestoreOnEsc) {
    SetText(FOrgValue);
    Key = 0;
    return;
  }
  const QChar Separator = DecimalSeparator();
  const bool Passes = Key == KeyBack || Key == u'-' || (Key >= u'0' && Key <= u'9') || Key == Separator.unicode();
  if (!Passes) {
    Key = 0;
    return;
  }
  if (Key == u'-') {
    ToggleSign();
    Key = 0;
    return;
  }
  if (Key == Separator.unicode() && (FDecimals == 0 || Text().contains(Separator))) {
    Key = 0;
    return;
  }
  TQvCustomEdit::KeyPress(Key);
}

void TQvNumEdit::ToggleSign()
{
  String T = Text();
  const int32_t Caret = SelStart();
  if (T.contains(QLatin1Char('-'))) {
    T.remove(0, 1);
    SetText(T);
    SetSelStart(std::max(0, Caret - 1));
  } else {
    T.prepend(QLatin1Char('-'));
    SetText(T);
    SetSelStart(Caret + 1);
  }
}
