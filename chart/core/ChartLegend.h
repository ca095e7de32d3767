#pragma once
// The chart's legend: the framed box that names what the chart shows, one
// row (or cell) per series, per value of one series, or per series group,
// each with a symbol in the series' colour and up to three text columns
// (split at ZuzLegendColumnSeparator), optionally a check box that switches
// the series (or group) on and off.
//
// Layout (CalcRect, ChartLegend.cpp): the effective style and the items,
// their texts and widths, then the box at one side of the chart (laLeft,
// laRight: one column of rows from TopPos down, as many as fit; laTop,
// laBottom: a strip centred on the chart in as many columns as fit, equal
// columns when it needs more than one row, at most MaxNumRows or 10 rows)
// or at a custom position, and the room taken from the chart rectangle
// (plus HorizMargin / VertMargin, or 3 / 4 percent). Drawing, symbols,
// check boxes and the hit test: ChartLegendDraw.cpp.
//
// Published (default): Alignment (laRight), CheckBoxes (False),
// CheckBoxesStyle (cbsCheck), ColorWidth (20), CurrentPage (True),
// DividingLines, DrawBehind (False), FirstValue (0), FontSeriesColor
// (False), GlobalTransparency (0), HorizJustify (ljAutomatic), HorizMargin
// (0), Inverted (False), LeftPercent (0), LegendStyle (lsAuto), MaxNumRows
// (0), PositionUnits (muPixels), ResizeChart (True), Selected, Symbol,
// TextStyle (ltsLeftValue), TextSymbolGap (2), Title, TopPercent (0),
// TopPos (10), VertMargin (0), VertSpacing (0), and the text box's.
// Main thread only.
#include "chart/core/ChartTitle.h"
#include "chart/core/ZuzEvent.h"
#include "chart/core/ZuzUnits.h"
#include "rtl/Exceptions.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

class TChartSeries;
class TCustomChart;
class TCustomChartLegend;
class TZuzEmboss;
class TZuzGradient;
class TZuzHiddenPen;
class TZuzPen;
class TZuzSelected;
class TZuzShadow;

enum TLegendAlignment : uint8_t { laLeft, laRight, laTop, laBottom };
enum TLegendStyle : uint8_t { lsAuto, lsSeries, lsValues, lsLastValues, lsSeriesGroups };
enum TLegendTextStyle : uint8_t {
  ltsPlain,
  ltsLeftValue,
  ltsRightValue,
  ltsLeftPercent,
  ltsRightPercent,
  ltsXValue,
  ltsValue,
  ltsPercent,
  ltsXAndValue,
  ltsXAndPercent,
  ltsXAndText,
  ltsXAndValueAndText
};
enum TCheckBoxesStyle : uint8_t { cbsCheck, cbsRadio };
enum TLegendJustify : uint8_t { ljAutomatic, ljYes, ljNo };
enum TLegendSymbolSize : uint8_t { lcsPercent, lcsPixels };
enum TLegendSymbolPosition : uint8_t { spLeft, spRight };

class LegendException : public Exception {
public:
  explicit LegendException(const String& Msg) : Exception(Msg) {}
};

// The legend changed its check boxes (listeners repaint their views).
class TZuzLegendEvent : public TZuzEvent {
public:
  String ClassName() const override;
};

using TSymbolDrawEvent = std::function<void(TObject* Sender, TChartSeries* Series, int32_t ValueIndex, const TRect& R)>;
using TLegendCalcSize = std::function<void(TCustomChartLegend* Sender, int32_t& ASize)>;

// The coloured box before (or after) each legend text.
// Published (default): Continuous (False), DefaultPen (True), Emboss,
// Gradient, Height (100), HeightUnits (lcsPercent), Pen, Position (spLeft),
// Shadow, Squared (True), UseImages (True), Visible (True), Width (20),
// WidthUnits (lcsPercent), OnDraw.
class TLegendSymbol : public TPersistent {
public:
  explicit TLegendSymbol(TCustomChartLegend* ALegend);
  ~TLegendSymbol() override;
  String ClassName() const override;
  // The sizes, position and switches (not pen, gradient, shadow, emboss).
  void Assign(TPersistent* Source) override;

  // Pixels, or the legend's row height less 4 scaled by Height percent.
  int32_t CalcHeight() const;
  // 0 when hidden; squared: the height (less VertSpacing); pixels; else
  // Width percent of the text width.
  int32_t CalcWidth(int32_t TextWidth) const;
  // One symbol box in Color into R (shadow and emboss first).
  void Draw(TColor Color, const TRect& R);

  bool Continuous() const { return FContinuous; }
  void SetContinuous(bool Value);
  bool DefaultPen() const { return FDefaultPen; }
  void SetDefaultPen(bool Value);
  TZuzEmboss* Emboss() const { return FEmboss.get(); }
  void SetEmboss(TZuzEmboss* Value);
  TZuzGradient* Gradient() const { return FGradient.get(); }
  void SetGradient(TZuzGradient* Value);
  int32_t Height() const { return FHeight; }
  void SetHeight(int32_t Value);
  TLegendSymbolSize HeightUnits() const { return FHeightUnits; }
  void SetHeightUnits(TLegendSymbolSize Value);
  TZuzPen* Pen() const { return FPen.get(); }
  void SetPen(TZuzPen* Value);
  TLegendSymbolPosition Position() const { return FPosition; }
  void SetPosition(TLegendSymbolPosition Value);
  TZuzShadow* Shadow() const { return FShadow.get(); }
  void SetShadow(TZuzShadow* Value);
  bool Squared() const { return FSquared; }
  void SetSquared(bool Value);
  bool UseImages() const { return FUseImages; }
  void SetUseImages(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int32_t Width() const { return FWidth; }
  void SetWidth(int32_t Value);
  TLegendSymbolSize WidthUnits() const { return FWidthUnits; }
  void SetWidthUnits(TLegendSymbolSize Value);

  TSymbolDrawEvent OnDraw;

private:
  void Repaint();
  template <class T>
  void Change(T& Field, T Value);

  bool FContinuous = false;
  bool FDefaultPen = true;
  std::unique_ptr<TZuzEmboss> FEmboss;
  std::unique_ptr<TZuzGradient> FGradient;
  int32_t FHeight = 100;
  TLegendSymbolSize FHeightUnits = lcsPercent;
  std::unique_ptr<TZuzPen> FPen;
  TLegendSymbolPosition FPosition = spLeft;
  std::unique_ptr<TZuzShadow> FShadow;
  bool FSquared = true;
  bool FUseImages = true;
  bool FVisible = true;
  int32_t FWidth = 20;
  TLegendSymbolSize FWidthUnits = lcsPercent;
  TCustomChartLegend* ILegend;
};

// Where one legend item was drawn, or the custom texts, place and font a
// user gave it. Published: Align, Font, Left, Text, Text2, Text3, Top.
class TLegendItem : public TPersistent {
public:
  explicit TLegendItem(TCustomChartLegend* ALegend);
  ~TLegendItem() override;
  String ClassName() const override;

  bool HasFont() const { return FFont != nullptr; }
  // The item's own font, made on first read as a copy of the legend's.
  TZuzFont* Font();
  // nullptr frees the own font.
  void SetFont(TZuzFont* Value);
  int32_t Align() const { return FAlign; }
  void SetAlign(int32_t Value);
  int32_t Left() const { return FLeft; }
  void SetLeft(int32_t Value);
  int32_t Top() const { return FTop; }
  void SetTop(int32_t Value);
  const String& Text() const { return FText; }
  void SetText(const String& Value);
  const String& Text2() const { return FText2; }
  void SetText2(const String& Value);
  const String& Text3() const { return FText3; }
  void SetText3(const String& Value);
  // Where its symbol was (or is to be) drawn.
  TRect Symbol;

private:
  friend class TCustomChartLegend;
  void Changed(bool Position);

  int32_t FAlign = 0;
  std::unique_ptr<TZuzFont> FFont;
  int32_t FLeft = 0;
  String FText, FText2, FText3;
  int32_t FTop = 0;
  TCustomChartLegend* ILegend;
};

// The legend's items: sparse, made on first read of an index.
class TLegendItems : public TObject {
public:
  explicit TLegendItems(TCustomChartLegend* ALegend);
  ~TLegendItems() override;
  String ClassName() const override;
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  // Grows the list with empty slots and makes the item at Index.
  TLegendItem* GetItem(int32_t Index);
  // nullptr for an empty slot or beyond the list.
  TLegendItem* ItemIfAny(int32_t Index) const;
  // Their texts replace the computed ones.
  bool Custom() const { return FCustom; }
  void SetCustom(bool Value);
  // Their places replace the computed ones.
  bool CustomPosition() const { return FCustomPosition; }
  void SetCustomPosition(bool Value);
  void ClearItems() { FItems.clear(); }
  void Clear();

private:
  std::vector<std::unique_ptr<TLegendItem>> FItems;
  bool FCustom = false;
  bool FCustomPosition = false;
  TCustomChartLegend* ILegend;
};

// The title inside the legend box: flat, transparent, bold.
class TLegendTitle : public TStringsShape {
public:
  explicit TLegendTitle(TCustomZuzPanel* AOwner);
  String ClassName() const override;

protected:
  void InitShadow(TZuzShadow* AShadow) override;
};

class TCustomChartLegend : public TZuzCustomShapePosition {
public:
  explicit TCustomChartLegend(TCustomZuzPanel* AOwner);
  ~TCustomChartLegend() override;
  String ClassName() const override;
  // Every legend setting, then the positioned box.
  void Assign(TPersistent* Source) override;

  // ---- What the items are ----
  // LegendStyle; lsAuto: lsSeries with check boxes or more than one active
  // series in the legend, else lsValues.
  TLegendStyle CalcLegendStyle() const;
  // The series whose values an lsValues legend lists.
  TChartSeries* GetLegendSeries() const;
  bool Vertical() const { return FAlignment == laLeft || FAlignment == laRight; }
  // Visible, and check boxes in use or an active series in the chart.
  bool ShouldDraw() const;
  // The text of item Index for the effective style.
  String FormattedLegend(int32_t Index);
  // The legend text of point ValueIndex for the TextStyle (blanks for line
  // breaks); empty for -1.
  String FormattedValue(TChartSeries* ASeries, int32_t ValueIndex);
  // Check boxes on and a style other than lsValues.
  bool HasCheckBoxes() const;

  // ---- Layout ----
  // Lays the legend out and takes its room from the chart rectangle.
  void CalcRect();
  int32_t CalcItemHeight() const;
  int32_t FirstItemTop() const;
  int32_t ColumnWidth(int32_t Col) const;
  // Text column K (0..2) of layout column Col: the widest of its items, or
  // the stored width when the widths are not automatic.
  int32_t ColumnTextWidth(int32_t Col, int32_t K) const;
  int32_t CalcItemWidthColor(int32_t W) const;
  int32_t DividingWidth() const;
  int32_t TitleWidth() const;
  void OffsetParent(int32_t Sign);
  const TRect& GetRectLegend() const { return ShapeBounds; }

  // ---- Drawing and the mouse (ChartLegendDraw.cpp) ----
  void DrawLegend();
  // The item under P, or -1.
  int32_t Clicked(const TPoint& P);
  int32_t Clicked(int32_t X, int32_t Y) { return Clicked(TPoint{X, Y}); }
  // A press on item ItemIndex: selects it and, with check boxes, switches
  // its series (or group). Returns whether it was consumed.
  bool DoMouseDown(int32_t X, int32_t Y, int32_t ItemIndex);
  // The hand cursor while the selection highlight shows, else Cursor.
  TCursor CalcCursor() const;
  // The chart's LegendPen: none with DefaultPen, else the symbol's pen.
  void PrepareSymbolPen();

  // ---- Settings ----
  TLegendAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TLegendAlignment Value);
  bool CheckBoxes() const { return FCheckBoxes; }
  void SetCheckBoxes(bool Value);
  TCheckBoxesStyle CheckBoxesStyle() const { return FCheckBoxesStyle; }
  // Radio style leaves only the first active series (group) on.
  void SetCheckBoxesStyle(TCheckBoxesStyle Value);
  int32_t ColorWidth() const;
  void SetColorWidth(int32_t Value);
  bool CurrentPage() const { return FCurrentPage; }
  void SetCurrentPage(bool Value);
  TZuzHiddenPen* DividingLines() const { return FDividingLines.get(); }
  void SetDividingLines(TZuzHiddenPen* Value);
  bool DrawBehind() const { return FDrawBehind; }
  void SetDrawBehind(bool Value);
  int32_t FirstValue() const { return FFirstValue; }
  // Raises LegendException ZuzMsg_LegendFirstValue for a negative value.
  void SetFirstValue(int32_t Value);
  bool FontSeriesColor() const { return FFontSeriesColor; }
  void SetFontSeriesColor(bool Value);
  TZuzTransparency GlobalTransparency() const { return FGlobalTransp; }
  void SetGlobalTransparency(TZuzTransparency Value);
  TLegendJustify HorizJustify() const { return FHorizJustify; }
  void SetHorizJustify(TLegendJustify Value);
  int32_t HorizMargin() const { return FHorizMargin; }
  void SetHorizMargin(int32_t Value);
  bool Inverted() const { return FInverted; }
  void SetInverted(bool Value);
  TLegendItems& Items() const { return *FItems; }
  TLegendItem* GetItem(int32_t Index);
  int32_t LeftPercent() const { return FLeftPercent; }
  void SetLeftPercent(int32_t Value);
  TLegendStyle LegendStyle() const { return FLegendStyle; }
  void SetLegendStyle(TLegendStyle Value);
  int32_t MaxNumRows() const { return FMaxNumRows; }
  void SetMaxNumRows(int32_t Value);
  TZuzUnits PositionUnits() const { return FPosUnits; }
  void SetPositionUnits(TZuzUnits Value);
  bool ResizeChart() const { return FResizeChart; }
  void SetResizeChart(bool Value);
  // Made on first read.
  TZuzSelected* Selected();
  TZuzSelected* SelectedIfAny() const { return FSelected.get(); }
  void SetSelected(TZuzSelected* Value);
  TChartSeries* Series() const { return FSeries; }
  void SetSeries(TChartSeries* Value);
  TLegendSymbol* Symbol() const { return FSymbol.get(); }
  void SetSymbol(TLegendSymbol* Value);
  TLegendTextStyle TextStyle() const { return FTextStyle; }
  void SetTextStyle(TLegendTextStyle Value);
  int32_t TextSymbolGap() const { return FTextSymbolGap; }
  void SetTextSymbolGap(int32_t Value);
  // Made on first read; nullptr frees it.
  TLegendTitle* Title();
  TLegendTitle* TitleIfAny() const { return FTitle.get(); }
  void SetTitle(TLegendTitle* Value);
  int32_t TopPercent() const { return FTopPercent; }
  void SetTopPercent(int32_t Value);
  int32_t TopPos() const { return FTopLeftPos; }
  void SetTopPos(int32_t Value);
  int32_t VertMargin() const { return FVertMargin; }
  void SetVertMargin(int32_t Value);
  int32_t VertSpacing() const { return FVertSpacing; }
  void SetVertSpacing(int32_t Value);

  TLegendCalcSize OnCalcSize;

  // ---- The last layout ----
  TLegendStyle InternalLegendStyle = lsAuto;
  int32_t ILastValue = -1;
  int32_t ITotalItems = 0;
  bool IDrawTitle = false;
  std::vector<std::array<String, 3>> IItems;
  std::vector<std::array<int32_t, 3>> IItemsWidth;
  std::vector<int32_t> IColorWidths;
  int32_t IColorWidth = 0;
  bool IJustify = false;
  int32_t IMaxWidth = 0;
  int32_t ISpaceWidth = 0;
  int32_t ItemsTopMargin = 0;
  int32_t ItemHeight = 0;
  int32_t XLegendBox = 0;
  int32_t XLegendText = 0;
  int32_t XLegendColor = 0;
  int32_t NumCols = 0;
  int32_t NumRows = 0;
  bool ColumnWidthAuto = true;
  std::vector<int32_t> ColumnWidths;
  bool ICustomFont = false;

protected:
  TCustomChart* Chart() const;

private:
  friend class TLegendItem;
  int32_t FrameWidth() const;
  bool CalcInverted() const;
  int32_t CalcTotalItems();
  void GetItems();
  void SetItem(int32_t Slot, int32_t ValueIndex);
  int32_t MaxLegendColumns(TLegendJustify Justify);
  int32_t CalcFittingItems(int32_t W, bool Justified);
  int32_t CalcHorizNumRows(int32_t Cols) const;
  int32_t TotalColumnsWidth() const;
  void CalcColumnsWidth();
  void ResizeVertical();
  void CalcWidths(int32_t& W);
  void CalcVerticalPositions();
  void CalcHorizontalPositions();
  void CalcSymbolTextPos(int32_t X);
  void TryResizeChartRect();
  // Drawing (ChartLegendDraw.cpp).
  void DrawItems();
  void DrawLegendItem(int32_t ValueIndex, int32_t Slot);
  void DrawLegendTitle();
  void DrawItemSymbol(int32_t ValueIndex, int32_t Slot, const TRect& SymbolRect, int32_t BoxX, int32_t RowY);
  void DrawSymbol(TChartSeries* S, int32_t ValueIndex, int32_t Slot, const TRect& R);
  void DrawBox(bool Checked, int32_t X, int32_t RowY);
  TChartSeries* ItemSeries(int32_t ValueIndex) const;

  TLegendAlignment FAlignment = laRight;
  bool FCheckBoxes = false;
  TCheckBoxesStyle FCheckBoxesStyle = cbsCheck;
  bool FCurrentPage = true;
  std::unique_ptr<TZuzHiddenPen> FDividingLines;
  bool FDrawBehind = false;
  int32_t FFirstValue = 0;
  bool FFontSeriesColor = false;
  TZuzTransparency FGlobalTransp = 0;
  TLegendJustify FHorizJustify = ljAutomatic;
  int32_t FHorizMargin = 0;
  bool FInverted = false;
  std::unique_ptr<TLegendItems> FItems;
  int32_t FLeftPercent = 0;
  TLegendStyle FLegendStyle = lsAuto;
  int32_t FMaxNumRows = 0;
  TZuzUnits FPosUnits = muPixels;
  bool FResizeChart = true;
  std::unique_ptr<TZuzSelected> FSelected;
  TChartSeries* FSeries = nullptr;
  std::unique_ptr<TLegendSymbol> FSymbol;
  TLegendTextStyle FTextStyle = ltsLeftValue;
  int32_t FTextSymbolGap = 2;
  std::unique_ptr<TLegendTitle> FTitle;
  int32_t FTopLeftPos = 10;
  int32_t FTopPercent = 0;
  int32_t FVertMargin = 0;
  int32_t FVertSpacing = 0;
  bool IInverted = false;
};

class TChartLegend : public TCustomChartLegend {
public:
  explicit TChartLegend(TCustomZuzPanel* AOwner);
  String ClassName() const override;
};

// Separates the columns of a legend item's text (character 6).
extern QChar ZuzLegendColumnSeparator;
