#pragma once
// The framed boxes every chart part is drawn as (titles, legend, marks,
// annotations, axis label backgrounds) and the small drawable parts that
// carry a brush and a pen.
//
//   TZuzCustomShapeBrushPen  brush, pen (published as Frame by the parts),
//                            visibility and the panel it repaints;
//   TZuzCustomShape          the box: rectangle, rounded rectangle or
//                            ellipse, optionally rotated, bevelled,
//                            shadowed, embossed, filled with a picture or a
//                            gradient, translucent, with a callout pointer
//                            on one side and child boxes stacked inside;
//   TZuzShape                the class of child boxes (and axis label
//                            backgrounds), with the published set below.
//
// Drawing order of one box: blend begin (Transparency), shadow, emboss,
// picture fill or brush, frame and fill (DoDraw), bevel (not rotated),
// children, blend end. A Transparent box draws none of its own fill,
// frame, shadow or bevel, but its children.
//
// Published by TZuzShape (default): Angle (0), Bevel (bvNone), BevelWidth
// (2), Children (when not empty), ChildLayout (slTopBottom), Color (white),
// Corners (when made), Emboss, Font, Picture (when made), RoundSize (16),
// Shadow, ShapeCallout, ShapeStyle (fosRectangle), Transparent and Visible
// (when they differ from their defaults); besides them the older
// "ShadowColor" and "ShadowSize" are read. The Gradient travels inside the
// brush. Main thread only.
#include "platform/Collection.h"
#include "platform/GraphicsTypes.h"

#include <functional>
#include <memory>
#include <span>

class TBackImage;
class TCanvas3D;
class TCustomZuzPanel;
class TZuzBasePath;
class TZuzBrush;
class TZuzCorners;
class TZuzCustomShape;
class TZuzEmboss;
class TZuzFont;
class TZuzGradient;
class TZuzPen;
class TZuzShadow;
class TZuzShapes;
class TZuzTransform;
class TVisualBlock;

enum TShapeCalloutSide : uint8_t { csNone, csLeft, csTop, csRight, csBottom };
enum TZuzShapeLayout : uint8_t { slTopBottom, slLeftRight };
enum TChartObjectShapeStyle : uint8_t { fosRectangle, fosRoundRectangle, fosEllipse };

// The corners of R turned by Angle degrees about its centre: (Left, Top),
// (Right, Top), (Right, Bottom), (Left, Bottom).
void RectToFourPoints(const TRect& R, double Angle, TFourPoints& P);

// The bevel of a box or panel: nothing for bvNone; else the two colours
// white and 0xA0A0A0 (dark at the top left for bvLowered, at the bottom
// right for bvRaised) in a frame as wide as the smallest of BevelWidth and
// half of R's sides, or with Round > 0 a rounded rectangle. R shrinks by
// what was drawn.
void DrawBevel(TCanvas3D* Canvas, TBevelCut Bevel, TRect& R, int32_t BevelWidth, int32_t Round);

class TZuzCustomShapeBrushPen : public TPersistent {
public:
  explicit TZuzCustomShapeBrushPen(TCustomZuzPanel* AParent);
  ~TZuzCustomShapeBrushPen() override;
  String ClassName() const override;
  // Brush, pen and Visible from another brush-and-pen element.
  void Assign(TPersistent* Source) override;

  TZuzBrush* Brush() const { return FBrush.get(); }
  void SetBrush(TZuzBrush* Value);
  TZuzPen* Pen() const { return FPen.get(); }
  void SetPen(TZuzPen* Value);
  TZuzPen* Frame() const { return Pen(); }
  void SetFrame(TZuzPen* Value) { SetPen(Value); }
  bool Visible() const { return FVisible; }
  // Through the panel (repaint when changed); without a panel it only
  // stores.
  void SetVisible(bool Value);
  bool IsVisibleStored() const { return FVisible != DefaultVisible; }
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  TCustomZuzPanel* ParentChart() const { return FParent; }
  virtual void SetParent(TCustomZuzPanel* Value);
  // Invalidates the panel when there is one.
  virtual void Repaint();
  void CanvasChanged(TObject* Sender);

  bool DefaultVisible = true;
  // An optional drawing transform, owned.
  std::unique_ptr<TZuzTransform> Transform;

protected:
  TCustomZuzPanel* FParent;
  std::unique_ptr<TZuzBrush> FBrush;
  std::unique_ptr<TZuzPen> FPen;
  bool FVisible = true;
};

// The pointer of a callout: on Side, its base centre at Position percent
// of the side (measured back from the side's end), Width percent of the
// side wide, its tip Size percent of the box's extent outside the side.
// Published (default): PointPosition (50; stored, not drawn), Position
// (50), Side (csNone), Size (25), Width (20).
class TShapeCallout : public TPersistent {
public:
  explicit TShapeCallout(TZuzCustomShape* AOwner);
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  // A new path around R (clockwise from the top-left corner, corners of
  // RoundSize) with the pointer on its side; the caller owns it.
  std::unique_ptr<TZuzBasePath> GetPath(TCanvas3D* Canvas, const TRect& R, int32_t RoundSize) const;

  int32_t PointPosition() const { return FPointPosition; }
  void SetPointPosition(int32_t Value);
  int32_t Position() const { return FPosition; }
  void SetPosition(int32_t Value);
  TShapeCalloutSide Side() const { return FSide; }
  void SetSide(TShapeCalloutSide Value);
  int32_t Size() const { return FSize; }
  void SetSize(int32_t Value);
  int32_t Width() const { return FWidth; }
  void SetWidth(int32_t Value);

private:
  template <class T>
  void Change(T& Field, T Value);

  int32_t FPointPosition = 50;
  int32_t FPosition = 50;
  TShapeCalloutSide FSide = csNone;
  int32_t FSize = 25;
  int32_t FWidth = 20;
  TZuzCustomShape* IOwner;
};

class TZuzCustomShape : public TZuzCustomShapeBrushPen {
public:
  explicit TZuzCustomShape(TCustomZuzPanel* AOwner);
  ~TZuzCustomShape() override;
  String ClassName() const override;
  // Every setting, the children and the optional parts (freed here when
  // Source has none), then brush, pen and Visible.
  void Assign(TPersistent* Source) override;
  // The older "ShadowColor" and "ShadowSize", read only.
  void DefineProperties(TFiler* Filer) override;
  // Hands the panel to every child too.
  void SetParent(TCustomZuzPanel* Value) override;

  // ---- Drawing ----
  void Draw();
  void Draw(const TRect& R, int32_t Angle = 0, int32_t AZ = 0);
  void Draw(TCustomZuzPanel* Panel, const TRect& R, int32_t Angle = 0, int32_t AZ = 0);
  // The points drawn with the box's fill and frame; R serves the bevel,
  // blending and children.
  void Draw(const TRect& R, std::span<const TPoint> Points, int32_t Angle = 0, int32_t AZ = 0);
  void Draw(TCustomZuzPanel* Panel, const TRect& R, std::span<const TPoint> Points, int32_t Angle = 0, int32_t AZ = 0);
  // The box's size from its children (descendants add their text);
  // auto-sized boxes start from their top-left corner.
  virtual void CalcBounds(TCustomZuzPanel* Panel);
  // The shadow (Sign 1) or emboss (Sign -1) of a box R, unless the brush
  // is clear.
  void DrawShadowEmboss(TCanvas3D* C, TZuzShadow* Effect, TRect R, int32_t Sign, int32_t Angle, int32_t AZ);
  // The hit test: inside R (edges included), or inside R turned by Angle.
  bool ClickedShape(const TPoint& P, const TRect& R) const;
  // Moves ShapeBounds' top-left corner there, keeping its size; repaints.
  void MoveTo(const TPoint& P) { MoveTo(P.X, P.Y); }
  void MoveTo(int32_t X, int32_t Y);
  int32_t Width() const { return ShapeBounds.Width(); }
  int32_t Height() const { return ShapeBounds.Height(); }
  // Move the right or bottom edge; no repaint.
  void SetWidth(int32_t Value) { ShapeBounds.Right = ShapeBounds.Left + Value; }
  void SetHeight(int32_t Value) { ShapeBounds.Bottom = ShapeBounds.Top + Value; }
  // The class name of the shape editor form.
  virtual String GetEditorClass() const;
  // The shape each new child item gets.
  virtual std::unique_ptr<TZuzCustomShape> CreateChild(TCustomZuzPanel* Panel) const;

  // ---- Settings ----
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  int32_t Angle() const { return FAngle; }
  void SetAngle(int32_t Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TBevelCut Bevel() const { return FBevel; }
  void SetBevel(TBevelCut Value);
  int32_t BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int32_t Value);
  TZuzShapes* Children() const { return FChildren.get(); }
  void SetChildren(TZuzShapes* Value);
  bool IsChildrenStored() const;
  TZuzShapeLayout ChildLayout() const { return FChildLayout; }
  void SetChildLayout(TZuzShapeLayout Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // Created on first read.
  TZuzCorners* Corners();
  TZuzCorners* CornersIfAny() const { return FCorners.get(); }
  void SetCorners(TZuzCorners* Value);
  bool IsCornersStored() const { return FCorners != nullptr; }
  TZuzEmboss* Emboss();
  TZuzEmboss* EmbossIfAny() const { return FEmboss.get(); }
  void SetEmboss(TZuzEmboss* Value);
  TZuzFont* Font() const { return FFont.get(); }
  void SetFont(TZuzFont* Value);
  // The brush's gradient.
  TZuzGradient* Gradient() const;
  void SetGradient(TZuzGradient* Value);
  TBackImage* Picture();
  TBackImage* PictureIfAny() const { return FPicture.get(); }
  void SetPicture(TBackImage* Value);
  bool IsPictureStored() const { return FPicture != nullptr; }
  int32_t RoundSize() const { return FRoundSize; }
  // A positive size makes the box a rounded rectangle.
  void SetRoundSize(int32_t Value);
  TZuzShadow* Shadow();
  TZuzShadow* ShadowIfAny() const { return FShadow.get(); }
  void SetShadow(TZuzShadow* Value);
  TShapeCallout* ShapeCallout();
  TShapeCallout* ShapeCalloutIfAny() const { return FCallout.get(); }
  void SetShapeCallout(TShapeCallout* Value);
  TChartObjectShapeStyle ShapeStyle() const { return FShapeStyle; }
  void SetShapeStyle(TChartObjectShapeStyle Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool IsTransparentStored() const { return FTransparent != DefaultTransparent; }
  // Sets Transparent and its unstored default together.
  void InitTransparent(bool Value);
  // A block that draws this shape's element in its own way (walls use
  // it); not owned: whoever sets it keeps it alive or clears it.
  TVisualBlock* Visual() const { return FVisual; }
  void SetVisual(TVisualBlock* Value) { FVisual = Value; }
  TZuzTransparency Transparency() const { return FTransparency; }
  void SetTransparency(TZuzTransparency Value);
  TColor ShadowColor();
  void SetShadowColor(TColor Value);
  int32_t ShadowSize();
  void SetShadowSize(int32_t Value);
  // Draw through the 3D operations at depth even on a flat canvas.
  bool Draw3D() const { return FDraw3D; }
  void SetDraw3D(bool Value) { FDraw3D = Value; }

  // The box in panel pixels, set by its owner or CalcBounds before a draw.
  TRect ShapeBounds;
  // The corners of the last rotated box, for descendants' hit tests.
  TFourPoints RotatedBounds{};
  bool DefaultTransparent = false;

protected:
  // The box's frame and fill (nothing when Transparent): a rotated
  // quadrilateral, or the style's rectangle, rounded rectangle, ellipse or
  // callout path.
  virtual void DoDraw(TCustomZuzPanel* Panel, const TRect& R, int32_t Angle, int32_t AZ);
  virtual void DoDraw(TCustomZuzPanel* Panel, std::span<const TPoint> Points, const TRect& R, int32_t Angle,
                      int32_t AZ);
  // Where the first child goes: the box's left (side by side) or top edge.
  virtual int32_t FirstChildPos() const;
  virtual void InitShadow(TZuzShadow* AShadow);
  virtual void InitEmboss(TZuzEmboss* AEmboss);
  // Stores Value and repaints, when it differs.
  template <class T>
  void Change(T& Field, T Value)
  {
    if (Field == Value)
      return;
    Field = Value;
    Repaint();
  }

private:
  void InternalDraw(TCustomZuzPanel* Panel, const TRect& R, std::span<const TPoint> Points, bool IsPoints,
                    int32_t Angle, int32_t AZ);
  void DrawPictureFill(TCustomZuzPanel* Panel, TCanvas3D* C, const TRect& R, std::span<const TPoint> Points,
                       bool IsPoints, int32_t AZ);
  void DrawChildren(TCustomZuzPanel* Panel, const TRect& R, int32_t Angle, int32_t AZ);
  void ReadShadowColor(TReader& Reader);

  int32_t FAngle = 0;
  bool FAutoSize = true;
  TBevelCut FBevel = bvNone;
  int32_t FBevelWidth = 2;
  std::unique_ptr<TShapeCallout> FCallout;
  std::unique_ptr<TZuzShapes> FChildren;
  TZuzShapeLayout FChildLayout = slTopBottom;
  TColor FColor = clWhite;
  std::unique_ptr<TZuzCorners> FCorners;
  std::unique_ptr<TZuzFont> FFont;
  int32_t FRoundSize = 16;
  TChartObjectShapeStyle FShapeStyle = fosRectangle;
  bool FTransparent = false;
  TVisualBlock* FVisual = nullptr;
  TAlignment FAlignment = taLeftJustify;
  std::unique_ptr<TZuzEmboss> FEmboss;
  std::unique_ptr<TBackImage> FPicture;
  std::unique_ptr<TZuzShadow> FShadow;
  TZuzTransparency FTransparency = 0;
  bool FDraw3D = false;
};

// The concrete box: child boxes and axis label backgrounds.
class TZuzShape : public TZuzCustomShape {
public:
  explicit TZuzShape(TCustomZuzPanel* AOwner);
  String ClassName() const override;
};

// One child box of a shape; it owns its box.
class TZuzShapeItem : public TCollectionItem {
public:
  // The box is made by the owning shape (its CreateChild) for its panel,
  // transparent by default.
  explicit TZuzShapeItem(TCollection* ACollection);
  ~TZuzShapeItem() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  TZuzCustomShape* Shape() const { return FShape.get(); }
  void SetShape(TZuzCustomShape* Value);
  // The shape whose children this item is; nullptr without one.
  TZuzCustomShape* OwnerShape() const;

private:
  std::unique_ptr<TZuzCustomShape> FShape;
};

class TZuzShapes : public TOwnedCollection {
public:
  explicit TZuzShapes(TZuzCustomShape* AOwner);
  String ClassName() const override;
  TZuzShapeItem* Add() { return static_cast<TZuzShapeItem*>(TCollection::Add()); }
  // Raise EListError outside the collection.
  TZuzShapeItem* Get(int32_t Index) const { return static_cast<TZuzShapeItem*>(Items(Index)); }
  void Put(int32_t Index, TZuzShapeItem* Value) { SetItems(Index, Value); }
};
