#include "grid/core/GridAppearance.h"

#include "platform/Bitmap.h"
#include "platform/Graphics.h"
#include "platform/Published.h"

namespace {

const TEnumInfo ProgressStyleInfo("TProgressStyle", {"psXP", "psClassic"});
const TEnumInfo FilterMethodInfo("TFilterMethod", {"fmExpression", "fmLiteral"});
const TEnumInfo HoverButtonPositionInfo("THoverButtonPosition", {"hbLeftFromColumnLeft", "hbRightFromColumnLeft",
                                                                 "hbLeftFromColumnRight", "hbRightFromColumnRight"});
const TEnumInfo HoverRowsInfo("THoverRows", {"hrAll", "hrNormal"});

using DD = TDragScrollDelays;
[[maybe_unused]] const TClassInfo& DelaysClass =
    PublishClass<DD>("TDragScrollDelays", "TPersistent",
                     {
                         PropInt("InitialDelay", &DD::InitialDelay, &DD::SetInitialDelay, 1000),
                         PropInt("RepeatDelay", &DD::RepeatDelay, &DD::SetRepeatDelay, 250),
                     });

using DM = TDragScrollMargins;
[[maybe_unused]] const TClassInfo& MarginsClass =
    PublishClass<DM>("TDragScrollMargins", "TPersistent",
                     {
                         PropInt("TopMargin", &DM::TopMargin, &DM::SetTopMargin, 50),
                         PropInt("BottomMargin", &DM::BottomMargin, &DM::SetBottomMargin, 50),
                         PropInt("LeftMargin", &DM::LeftMargin, &DM::SetLeftMargin, 50),
                         PropInt("RightMargin", &DM::RightMargin, &DM::SetRightMargin, 50),
                     });

using DO = TDragScrollOptions;
[[maybe_unused]] const TClassInfo& DragScrollClass =
    PublishClass<DO>("TDragScrollOptions", "TPersistent",
                     {
                         PropBool("Active", &DO::Active, &DO::SetActive, false),
                         PropObj("Delays", &DO::Delays, &DO::SetDelays),
                         PropObj("Margins", &DO::Margins, &DO::SetMargins),
                     });

using PA = TGridProgressAppearance;
[[maybe_unused]] const TClassInfo& ProgressClass = PublishClass<PA>(
    "TGridProgressAppearance", "TPersistent",
    {
        PropColor("CompleteColor", &PA::CompleteColor, &PA::SetCompleteColor, 0x000000FF),
        PropColor("CompleteFontColor", &PA::CompleteFontColor, &PA::SetCompleteFontColor, 0x00FF0000),
        PropColor("UnCompleteColor", &PA::UnCompleteColor, &PA::SetUnCompleteColor, clNone),
        PropColor("UnCompleteFontColor", &PA::UnCompleteFontColor, &PA::SetUnCompleteFontColor, clWindowText),
        PropColor("Level0Color", &PA::Level0Color, &PA::SetLevel0Color, 0x0000FF00),
        PropColor("Level0ColorTo", &PA::Level0ColorTo, &PA::SetLevel0ColorTo, 0x00E1FFE1),
        PropColor("Level1Color", &PA::Level1Color, &PA::SetLevel1Color, 0x0000FFFF),
        PropColor("Level1ColorTo", &PA::Level1ColorTo, &PA::SetLevel1ColorTo, 0x00CAFFFF),
        PropColor("Level2Color", &PA::Level2Color, &PA::SetLevel2Color, 0x0053A9FF),
        PropColor("Level2ColorTo", &PA::Level2ColorTo, &PA::SetLevel2ColorTo, 0x00A8D3FF),
        PropColor("Level3Color", &PA::Level3Color, &PA::SetLevel3Color, 0x000000FF),
        PropColor("Level3ColorTo", &PA::Level3ColorTo, &PA::SetLevel3ColorTo, 0x00CACAFF),
        PropInt("Level1Perc", &PA::Level1Perc, &PA::SetLevel1Perc, 70),
        PropInt("Level2Perc", &PA::Level2Perc, &PA::SetLevel2Perc, 90),
        PropColor("BorderColor", &PA::BorderColor, &PA::SetBorderColor, 0x00000000),
        PropBool("ShowBorder", &PA::ShowBorder, &PA::SetShowBorder, false),
        PropBool("Stacked", &PA::Stacked, &PA::SetStacked, false),
        PropBool("ShowPercentage", &PA::ShowPercentage, &PA::SetShowPercentage, true),
        PropBool("CompletionSmooth", &PA::CompletionSmooth, &PA::SetCompletionSmooth, true),
        PropBool("ShowGradient", &PA::ShowGradient, &PA::SetShowGradient, true),
        PropInt("Steps", &PA::Steps, &PA::SetSteps, 11),
    });

using FD = TFilterDropDown;
[[maybe_unused]] const TClassInfo& FilterDropDownClass =
    PublishClass<FD>("TFilterDropDown", "TPersistent",
                     {
                         PropBool("AutoSize", &FD::AutoSize, &FD::SetAutoSize, false),
                         PropBool("CaseSensitive", &FD::CaseSensitive, &FD::SetCaseSensitive, false),
                         PropColor("Color", &FD::Color, &FD::SetColor, clWindow),
                         PropBool("ColumnWidth", &FD::ColumnWidth, &FD::SetColumnWidth, false),
                         PropObj("Font", &FD::Font, &FD::SetFont),
                         PropObj("Glyph", &FD::Glyph, &FD::SetGlyph),
                         PropObj("GlyphActive", &FD::GlyphActive, &FD::SetGlyphActive),
                         PropInt("Height", &FD::Height, &FD::SetHeight, 150),
                         PropInt("Width", &FD::Width, &FD::SetWidth, 150),
                         PropBool("IgnoreHTML", &FD::IgnoreHTML, &FD::SetIgnoreHTML, true),
                         PropEnum("Method", &FD::Method, &FD::SetMethod, FilterMethodInfo, fmExpression),
                         PropBool("Sorted", &FD::Sorted, &FD::SetSorted, true),
                         PropStr("TextChecked", &FD::TextChecked, &FD::SetTextChecked),
                         PropStr("TextUnChecked", &FD::TextUnChecked, &FD::SetTextUnChecked),
                     });

using CS = TColorSetting;
[[maybe_unused]] const TClassInfo& ColorSettingClass =
    PublishClass<CS>("TColorSetting", "TPersistent",
                     {
                         PropColor("TextColor", &CS::TextColor, &CS::SetTextColor, clNone),
                         PropColor("BkgColor", &CS::BkgColor, &CS::SetBkgColor, clNone),
                     });

using AC = TAutoColor;
[[maybe_unused]] const TClassInfo& AutoColorClass =
    PublishClass<AC>("TAutoColor", "TPersistent",
                     {
                         PropObj("NegativeNumber", &AC::NegativeNumber, &AC::SetNegativeNumber),
                         PropObj("PositiveNumber", &AC::PositiveNumber, &AC::SetPositiveNumber),
                     });

using HI = THoverButtonsCollectionItem;
[[maybe_unused]] const TClassInfo& HoverItemClass =
    PublishClass<HI>("THoverButtonsCollectionItem", "TCollectionItem",
                     {
                         PropStr("Caption", &HI::Caption, &HI::SetCaption),
                         PropBool("Enabled", &HI::Enabled, &HI::SetEnabled, true),
                         PropBool("Flat", &HI::Flat, &HI::SetFlat, false),
                         PropStr("Hint", &HI::Hint, &HI::SetHint),
                         PropInt("ImageIndex", &HI::ImageIndex, &HI::SetImageIndex, -1),
                         PropObj("Picture", &HI::Picture, &HI::SetPicture),
                         PropInt("Tag", &HI::Tag, &HI::SetTag, 0),
                         PropInt("Width", &HI::Width, &HI::SetWidth, 0),
                     });

[[maybe_unused]] const TClassInfo& HoverCollectionClass =
    PublishClass<THoverButtonsCollection>("THoverButtonsCollection", "TOwnedCollection");

using HB = THoverButtons;
[[maybe_unused]] const TClassInfo& HoverButtonsClass = PublishClass<HB>(
    "THoverButtons", "TPersistent",
    {
        PropBool("Enabled", &HB::Enabled, &HB::SetEnabled, false),
        PropObj("Buttons", &HB::Buttons, &HB::SetButtons),
        PropInt("Column", &HB::Column, &HB::SetColumn, 0),
        PropBool("MoveActiveRow", &HB::MoveActiveRow, &HB::SetMoveActiveRow, true),
        PropEnum("Position", &HB::Position, &HB::SetPosition, HoverButtonPositionInfo, hbRightFromColumnRight),
        PropEnum("Rows", &HB::Rows, &HB::SetRows, HoverRowsInfo, hrNormal),
    });

} // namespace

// ---------------------------------------------------------------- drag scrolling

String TDragScrollDelays::ClassName() const { return QStringLiteral("TDragScrollDelays"); }

void TDragScrollDelays::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TDragScrollDelays*>(Source)) {
    FInitialDelay = S->FInitialDelay;
    FRepeatDelay = S->FRepeatDelay;
  }
}

GRID_SET_STORE(TDragScrollDelays, InitialDelay)
GRID_SET_STORE(TDragScrollDelays, RepeatDelay)

String TDragScrollMargins::ClassName() const { return QStringLiteral("TDragScrollMargins"); }

void TDragScrollMargins::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TDragScrollMargins*>(Source)) {
    FTopMargin = S->FTopMargin;
    FBottomMargin = S->FBottomMargin;
    FLeftMargin = S->FLeftMargin;
    FRightMargin = S->FRightMargin;
  }
}

GRID_SET_STORE(TDragScrollMargins, TopMargin)
GRID_SET_STORE(TDragScrollMargins, BottomMargin)
GRID_SET_STORE(TDragScrollMargins, LeftMargin)
GRID_SET_STORE(TDragScrollMargins, RightMargin)

TDragScrollOptions::TDragScrollOptions()
    : FDelays(std::make_unique<TDragScrollDelays>()), FMargins(std::make_unique<TDragScrollMargins>())
{
}

TDragScrollOptions::~TDragScrollOptions() = default;
String TDragScrollOptions::ClassName() const { return QStringLiteral("TDragScrollOptions"); }

void TDragScrollOptions::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TDragScrollOptions*>(Source)) {
    FMargins->Assign(S->FMargins.get());
    FDelays->Assign(S->FDelays.get());
    FActive = S->FActive;
  }
}

GRID_SET_STORE(TDragScrollOptions, Active)

// ---------------------------------------------------------------- progress appearance

String TGridProgressAppearance::ClassName() const { return QStringLiteral("TGridProgressAppearance"); }

void TGridProgressAppearance::Changed()
{
  if (OnChange)
    OnChange(this);
}

void TGridProgressAppearance::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TGridProgressAppearance*>(Source);
  if (!S)
    return;
  FCompleteColor = S->FCompleteColor;
  FCompleteFontColor = S->FCompleteFontColor;
  FUnCompleteColor = S->FUnCompleteColor;
  FUnCompleteFontColor = S->FUnCompleteFontColor;
  FLevel0Color = S->FLevel0Color;
  FLevel0ColorTo = S->FLevel0ColorTo;
  FLevel1Color = S->FLevel1Color;
  FLevel1ColorTo = S->FLevel1ColorTo;
  FLevel2Color = S->FLevel2Color;
  FLevel2ColorTo = S->FLevel2ColorTo;
  FLevel3Color = S->FLevel3Color;
  FLevel3ColorTo = S->FLevel3ColorTo;
  FLevel1Perc = S->FLevel1Perc;
  FLevel2Perc = S->FLevel2Perc;
  FBorderColor = S->FBorderColor;
  FShowBorder = S->FShowBorder;
  FStacked = S->FStacked;
  FShowPercentage = S->FShowPercentage;
  FCompletionSmooth = S->FCompletionSmooth;
  FShowGradient = S->FShowGradient;
  FSteps = S->FSteps;
  FStyle = S->FStyle;
  Changed();
}

GRID_SET_CHANGE(TGridProgressAppearance, CompleteColor)
GRID_SET_CHANGE(TGridProgressAppearance, CompleteFontColor)
GRID_SET_CHANGE(TGridProgressAppearance, UnCompleteColor)
GRID_SET_CHANGE(TGridProgressAppearance, UnCompleteFontColor)
GRID_SET_CHANGE(TGridProgressAppearance, Level0Color)
GRID_SET_CHANGE(TGridProgressAppearance, Level0ColorTo)
GRID_SET_CHANGE(TGridProgressAppearance, Level1Color)
GRID_SET_CHANGE(TGridProgressAppearance, Level1ColorTo)
GRID_SET_CHANGE(TGridProgressAppearance, Level2Color)
GRID_SET_CHANGE(TGridProgressAppearance, Level2ColorTo)
GRID_SET_CHANGE(TGridProgressAppearance, Level3Color)
GRID_SET_CHANGE(TGridProgressAppearance, Level3ColorTo)
GRID_SET_CHANGE(TGridProgressAppearance, Level1Perc)
GRID_SET_CHANGE(TGridProgressAppearance, Level2Perc)
GRID_SET_CHANGE(TGridProgressAppearance, BorderColor)
GRID_SET_CHANGE(TGridProgressAppearance, ShowBorder)
GRID_SET_CHANGE(TGridProgressAppearance, Stacked)
GRID_SET_CHANGE(TGridProgressAppearance, ShowPercentage)
GRID_SET_CHANGE(TGridProgressAppearance, CompletionSmooth)
GRID_SET_CHANGE(TGridProgressAppearance, ShowGradient)
GRID_SET_CHANGE(TGridProgressAppearance, Steps)
GRID_SET_CHANGE(TGridProgressAppearance, Style)

// ---------------------------------------------------------------- filter drop-down

TFilterDropDown::TFilterDropDown()
    : FFont(std::make_unique<TFont>()), FGlyph(std::make_unique<TBitmap>()), FGlyphActive(std::make_unique<TBitmap>())
{
  FGlyph->OnChange = [this](TObject*) { Changed(); };
  FGlyphActive->OnChange = [this](TObject*) { Changed(); };
}

TFilterDropDown::~TFilterDropDown() = default;
String TFilterDropDown::ClassName() const { return QStringLiteral("TFilterDropDown"); }

void TFilterDropDown::Changed()
{
  if (OnChange)
    OnChange(this);
}

void TFilterDropDown::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TFilterDropDown*>(Source);
  if (!S)
    return;
  FCaseSensitive = S->FCaseSensitive;
  FColor = S->FColor;
  FColumnWidth = S->FColumnWidth;
  FFont->Assign(S->FFont.get());
  FHeight = S->FHeight;
  FWidth = S->FWidth;
  FGlyph->Assign(S->FGlyph.get());
  FGlyphActive->Assign(S->FGlyphActive.get());
  FTextChecked = S->FTextChecked;
  FTextUnChecked = S->FTextUnChecked;
  FIgnoreHTML = S->FIgnoreHTML;
  FMethod = S->FMethod;
}

void TFilterDropDown::SetFont(TFont* Value) { FFont->Assign(Value); }
void TFilterDropDown::SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
void TFilterDropDown::SetGlyphActive(TBitmap* Value) { FGlyphActive->Assign(Value); }

GRID_SET_STORE(TFilterDropDown, AutoSize)
GRID_SET_STORE(TFilterDropDown, CaseSensitive)
GRID_SET_STORE(TFilterDropDown, Color)
GRID_SET_STORE(TFilterDropDown, ColumnWidth)
GRID_SET_STORE(TFilterDropDown, Height)
GRID_SET_STORE(TFilterDropDown, Width)
GRID_SET_STORE(TFilterDropDown, IgnoreHTML)
GRID_SET_STORE(TFilterDropDown, Method)
GRID_SET_STORE(TFilterDropDown, Sorted)
GRID_SET_STORE(TFilterDropDown, TextChecked)
GRID_SET_STORE(TFilterDropDown, TextUnChecked)

// ---------------------------------------------------------------- automatic colours

String TColorSetting::ClassName() const { return QStringLiteral("TColorSetting"); }

void TColorSetting::Changed()
{
  if (OnChange)
    OnChange(this);
}

void TColorSetting::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TColorSetting*>(Source)) {
    FTextColor = S->FTextColor;
    FBkgColor = S->FBkgColor;
  }
}

GRID_SET_CHANGE(TColorSetting, TextColor)
GRID_SET_CHANGE(TColorSetting, BkgColor)

TAutoColor::TAutoColor()
    : FNegativeNumber(std::make_unique<TColorSetting>()), FPositiveNumber(std::make_unique<TColorSetting>())
{
  FNegativeNumber->OnChange = [this](TObject*) { Changed(); };
  FPositiveNumber->OnChange = [this](TObject*) { Changed(); };
}

TAutoColor::~TAutoColor() = default;
String TAutoColor::ClassName() const { return QStringLiteral("TAutoColor"); }

void TAutoColor::Changed()
{
  if (OnChange)
    OnChange(this);
}

void TAutoColor::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TAutoColor*>(Source)) {
    FNegativeNumber->Assign(S->FNegativeNumber.get());
    FPositiveNumber->Assign(S->FPositiveNumber.get());
  }
}

bool TAutoColor::ColorsDefined() const
{
  return FNegativeNumber->TextColor() != clNone || FNegativeNumber->BkgColor() != clNone ||
         FPositiveNumber->TextColor() != clNone || FPositiveNumber->BkgColor() != clNone;
}

// ---------------------------------------------------------------- hover buttons

THoverButtonsCollectionItem::THoverButtonsCollectionItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FPicture(std::make_unique<TPicture>())
{
}

THoverButtonsCollectionItem::~THoverButtonsCollectionItem() = default;
String THoverButtonsCollectionItem::ClassName() const { return QStringLiteral("THoverButtonsCollectionItem"); }

void THoverButtonsCollectionItem::Touched()
{
  if (Collection())
    Changed(false);
}

void THoverButtonsCollectionItem::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<THoverButtonsCollectionItem*>(Source);
  if (!S) {
    TCollectionItem::Assign(Source);
    return;
  }
  FTag = S->FTag;
  FFlat = S->FFlat;
  FEnabled = S->FEnabled;
  FCaption = S->FCaption;
  FHint = S->FHint;
  FPicture->Assign(S->FPicture.get());
  FWidth = S->FWidth;
}

void THoverButtonsCollectionItem::SetPicture(TPicture* Value)
{
  FPicture->Assign(Value);
  Touched();
}

#define HOVER_SET(Name)                                                                                                \
  void THoverButtonsCollectionItem::Set##Name(decltype(F##Name) Value)                                                 \
  {                                                                                                                    \
    if (F##Name == Value)                                                                                              \
      return;                                                                                                          \
    F##Name = Value;                                                                                                   \
    Touched();                                                                                                         \
  }
HOVER_SET(Caption)
HOVER_SET(Enabled)
HOVER_SET(Flat)
HOVER_SET(Hint)
HOVER_SET(ImageIndex)
#undef HOVER_SET
GRID_SET_STORE(THoverButtonsCollectionItem, Tag)
GRID_SET_STORE(THoverButtonsCollectionItem, Width)

THoverButtonsCollection::THoverButtonsCollection(TPersistent* AOwner)
    : TOwnedCollection(AOwner, ClassInfoFor<THoverButtonsCollectionItem>())
{
}

String THoverButtonsCollection::ClassName() const { return QStringLiteral("THoverButtonsCollection"); }

THoverButtonsCollectionItem* THoverButtonsCollection::Add()
{
  return static_cast<THoverButtonsCollectionItem*>(TCollection::Add());
}

THoverButtonsCollectionItem* THoverButtonsCollection::Insert(int32_t Index)
{
  return static_cast<THoverButtonsCollectionItem*>(TCollection::Insert(Index));
}

THoverButtonsCollectionItem* THoverButtonsCollection::Items(int32_t Index) const
{
  return static_cast<THoverButtonsCollectionItem*>(TCollection::Items(Index));
}

void THoverButtonsCollection::Update(TCollectionItem* Item)
{
  TOwnedCollection::Update(Item);
  FUpdated = true;
}

THoverButtons::THoverButtons(TPersistent* AOwner)
    : FOwner(AOwner), FButtons(std::make_unique<THoverButtonsCollection>(this))
{
}

THoverButtons::~THoverButtons() = default;
String THoverButtons::ClassName() const { return QStringLiteral("THoverButtons"); }

void THoverButtons::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<THoverButtons*>(Source);
  if (!S)
    return;
  FEnabled = S->FEnabled;
  FButtons->Assign(S->FButtons.get());
  FColumn = S->FColumn;
  FMoveActiveRow = S->FMoveActiveRow;
  FPosition = S->FPosition;
  FRows = S->FRows;
}

GRID_SET_STORE(THoverButtons, Enabled)
GRID_SET_STORE(THoverButtons, Column)
GRID_SET_STORE(THoverButtons, MoveActiveRow)
GRID_SET_STORE(THoverButtons, Position)
GRID_SET_STORE(THoverButtons, Rows)
