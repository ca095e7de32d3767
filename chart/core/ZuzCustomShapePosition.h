#pragma once
// Text boxes a chart lays out itself unless the user fixed their place:
// TZuzCustomShapePosition (titles, the legend, free text boxes) keeps
// CustomPosition and its Left / Top; TTextShape is the published plain
// text box.
//
// Published by TTextShape (default): Alignment (taLeftJustify), Angle (0),
// AutoSize (True), Bevel (bvNone), BevelWidth (2), Brush, Children,
// ChildLayout (slTopBottom), ClipText (True), Color (clWhite), Cursor (0),
// CustomPosition (stored when not DefaultCustom), Emboss, Font, Frame,
// Left and Top (stored with CustomPosition), Margins, Picture, Shadow,
// ShapeCallout, ShapeStyle (fosRectangle), Text, TextAlignment, TextFormat
// (ttfNormal), Transparency (0), Transparent, VertTextAlign (vtaCenter),
// Visible.
#include "chart/core/TextShape.h"

class TZuzCustomShapePosition : public TCustomTextShape {
public:
  explicit TZuzCustomShapePosition(TCustomZuzPanel* AOwner);
  String ClassName() const override;
  // CustomPosition and, when on, Left and Top; then the text box.
  void Assign(TPersistent* Source) override;

  bool CustomPosition() const { return FCustomPosition; }
  // Through the panel (repaint when changed); stored directly without one.
  void SetCustomPosition(bool Value);
  bool IsCustomPositionStored() const { return FCustomPosition != DefaultCustom; }
  bool IsPositionStored() const { return FCustomPosition; }
  int32_t GetLeft() const { return ShapeBounds.Left; }
  int32_t GetTop() const { return ShapeBounds.Top; }
  // Switch CustomPosition on and move the box's left (top) edge, keeping
  // its size.
  void SetLeft(int32_t Value);
  void SetTop(int32_t Value);

  bool DefaultCustom = false;

private:
  bool FCustomPosition = false;
};

class TTextShape : public TZuzCustomShapePosition {
public:
  explicit TTextShape(TCustomZuzPanel* AOwner);
  String ClassName() const override;
};
