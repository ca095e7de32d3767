#include "platform/StdActns.h"

#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/QtConvert.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QFontInfo>

namespace {

bool PlatformColorDialog(TColor& Color)
{
  const QColor Chosen = QColorDialog::getColor(ToQColor(Color));
  if (!Chosen.isValid())
    return false;
  Color = FromQColor(Chosen);
  return true;
}

bool PlatformFontDialog(TFont& Font)
{
  bool Ok = false;
  const QFont Chosen = QFontDialog::getFont(&Ok, ToQFont(Font));
  if (!Ok)
    return false;
  Font.SetName(Chosen.family());
  if (Chosen.pointSize() > 0)
    Font.SetSize(Chosen.pointSize());
  TFontStyles Style = 0;
  if (Chosen.bold())
    Style |= FontStyleBit(fsBold);
  if (Chosen.italic())
    Style |= FontStyleBit(fsItalic);
  if (Chosen.underline())
    Style |= FontStyleBit(fsUnderline);
  if (Chosen.strikeOut())
    Style |= FontStyleBit(fsStrikeOut);
  Font.SetStyle(Style);
  return true;
}

} // namespace

std::function<bool(TColor& Color)> ColorDialogExecute = PlatformColorDialog;
std::function<bool(TFont& Font)> FontDialogExecute = PlatformFontDialog;

TColorSelect::TColorSelect(TComponent* AOwner) : TAction(AOwner)
{
  OnExecute = [this](TObject*) { ExecuteDialog(); };
}

TColorSelect::~TColorSelect() = default;

String TColorSelect::ClassName() const { return QStringLiteral("TColorSelect"); }

void TColorSelect::ExecuteDialog()
{
  TColor Chosen = FColor;
  if (ColorDialogExecute && ColorDialogExecute(Chosen)) {
    FColor = Chosen;
    FireNotify(OnAccept, this);
  } else {
    FireNotify(OnCancel, this);
  }
}

TFontEdit::TFontEdit(TComponent* AOwner) : TAction(AOwner), FFont(std::make_unique<TFont>())
{
  FFont->SetName(QStringLiteral("MS Sans Serif"));
  OnExecute = [this](TObject*) { ExecuteDialog(); };
}

TFontEdit::~TFontEdit() = default;

String TFontEdit::ClassName() const { return QStringLiteral("TFontEdit"); }

void TFontEdit::ExecuteDialog()
{
  TFont Chosen;
  Chosen.Assign(FFont.get());
  if (FontDialogExecute && FontDialogExecute(Chosen)) {
    FFont->Assign(&Chosen);
    FireNotify(OnAccept, this);
  } else {
    FireNotify(OnCancel, this);
  }
}
