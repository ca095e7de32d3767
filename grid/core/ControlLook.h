#pragma once
// Two published settings objects of the string grid: TControlLook, the look
// of the controls cells show and the gradient of the fixed cells, and
// TSortSettings, the sort column, direction and indicator.
//
// Both are made by the grid with the grid as owner and repaint it when a
// visible setting changes.
#include "grid/base/GridProp.h"
#include "grid/base/RurTypes.h"
#include "platform/Colors.h"
#include "platform/Component.h"

#include <memory>

class TBitmap;
class TFooterAppearance;
class THeaderAppearance;
class TZurEvoderOzod;

// The drawing style of cell controls (the grid's TControlStyle; the
// framework's control style set holds that name).
enum TGridControlStyle : uint8_t { csClassic, csFlat, csWinXP, csBorland, csZID, csGlyph, csTheme };
enum TSortDirection : uint8_t { sdAscending, sdDescending };
enum TIndexSortKey : uint8_t { ikShift, ikCtrl };
enum TSortBlankPosition : uint8_t { blFirst, blLast };

// The fourteen colours of a fixed cell's gradient: normal, under the mouse
// (hover) and pressed (down), each with its mirror half; hover and down
// also with a border.
enum TFixedGradient : uint8_t {
  fgFrom,
  fgTo,
  fgMirrorFrom,
  fgMirrorTo,
  fgHoverFrom,
  fgHoverTo,
  fgHoverMirrorFrom,
  fgHoverMirrorTo,
  fgHoverBorder,
  fgDownFrom,
  fgDownTo,
  fgDownMirrorFrom,
  fgDownMirrorTo,
  fgDownBorder,
  FixedGradientCount
};

class TControlLook : public TPersistent {
public:
  explicit TControlLook(TZurEvoderOzod* AOwner);
  ~TControlLook() override;
  String ClassName() const override;
  // From another control look: every member it holds, the gradient colours
  // without passing them on to the grid.
  void Assign(TPersistent* Source) override;

  // Setters store and repaint the grid; ControlStyle, DropDownAlwaysVisible,
  // DropDownButtonWidth and RadioRange only when the value changes.
  TGridControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TGridControlStyle Value);
  // 16 while ControlStyle is csZID, whatever is stored.
  int32_t CheckSize() const;
  void SetCheckSize(int32_t Value);
  // A negative value is ignored.
  void SetProgressHeight(int32_t Value);
  int32_t ProgressHeight() const { return FProgressHeight; }
  // The glyph-style pictures; setting one copies it.
  TBitmap* CheckedGlyph() const { return FGlyphs[0].get(); }
  void SetCheckedGlyph(TBitmap* Value);
  TBitmap* UnCheckedGlyph() const { return FGlyphs[1].get(); }
  void SetUnCheckedGlyph(TBitmap* Value);
  TBitmap* RadioOnGlyph() const { return FGlyphs[2].get(); }
  void SetRadioOnGlyph(TBitmap* Value);
  TBitmap* RadioOffGlyph() const { return FGlyphs[3].get(); }
  void SetRadioOffGlyph(TBitmap* Value);
  // The drop-down editors' header and footer; setting copies.
  THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
  void SetDropDownHeader(THeaderAppearance* Value);
  TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
  void SetDropDownFooter(TFooterAppearance* Value);

  GRID_PROP(int32_t, RadioSize, 10)
  GRID_PROP(bool, CheckAlwaysActive, false)
  GRID_PROP(bool, RadioAlwaysActive, false)
  GRID_PROP(bool, RadioRange, false)
  GRID_PROP(bool, NoDisabledCheckRadioLook, false)
  GRID_PROP(bool, NoDisabledButtonLook, false)
  GRID_PROP(bool, FlatButton, false)
  GRID_PROP(bool, ButtonPrefix, false)
  GRID_PROP(TColor, Color, 0x00000000)
  GRID_PROP(TColor, CommentColor, 0x000000FF)
  GRID_PROP(TColor, ProgressBorderColor, 0x00808080)
  GRID_PROP(int32_t, ProgressMarginX, 2)
  GRID_PROP(int32_t, ProgressMarginY, 2)
  GRID_PROP(bool, ProgressXP, false)
  GRID_PROP(bool, DropDownAlwaysVisible, false)
  GRID_PROP(bool, SpinButtonsAlwaysVisible, false)
  GRID_PROP(int32_t, DropDownButtonWidth, 16)
  GRID_PROP(int32_t, DropDownCount, 8)
  GRID_PROP(bool, FixedDropDownButton, false)
  GRID_PROP(int32_t, HintMaxWidth, 0)

public:
  // A gradient colour. Setting one passes it on to the grid's fixed-cell
  // colour of the same name: the mirror colours always, the others unless
  // clNone. The grid is not repainted here.
  TColor FixedGradient(TFixedGradient Which) const { return FGradient[Which]; }
  void SetFixedGradient(TFixedGradient Which, TColor Value);
  // The named accessors streams use.
  TColor FixedGradientFrom() const { return FGradient[fgFrom]; }
  void SetFixedGradientFrom(TColor V) { SetFixedGradient(fgFrom, V); }
  TColor FixedGradientTo() const { return FGradient[fgTo]; }
  void SetFixedGradientTo(TColor V) { SetFixedGradient(fgTo, V); }
  TColor FixedGradientMirrorFrom() const { return FGradient[fgMirrorFrom]; }
  void SetFixedGradientMirrorFrom(TColor V) { SetFixedGradient(fgMirrorFrom, V); }
  TColor FixedGradientMirrorTo() const { return FGradient[fgMirrorTo]; }
  void SetFixedGradientMirrorTo(TColor V) { SetFixedGradient(fgMirrorTo, V); }
  TColor FixedGradientHoverFrom() const { return FGradient[fgHoverFrom]; }
  void SetFixedGradientHoverFrom(TColor V) { SetFixedGradient(fgHoverFrom, V); }
  TColor FixedGradientHoverTo() const { return FGradient[fgHoverTo]; }
  void SetFixedGradientHoverTo(TColor V) { SetFixedGradient(fgHoverTo, V); }
  TColor FixedGradientHoverMirrorFrom() const { return FGradient[fgHoverMirrorFrom]; }
  void SetFixedGradientHoverMirrorFrom(TColor V) { SetFixedGradient(fgHoverMirrorFrom, V); }
  TColor FixedGradientHoverMirrorTo() const { return FGradient[fgHoverMirrorTo]; }
  void SetFixedGradientHoverMirrorTo(TColor V) { SetFixedGradient(fgHoverMirrorTo, V); }
  TColor FixedGradientHoverBorder() const { return FGradient[fgHoverBorder]; }
  void SetFixedGradientHoverBorder(TColor V) { SetFixedGradient(fgHoverBorder, V); }
  TColor FixedGradientDownFrom() const { return FGradient[fgDownFrom]; }
  void SetFixedGradientDownFrom(TColor V) { SetFixedGradient(fgDownFrom, V); }
  TColor FixedGradientDownTo() const { return FGradient[fgDownTo]; }
  void SetFixedGradientDownTo(TColor V) { SetFixedGradient(fgDownTo, V); }
  TColor FixedGradientDownMirrorFrom() const { return FGradient[fgDownMirrorFrom]; }
  void SetFixedGradientDownMirrorFrom(TColor V) { SetFixedGradient(fgDownMirrorFrom, V); }
  TColor FixedGradientDownMirrorTo() const { return FGradient[fgDownMirrorTo]; }
  void SetFixedGradientDownMirrorTo(TColor V) { SetFixedGradient(fgDownMirrorTo, V); }
  TColor FixedGradientDownBorder() const { return FGradient[fgDownBorder]; }
  void SetFixedGradientDownBorder(TColor V) { SetFixedGradient(fgDownBorder, V); }

private:
  void Changed();
  TZurEvoderOzod* FOwner;
  TGridControlStyle FControlStyle = csTheme;
  int32_t FCheckSize = 15;
  int32_t FProgressHeight = 0;
  std::unique_ptr<TBitmap> FGlyphs[4];
  std::unique_ptr<THeaderAppearance> FDropDownHeader;
  std::unique_ptr<TFooterAppearance> FDropDownFooter;
  TColor FGradient[FixedGradientCount];
};

class TSortSettings : public TPersistent {
public:
  explicit TSortSettings(TZurEvoderOzod* AOwner);
  ~TSortSettings() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  int32_t Column() const { return FColumn; }
  void SetColumn(int32_t Value) { FColumn = Value; }
  TSortDirection Direction() const { return FDirection; }
  void SetDirection(TSortDirection Value) { FDirection = Value; }
  void ToggleDirection();
  // No sorted column: Column -1, the sort index list emptied, the header
  // repainted.
  void Remove();
  // "u3" / "d3" (direction and column), or with IndexShow "i;" and the
  // sort index list's text.
  String SaveToString() const;
  // Shows the indicator and restores the state; "" does nothing, one
  // character raises Exception "Invalid sort settings specifier", a column
  // that is no number leaves the column as it was.
  void LoadFromString(const String& Value);
  // The indicator pictures; setting one copies it.
  TBitmap* UpGlyph() const { return FGlyphs[0].get(); }
  void SetUpGlyph(TBitmap* Value);
  TBitmap* DownGlyph() const { return FGlyphs[1].get(); }
  void SetDownGlyph(TBitmap* Value);
  TBitmap* IndexUpGlyph() const { return FGlyphs[2].get(); }
  void SetIndexUpGlyph(TBitmap* Value);
  TBitmap* IndexDownGlyph() const { return FGlyphs[3].get(); }
  void SetIndexDownGlyph(TBitmap* Value);

  GRID_PROP(TSortDirection, InitSortDirection, sdAscending)
  GRID_PROP(bool, IndexShow, false)
  GRID_PROP(TColor, IndexColor, 0x0000FFFF)
  GRID_PROP(TIndexSortKey, IndexSortKey, ikShift)
  // Declared default ssAlphabetic: a new grid always stores it.
  GRID_PROP(TSortStyle, DefaultFormat, ssAutomatic)
  GRID_PROP(bool, AutoFormat, true)
  GRID_PROP(bool, Full, true)
  GRID_PROP(bool, SingleColumn, false)
  GRID_PROP(bool, IgnoreBlanks, false)
  GRID_PROP(TSortBlankPosition, BlankPos, blFirst)
  GRID_PROP(bool, IgnoreCase, false)
  GRID_PROP(bool, FixedCols, false)
  GRID_PROP(bool, NormalCellsOnly, false)
  GRID_PROP(bool, UndoSort, false)
  GRID_PROP(bool, AutoColumnMerge, false)
  GRID_PROP(bool, AutoSortForGrouping, true)
  GRID_PROP(bool, SortOnVirtualCells, true)

public:
  // Repaints the grid when it changes.
  bool Show() const { return FShow; }
  void SetShow(bool Value);
  // The fixed row of the indicator; raises Exception "Sort row should be
  // smaller than number of fixed rows" (keeping the old row) otherwise.
  int32_t Row() const { return FRow; }
  void SetRow(int32_t Value);
  // The header colours of the sort row; a change repaints the last fixed
  // row.
  TColor HeaderColor() const { return FHeaderColor[0]; }
  void SetHeaderColor(TColor Value) { SetHeader(0, Value); }
  TColor HeaderColorTo() const { return FHeaderColor[1]; }
  void SetHeaderColorTo(TColor Value) { SetHeader(1, Value); }
  TColor HeaderMirrorColor() const { return FHeaderColor[2]; }
  void SetHeaderMirrorColor(TColor Value) { SetHeader(2, Value); }
  TColor HeaderMirrorColorTo() const { return FHeaderColor[3]; }
  void SetHeaderMirrorColorTo(TColor Value) { SetHeader(3, Value); }

private:
  void SetHeader(int32_t Index, TColor Value);
  TZurEvoderOzod* FOwner;
  int32_t FColumn = -1;
  TSortDirection FDirection = sdAscending;
  bool FShow = false;
  int32_t FRow = 0;
  TColor FHeaderColor[4] = {clNone, clNone, clNone, clNone};
  std::unique_ptr<TBitmap> FGlyphs[4];
};
