#pragma once
// Series drawn inside a circle or ellipse instead of against the axes
// (pies here; polar, radar and gauges elsewhere): the circle rectangle
// inside the chart area, its radii and centre, the rotation, conversions
// between angles and points, the circle's background, shadow and emboss,
// and an optional decorative frame of concentric bands around it.
//
// Angles are in radians, counter-clockwise from 3 o'clock, with Y growing
// upwards on screen; RotationAngle (degrees) is added to every angle.
//
// Per paint (DoBeforeDrawValues): the circle rectangle starts as the chart
// rectangle, is made even-sized (at least 4 x 4), shrinks to leave room
// for the marks (or takes the circle of the first sibling whose marks take
// room), is trimmed to a true circle when Circled, and gives the radii
// (CustomXRadius / CustomYRadius fix them).
//
// Circled and the custom radii (with UniqueCustomRadius) are shared by all
// series of the class in a chart. While an active circled series sits on
// a chart whose canvas cannot rotate freely, the series may impose its own
// 3D view (InitCustom3DOptions); the chart's own is restored when the
// series is deactivated, leaves the chart or is destroyed.
//
// Published (default): Circled (True), CustomXRadius (0), CustomYRadius
// (0), Emboss, Frame (when it exists), Shadow, UniqueCustomRadius (True).
// Main thread only.
#include "chart/canvas/ZuzBrush.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ZuzShape.h"

#include <array>
#include <memory>

class TCanvas3D;
class TView3DOptions;
class TZuzEmboss;
class TZuzGradient;
class TZuzShadow;

// The brush of one band of a frame, with the band's width in percent.
class TFrameBrush : public TZuzBrush {
public:
  explicit TFrameBrush(TNotifyEvent OnChange = {}) : TZuzBrush(std::move(OnChange)) {}
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  float Size() const { return FSize; }
  void SetSize(float Value);
  void InitSize(float Value);
  bool IsSizeStored() const { return FSize != IDefault; }

private:
  float FSize = 0;
  float IDefault = 0;
};

// Three concentric bands (outer, middle, inner) around a rectangle or
// ellipse, and the frame's own fill inside them. Width is the total band
// width in percent of the smaller side.
class TFramedBorder : public TZuzCustomShapeBrushPen {
public:
  explicit TFramedBorder(TCustomZuzPanel* AParent);
  ~TFramedBorder() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  virtual void Draw(const TRect& R);
  // The band width in pixels for R.
  float CalcWidth(const TRect& R) const;

  bool Circled() const { return FCircled; }
  void SetCircled(bool Value);
  bool IsCircledStored() const { return FCircled != DefaultCircled; }
  void SetDefaultCircled(bool Value);
  TZuzEmboss* Emboss() const { return FEmboss.get(); }
  void SetEmboss(TZuzEmboss* Value);
  TFrameBrush* InnerBrush() const { return FInner.get(); }
  void SetInnerBrush(TFrameBrush* Value);
  TFrameBrush* MiddleBrush() const { return FMiddle.get(); }
  void SetMiddleBrush(TFrameBrush* Value);
  TFrameBrush* OuterBrush() const { return FOuter.get(); }
  void SetOuterBrush(TFrameBrush* Value);
  TZuzShadow* Shadow() const { return FShadow.get(); }
  void SetShadow(TZuzShadow* Value);
  int32_t Width() const { return FWidth; }
  void SetWidth(int32_t Value);

  bool DefaultCircled = false;
  // The frame has no main fill (its editor hides the pattern page).
  bool INoBrush = false;

protected:
  TCanvas3D* Canvas() const;
  // Fills R with Brush (ellipse when Circled); nothing for a clear brush.
  void FillBand(TZuzBrush* Brush, const TRect& R);
  void DrawEffects(const TRect& R);

private:
  bool FCircled = false;
  std::unique_ptr<TZuzEmboss> FEmboss;
  std::unique_ptr<TFrameBrush> FInner;
  std::unique_ptr<TFrameBrush> FMiddle;
  std::unique_ptr<TFrameBrush> FOuter;
  std::unique_ptr<TZuzShadow> FShadow;
  int32_t FWidth = 10;
};

// A frame of gradient rings (element widths 25, 60 and 15 percent of the
// frame width), optionally only an arc of TotalAngle degrees.
class TCircularFrame : public TFramedBorder {
public:
  explicit TCircularFrame(TCustomZuzPanel* AParent);
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  void Draw(const TRect& R) override;

  int32_t RotationAngle() const { return FRotationAngle; }
  void SetRotationAngle(int32_t Value);
  int32_t TotalAngle() const { return FTotalAngle; }
  void SetTotalAngle(int32_t Value);

  std::array<double, 3> FrameElementWidths{25, 60, 15};

private:
  void FillRing(TZuzBrush* Brush, const TRect& R);
  int32_t FRotationAngle = 0;
  int32_t FTotalAngle = 360;
};

class TCircledSeries : public TChartSeries {
public:
  explicit TCircledSeries(TComponent* AOwner);
  ~TCircledSeries() override;
  String ClassName() const override;

  void SetActive(bool Value) override;
  void SetParentChart(TCustomAxisPanel* Value) override;
  // Circle settings of another circled series (frame freed when it has
  // none), then the series'.
  void AssignFormatting(TChartSeries* Source) override;
  void DoBeforeDrawValues() override;
  bool IsPointInChartRect(int32_t) const override { return true; }
  void PrepareLegendCanvas(int32_t ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle) override;
  bool AssociatedToAxis(const TChartAxis*) const override { return true; }
  bool UseAxis() const override { return false; }

  // ---- Geometry ----
  // The radii from the circle rectangle (or the custom radii); the circle
  // rectangle then is the centre plus and minus the radii.
  virtual void CalcRadius();
  void SetCircleRect(const TRect& R);
  void AngleToPos(double Angle, double AXRadius, double AYRadius, int32_t& X, int32_t& Y) const;
  TPointFloat AngleToPosFloat(double Angle, double AXRadius, double AYRadius) const;
  // In [0, 2 pi), the rotation taken off.
  double PointToAngle(int32_t X, int32_t Y) const;
  // The vertical axis' value at the distance of (X, Y) from the centre.
  double PointToRadius(int32_t X, int32_t Y) const;
  // The circle's back colour: its own, else white while printing, the
  // back wall's, or the chart's.
  TColor CalcCircleBackColor() const;
  // Trims R so that radii XRadius and YRadius look equal on the device
  // (square pixels are assumed: the platform reports no device aspect).
  static void AdjustScreenRatio(TCanvas3D* Canvas, int32_t XRadius, int32_t YRadius, TRect& R, bool NoRatio);
  void Rotate(int32_t Angle);
  // Shadow and emboss of the whole circle.
  void DrawCircleShadow();
  // The frame around the circle; the circle shrinks inside it.
  void DrawFrame();

  // ---- Settings ----
  TZuzBrush* CircleBrush() const { return FCircleBrush.get(); }
  void SetCircleBrush(TZuzBrush* Value);
  TColor CircleBackColor() const { return FCircleBrush->Color(); }
  void SetCircleBackColor(TColor Value);
  TZuzGradient* CircleGradient() const { return FCircleBrush->Gradient(); }
  void SetCircleGradient(TZuzGradient* Value);
  bool Circled() const { return FCircled; }
  // Also on every series of the class; their custom radii reset.
  void SetCircled(bool Value);
  int32_t CustomXRadius() const { return FCustomXRadius; }
  void SetCustomXRadius(int32_t Value);
  int32_t CustomYRadius() const { return FCustomYRadius; }
  void SetCustomYRadius(int32_t Value);
  bool UniqueCustomRadius() const { return FUniqueCustomRadius; }
  void SetUniqueCustomRadius(bool Value);
  TZuzEmboss* Emboss() const { return FEmboss.get(); }
  void SetEmboss(TZuzEmboss* Value);
  TZuzShadow* Shadow() const { return FShadow.get(); }
  void SetShadow(TZuzShadow* Value);
  // Created on first read, hidden.
  TFramedBorder* Frame();
  void SetFrame(TFramedBorder* Value);
  bool HasFrame() const { return FFrame != nullptr; }
  int32_t RotationAngle() const { return FRotationAngle; }
  // Kept as Value mod 360 (a negative value stays negative).
  void SetRotationAngle(int32_t Value);

  int32_t XRadius() const { return FXRadius; }
  void SetXRadius(int32_t Value) { FXRadius = Value; }
  int32_t YRadius() const { return FYRadius; }
  void SetYRadius(int32_t Value) { FYRadius = Value; }
  int32_t CircleXCenter() const { return FCircleXCenter; }
  int32_t CircleYCenter() const { return FCircleYCenter; }
  int32_t CircleWidth() const { return FCircleWidth; }
  int32_t CircleHeight() const { return FCircleHeight; }
  const TRect& CircleRect() const { return FCircleRect; }
  double RotationRadians() const { return IRotDegree; }

  // Reserve room around the circle for the marks.
  bool IAdjustCircleForMarks = true;

protected:
  void AdjustCircleRect();
  void AdjustCircleMarks();
  void CalcCircledRatio();
  // A series whose own marks take no room adopts the circle of the first
  // sibling whose marks do.
  virtual void CheckOtherSeriesMarks();
  // The 3D view the kind imposes on charts that cannot rotate freely.
  virtual void InitCustom3DOptions(TView3DOptions*) {}
  void SetParentProperties(bool Restore);
  // Every series of the chart this series' class derives from.
  template <class F>
  void ForEachSibling(F Apply);

  TRect FCircleRect;
  int32_t FCircleWidth = 0;
  int32_t FCircleHeight = 0;
  int32_t FCircleXCenter = 0;
  int32_t FCircleYCenter = 0;
  int32_t FXRadius = 0;
  int32_t FYRadius = 0;
  double IRotDegree = 0;

private:
  std::unique_ptr<TZuzBrush> FCircleBrush;
  bool FCircled = true;
  int32_t FCustomXRadius = 0;
  int32_t FCustomYRadius = 0;
  std::unique_ptr<TZuzEmboss> FEmboss;
  std::unique_ptr<TFramedBorder> FFrame;
  int32_t FRotationAngle = 0;
  std::unique_ptr<TZuzShadow> FShadow;
  bool FUniqueCustomRadius = true;
  std::unique_ptr<TView3DOptions> IBack3D;
  bool IDestroying = false;
};
