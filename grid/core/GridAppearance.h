#pragma once
// Settings objects of the string grid's appearance: automatic scrolling
// while dragging, progress-bar cells, the filter drop-down list, automatic
// colours for numbers and the hover buttons. Each copies (Assign) only
// from an object of its own class; setters are plain fields unless said.
#include "grid/base/GridProp.h"
#include "grid/core/GridEnums.h"
#include "platform/Collection.h"
#include "platform/Colors.h"
#include "platform/Component.h"

#include <memory>

class TBitmap;
class TFont;
class TPicture;

class TDragScrollDelays : public TPersistent {
public:
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  GRID_PROP(int32_t, InitialDelay, 1000) // ms
  GRID_PROP(int32_t, RepeatDelay, 250)   // ms
};

class TDragScrollMargins : public TPersistent {
public:
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  GRID_PROP(int32_t, TopMargin, 50) // pixels, as the others
  GRID_PROP(int32_t, BottomMargin, 50)
  GRID_PROP(int32_t, LeftMargin, 50)
  GRID_PROP(int32_t, RightMargin, 50)
};

// While dragging, Active scrolls the grid toward an edge the mouse is
// closer to than that edge's margin.
class TDragScrollOptions : public TPersistent {
public:
  TDragScrollOptions();
  ~TDragScrollOptions() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  TDragScrollDelays* Delays() const { return FDelays.get(); }
  void SetDelays(TDragScrollDelays* Value) { FDelays->Assign(Value); }
  TDragScrollMargins* Margins() const { return FMargins.get(); }
  void SetMargins(TDragScrollMargins* Value) { FMargins->Assign(Value); }

  GRID_PROP(bool, Active, false)

private:
  std::unique_ptr<TDragScrollDelays> FDelays;
  std::unique_ptr<TDragScrollMargins> FMargins;
};

enum TProgressStyle : uint8_t { psXP, psClassic };

// The look of progress-bar cells. Every setter fires OnChange when the
// value changes; Assign fires it once.
class TGridProgressAppearance : public TPersistent {
public:
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

  GRID_PROP(TColor, CompleteColor, 0x000000FF)
  GRID_PROP(TColor, CompleteFontColor, 0x00FF0000)
  GRID_PROP(TColor, UnCompleteColor, clNone)
  GRID_PROP(TColor, UnCompleteFontColor, clWindowText)
  GRID_PROP(TColor, Level0Color, 0x0000FF00)
  GRID_PROP(TColor, Level0ColorTo, 0x00E1FFE1)
  GRID_PROP(TColor, Level1Color, 0x0000FFFF)
  GRID_PROP(TColor, Level1ColorTo, 0x00CAFFFF)
  GRID_PROP(TColor, Level2Color, 0x0053A9FF)
  GRID_PROP(TColor, Level2ColorTo, 0x00A8D3FF)
  GRID_PROP(TColor, Level3Color, 0x000000FF)
  GRID_PROP(TColor, Level3ColorTo, 0x00CACAFF)
  GRID_PROP(int32_t, Level1Perc, 70)
  GRID_PROP(int32_t, Level2Perc, 90)
  GRID_PROP(TColor, BorderColor, 0x00000000)
  GRID_PROP(bool, ShowBorder, false)
  GRID_PROP(bool, Stacked, false)
  GRID_PROP(bool, ShowPercentage, true)
  GRID_PROP(bool, CompletionSmooth, true)
  GRID_PROP(bool, ShowGradient, true)
  GRID_PROP(int32_t, Steps, 11)
  GRID_PROP(TProgressStyle, Style, psXP)

private:
  void Changed();
};

// The filter drop-down list of a column. The font and the two glyphs are
// owned; a change of a glyph fires OnChange.
class TFilterDropDown : public TPersistent {
public:
  TFilterDropDown();
  ~TFilterDropDown() override;
  String ClassName() const override;
  // Everything but AutoSize and Sorted.
  void Assign(TPersistent* Source) override;

  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value);
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  TBitmap* GlyphActive() const { return FGlyphActive.get(); }
  void SetGlyphActive(TBitmap* Value);

  TNotifyEvent OnChange;

  GRID_PROP(bool, AutoSize, false)
  GRID_PROP(bool, CaseSensitive, false)
  GRID_PROP(TColor, Color, clWindow)
  GRID_PROP(bool, ColumnWidth, false)
  GRID_PROP(int32_t, Height, 150)
  GRID_PROP(int32_t, Width, 150)
  GRID_PROP(bool, IgnoreHTML, true)
  GRID_PROP(TFilterMethod, Method, fmExpression)
  GRID_PROP(bool, Sorted, true)
  GRID_PROP(String, TextChecked, String())
  GRID_PROP(String, TextUnChecked, String())

private:
  void Changed();
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TBitmap> FGlyph;
  std::unique_ptr<TBitmap> FGlyphActive;
};

// A text and a background colour; a change fires OnChange.
class TColorSetting : public TPersistent {
public:
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

  GRID_PROP(TColor, TextColor, clNone)
  GRID_PROP(TColor, BkgColor, clNone)

protected:
  virtual void Changed();
};

// Colours of cells holding numbers: NegativeNumber below 0, PositiveNumber
// otherwise, each colour only when set.
class TAutoColor : public TPersistent {
public:
  TAutoColor();
  ~TAutoColor() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  TColorSetting* NegativeNumber() const { return FNegativeNumber.get(); }
  void SetNegativeNumber(TColorSetting* Value) { FNegativeNumber->Assign(Value); }
  TColorSetting* PositiveNumber() const { return FPositiveNumber.get(); }
  void SetPositiveNumber(TColorSetting* Value) { FPositiveNumber->Assign(Value); }
  // Any of the four colours is set.
  bool ColorsDefined() const;

  TNotifyEvent OnChange;

protected:
  virtual void Changed();

private:
  std::unique_ptr<TColorSetting> FNegativeNumber;
  std::unique_ptr<TColorSetting> FPositiveNumber;
};

// One hover button. Its setters (but Tag and Width) tell the collection
// when the value differs, so that the grid rebuilds its buttons.
class THoverButtonsCollectionItem : public TCollectionItem {
public:
  explicit THoverButtonsCollectionItem(TCollection* ACollection);
  ~THoverButtonsCollectionItem() override;
  String ClassName() const override;
  // Everything but ImageIndex.
  void Assign(TPersistent* Source) override;

  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value);

  GRID_PROP(String, Caption, String())
  GRID_PROP(bool, Enabled, true)
  GRID_PROP(bool, Flat, false)
  GRID_PROP(String, Hint, String())
  GRID_PROP(int32_t, ImageIndex, 0)
  GRID_PROP(int32_t, Tag, 0)
  GRID_PROP(int32_t, Width, 0)

private:
  void Touched();
  std::unique_ptr<TPicture> FPicture;
};

class THoverButtonsCollection : public TOwnedCollection {
public:
  explicit THoverButtonsCollection(TPersistent* AOwner);
  String ClassName() const override;

  THoverButtonsCollectionItem* Add();
  THoverButtonsCollectionItem* Insert(int32_t Index);
  THoverButtonsCollectionItem* Items(int32_t Index) const;

  // Set by a change of a button; the grid clears it when it has rebuilt
  // them.
  bool FUpdated = false;

protected:
  void Update(TCollectionItem* Item) override;
};

enum THoverButtonPosition : uint8_t {
  hbLeftFromColumnLeft,
  hbRightFromColumnLeft,
  hbLeftFromColumnRight,
  hbRightFromColumnRight
};
enum THoverRows : uint8_t { hrAll, hrNormal };

// Buttons shown over the row under the mouse, anchored at a column.
class THoverButtons : public TPersistent {
public:
  explicit THoverButtons(TPersistent* AOwner);
  ~THoverButtons() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  THoverButtonsCollection* Buttons() const { return FButtons.get(); }
  void SetButtons(THoverButtonsCollection* Value) { FButtons->Assign(Value); }

  GRID_PROP(bool, Enabled, false)
  GRID_PROP(int32_t, Column, 0)
  GRID_PROP(bool, MoveActiveRow, true)
  // Declared default hbRightFromColumnRight: a form that holds the value
  // after construction stores it.
  GRID_PROP(THoverButtonPosition, Position, hbLeftFromColumnLeft)
  GRID_PROP(THoverRows, Rows, hrNormal)

protected:
  TPersistent* GetOwner() const override { return FOwner; }

private:
  TPersistent* FOwner;
  std::unique_ptr<THoverButtonsCollection> FButtons;
};
