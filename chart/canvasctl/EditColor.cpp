#include "chart/canvasctl/EditColor.h"

#include "platform/Controls.h"
#include "platform/QtConvert.h"

#include <QColorDialog>

#include <memory>

namespace {

std::unique_ptr<std::vector<TColor>> CustomColors;

bool PlatformColorDialog(TComponent* Owner, TColor& Color, TColorDialogOptions, std::vector<TColor>& Custom)
{
  const int N = std::min<int>(QColorDialog::customCount(), static_cast<int>(Custom.size()));
  for (int i = 0; i < N; ++i)
    QColorDialog::setCustomColor(i, ToQColor(Custom[static_cast<size_t>(i)]));
  auto* Control = dynamic_cast<TControl*>(Owner);
  QColorDialog Dialog(ToQColor(Color), Control ? Control->WidgetOrNull() : nullptr);
  if (Dialog.exec() != QDialog::Accepted)
    return false;
  Color = FromQColor(Dialog.selectedColor());
  Custom.resize(static_cast<size_t>(QColorDialog::customCount()));
  for (int i = 0; i < QColorDialog::customCount(); ++i)
    Custom[static_cast<size_t>(i)] = FromQColor(QColorDialog::customColor(i));
  return true;
}

} // namespace

TColorDialogProc ZuzColorDialog = PlatformColorDialog;

std::vector<TColor>* ZuzCustomColorList() { return CustomColors.get(); }

void FreeZuzCustomColorList() { CustomColors.reset(); }

TColor EditColor(TComponent* AOwner, TColor AColor, TColorDialogOptions Options)
{
  if (!CustomColors)
    CustomColors = std::make_unique<std::vector<TColor>>();
  std::vector<TColor> Custom = *CustomColors;
  TColor Chosen = AColor;
  if (!ZuzColorDialog || !ZuzColorDialog(AOwner, Chosen, Options, Custom))
    return AColor;
  *CustomColors = std::move(Custom);
  return Chosen;
}

bool EditColorDialog(TComponent* AOwner, TColor& AColor, TColorDialogOptions Options)
{
  const TColor Result = EditColor(AOwner, AColor, Options);
  if (Result == AColor)
    return false;
  AColor = Result;
  return true;
}
