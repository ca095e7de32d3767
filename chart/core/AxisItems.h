#pragma once
// The labels of an axis as items (value, text, format, picture, position),
// its title and the background behind its labels.
//
// TAxisItems is generated anew at every drawing while Automatic; a list of
// custom labels otherwise, written with the chart as the axis' binary
// property "Items": the count (Int32, little-endian), then per item a
// property list (list start, the item's Format, Text and Value, list end)
// in the component-streaming encoding.
//
// TChartAxisTitle published (default): Angle (stored when it differs from
// the angle the axis gave it), Caption, Position (tpCenter), TextAlignment
// (taCenter), Transparent (True), and the text shape's Font, Frame, Brush,
// Margins, Shadow, Visible. TAxisItem published: Format (made on first
// read), Text, Value. TAxisBackShape: hidden, without shadow, drawn at
// depth. Main thread only.
#include "chart/core/TextShape.h"

#include <memory>
#include <vector>

class TChartAxis;
class TStream;
class TZuzPicture;

// The shape of axis labels (the shared one of an axis, or an item's own).
class TAxisLabelsFormat : public TCustomTextShape {
public:
  explicit TAxisLabelsFormat(TCustomZuzPanel* AOwner);
  String ClassName() const override;
};

class TAxisItems;

class TAxisItem : public TPersistent {
public:
  explicit TAxisItem(TAxisItems* AOwner);
  // Leaves its list (unless the list is deleting it) and repaints.
  ~TAxisItem() override;
  String ClassName() const override;

  // The item's own format, made on first read (transparent).
  TAxisLabelsFormat* Format();
  TAxisLabelsFormat* FormatIfAny() const { return FFormat.get(); }
  // nullptr frees the own format.
  void SetFormat(TAxisLabelsFormat* Value);
  bool IsFormatStored() const { return FFormat != nullptr; }
  // The own format, or the list's shared one.
  TAxisLabelsFormat* ActiveFormat() const;
  const String& Text() const { return FText; }
  void SetText(const String& Value);
  double Value() const { return FValue; }
  void SetValue(double Value);
  // The pixel position along the axis at the last drawing.
  int32_t LabelPos() const { return FLabelPos; }
  void SetLabelPos(int32_t Value) { FLabelPos = Value; }
  // A point's picture (not owned).
  TZuzPicture* Picture() const { return FPicture; }
  void SetPicture(TZuzPicture* Value) { FPicture = Value; }

private:
  friend class TAxisItems;
  void Repaint();

  std::unique_ptr<TAxisLabelsFormat> FFormat;
  int32_t FLabelPos = 0;
  TZuzPicture* FPicture = nullptr;
  String FText;
  double FValue = 0;
  TAxisItems* IAxisItems;
};

class TAxisItems {
public:
  explicit TAxisItems(TChartAxis* AAxis);
  ~TAxisItems();
  TAxisItems(const TAxisItems&) = delete;
  TAxisItems& operator=(const TAxisItems&) = delete;

  // Appends a new item (owned here).
  TAxisItem* InternalAdd(const String& AText, TZuzPicture* APicture, double AValue);
  // A custom label: the list is no longer automatic (without repaint).
  TAxisItem* Add(const String& AText, double AValue);
  void Delete(int32_t Index);
  void Clear();
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  // Raises EListError outside the list.
  TAxisItem* Get(int32_t Index) const;
  TAxisItem* operator[](int32_t Index) const { return Get(Index); }

  // Labels made at every drawing (True), or the custom items.
  bool Automatic() const { return FAuto; }
  // Through the chart (repaint when changed).
  void SetAutomatic(bool Value);
  // The shared label shape: centred, transparent.
  TAxisLabelsFormat* Format() const { return FFormat.get(); }
  void SetFormat(TAxisLabelsFormat* Value);
  // The shared format; unless Source is automatic, its items' texts and
  // values replacing these (own formats and pictures are not copied).
  void CopyFrom(TAxisItems* Source);
  // Puts the labels font on the canvas and sets the labels' band across
  // the axis in IRect.
  void InitCalcRect();

  // Custom items from and to the axis' "Items" property. A count <= 0
  // leaves the items as they are; a corrupt list raises the reader's error
  // (items read before it stay).
  void ReadItems(TStream& Stream);
  void WriteItems(TStream& Stream);

  TChartAxis* Axis() const { return IAxis; }
  // Height of "W" in the labels font.
  int32_t IHeight = 0;
  // Draw items whose value lies outside the scale too.
  bool IDrawAll = false;
  // The labels' band, for hover hit tests.
  TRect IRect;

private:
  friend class TAxisItem;
  void Forget(TAxisItem* Item);

  std::vector<TAxisItem*> FItems;
  bool FAuto = true;
  std::unique_ptr<TAxisLabelsFormat> FFormat;
  TChartAxis* IAxis;
  bool IRemoving = false;
};

enum TAxisTitlePosition : uint8_t { tpStart, tpCenter, tpEnd };

class TChartAxisTitle : public TCustomTextShape {
public:
  explicit TChartAxisTitle(TCustomZuzPanel* AOwner);
  String ClassName() const override;
  // Position, then the text shape.
  void Assign(TPersistent* Source) override;

  // The first line of the text; writing sets the whole text.
  String Caption() const;
  void SetCaption(const String& Value) { SetText(Value); }
  TAxisTitlePosition Position() const { return FPosition; }
  void SetPosition(TAxisTitlePosition Value);
  bool IsAngleStored() const { return Angle() != IDefaultAngle; }
  // Visible, with a caption, and P within its bounds.
  bool Clicked(int32_t X, int32_t Y) const;

  int32_t IDefaultAngle = 0;

private:
  TAxisTitlePosition FPosition = tpCenter;
};

class TAxisBackShape : public TZuzShape {
public:
  explicit TAxisBackShape(TCustomZuzPanel* AOwner);
  String ClassName() const override;
};
