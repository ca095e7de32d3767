#include "grid/core/ControlLook.h"

#include "grid/base/IntList.h"
#include "grid/base/RurTypeInfo.h"
#include "grid/core/DropDownAppearance.h"
#include "grid/core/ZurEvoderOzod.h"
#include "platform/Bitmap.h"
#include "platform/Published.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"

#include <algorithm>

namespace {

const TEnumInfo ControlStyleInfo("TControlStyle",
                                 {"csClassic", "csFlat", "csWinXP", "csBorland", "csZID", "csGlyph", "csTheme"});
const TEnumInfo SortDirectionInfo("TSortDirection", {"sdAscending", "sdDescending"});
const TEnumInfo IndexSortKeyInfo("TIndexSortKey", {"ikShift", "ikCtrl"});
const TEnumInfo SortBlankPositionInfo("TSortBlankPosition", {"blFirst", "blLast"});

using L = TControlLook;
[[maybe_unused]] const TClassInfo& ControlLookClass = PublishClass<L>(
    "TControlLook", "TPersistent",
    {
        PropEnum("ControlStyle", &L::ControlStyle, &L::SetControlStyle, ControlStyleInfo, csTheme),
        PropInt("CheckSize", &L::CheckSize, &L::SetCheckSize, 15),
        PropInt("RadioSize", &L::RadioSize, &L::SetRadioSize, 10),
        PropObj("CheckedGlyph", &L::CheckedGlyph, &L::SetCheckedGlyph),
        PropObj("UnCheckedGlyph", &L::UnCheckedGlyph, &L::SetUnCheckedGlyph),
        PropObj("RadioOnGlyph", &L::RadioOnGlyph, &L::SetRadioOnGlyph),
        PropObj("RadioOffGlyph", &L::RadioOffGlyph, &L::SetRadioOffGlyph),
        PropBool("CheckAlwaysActive", &L::CheckAlwaysActive, &L::SetCheckAlwaysActive, false),
        PropBool("RadioAlwaysActive", &L::RadioAlwaysActive, &L::SetRadioAlwaysActive, false),
        PropBool("RadioRange", &L::RadioRange, &L::SetRadioRange, false),
        PropBool("NoDisabledCheckRadioLook", &L::NoDisabledCheckRadioLook, &L::SetNoDisabledCheckRadioLook, false),
        PropBool("NoDisabledButtonLook", &L::NoDisabledButtonLook, &L::SetNoDisabledButtonLook, false),
        PropBool("FlatButton", &L::FlatButton, &L::SetFlatButton, false),
        PropBool("ButtonPrefix", &L::ButtonPrefix, &L::SetButtonPrefix, false),
        PropColor("Color", &L::Color, &L::SetColor, 0x00000000),
        PropColor("CommentColor", &L::CommentColor, &L::SetCommentColor, 0x000000FF),
        PropColor("ProgressBorderColor", &L::ProgressBorderColor, &L::SetProgressBorderColor, 0x00808080),
        PropInt("ProgressMarginX", &L::ProgressMarginX, &L::SetProgressMarginX, 2),
        PropInt("ProgressMarginY", &L::ProgressMarginY, &L::SetProgressMarginY, 2),
        PropInt("ProgressHeight", &L::ProgressHeight, &L::SetProgressHeight, 0),
        PropBool("ProgressXP", &L::ProgressXP, &L::SetProgressXP, false),
        PropBool("DropDownAlwaysVisible", &L::DropDownAlwaysVisible, &L::SetDropDownAlwaysVisible, false),
        PropBool("SpinButtonsAlwaysVisible", &L::SpinButtonsAlwaysVisible, &L::SetSpinButtonsAlwaysVisible, false),
        PropInt("DropDownButtonWidth", &L::DropDownButtonWidth, &L::SetDropDownButtonWidth, 16),
        PropInt("DropDownCount", &L::DropDownCount, &L::SetDropDownCount, 8),
        PropBool("FixedDropDownButton", &L::FixedDropDownButton, &L::SetFixedDropDownButton, false),
        PropInt("HintMaxWidth", &L::HintMaxWidth, &L::SetHintMaxWidth, 0),
        PropObj("DropDownHeader", &L::DropDownHeader, &L::SetDropDownHeader),
        PropObj("DropDownFooter", &L::DropDownFooter, &L::SetDropDownFooter),
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

[[maybe_unused]] const TClassInfo& HeaderAppearanceClass =
    PublishClass<THeaderAppearance>("THeaderAppearance", "TPersistent");
[[maybe_unused]] const TClassInfo& FooterAppearanceClass =
    PublishClass<TFooterAppearance>("TFooterAppearance", "TPersistent");

using S = TSortSettings;
[[maybe_unused]] const TClassInfo& SortSettingsClass = PublishClass<S>(
    "TSortSettings", "TPersistent",
    {
        PropInt("Column", &S::Column, &S::SetColumn, -1),
        PropEnum("Direction", &S::Direction, &S::SetDirection, SortDirectionInfo, sdAscending),
        PropEnum("InitSortDirection", &S::InitSortDirection, &S::SetInitSortDirection, SortDirectionInfo, sdAscending),
        PropBool("Show", &S::Show, &S::SetShow, false),
        PropBool("IndexShow", &S::IndexShow, &S::SetIndexShow, false),
        PropColor("IndexColor", &S::IndexColor, &S::SetIndexColor, 0x0000FFFF),
        PropEnum("IndexSortKey", &S::IndexSortKey, &S::SetIndexSortKey, IndexSortKeyInfo, ikShift),
        PropEnum("DefaultFormat", &S::DefaultFormat, &S::SetDefaultFormat, SortStyleInfo, ssAlphabetic),
        PropBool("AutoFormat", &S::AutoFormat, &S::SetAutoFormat, true),
        PropBool("Full", &S::Full, &S::SetFull, true),
        PropBool("SingleColumn", &S::SingleColumn, &S::SetSingleColumn, false),
        PropBool("IgnoreBlanks", &S::IgnoreBlanks, &S::SetIgnoreBlanks, false),
        PropEnum("BlankPos", &S::BlankPos, &S::SetBlankPos, SortBlankPositionInfo, blFirst),
        PropBool("IgnoreCase", &S::IgnoreCase, &S::SetIgnoreCase, false),
        PropBool("FixedCols", &S::FixedCols, &S::SetFixedCols, false),
        PropBool("NormalCellsOnly", &S::NormalCellsOnly, &S::SetNormalCellsOnly, false),
        PropInt("Row", &S::Row, &S::SetRow, 0),
        PropBool("UndoSort", &S::UndoSort, &S::SetUndoSort, false),
        PropBool("AutoColumnMerge", &S::AutoColumnMerge, &S::SetAutoColumnMerge, false),
        PropBool("AutoSortForGrouping", &S::AutoSortForGrouping, &S::SetAutoSortForGrouping, true),
        PropBool("SortOnVirtualCells", &S::SortOnVirtualCells, &S::SetSortOnVirtualCells, true),
        PropObj("UpGlyph", &S::UpGlyph, &S::SetUpGlyph),
        PropObj("DownGlyph", &S::DownGlyph, &S::SetDownGlyph),
        PropObj("IndexUpGlyph", &S::IndexUpGlyph, &S::SetIndexUpGlyph),
        PropObj("IndexDownGlyph", &S::IndexDownGlyph, &S::SetIndexDownGlyph),
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

TControlLook::TControlLook(TZurEvoderOzod* AOwner)
    : FOwner(AOwner), FDropDownHeader(std::make_unique<THeaderAppearance>(AOwner)),
      FDropDownFooter(std::make_unique<TFooterAppearance>(AOwner))
{
  for (auto& G : FGlyphs)
    G = std::make_unique<TBitmap>();
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
  FButtonPrefix = Src->FButtonPrefix;
  FCheckSize = Src->CheckSize();
  FRadioSize = Src->FRadioSize;
  FControlStyle = Src->FControlStyle;
  for (int I = 0; I < 4; ++I)
    FGlyphs[I]->Assign(Src->FGlyphs[I].get());
  FProgressMarginX = Src->FProgressMarginX;
  FProgressMarginY = Src->FProgressMarginY;
  FProgressHeight = Src->FProgressHeight;
  FProgressBorderColor = Src->FProgressBorderColor;
  FProgressXP = Src->FProgressXP;
  FCommentColor = Src->FCommentColor;
  FColor = Src->FColor;
  FCheckAlwaysActive = Src->FCheckAlwaysActive;
  FRadioAlwaysActive = Src->FRadioAlwaysActive;
  std::copy(std::begin(Src->FGradient), std::end(Src->FGradient), std::begin(FGradient));
  FDropDownAlwaysVisible = Src->FDropDownAlwaysVisible;
  FSpinButtonsAlwaysVisible = Src->FSpinButtonsAlwaysVisible;
  FDropDownCount = Src->FDropDownCount;
  FDropDownFooter->Assign(Src->FDropDownFooter.get());
  FDropDownHeader->Assign(Src->FDropDownHeader.get());
  FHintMaxWidth = Src->FHintMaxWidth;
  FDropDownButtonWidth = Src->FDropDownButtonWidth;
  FRadioRange = Src->FRadioRange;
}

void TControlLook::SetControlStyle(TGridControlStyle Value)
{
  if (Value == FControlStyle)
    return;
  FControlStyle = Value;
  Changed();
}

int32_t TControlLook::CheckSize() const { return FControlStyle == csZID ? 16 : FCheckSize; }

void TControlLook::SetCheckSize(int32_t Value)
{
  FCheckSize = Value;
  Changed();
}

void TControlLook::SetProgressHeight(int32_t Value)
{
  if (Value < 0)
    return;
  FProgressHeight = Value;
  Changed();
}

void TControlLook::SetCheckedGlyph(TBitmap* Value)
{
  FGlyphs[0]->Assign(Value);
  Changed();
}

void TControlLook::SetUnCheckedGlyph(TBitmap* Value)
{
  FGlyphs[1]->Assign(Value);
  Changed();
}

void TControlLook::SetRadioOnGlyph(TBitmap* Value)
{
  FGlyphs[2]->Assign(Value);
  Changed();
}

void TControlLook::SetRadioOffGlyph(TBitmap* Value)
{
  FGlyphs[3]->Assign(Value);
  Changed();
}

void TControlLook::SetDropDownHeader(THeaderAppearance* Value) { FDropDownHeader->Assign(Value); }
void TControlLook::SetDropDownFooter(TFooterAppearance* Value) { FDropDownFooter->Assign(Value); }

GRID_SET_NOTIFY(TControlLook, RadioSize)
GRID_SET_NOTIFY(TControlLook, CheckAlwaysActive)
GRID_SET_NOTIFY(TControlLook, RadioAlwaysActive)
GRID_SET_CHANGE(TControlLook, RadioRange)
GRID_SET_NOTIFY(TControlLook, NoDisabledCheckRadioLook)
GRID_SET_NOTIFY(TControlLook, NoDisabledButtonLook)
GRID_SET_NOTIFY(TControlLook, FlatButton)
GRID_SET_NOTIFY(TControlLook, ButtonPrefix)
GRID_SET_NOTIFY(TControlLook, Color)
GRID_SET_NOTIFY(TControlLook, CommentColor)
GRID_SET_NOTIFY(TControlLook, ProgressBorderColor)
GRID_SET_NOTIFY(TControlLook, ProgressMarginX)
GRID_SET_NOTIFY(TControlLook, ProgressMarginY)
GRID_SET_NOTIFY(TControlLook, ProgressXP)
GRID_SET_CHANGE(TControlLook, DropDownAlwaysVisible)
GRID_SET_NOTIFY(TControlLook, SpinButtonsAlwaysVisible)
GRID_SET_CHANGE(TControlLook, DropDownButtonWidth)
GRID_SET_NOTIFY(TControlLook, DropDownCount)
GRID_SET_NOTIFY(TControlLook, FixedDropDownButton)
GRID_SET_NOTIFY(TControlLook, HintMaxWidth)

void TControlLook::SetFixedGradient(TFixedGradient Which, TColor Value)
{
  FGradient[Which] = Value;
  if (FOwner && (IsMirror(Which) || Value != clNone))
    FOwner->SetZURGrad(Which, Value);
}

// ---------------------------------------------------------------- TSortSettings

TSortSettings::TSortSettings(TZurEvoderOzod* AOwner) : FOwner(AOwner)
{
  for (auto& G : FGlyphs)
    G = std::make_unique<TBitmap>();
}
TSortSettings::~TSortSettings() = default;
String TSortSettings::ClassName() const { return QStringLiteral("TSortSettings"); }

void TSortSettings::Assign(TPersistent* Source)
{
  auto* Src = dynamic_cast<TSortSettings*>(Source);
  if (!Src)
    return;
  FColumn = Src->FColumn;
  FDirection = Src->FDirection;
  FInitSortDirection = Src->FInitSortDirection;
  FShow = Src->FShow;
  FIndexShow = Src->FIndexShow;
  FIndexColor = Src->FIndexColor;
  FIndexSortKey = Src->FIndexSortKey;
  FDefaultFormat = Src->FDefaultFormat;
  FAutoFormat = Src->FAutoFormat;
  FFull = Src->FFull;
  FSingleColumn = Src->FSingleColumn;
  FIgnoreBlanks = Src->FIgnoreBlanks;
  FBlankPos = Src->FBlankPos;
  FFixedCols = Src->FFixedCols;
  FNormalCellsOnly = Src->FNormalCellsOnly;
  FRow = Src->FRow;
  FUndoSort = Src->FUndoSort;
  FAutoColumnMerge = Src->FAutoColumnMerge;
  FAutoSortForGrouping = Src->FAutoSortForGrouping;
  for (int I = 0; I < 4; ++I)
    FGlyphs[I]->Assign(Src->FGlyphs[I].get());
  std::copy(std::begin(Src->FHeaderColor), std::end(Src->FHeaderColor), std::begin(FHeaderColor));
}

void TSortSettings::Remove()
{
  FColumn = -1;
  if (!FOwner)
    return;
  FOwner->FSortIndexes->Clear();
  if (FOwner->FixedRows() > 0)
    FOwner->InvalidateRow(FOwner->FixedRows() - 1);
}

String TSortSettings::SaveToString() const
{
  if (!FIndexShow)
    return (FDirection == sdDescending ? QStringLiteral("d") : QStringLiteral("u")) + IntToStr(FColumn);
  String S = QStringLiteral("i;");
  if (FOwner)
    for (int32_t I = 0; I < FOwner->FSortIndexes->Count(); ++I)
      S += (FOwner->FSortIndexes->SortDirections(I) ? u'u' : u'd') +
           IntToStr(FOwner->FSortIndexes->SortColumns(I) & 0xFFFF) + u';';
  return S;
}

// The rows are ordered again once the grid sorts; until then the state is
// what is restored.
void TSortSettings::LoadFromString(const String& Value)
{
  if (Value.isEmpty())
    return;
  SetShow(true);
  if (Value.length() < 2)
    throw Exception(QStringLiteral("Invalid sort settings specifier"));
  if (Value.contains(QStringLiteral("i;"))) {
    FIndexShow = true;
    const String Rest = Value.mid(2);
    if (!Rest.isEmpty() && FOwner)
      FOwner->FSortIndexes->LoadFromString(Rest);
    return;
  }
  FIndexShow = false;
  FDirection = Value.contains(u'u') ? sdAscending : sdDescending;
  int32_t Col = 0;
  if (TryStrToInt(Value.mid(1), Col))
    FColumn = Col;
}

void TSortSettings::SetUpGlyph(TBitmap* Value) { FGlyphs[0]->Assign(Value); }
void TSortSettings::SetDownGlyph(TBitmap* Value) { FGlyphs[1]->Assign(Value); }
void TSortSettings::SetIndexUpGlyph(TBitmap* Value) { FGlyphs[2]->Assign(Value); }
void TSortSettings::SetIndexDownGlyph(TBitmap* Value) { FGlyphs[3]->Assign(Value); }

GRID_SET_STORE(TSortSettings, InitSortDirection)
GRID_SET_STORE(TSortSettings, IndexShow)
GRID_SET_STORE(TSortSettings, IndexColor)
GRID_SET_STORE(TSortSettings, IndexSortKey)
GRID_SET_STORE(TSortSettings, DefaultFormat)
GRID_SET_STORE(TSortSettings, AutoFormat)
GRID_SET_STORE(TSortSettings, Full)
GRID_SET_STORE(TSortSettings, SingleColumn)
GRID_SET_STORE(TSortSettings, IgnoreBlanks)
GRID_SET_STORE(TSortSettings, BlankPos)
GRID_SET_STORE(TSortSettings, IgnoreCase)
GRID_SET_STORE(TSortSettings, FixedCols)
GRID_SET_STORE(TSortSettings, NormalCellsOnly)
GRID_SET_STORE(TSortSettings, UndoSort)
GRID_SET_STORE(TSortSettings, AutoColumnMerge)
GRID_SET_STORE(TSortSettings, AutoSortForGrouping)
GRID_SET_STORE(TSortSettings, SortOnVirtualCells)

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
