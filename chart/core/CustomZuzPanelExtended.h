#pragma once
// The chart panel with what surrounds the chart proper: the background
// (colour, gradient, back image, shadow, emboss, border and bevels,
// painted in one fixed order by PanelPaint), the zoom settings with the
// rubber band drawn while the user drags, the panning settings, and the
// zoomed state with its undo. The chart decides when to zoom and scroll;
// this class holds the state and paints.
//
// Published (default): AllowPanning (pmBoth), BackImage, BackImageInside
// (False), BackImageMode (pbmStretch), BackImageTransp (False), Gradient,
// ScrollMouseButton (mbRight), Zoom, ZoomWheel (pmwNone), OnAfterDraw,
// OnScroll, OnUndoZoom, OnZoom; besides them "PrintMargins" (written when
// not all 15) and, read only, the older "AllowZoom", "AnimatedZoom" and
// "AnimatedZoomSteps". Main thread only.
#include "chart/core/BackImage.h"
#include "chart/core/CustomZuzPanel.h"
#include "chart/core/ZuzPanning.h"

class TZuzGradient;

enum TPanningMode : uint8_t { pmNone, pmHorizontal, pmVertical, pmBoth };

class TCustomZuzPanelExtended : public TCustomZuzPanel {
public:
  explicit TCustomZuzPanelExtended(TComponent* AOwner);
  ~TCustomZuzPanelExtended() override;
  String ClassName() const override;
  // BackImage, Gradient, AllowPanning, ScrollMouseButton and Zoom from
  // another extended panel, then the panel's settings.
  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;

  // ---- Painting ----
  // The background over Rect: the parent's colour erased, shadow and
  // emboss, the fill (colour or gradient) with the border, the back image
  // (unless Inside), the bevels. Nothing while printing unless
  // ZuzPaintBackgroundWhenPrinting.
  virtual void PanelPaint(const TRect& Rect);
  // Fills a copy of Rect with the panel colour or gradient, framed by the
  // border pen (rounded with BorderRound).
  virtual void FillPanelRect(const TRect& Rect);
  // The back image into Rect at depth Z (when there is one).
  void DrawBitmap(const TRect& Rect, int32_t Z);
  bool HasBackImage() const;
  // The gradient's start colour while it is visible, else the panel's.
  TColor GetBackColor() override;
  // The rubber band of the zoom's rectangle, XOR-drawn unless FullRepaint.
  void DrawZoomRectangle();
  // The band drawn (or erased) directly when the canvas can XOR, else the
  // chart repainted.
  void TryDrawZoom();
  // OnUndoZoom, repaint, Zoomed off.
  virtual void UndoZoom();

  // ---- Settings ----
  TPanningMode AllowPanning() const { return FAllowPanning; }
  void SetAllowPanning(TPanningMode Value) { FAllowPanning = Value; }
  // Created on first read.
  TBackImage* BackImage();
  TBackImage* BackImageIfAny() const { return FBackImage.get(); }
  // nullptr frees it (and repaints).
  void SetBackImage(TBackImage* Value);
  bool IsBackImageStored() const { return FBackImage != nullptr; }
  bool BackImageInside() const;
  void SetBackImageInside(bool Value);
  TZuzBackImageMode BackImageMode();
  void SetBackImageMode(TZuzBackImageMode Value);
  bool BackImageTransp() const;
  void SetBackImageTransp(bool Value);
  // Created on first read.
  TZuzGradient* Gradient();
  TZuzGradient* GradientIfAny() const { return FGradient.get(); }
  // nullptr frees it (without repaint).
  void SetGradient(TZuzGradient* Value);
  bool IsGradientStored() const { return FGradient != nullptr; }
  TMouseButton ScrollMouseButton() const { return FScrollMouse; }
  void SetScrollMouseButton(TMouseButton Value) { FScrollMouse = Value; }
  TZuzZoom* Zoom() const { return FZoom.get(); }
  void SetZoom(TZuzZoom* Value);
  TMouseWheelStyle ZoomWheel() const { return FZoomWheel; }
  void SetZoomWheel(TMouseWheelStyle Value) { FZoomWheel = Value; }
  bool AllowZoom() const;
  void SetAllowZoom(bool Value);
  bool AnimatedZoom() const;
  void SetAnimatedZoom(bool Value);
  int32_t AnimatedZoomSteps() const;
  void SetAnimatedZoomSteps(int32_t Value);
  bool Zoomed() const { return FZoomed; }
  void SetZoomed(bool Value) { FZoomed = Value; }

  // ---- Events ----
  TNotifyEvent OnAfterDraw;
  TNotifyEvent OnScroll;
  TNotifyEvent OnUndoZoom;
  TNotifyEvent OnZoom;

private:
  void DrawShadowEmboss(TZuzShadow* Effect, bool IsEmboss, TRect& R);
  void DrawPanelBevels(const TRect& Rect);
  int32_t FixBorderWidth(TRect& R) const;
  bool Skip() const;
  bool FillHidesAll() const;

  TPanningMode FAllowPanning = pmBoth;
  std::unique_ptr<TZuzGradient> FGradient;
  TMouseButton FScrollMouse = mbRight;
  std::unique_ptr<TZuzZoom> FZoom;
  TMouseWheelStyle FZoomWheel = pmwNone;
  bool FZoomed = false;
  std::unique_ptr<TBackImage> FBackImage;
};
