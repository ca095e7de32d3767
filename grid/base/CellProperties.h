#pragma once
// The property record of one cell: colours, font, alignment, word wrap,
// read-only flag, editor kind, merge fields, node level, the user's object,
// an embedded control and the cell graphic. The base grid makes a record
// only when a cell first needs one (TBaseGrid::GetCellProperties) and keeps
// it in the cell's object slot of the framework grid; the grid owns it.
//
// Merge fields: a cell outside any merged range has IsBaseCell True and both
// spans -1 (a cell without a record counts the same). In a range of w
// columns and h rows with base cell (c, r), the base has spans w - 1 and
// h - 1 and every other cell (i, j) IsBaseCell False and spans i - c and
// j - r, its offset from the base.
#include "grid/base/RurTypes.h"
#include "platform/Colors.h"
#include "platform/Component.h"
#include "platform/GraphicsTypes.h"

class TBaseGrid;
class TControl;
class TFont;

class TCellProperties : public TPersistent {
public:
  // Made for cell (ACol, ARow) of AOwner; marks that the grid has records.
  TCellProperties(TBaseGrid* AOwner, int32_t ACol, int32_t ARow);
  // The graphic object is freed by whoever frees the record (the grid).
  ~TCellProperties() override;
  String ClassName() const override;
  // From another record: base flag, spans, owner cell, object, alignments,
  // border, brush colour and style, font, read-only, editor, word wrap,
  // node level, control and the collapse flag. The graphic object, the
  // gradient end colour and direction, the paint id and the calculation
  // stay. Any other source is ignored.
  void Assign(TPersistent* Source) override;

  TBaseGrid* OwnerGrid() const { return FOwnerGrid; }
  int32_t OwnerCol() const { return FOwnerCol; }
  void SetOwnerCol(int32_t Value) { FOwnerCol = Value; }
  int32_t OwnerRow() const { return FOwnerRow; }
  void SetOwnerRow(int32_t Value) { FOwnerRow = Value; }

  // The user's object of the cell, or a number stored in its place.
  uintptr_t Object() const { return FObject; }
  void SetObject(uintptr_t Value) { FObject = Value; }
  // The user value as forms and cell streams carry it (32 bits).
  uint32_t CellObject() const { return static_cast<uint32_t>(FObject); }
  void SetCellObject(uint32_t Value) { FObject = Value; }
  // The cell graphic (a TCellGraphic) or nullptr; freed with the record by
  // the grid's clearing.
  TObject* GraphicObject() const { return FGraphicObject; }
  void SetGraphicObject(TObject* Value) { FGraphicObject = Value; }

  TBrushStyle BrushStyle() const { return FBrushStyle; }
  void SetBrushStyle(TBrushStyle Value) { FBrushStyle = Value; }
  // The colour setters, vertical alignment and word wrap repaint the cell.
  TColor BrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor Value);
  TColor BrushColorTo() const { return FBrushColorTo; }
  void SetBrushColorTo(TColor Value);
  // Framework height units: negative is the character height in pixels.
  int32_t FontSize() const { return FFontHeight; }
  void SetFontSize(int32_t Value) { FFontHeight = Value; }
  TColor FontColor() const { return FFontColor; }
  void SetFontColor(TColor Value) { FFontColor = Value; }
  TFontStyles FontStyle() const { return FFontStyle; }
  void SetFontStyle(TFontStyles Value) { FFontStyle = Value; }
  // Reads 0 while the merge is collapsed.
  int32_t CellSpanY() const { return FMergeCollaps ? 0 : FCellSpanY; }
  void SetCellSpanY(int32_t Value) { FCellSpanY = Value; }
  int32_t CellSpanX() const { return FCellSpanX; }
  void SetCellSpanX(int32_t Value) { FCellSpanX = Value; }
  int32_t BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int32_t Value) { FBorderWidth = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  TVAlignment VAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool IsBaseCell() const { return FIsBaseCell; }
  void SetIsBaseCell(bool Value) { FIsBaseCell = Value; }
  int32_t NodeLevel() const { return FNodeLevel; }
  void SetNodeLevel(int32_t Value) { FNodeLevel = Value; }
  TEditorType Editor() const { return FEditor; }
  void SetEditor(TEditorType Value) { FEditor = Value; }
  // Empty: the grid's font.
  const String& FontName() const { return FFontName; }
  void SetFontName(const String& Value) { FFontName = Value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  TCellGradientDirection GradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(TCellGradientDirection Value) { FGradientDirection = Value; }
  // A control embedded in the cell; not owned.
  TControl* Control() const { return FControl; }
  void SetControl(TControl* Value) { FControl = Value; }
  bool MergeCollaps() const { return FMergeCollaps; }
  void SetMergeCollaps(bool Value) { FMergeCollaps = Value; }

  // Takes the attributes a new record starts with, without repainting.
  void SetDefaults(TAlignment HAlign, TVAlignment VAlign, bool AWordWrap, const TFont& AFont, TColor ABrushColor,
                   TColor ABrushColorTo, TCellGradientDirection Direction);

  // The paint pass that last painted this merged range.
  int32_t FPaintID = 0;
  TColumnCalcType FCalcType = acNONE;
  TObject* FCalcObject = nullptr;

private:
  void Repaint();

  TBaseGrid* FOwnerGrid;
  int32_t FOwnerCol;
  int32_t FOwnerRow;
  uintptr_t FObject = 0;
  TObject* FGraphicObject = nullptr;
  TBrushStyle FBrushStyle = bsSolid;
  TColor FBrushColor = clNone;
  TColor FBrushColorTo = clNone;
  int32_t FFontHeight = 0;
  TColor FFontColor = clNone;
  TFontStyles FFontStyle = 0;
  int32_t FCellSpanY = -1;
  int32_t FCellSpanX = -1;
  int32_t FBorderWidth = 0;
  TColor FBorderColor = 0;
  TAlignment FAlignment = taLeftJustify;
  TVAlignment FVAlignment = vtaTop;
  bool FWordWrap = true;
  bool FIsBaseCell = true;
  int32_t FNodeLevel = 0;
  TEditorType FEditor = edNormal;
  String FFontName;
  bool FReadOnly = false;
  TCellGradientDirection FGradientDirection = GradientVertical;
  TControl* FControl = nullptr;
  bool FMergeCollaps = false;
};
