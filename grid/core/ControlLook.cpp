#include "grid/core/ControlLook.h"

#include "grid/core/ZurEvoderOzod.h"
#include "platform/Published.h"
#include "rtl/Exceptions.h"

#include <algorithm>

namespace {

const TEnumInfo ControlStyleInfo("TControlStyle",
                                 {"csClassic", "csFlat", "csWinXP", "csBorland", "csZID", "csGlyph", "csTheme"});
const TEnumInfo SortDirectionInfo("TSortDirection", {"sdAscending", "sdDescending"});

using L = TControlLook;
[[maybe_unused]] const TClassInfo& ControlLookClass = PublishClass<L>(
    "TControlLook", "TPersistent",
    {
        PropEnum("ControlStyle", &L::ControlStyle, &L::SetControlStyle, ControlStyleInfo, csTheme),
        PropInt("RadioSize", &L::RadioSize, &L::SetRadioSize, 10),
        PropBool("DropDownAlwaysVisible", &L::DropDownAlwaysVisible, &L::SetDropDownAlwaysVisible, false),
        PropBool("SpinButtonsAlwaysVisible", &L::SpinButtonsAlwaysVisible, &L::SetSpinButtonsAlwaysVisible, false),
        PropColor("FixedGradientFrom", &L::FixedGradientFrom, &L::SetFixedGradientFrom, clNone),
        PropColor("FixedGradientTo", &L::FixedGradientTo, &L::SetFixedGradientTo, clNone),
        PropColor("FixedGradientMirrorFrom", &L::FixedGradientMirrorFrom, &L::SetFixedGradientMirrorFrom, clNone),
        PropColor("FixedGradientMirrorTo", &L::FixedGradientMirrorTo, &L::SetFixedGradientMirrorTo, clNone),
        PropColor("FixedGradientHoverFrom", &L::FixedGradientHoverFrom, &L::SetFixedGradientHoverFrom, 0x00FFFFFF),
        PropColor("FixedGradientHoverTo", &L::FixedGradientHoverTo, &L::SetFixedGradientHoverTo, 0x00808080),
        PropColor("FixedGradientHoverMirrorFrom", &L::FixedGradientHoverMirrorFrom, &L::SetFixedGradientHoverMirrorFrom,
                  clNone),
        PropColor("FixedGradientHoverMirrorTo", &L::FixedGradientHoverMirrorTo, &L::SetFixedGradientHoverMirrorTo,
                  clNone),
        PropColor("FixedGradientHoverBorder", &L::FixedGradientHoverBorder, &L::SetFixedGradientHoverBorder,
                  0x00C0C0C0),
        PropColor("FixedGradientDownFrom", &L::FixedGradientDownFrom, &L::SetFixedGradientDownFrom, 0x00C0C0C0),
        PropColor("FixedGradientDownTo", &L::FixedGradientDownTo, &L::SetFixedGradientDownTo, 0x00808080),
        PropColor("FixedGradientDownMirrorFrom", &L::FixedGradientDownMirrorFrom, &L::SetFixedGradientDownMirrorFrom,
                  clNone),
        PropColor("FixedGradientDownMirrorTo", &L::FixedGradientDownMirrorTo, &L::SetFixedGradientDownMirrorTo, clNone),
        PropColor("FixedGradientDownBorder", &L::FixedGradientDownBorder, &L::SetFixedGradientDownBorder, 0x00808080),
    });

using S = TSortSettings;
[[maybe_unused]] const TClassInfo& SortSettingsClass =
    PublishClass<S>("TSortSettings", "TPersistent",
                    {
                        PropInt("Column", &S::Column, &S::SetColumn, -1),
                        PropEnum("Direction", &S::Direction, &S::SetDirection, SortDirectionInfo, sdAscending),
                        PropBool("Show", &S::Show, &S::SetShow, false),
                        PropInt("Row", &S::Row, &S::SetRow, 0),
                        PropColor("HeaderColor", &S::HeaderColor, &S::SetHeaderColor, clNone),
                        PropColor("HeaderColorTo", &S::HeaderColorTo, &S::SetHeaderColorTo, clNone),
                        PropColor("HeaderMirrorColor", &S::HeaderMirrorColor, &S::SetHeaderMirrorColor, clNone),
                        PropColor("HeaderMirrorColorTo", &S::HeaderMirrorColorTo, &S::SetHeaderMirrorColorTo, clNone),
                    });

bool IsMirror(TFixedGradient W)
{
  return W == fgMirrorFrom || W == fgMirrorTo || W == fgHoverMirrorFrom || W == fgHoverMirrorTo ||
         W == fgDownMirrorFrom || W == fgDownMirrorTo;
}

} // namespace

// ---------------------------------------------------------------- TControlLook

TControlLook::TControlLook(TZurEvoderOzod* AOwner) : FOwner(AOwner)
{
  std::fill(std::begin(FGradient), std::end(FGradient), clNone);
  // The hover and down pairs start reversed against their declared
  // defaults, so a new grid always stores them.
  FGradient[fgHoverFrom] = 0x00808080;
  FGradient[fgHoverTo] = 0x00FFFFFF;
  FGradient[fgHoverBorder] = 0x00C0C0C0;
  FGradient[fgDownFrom] = 0x00808080;
  FGradient[fgDownTo] = 0x00C0C0C0;
  FGradient[fgDownBorder] = 0x00808080;
  // The hover and down mirrors are passed on at construction.
  for (TFixedGradient W : {fgHoverMirrorFrom, fgHoverMirrorTo, fgDownMirrorFrom, fgDownMirrorTo})
    SetFixedGradient(W, clNone);
}

TControlLook::~TControlLook() = default;
String TControlLook::ClassName() const { return QStringLiteral("TControlLook"); }

void TControlLook::Changed()
{
  if (FOwner)
    FOwner->Invalidate();
}

void TControlLook::Assign(TPersistent* Source)
{
  auto* Src = dynamic_cast<TControlLook*>(Source);
  if (!Src)
    return;
  FControlStyle = Src->FControlStyle;
  FRadioSize = Src->FRadioSize;
  FDropDownAlwaysVisible = Src->FDropDownAlwaysVisible;
  FSpinButtonsAlwaysVisible = Src->FSpinButtonsAlwaysVisible;
  std::copy(std::begin(Src->FGradient), std::end(Src->FGradient), std::begin(FGradient));
}

void TControlLook::SetControlStyle(TGridControlStyle Value)
{
  if (Value == FControlStyle)
    return;
  FControlStyle = Value;
  Changed();
}

void TControlLook::SetRadioSize(int32_t Value)
{
  FRadioSize = Value;
  Changed();
}

void TControlLook::SetDropDownAlwaysVisible(bool Value)
{
  if (Value == FDropDownAlwaysVisible)
    return;
  FDropDownAlwaysVisible = Value;
  Changed();
}

void TControlLook::SetSpinButtonsAlwaysVisible(bool Value)
{
  FSpinButtonsAlwaysVisible = Value;
  Changed();
}

void TControlLook::SetFixedGradient(TFixedGradient Which, TColor Value)
{
  FGradient[Which] = Value;
  if (FOwner && (IsMirror(Which) || Value != clNone))
    FOwner->SetZURGrad(Which, Value);
}

// ---------------------------------------------------------------- TSortSettings

TSortSettings::TSortSettings(TZurEvoderOzod* AOwner) : FOwner(AOwner) {}
TSortSettings::~TSortSettings() = default;
String TSortSettings::ClassName() const { return QStringLiteral("TSortSettings"); }

void TSortSettings::Assign(TPersistent* Source)
{
  auto* Src = dynamic_cast<TSortSettings*>(Source);
  if (!Src)
    return;
  FColumn = Src->FColumn;
  FDirection = Src->FDirection;
  FShow = Src->FShow;
  FRow = Src->FRow;
  std::copy(std::begin(Src->FHeaderColor), std::end(Src->FHeaderColor), std::begin(FHeaderColor));
}

void TSortSettings::ToggleDirection() { FDirection = FDirection == sdAscending ? sdDescending : sdAscending; }

void TSortSettings::SetShow(bool Value)
{
  if (Value == FShow)
    return;
  FShow = Value;
  if (FOwner)
    FOwner->Invalidate();
}

void TSortSettings::SetRow(int32_t Value)
{
  if (FOwner && Value >= FOwner->FixedRows())
    throw Exception(QStringLiteral("Sort row should be smaller than number of fixed rows"));
  FRow = Value;
}

void TSortSettings::SetHeader(int32_t Index, TColor Value)
{
  if (FHeaderColor[Index] == Value)
    return;
  FHeaderColor[Index] = Value;
  if (FOwner && FOwner->FixedRows() > 0)
    FOwner->InvalidateRow(FOwner->FixedRows() - 1);
}
