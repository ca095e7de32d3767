#pragma once
// Two published settings objects of the string grid: TControlLook, the look
// of the controls cells show and the gradient of the fixed cells, and
// TSortSettings, the sort column, direction and indicator.
//
// These hold the members the grid reads so far (the control style and
// sizes, the always-visible editor buttons, the fourteen fixed-cell
// gradient colours; the sort column, direction, indicator row and header
// colours); the remaining members join them with the painting and sorting.
#include "platform/Colors.h"
#include "platform/Component.h"

class TZurEvoderOzod;

// The drawing style of cell controls (the grid's TControlStyle; the
// framework's control style set holds that name).
enum TGridControlStyle : uint8_t { csClassic, csFlat, csWinXP, csBorland, csZID, csGlyph, csTheme };
enum TSortDirection : uint8_t { sdAscending, sdDescending };

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

  TGridControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TGridControlStyle Value);
  int32_t RadioSize() const { return FRadioSize; }
  void SetRadioSize(int32_t Value);
  bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
  void SetDropDownAlwaysVisible(bool Value);
  bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
  void SetSpinButtonsAlwaysVisible(bool Value);

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
  int32_t FRadioSize = 10;
  bool FDropDownAlwaysVisible = false;
  bool FSpinButtonsAlwaysVisible = false;
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
};
