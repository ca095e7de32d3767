#pragma once
// The string grid's settings for printing (TPrintSettings) and for the HTML
// export (THTMLSettings). The grid holds them for the print and export
// code, which reads them; the grid itself prints nothing. Setters store
// their value; the owned fonts and the title lines are copied by their
// writers.
#include "platform/Component.h"
#include "platform/GraphicsTypes.h"

#include <memory>

class TFont;
class TIntList;
class TStringList;

enum TPrintPosition : uint8_t {
  ppNone,
  ppTopLeft,
  ppTopRight,
  ppTopCenter,
  ppBottomLeft,
  ppBottomRight,
  ppBottomCenter
};
enum TPrintBorders : uint8_t {
  pbNoborder,
  pbSingle,
  pbDouble,
  pbVertical,
  pbHorizontal,
  pbAround,
  pbAroundVertical,
  pbAroundHorizontal,
  pbCustom
};
enum TFitToPage : uint8_t { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };
// The printer's page orientation.
enum TPrinterOrientation : uint8_t { poPortrait, poLandscape };

class TPrintSettings : public TPersistent {
public:
  TPrintSettings();
  ~TPrintSettings() override;
  String ClassName() const override;
  // Every published setting and PrintComments from another TPrintSettings;
  // any other source raises EInvalidCast.
  void Assign(TPersistent* Source) override;

#define FX_PRINT_FIELD(Type, Name, Init)                                                                               \
public:                                                                                                                \
  Type Name() const { return F##Name; }                                                                                \
  void Set##Name(Type Value) { F##Name = Value; }                                                                      \
                                                                                                                       \
private:                                                                                                               \
  Type F##Name = Init;
  FX_PRINT_FIELD(TPrintPosition, Time, ppNone)
  FX_PRINT_FIELD(TPrintPosition, Date, ppNone)
  FX_PRINT_FIELD(TPrintPosition, PageNr, ppNone)
  FX_PRINT_FIELD(TPrintPosition, Title, ppNone)
  FX_PRINT_FIELD(TPrintBorders, Borders, pbSingle)
  FX_PRINT_FIELD(TPenStyle, BorderStyle, psSolid)
  FX_PRINT_FIELD(TColor, BorderColor, 0x00000000)
  FX_PRINT_FIELD(bool, Centered, true)
  FX_PRINT_FIELD(bool, RepeatFixedRows, false)
  FX_PRINT_FIELD(bool, RepeatFixedCols, false)
  FX_PRINT_FIELD(int32_t, FooterSize, 0)
  FX_PRINT_FIELD(int32_t, HeaderSize, 0)
  FX_PRINT_FIELD(int32_t, LeftSize, 0)
  FX_PRINT_FIELD(int32_t, RightSize, 0)
  FX_PRINT_FIELD(int32_t, ColumnSpacing, 0)
  FX_PRINT_FIELD(int32_t, RowSpacing, 0)
  FX_PRINT_FIELD(int32_t, TitleSpacing, 0)
  FX_PRINT_FIELD(TPrinterOrientation, Orientation, poPortrait)
  FX_PRINT_FIELD(int32_t, FixedHeight, 0)
  FX_PRINT_FIELD(bool, UseFixedHeight, false)
  FX_PRINT_FIELD(int32_t, FixedWidth, 0)
  FX_PRINT_FIELD(bool, UseFixedWidth, false)
  FX_PRINT_FIELD(TFitToPage, FitToPage, fpNever)
  FX_PRINT_FIELD(bool, NoAutoSize, false)
  FX_PRINT_FIELD(bool, PrintGraphics, false)
  FX_PRINT_FIELD(bool, NoAutoSizeRow, false)
  FX_PRINT_FIELD(int32_t, PageNumberOffset, 0)
  FX_PRINT_FIELD(int32_t, MaxPagesOffset, 0)
  FX_PRINT_FIELD(bool, UseDisplayFont, true)
  FX_PRINT_FIELD(bool, UseDefaultOrientation, false)
  // Public, not published.
  FX_PRINT_FIELD(bool, FixedCellsAlways, false)
  FX_PRINT_FIELD(bool, PrintComments, true)
  FX_PRINT_FIELD(bool, ScaleHeader, true)
  FX_PRINT_FIELD(bool, ScaleFooter, true)
#undef FX_PRINT_FIELD

public:
  const String& DateFormat() const { return FDateFormat; }
  void SetDateFormat(const String& Value) { FDateFormat = Value; }
  const String& TitleText() const { return FTitleText; }
  void SetTitleText(const String& Value) { FTitleText = Value; }
  const String& PagePrefix() const { return FPagePrefix; }
  void SetPagePrefix(const String& Value) { FPagePrefix = Value; }
  const String& PageSuffix() const { return FPageSuffix; }
  void SetPageSuffix(const String& Value) { FPageSuffix = Value; }
  const String& PageNumSep() const { return FPageNumSep; }
  void SetPageNumSep(const String& Value) { FPageNumSep = Value; }
  const String& JobName() const { return FJobName; }
  void SetJobName(const String& Value) { FJobName = Value; }
  TStringList* TitleLines() const { return FTitleLines.get(); }
  void SetTitleLines(TStringList* Value);
  // The writers copy the font given; nullptr changes nothing.
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value);
  TFont* FixedFont() const { return FFixedFont.get(); }
  void SetFixedFont(TFont* Value);
  TFont* HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(TFont* Value);
  TFont* FooterFont() const { return FFooterFont.get(); }
  void SetFooterFont(TFont* Value);

private:
  String FDateFormat = QStringLiteral("dd/mm/yyyy");
  String FTitleText;
  String FPagePrefix;
  String FPageSuffix;
  String FPageNumSep = QStringLiteral("/");
  String FJobName;
  std::unique_ptr<TStringList> FTitleLines;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TFont> FFixedFont;
  std::unique_ptr<TFont> FHeaderFont;
  std::unique_ptr<TFont> FFooterFont;
};

class THTMLSettings : public TPersistent {
public:
  THTMLSettings();
  ~THTMLSettings() override;
  String ClassName() const override;
  // Every published setting but ExportImages, from another THTMLSettings
  // only; ColWidths stays.
  void Assign(TPersistent* Source) override;

#define FX_HTML_FIELD(Type, Name, Init)                                                                                \
public:                                                                                                                \
  Type Name() const { return F##Name; }                                                                                \
  void Set##Name(Type Value) { F##Name = Value; }                                                                      \
                                                                                                                       \
private:                                                                                                               \
  Type F##Name = Init;
  FX_HTML_FIELD(bool, AutoPreview, false)
  FX_HTML_FIELD(bool, ConvertSpecialChars, false)
  FX_HTML_FIELD(bool, NonBreakingText, false)
  FX_HTML_FIELD(bool, SaveColor, true)
  FX_HTML_FIELD(bool, SaveFonts, true)
  FX_HTML_FIELD(String, FooterFile, String())
  FX_HTML_FIELD(String, HeaderFile, String())
  FX_HTML_FIELD(int32_t, BorderSize, 1)
  FX_HTML_FIELD(int32_t, CellSpacing, 0)
  FX_HTML_FIELD(int32_t, CellPadding, 0)
  FX_HTML_FIELD(String, TableStyle, String())
  FX_HTML_FIELD(String, PrefixTag, String())
  FX_HTML_FIELD(String, SuffixTag, String())
  FX_HTML_FIELD(String, Summary, String())
  FX_HTML_FIELD(String, HeaderText, String())
  FX_HTML_FIELD(String, FooterText, String())
  FX_HTML_FIELD(int32_t, Width, 100)
  FX_HTML_FIELD(bool, XHTML, false)
  FX_HTML_FIELD(bool, ExportImages, true)
  FX_HTML_FIELD(String, ImageBaseName, QStringLiteral("img"))
  FX_HTML_FIELD(String, ImageFolder, QStringLiteral("images"))
#undef FX_HTML_FIELD

public:
  // Optional column widths of the export.
  TIntList* ColWidths() const { return FColWidths.get(); }

private:
  std::unique_ptr<TIntList> FColWidths;
};
