#pragma once
// The cell graphic record: what turns a cell of the string grid into a
// check box, radio group, button, picture, image, tree node, progress bar,
// comment carrier and the other kinds of TCellType. The record lives as the
// graphic object of the cell's property record (TCellProperties), next to
// the cell text, and dies with it.
//
// The fields are general slots whose meaning depends on the kind (see the
// table in the grid's documentation of cell objects): an object slot and
// an icon slot that hold either an object or a colour, an index, an angle,
// a Boolean, a value, an error marker, a text, a variant and a check-box
// state. The makers of the kinds (AddCheckBox, AddButton, AddNode, ...)
// fill them; this header only defines the record and its setters.
//
// Ownership: the record frees, when it is destroyed, the objects it made
// (CellCreated) for ctBitmap, ctRadio, ctPicture, ctFilePicture and
// ctBitButton (object slot) and ctIcon (icon slot), always the object slot
// of ctImages and ctBalloon, and the balloon list of the balloon carriers
// (ctIcon, ctCheckBox, ctDataCheckBox, ctRadioButton with CellAngle 1).
// Objects handed in by a caller stay the caller's.
#include "grid/base/RurTypes.h"
#include "platform/Colors.h"
#include "platform/Component.h"
#include "platform/GraphicsTypes.h"
#include "platform/StdCtrls.h"

#include <variant>

class TBitmap;
class TGraphic;
class TCanvas;
class TIntList;
class TFilePicture;
class TPicture;

// Ordinals are stored in grid files.
enum TCellType : uint8_t {
  ctBitmap,
  ctIcon,
  ctNone,
  ctImageList,
  ctCheckBox,
  ctDataCheckBox,
  ctRotated,
  ctDataImage,
  ctNode,
  ctRadio,
  ctEmpty,
  ctImages,
  ctPicture,
  ctFilePicture,
  ctValue,
  ctProgress,
  ctComment,
  ctButton,
  ctBitButton,
  ctVirtCheckBox,
  ctRowCheckBox,
  ctProgressPie,
  ctSummary,
  ctRangeIndicator,
  ctXPProgress,
  ctInterface,
  ctScrollbar,
  ctRadioButton,
  ctBalloon,
  ctShape,
  ctRating,
  ctTriStateCheckBox,
  ctExpand,
  ctDataPicture,
  ctVirtButton
};
using TCellTypes = uint64_t; // set of TCellType: bit i = member i
constexpr TCellTypes CellTypeBit(TCellType T) { return TCellTypes(1) << T; }

enum TCellHAlign : uint8_t { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign : uint8_t { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TStretchMode : uint8_t { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };
enum TRadioButtonGroup : uint8_t { rgNone, rgCol, rgRow };

// A cell graphic drawn by an object of the application's (a TObject that
// also derives from this interface): it draws itself and tells its size,
// and whether it goes before the cell text.
class ICellGraphicSource {
public:
  virtual ~ICellGraphicSource() = default;
  virtual void Draw(TCanvas* Canvas, const TRect& R, TComponent* Grid, bool Selected, int32_t ARow, int32_t ACol) = 0;
  virtual int32_t Width() = 0;  // pixels
  virtual int32_t Height() = 0; // pixels
  virtual bool IsBefore() = 0;
};

// The per-kind variant: none, an integer or a Boolean.
using TCellVar = std::variant<std::monostate, int32_t, bool>;

class TBaseCellGraphic : public TPersistent {
public:
  // Type ctNone, nothing created, every field zero or empty.
  TBaseCellGraphic();
  ~TBaseCellGraphic() override;
  String ClassName() const override;
  // From another cell graphic: type, alignments, index, transparency,
  // value, angle, Boolean, error marker, text and the created flag. The
  // slots, the variant, the check-box state and the comment stay. Any other
  // source is ignored.
  void Assign(TPersistent* Source) override;

  void SetBitmap(TBitmap* ABitmap, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
  void SetIcon(TObject* AIcon, TCellHAlign HAlign, TCellVAlign VAlign);
  void SetImageIdx(int32_t Idx, TCellHAlign HAlign, TCellVAlign VAlign);
  void SetDataImage(int32_t Idx, TCellHAlign HAlign, TCellVAlign VAlign);
  void SetDataPicture(TCellHAlign HAlign, TCellVAlign VAlign);
  // Makes the owned list of image indexes, bound to the cell; Dir 0 lays the
  // images side by side.
  void SetMultiImage(int32_t Col, int32_t Row, int32_t Dir, TCellHAlign HAlign, TCellVAlign VAlign,
                     const TImageChangeEvent& Notifier);
  void SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int32_t Padding, TCellHAlign HAlign,
                  TCellVAlign VAlign);
  void SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, int32_t Padding,
                      TCellHAlign HAlign, TCellVAlign VAlign);
  // The size is packed into CellIndex: height in the high 16 bits, width in
  // the low 16 bits.
  void SetButton(int32_t BW, int32_t BH, const String& Caption, TCellHAlign HAlign, TCellVAlign VAlign);
  void SetBitButton(int32_t BW, int32_t BH, const String& Caption, TBitmap* Glyph, TCellHAlign HAlign,
                    TCellVAlign VAlign);
  void SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign HAlign, TCellVAlign VAlign);
  void SetCheckBox(TCheckBoxState State, bool Flat, TCellHAlign HAlign, TCellVAlign VAlign);
  void SetRadioButton(bool Value, bool Flat, TCellHAlign HAlign, TCellVAlign VAlign, TRadioButtonGroup Group);
  // Brought into 0..360 (360 stays 360).
  void SetAngle(int16_t AAngle);
  void SetInterfacedCell(TObject* AObject);

  // The published fields.
  TCellType CellType() const { return FCellType; }
  void SetCellType(TCellType Value) { FCellType = Value; }
  TCellVAlign CellVAlign() const { return FCellVAlign; }
  void SetCellVAlign(TCellVAlign Value) { FCellVAlign = Value; }
  TCellHAlign CellHAlign() const { return FCellHAlign; }
  void SetCellHAlign(TCellHAlign Value) { FCellHAlign = Value; }
  int32_t CellIndex() const { return FCellIndex; }
  void SetCellIndex(int32_t Value) { FCellIndex = Value; }
  bool CellTransparent() const { return FCellTransparent; }
  void SetCellTransparent(bool Value) { FCellTransparent = Value; }
  bool CellCreated() const { return FCellCreated; }
  void SetCellCreated(bool Value) { FCellCreated = Value; }
  bool CellBoolean() const { return FCellBoolean; }
  void SetCellBoolean(bool Value) { FCellBoolean = Value; }
  int32_t CellAngle() const { return FCellAngle; }
  void SetCellAngle(int32_t Value) { FCellAngle = Value; }
  double CellValue() const { return FCellValue; }
  void SetCellValue(double Value) { FCellValue = Value; }
  int32_t CellErrFrom() const { return FCellErrFrom; }
  void SetCellErrFrom(int32_t Value) { FCellErrFrom = Value; }
  int32_t CellErrLen() const { return FCellErrLen; }
  void SetCellErrLen(int32_t Value) { FCellErrLen = Value; }
  const String& CellText() const { return FCellText; }
  void SetCellText(const String& Value) { FCellText = Value; }
  TCheckBoxState CellCheckBoxState() const { return FCellCheckBoxState; }
  void SetCellCheckBoxState(TCheckBoxState Value) { FCellCheckBoxState = Value; }

  // The object slot and the icon slot: an object, or a colour for the
  // kinds that keep colours there (progress bars, range indicators,
  // shapes, ratings). Setting one form clears the other.
  TObject* CellBitmap() const { return FCellBitmap; }
  void SetCellBitmap(TObject* Value);
  TColor CellBitmapColor() const { return FCellBitmapColor; }
  void SetCellBitmapColor(TColor Value);
  TObject* CellIcon() const { return FCellIcon; }
  void SetCellIcon(TObject* Value);
  TColor CellIconColor() const { return FCellIconColor; }
  void SetCellIconColor(TColor Value);
  const TCellVar& CellVar() const { return FCellVar; }
  void SetCellVar(const TCellVar& Value) { FCellVar = Value; }
  // The list of a ctImages record, else nullptr.
  TIntList* Images() const;
  // The picture's size fitted into AWidth x AHeight less the padding by the
  // stretch mode (CellAngle): the record's own picture or file picture, or
  // AGraphic for other kinds (0 x 0 without one). HasText changes nothing.
  TPoint GetPictureSize(int32_t AWidth, int32_t AHeight, bool HasText, const TGraphic* AGraphic) const;

protected:
  TCellType FCellType = ctNone;
  TObject* FCellBitmap = nullptr;
  TColor FCellBitmapColor = 0;
  TObject* FCellIcon = nullptr;
  TColor FCellIconColor = 0;
  TCellVAlign FCellVAlign = vaTop;
  TCellHAlign FCellHAlign = haLeft;
  int32_t FCellIndex = 0;
  bool FCellTransparent = false;
  bool FCellCreated = false;
  bool FCellBoolean = false;
  int32_t FCellAngle = 0;
  double FCellValue = 0;
  int32_t FCellErrFrom = 0;
  int32_t FCellErrLen = 0;
  String FCellText;
  TCellVar FCellVar;
  TCheckBoxState FCellCheckBoxState = cbUnchecked;
};

// Every record the grid makes is a TCellGraphic: the base fields and a
// comment with its colour.
class TCellGraphic : public TBaseCellGraphic {
public:
  TCellGraphic();
  ~TCellGraphic() override;
  String ClassName() const override;

  const String& CellComment() const { return FCellComment; }
  void SetCellComment(const String& Value) { FCellComment = Value; }
  TColor CommentColor() const { return FCommentColor; }
  void SetCommentColor(TColor Value) { FCommentColor = Value; }

private:
  String FCellComment;
  TColor FCommentColor = 0;
};
