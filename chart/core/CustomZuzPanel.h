#pragma once
// The chart panel: the windowed control every chart is drawn on. It owns
// the drawing canvas (one of the registered TCanvas3D kinds: the aliased
// TZuzCanvas3D or the anti-aliased TGDIPlusCanvas), the margins that turn
// the client area into the chart rectangle (ChartRect), the 3D switch and
// view options, border, shadow and emboss, the AutoRepaint switch every
// setter of the chart library obeys, and the listeners (series, legend,
// tools) that hear its mouse, 3D and mouse-leave events.
//
// It is the head of the drawing pipeline:
//   Invalidate   marks the canvas's off-screen image stale and asks the
//                window for a paint (both only while AutoRepaint is on);
//   Paint        the window's paint: copies the off-screen image when it
//                is still valid, else runs Draw;
//   Draw         InitWindow of the canvas, ChartRect from the margins,
//                InternalDraw (the chart's own drawing, empty here), the
//                panel's picture filters, ShowImage.
// So a chart whose settings did not change since its last drawing repaints
// by copying its image.
//
// Input: every mouse handler clears CancelMouse, runs the control's own
// handler (which fires OnMouseDown, OnMouseMove, OnMouseUp, OnDblClick,
// where the application may set CancelMouse), then broadcasts the event to
// the listeners unless cancelled; a press also takes the focus. The panel
// wants the arrow keys.
//
// Published (default): Border (hidden pen), BorderRound (0), Emboss,
// MarginLeft / MarginTop / MarginRight / MarginBottom (3 / 4 / 3 / 4),
// MarginUnits (muPercent), Monochrome (False, the canvas's), Panning,
// PrintProportional (True), Shadow, View3D (True), View3DOptions, and the
// panel's BevelInner (bvNone), BevelOuter (bvRaised), BevelWidth (1),
// BorderWidth (0); besides them "DefaultCanvas" (the canvas class name)
// and, read only, the older "BorderStyle".
//
// Main thread only.
#include "chart/canvas/View3DOptions.h"
#include "chart/core/ZuzEvent.h"
#include "chart/core/ZuzUnits.h"
#include "platform/ExtCtrls.h"

#include <memory>
#include <vector>

class TCanvas3D;
class TFilterItems;
class TZuzBrush;
class TZuzEmboss;
class TZuzFont;
class TZuzHiddenPen;
class TZuzPanning;
class TZuzPicture;
class TZuzShadow;

enum TZuzTextFormat : uint8_t { ttfNormal, ttfHtml };

// The platform panel without its caption and without its parent's
// background.
class TCustomPanelNoCaption : public TCustomPanel {
public:
  explicit TCustomPanelNoCaption(TComponent* AOwner);
  String ClassName() const override;
};

class TCustomZuzPanel : public TCustomPanelNoCaption, public IRepaintTarget {
public:
  // 400 x 250 pixels, TabStop on; the canvas chosen by the user's editor
  // option "DefaultCanvas" (ZuzDefaultCanvas when absent).
  explicit TCustomZuzPanel(TComponent* AOwner);
  ~TCustomZuzPanel() override;
  String ClassName() const override;
  // From another panel: bevels, border, BorderRound, BufferedDisplay,
  // Color, Emboss, margins, MarginUnits, Monochrome, Panning, print
  // settings, Shadow, View3D (without repaint) and View3DOptions.
  void Assign(TPersistent* Source) override;
  // "DefaultCanvas" and the older "BorderStyle".
  void DefineProperties(TFiler* Filer) override;
  // Applies a streamed DefaultCanvas; a canvas that is not available here
  // is replaced by a TZuzCanvas3D.
  void Loaded() override;

  // ---- Canvas ----------------------------------------------------------------------
  // The drawing canvas (created at construction).
  TCanvas3D* InternalCanvas() const { return FInternalCanvas.get(); }
  // Chooses the canvas by DefaultCanvas among the registered canvas kinds
  // (exact class name; TZuzCanvas3D when none matches); a canvas of that
  // kind already in place is kept, another one is freed (its settings are
  // not copied).
  void CreateDefaultCanvas();
  // Nothing for nullptr. Otherwise the new canvas takes over the old one's
  // settings (without a repaint in between), replaces and frees it, and
  // its class name becomes DefaultCanvas.
  void SetInternalCanvas(std::unique_ptr<TCanvas3D> NewCanvas);
  const String& DefaultCanvas() const { return IDefaultCanvas; }
  void SetDefaultCanvas(const String& Value) { IDefaultCanvas = Value; }
  // The control's own device canvas (drawn on during the window's paint).
  using TCustomControl::Canvas;
  // The reference canvas: the device canvas the panel currently paints on
  // (its own, or a printer or picture canvas while printing or exporting).
  TCanvas* ReferenceCanvas() const { return FPlatformCanvas; }
  // The canvas's UseBuffer and Monochrome.
  bool BufferedDisplay() const;
  void SetBufferedDisplay(bool Value);
  bool Monochrome() const;
  void SetMonochrome(bool Value);
  // The change handler of every owned pen, brush, font, shadow and
  // picture: Invalidate.
  virtual void CanvasChanged(TObject* Sender);
  // The panel's picture filters, applied to the finished image (created on
  // first use).
  TFilterItems* Filters();

  // ---- Drawing ---------------------------------------------------------------------
  // Draws on the reference canvas into GetRectangle().
  void Draw();
  // Draws the chart on UserCanvas within UserRect. Exceptions propagate.
  virtual void Draw(TCanvas* UserCanvas, const TRect& UserRect);
  // The chart's own drawing within the canvas bounds; empty here.
  virtual void InternalDraw(const TRect& UserRect);
  // Marks the image stale and asks the window to repaint; nothing while
  // AutoRepaint is off.
  void Invalidate() override;
  // The client rectangle with a parent, else (0, 0, Width, Height).
  virtual TRect GetRectangle() const;
  virtual TColor GetBackColor();
  // AColor with system colours resolved.
  TColor PanelColor(TColor AColor) const;
  bool AutoRepaint() const { return FAutoRepaint; }
  // Turning it on again does not repaint by itself.
  void SetAutoRepaint(bool Value) { FAutoRepaint = Value; }
  // Whether drawing may clip to the chart rectangle: not with a canvas that
  // rotates fully in 3D; while printing or drawing into a metafile only
  // when ZuzClipPrinterOutput / ZuzClipMetafileOutput allow it.
  bool CanClip();
  // When True, Draw leaves the image in the canvas without showing it.
  bool DontShowImage = false;

  // ---- Chart rectangle -------------------------------------------------------------
  // The form was scaled by M / D: the canvas's font zoom follows.
  void ChangeScale(int32_t M, int32_t D);
  // The chart rectangle: inside margins, border, bevels, shadow and emboss.
  TRect ChartRect;
  const TRect& ChartBounds() const { return FChartBounds; }
  int32_t ChartWidth() const { return FChartWidth; }
  int32_t ChartHeight() const { return FChartHeight; }
  int32_t ChartXCenter() const { return FChartXCenter; }
  int32_t ChartYCenter() const { return FChartYCenter; }
  // ChartRect from the chart bounds, margins and frame.
  void ApplyMargins();
  // Keeps ChartRect inside the bounds (right >= left + 1 when crossed) and
  // computes its width, height and centre.
  void ReCalcWidthHeight();
  // BorderWidth, the bevels' widths and the visible border pen's width.
  int32_t BorderSize() const;
  // Fixes ChartRect (instead of computing it from the margins).
  void SetChartRect(const TRect& R);
  void SetCustomChartRect(bool Value);
  bool CustomChartRect() const { return FCustomChartRect; }
  int32_t Width3D() const { return FWidth3D; }
  int32_t Height3D() const { return FHeight3D; }
  void SetWidth3D(int32_t Value) { FWidth3D = Value; }
  void SetHeight3D(int32_t Value) { FHeight3D = Value; }

  // ---- Margins and frame -----------------------------------------------------------
  // Index 0..3: left, top, right, bottom.
  int32_t Margin(int32_t Index) const;
  void SetMargin(int32_t Index, int32_t Value);
  int32_t MarginLeft() const { return FMargins.Left; }
  void SetMarginLeft(int32_t Value) { SetMargin(0, Value); }
  int32_t MarginTop() const { return FMargins.Top; }
  void SetMarginTop(int32_t Value) { SetMargin(1, Value); }
  int32_t MarginRight() const { return FMargins.Right; }
  void SetMarginRight(int32_t Value) { SetMargin(2, Value); }
  int32_t MarginBottom() const { return FMargins.Bottom; }
  void SetMarginBottom(int32_t Value) { SetMargin(3, Value); }
  TZuzUnits MarginUnits() const { return FMarginUnits; }
  void SetMarginUnits(TZuzUnits Value);
  TZuzHiddenPen* Border() const { return FBorder.get(); }
  void SetBorder(TZuzHiddenPen* Value);
  int32_t BorderRound() const { return FBorderRound; }
  void SetBorderRound(int32_t Value);
  TZuzShadow* Shadow() const { return FShadow.get(); }
  void SetShadow(TZuzShadow* Value);
  TZuzEmboss* Emboss() const { return FEmboss.get(); }
  void SetEmboss(TZuzEmboss* Value);

  // ---- 3D, panning, printing ------------------------------------------------------
  bool View3D() const { return FView3D; }
  // Repaints and tells the listeners (TZuzView3DEvent) when changed.
  void SetView3D(bool Value);
  // The panel's own object; setting copies into it, nullptr leaves it.
  TView3DOptions* View3DOptions() const { return FView3DOptions.get(); }
  void SetView3DOptions(TView3DOptions* Value);
  bool ApplyZOrder() const { return FApplyZOrder; }
  void SetApplyZOrder(bool Value);
  TZuzPanning* Panning() const { return FPanning.get(); }
  void SetPanning(TZuzPanning* Value);
  bool PrintProportional() const { return FPrintProportional; }
  void SetPrintProportional(bool Value) { FPrintProportional = Value; }
  int32_t PrintResolution() const { return FPrintResolution; }
  void SetPrintResolution(int32_t Value) { FPrintResolution = Value; }
  // Print margins in percent of the page: left, top, right, bottom.
  TRect PrintMargins{15, 15, 15, 15};
  bool Printing() const { return FPrinting; }

  // ---- Text --------------------------------------------------------------------------
  // Lines of Text separated by ZuzLineSeparator (a line feed right after a
  // separator belongs to it): 1 without separator (also for an empty
  // text), else the separators plus one when text follows the last one.
  int32_t LinesOfText(const String& Text) const;
  // Width of the widest line and summed height of the lines of S, cut at
  // ZuzTextLineBreak (a line feed right after it is dropped); NumLines
  // gets the lines measured (none for an empty text, no empty last line
  // after a final break).
  TPoint MultiLineTextSize(const String& S, TZuzTextFormat TextFormat, int32_t& NumLines);
  int32_t MultiLineTextWidth(const String& S, int32_t& NumLines, TZuzTextFormat TextFormat = ttfNormal);
  // Gives the canvas AFont, or the panel's default font when AFont asks for it.
  void TryAssignFont(TZuzFont* AFont);
  // The same for text drawn in 3D (scaled with the view's zoom).
  void PrepareFont3D(TZuzFont* AFont);
  // The Theme's default font when a Theme is set, else the panel's own
  // (created on first use).
  TZuzFont* GetDefaultFont();
  TZuzFont* DefaultFont() { return GetDefaultFont(); }
  // nullptr frees the panel's own default font; a font is copied into it.
  void SetDefaultFont(TZuzFont* Value);
  // A patterned brush whose colour equals the back colour takes black (or
  // white on black) so that it shows; then the canvas's AssignBrush.
  void SetBrushCanvas(TColor AColor, TZuzBrush* ABrush, TColor ABackColor);
  // The canvas rotates fully or its device has more than 14 bits per pixel.
  bool IsScreenHighColor();

  // ---- Setters that repaint only on change -----------------------------------------
  void SetBooleanProperty(bool& Variable, bool Value);
  void SetIntegerProperty(int32_t& Variable, int32_t Value);
  void SetDoubleProperty(double& Variable, double Value);
  void SetColorProperty(TColor& Variable, TColor Value);
  void SetStringProperty(String& Variable, const String& Value);

  // ---- Listeners -----------------------------------------------------------------------
  // Appends unless already there.
  void AddListener(IZuzEventListener* Listener);
  void RemoveListener(IZuzEventListener* Listener);
  int32_t ListenerCount() const { return static_cast<int32_t>(IEventListeners.size()); }
  // Hands Event to each listener in order (nothing while the panel is
  // being destroyed); a mouse event stops after a listener that set
  // CancelMouse.
  void BroadcastZuzEvent(TZuzEvent* Event);
  // Makes an event of the class and broadcasts it (nothing without
  // listeners).
  template <class E>
  void BroadcastZuzEventClass()
  {
    if (IEventListeners.empty())
      return;
    E Event;
    BroadcastZuzEvent(&Event);
  }
  void BroadcastMouseEvent(TZuzMouseEventKind Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  // Set by a mouse handler or listener to stop the current mouse event.
  bool CancelMouse() const { return FCancelMouse; }
  void SetCancelMouse(bool Value) { FCancelMouse = Value; }
  // The mouse position in client coordinates.
  TPoint GetCursorPos() const;

  // ---- Theme -------------------------------------------------------------------------
  // A panel holding a chart theme, owned; new series, tools and axes copy
  // its formatting.
  TCustomZuzPanel* Theme() const { return FTheme.get(); }
  void SetTheme(std::unique_ptr<TCustomZuzPanel> Value);

  // Drawn inside another chart: it does not own its canvas and skips its
  // background, titles, legend and 3D set-up.
  bool IsEmbedded = false;

protected:
  // The window's paint: nothing while printing; the canvas's image copied
  // when still valid, else Draw.
  void Paint() override;
  // With automatic text zoom, the font zoom follows the panel's growth
  // against the size it had when first drawn or loaded.
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  // Ends in EAbort (silently) when a handler set CancelMouse.
  void DblClick() override;
  // The cursor returns to the original one, panning inside the bounds
  // stops, listeners hear TMouseLeaveEvent.
  void MouseLeave() override;
  virtual void InternalDoMouseLeave();
  uint32_t WMGetDlgCode() override;
  void ColorChanged() override;

  bool FCancelMouse = false;
  bool FPrinting = false;
  TCanvas* FPlatformCanvas = nullptr;
  TCursor FOriginalCursor = crDefault;
  TPoint InitialSize;

private:
  void ReadBorderStyle(const String& Ident);

  std::unique_ptr<TView3DOptions> FView3DOptions;
  std::unique_ptr<TCanvas3D> FInternalCanvas;
  std::unique_ptr<TZuzFont> FGlobalFont;
  std::unique_ptr<TZuzPicture> FGlobalPicture;
  std::unique_ptr<TZuzHiddenPen> FBorder;
  std::unique_ptr<TZuzShadow> FShadow;
  std::unique_ptr<TZuzEmboss> FEmboss;
  std::unique_ptr<TZuzPanning> FPanning;
  std::unique_ptr<TCustomZuzPanel> FTheme;
  std::vector<IZuzEventListener*> IEventListeners;
  String IDefaultCanvas;
  TRect FChartBounds;
  TRect FMargins{3, 4, 3, 4};
  TRect ICachedChartRect;
  TZuzUnits FMarginUnits = muPercent;
  int32_t FChartWidth = 0, FChartHeight = 0, FChartXCenter = 0, FChartYCenter = 0;
  int32_t FBorderRound = 0;
  int32_t FWidth3D = 0, FHeight3D = 0;
  int32_t FPrintResolution = 0;
  bool FApplyZOrder = true;
  bool FAutoRepaint = true;
  bool FView3D = true;
  bool FPrintProportional = true;
  bool FCustomChartRect = false;
};

// Unit settings of the chart panels.
// The canvas class new panels take (the user's editor option
// "DefaultCanvas" overrides it); "TGDIPlusCanvas" after start-up.
extern String ZuzDefaultCanvas;
// Whether drawing may clip while printing / while drawing into a metafile.
extern bool ZuzClipPrinterOutput;
extern bool ZuzClipMetafileOutput;
// Whether panels let the window erase their background; False.
extern bool ZuzEraseWindowBackground;
// Whether background, border and bevels are painted when printing; True.
extern bool ZuzPaintBackgroundWhenPrinting;
// The line break of multi-line chart texts: one carriage return.
extern QChar ZuzTextLineBreak;
// The default series colours (the chart's own palette, when it has one,
// comes first).
extern std::vector<TColor> ZuzColorPalette;
// Fills ZuzColorPalette with the 20 built-in colours: red, green, yellow,
// blue, white, grey, fuchsia, teal, navy, maroon, lime, olive, purple,
// silver, aqua, black, money green, sky blue, cream, medium grey.
void SetDefaultColorPalette();
// The first High + 1 colours of APalette (fewer when it is shorter); with
// High -1 the 20 built-in colours.
void SetDefaultColorPalette(const std::vector<TColor>& APalette, int32_t High);
// ZuzColorPalette[Index mod its length]; Index must not be negative, the
// palette not empty.
TColor GetDefaultColor(int32_t Index);
