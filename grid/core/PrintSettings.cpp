#include "grid/core/PrintSettings.h"

#include "grid/base/IntList.h"
#include "platform/CanvasTypeInfo.h"
#include "platform/Graphics.h"
#include "platform/Published.h"
#include "rtl/Exceptions.h"
#include "rtl/StringList.h"

namespace {

const TEnumInfo PrintPositionInfo("TPrintPosition", {"ppNone", "ppTopLeft", "ppTopRight", "ppTopCenter", "ppBottomLeft",
                                                     "ppBottomRight", "ppBottomCenter"});
const TEnumInfo PrintBordersInfo("TPrintBorders", {"pbNoborder", "pbSingle", "pbDouble", "pbVertical", "pbHorizontal",
                                                   "pbAround", "pbAroundVertical", "pbAroundHorizontal", "pbCustom"});
const TEnumInfo FitToPageInfo("TFitToPage", {"fpNever", "fpGrow", "fpShrink", "fpAlways", "fpCustom"});
const TEnumInfo PrinterOrientationInfo("TPrinterOrientation", {"poPortrait", "poLandscape"});

using P = TPrintSettings;
[[maybe_unused]] const TClassInfo& PrintSettingsClass = PublishClass<P>(
    "TPrintSettings", "TPersistent",
    {
        PropInt("FooterSize", &P::FooterSize, &P::SetFooterSize, 0),
        PropInt("HeaderSize", &P::HeaderSize, &P::SetHeaderSize, 0),
        PropEnum("Time", &P::Time, &P::SetTime, PrintPositionInfo, ppNone),
        PropEnum("Date", &P::Date, &P::SetDate, PrintPositionInfo, ppNone),
        PropStr("DateFormat", &P::DateFormat, &P::SetDateFormat),
        PropEnum("PageNr", &P::PageNr, &P::SetPageNr, PrintPositionInfo, ppNone),
        PropEnum("Title", &P::Title, &P::SetTitle, PrintPositionInfo, ppNone),
        PropStr("TitleText", &P::TitleText, &P::SetTitleText),
        PropStrings("TitleLines", &P::TitleLines),
        PropObj("Font", &P::Font, &P::SetFont),
        PropObj("FixedFont", &P::FixedFont, &P::SetFixedFont),
        PropObj("HeaderFont", &P::HeaderFont, &P::SetHeaderFont),
        PropObj("FooterFont", &P::FooterFont, &P::SetFooterFont),
        PropEnum("Borders", &P::Borders, &P::SetBorders, PrintBordersInfo, pbSingle),
        PropEnum("BorderStyle", &P::BorderStyle, &P::SetBorderStyle, PenStyleInfo, psSolid),
        PropColor("BorderColor", &P::BorderColor, &P::SetBorderColor, 0x00000000),
        PropBool("Centered", &P::Centered, &P::SetCentered, true),
        PropBool("RepeatFixedRows", &P::RepeatFixedRows, &P::SetRepeatFixedRows, false),
        PropBool("RepeatFixedCols", &P::RepeatFixedCols, &P::SetRepeatFixedCols, false),
        PropInt("LeftSize", &P::LeftSize, &P::SetLeftSize, 0),
        PropInt("RightSize", &P::RightSize, &P::SetRightSize, 0),
        PropInt("ColumnSpacing", &P::ColumnSpacing, &P::SetColumnSpacing, 0),
        PropInt("RowSpacing", &P::RowSpacing, &P::SetRowSpacing, 0),
        PropInt("TitleSpacing", &P::TitleSpacing, &P::SetTitleSpacing, 0),
        PropEnum("Orientation", &P::Orientation, &P::SetOrientation, PrinterOrientationInfo, poPortrait),
        PropStr("PagePrefix", &P::PagePrefix, &P::SetPagePrefix),
        PropStr("PageSuffix", &P::PageSuffix, &P::SetPageSuffix),
        PropStr("PageNumSep", &P::PageNumSep, &P::SetPageNumSep),
        PropInt("FixedWidth", &P::FixedWidth, &P::SetFixedWidth, 0),
        PropInt("FixedHeight", &P::FixedHeight, &P::SetFixedHeight, 0),
        PropBool("UseFixedHeight", &P::UseFixedHeight, &P::SetUseFixedHeight, false),
        PropBool("UseFixedWidth", &P::UseFixedWidth, &P::SetUseFixedWidth, false),
        PropEnum("FitToPage", &P::FitToPage, &P::SetFitToPage, FitToPageInfo, fpNever),
        PropStr("JobName", &P::JobName, &P::SetJobName),
        PropBool("NoAutoSize", &P::NoAutoSize, &P::SetNoAutoSize, false),
        PropBool("NoAutoSizeRow", &P::NoAutoSizeRow, &P::SetNoAutoSizeRow, false),
        PropBool("PrintGraphics", &P::PrintGraphics, &P::SetPrintGraphics, false),
        PropInt("PageNumberOffset", &P::PageNumberOffset, &P::SetPageNumberOffset, 0),
        PropInt("MaxPagesOffset", &P::MaxPagesOffset, &P::SetMaxPagesOffset, 0),
        PropBool("UseDisplayFont", &P::UseDisplayFont, &P::SetUseDisplayFont, true),
        PropBool("UseDefaultOrientation", &P::UseDefaultOrientation, &P::SetUseDefaultOrientation, false),
    });

using H = THTMLSettings;
[[maybe_unused]] const TClassInfo& HTMLSettingsClass =
    PublishClass<H>("THTMLSettings", "TPersistent",
                    {
                        PropBool("AutoPreview", &H::AutoPreview, &H::SetAutoPreview, false),
                        PropInt("BorderSize", &H::BorderSize, &H::SetBorderSize, 1),
                        PropInt("CellSpacing", &H::CellSpacing, &H::SetCellSpacing, 0),
                        PropInt("CellPadding", &H::CellPadding, &H::SetCellPadding, 0),
                        PropBool("ConvertSpecialChars", &H::ConvertSpecialChars, &H::SetConvertSpecialChars, false),
                        PropBool("ExportImages", &H::ExportImages, &H::SetExportImages, true),
                        PropStr("FooterFile", &H::FooterFile, &H::SetFooterFile),
                        PropStr("FooterText", &H::FooterText, &H::SetFooterText),
                        PropStr("HeaderFile", &H::HeaderFile, &H::SetHeaderFile),
                        PropStr("HeaderText", &H::HeaderText, &H::SetHeaderText),
                        PropStr("ImageFolder", &H::ImageFolder, &H::SetImageFolder),
                        PropStr("ImageBaseName", &H::ImageBaseName, &H::SetImageBaseName),
                        PropBool("NonBreakingText", &H::NonBreakingText, &H::SetNonBreakingText, false),
                        PropStr("PrefixTag", &H::PrefixTag, &H::SetPrefixTag),
                        PropBool("SaveColor", &H::SaveColor, &H::SetSaveColor, true),
                        PropBool("SaveFonts", &H::SaveFonts, &H::SetSaveFonts, true),
                        PropStr("SuffixTag", &H::SuffixTag, &H::SetSuffixTag),
                        PropStr("Summary", &H::Summary, &H::SetSummary),
                        PropStr("TableStyle", &H::TableStyle, &H::SetTableStyle),
                        PropInt("Width", &H::Width, &H::SetWidth, 100),
                        PropBool("XHTML", &H::XHTML, &H::SetXHTML, false),
                    });

void CopyFont(TFont* Into, TFont* From)
{
  if (From)
    Into->Assign(From);
}

} // namespace

// ---------------------------------------------------------------- TPrintSettings

TPrintSettings::TPrintSettings()
    : FTitleLines(std::make_unique<TStringList>()), FFont(std::make_unique<TFont>()),
      FFixedFont(std::make_unique<TFont>()), FHeaderFont(std::make_unique<TFont>()),
      FFooterFont(std::make_unique<TFont>())
{
}

TPrintSettings::~TPrintSettings() = default;
String TPrintSettings::ClassName() const { return QStringLiteral("TPrintSettings"); }

void TPrintSettings::SetTitleLines(TStringList* Value)
{
  if (Value)
    FTitleLines->Assign(*Value);
}

void TPrintSettings::SetFont(TFont* Value) { CopyFont(FFont.get(), Value); }
void TPrintSettings::SetFixedFont(TFont* Value) { CopyFont(FFixedFont.get(), Value); }
void TPrintSettings::SetHeaderFont(TFont* Value) { CopyFont(FHeaderFont.get(), Value); }
void TPrintSettings::SetFooterFont(TFont* Value) { CopyFont(FFooterFont.get(), Value); }

void TPrintSettings::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TPrintSettings*>(Source);
  if (!S)
    throw EInvalidCast(QStringLiteral("Invalid class typecast"));
  FFont->Assign(S->FFont.get());
  FFixedFont->Assign(S->FFixedFont.get());
  FHeaderFont->Assign(S->FHeaderFont.get());
  FFooterFont->Assign(S->FFooterFont.get());
  FTitleLines->Assign(*S->FTitleLines);
  FTime = S->FTime;
  FDate = S->FDate;
  FPageNr = S->FPageNr;
  FTitle = S->FTitle;
  FDateFormat = S->FDateFormat;
  FTitleText = S->FTitleText;
  FBorders = S->FBorders;
  FBorderStyle = S->FBorderStyle;
  FBorderColor = S->FBorderColor;
  FCentered = S->FCentered;
  FRepeatFixedRows = S->FRepeatFixedRows;
  FRepeatFixedCols = S->FRepeatFixedCols;
  FFooterSize = S->FFooterSize;
  FHeaderSize = S->FHeaderSize;
  FLeftSize = S->FLeftSize;
  FRightSize = S->FRightSize;
  FColumnSpacing = S->FColumnSpacing;
  FRowSpacing = S->FRowSpacing;
  FTitleSpacing = S->FTitleSpacing;
  FOrientation = S->FOrientation;
  FPagePrefix = S->FPagePrefix;
  FPageSuffix = S->FPageSuffix;
  FPageNumSep = S->FPageNumSep;
  FFixedHeight = S->FFixedHeight;
  FUseFixedHeight = S->FUseFixedHeight;
  FFixedWidth = S->FFixedWidth;
  FUseFixedWidth = S->FUseFixedWidth;
  FFitToPage = S->FFitToPage;
  FNoAutoSize = S->FNoAutoSize;
  FNoAutoSizeRow = S->FNoAutoSizeRow;
  FPrintGraphics = S->FPrintGraphics;
  FJobName = S->FJobName;
  FPageNumberOffset = S->FPageNumberOffset;
  FMaxPagesOffset = S->FMaxPagesOffset;
  FUseDisplayFont = S->FUseDisplayFont;
  FUseDefaultOrientation = S->FUseDefaultOrientation;
  FPrintComments = S->FPrintComments;
}

// ---------------------------------------------------------------- THTMLSettings

THTMLSettings::THTMLSettings() : FColWidths(std::make_unique<TIntList>(-1, -1)) {}
THTMLSettings::~THTMLSettings() = default;
String THTMLSettings::ClassName() const { return QStringLiteral("THTMLSettings"); }

void THTMLSettings::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<THTMLSettings*>(Source);
  if (!S)
    return;
  FAutoPreview = S->FAutoPreview;
  FConvertSpecialChars = S->FConvertSpecialChars;
  FNonBreakingText = S->FNonBreakingText;
  FSaveColor = S->FSaveColor;
  FSaveFonts = S->FSaveFonts;
  FFooterFile = S->FFooterFile;
  FHeaderFile = S->FHeaderFile;
  FBorderSize = S->FBorderSize;
  FCellSpacing = S->FCellSpacing;
  FCellPadding = S->FCellPadding;
  FTableStyle = S->FTableStyle;
  FPrefixTag = S->FPrefixTag;
  FSuffixTag = S->FSuffixTag;
  FSummary = S->FSummary;
  FHeaderText = S->FHeaderText;
  FFooterText = S->FFooterText;
  FWidth = S->FWidth;
  FXHTML = S->FXHTML;
  FImageBaseName = S->FImageBaseName;
  FImageFolder = S->FImageFolder;
}
