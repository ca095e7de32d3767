#pragma once
// The chart panel: the control that owns a chart's canvas and 3D view
// options. This is the part of it the canvas and the acquisition core use:
// the canvas by class, switching canvases, text zoom on resize, measuring
// multi-line text and choosing the font a text is drawn with.
#include "platform/GraphicsTypes.h"
#include "chart/canvas/View3DOptions.h"
#include "platform/Component.h"

#include <functional>
#include <memory>

class TCanvas;
class TCanvas3D;
class TZuzFont;

enum TZuzTextFormat : uint8_t { ttfNormal, ttfHtml };

class TCustomZuzPanel : public TComponent, public IRepaintTarget {
public:
  explicit TCustomZuzPanel(TComponent* AOwner);
  ~TCustomZuzPanel() override;
  String ClassName() const override;

  // Published as View3DOptions (the panel's own object; setting copies into
  // it, nil leaves it as it is).
  TView3DOptions* View3DOptions() const { return FView3DOptions.get(); }
  void SetView3DOptions(TView3DOptions* Value);
  // The canvas, created on first use by the class registered under the
  // default-canvas name (the GDI canvas when that name is not registered).
  TCanvas3D* InternalCanvas();
  // Nothing for nullptr. Otherwise the new canvas draws on the panel's
  // device canvas, takes over the old one's settings (without a repaint in
  // between), replaces and frees it, and names the panel's default canvas.
  void SetInternalCanvas(std::unique_ptr<TCanvas3D> NewCanvas);
  const String& DefaultCanvas() const { return FDefaultCanvas; }
  void SetDefaultCanvas(const String& Value) { FDefaultCanvas = Value; }

  // The device canvas the panel paints on.
  TCanvas* Canvas() const { return FCanvas.get(); }

  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }
  // Moves and sizes the panel; a size change runs Resize.
  void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight);
  // With automatic text zoom, the font zoom follows the growth of the panel
  // against its first size.
  virtual void Resize();

  // Width and height of S measured line by line (lines end with CR LF, LF
  // or CR); NumLines receives the number of lines.
  TPoint MultiLineTextSize(const String& S, TZuzTextFormat TextFormat, int32_t& NumLines);
  // Gives the canvas AFont, or the panel's default font when AFont asks for it.
  void TryAssignFont(TZuzFont* AFont);
  void PrepareFont3D(TZuzFont* AFont);
  // The panel's own default font, created on first use.
  TZuzFont* DefaultFont();

  void Invalidate() override;
  bool AutoRepaint() const { return FAutoRepaint; }
  void SetAutoRepaint(bool Value) { FAutoRepaint = Value; }
  // Shows 3D (PrepareFont3D then scales the font with the view's zoom).
  bool View3D() const { return FView3D; }
  void SetView3D(bool Value) { FView3D = Value; }
  // Called on every invalidation (a window repaints the panel).
  std::function<void()> OnInvalidate;

private:
  std::unique_ptr<TView3DOptions> FView3DOptions;
  std::unique_ptr<TCanvas> FCanvas;
  std::unique_ptr<TCanvas3D> FInternalCanvas;
  std::unique_ptr<TZuzFont> FDefaultFont;
  String FDefaultCanvas = QStringLiteral("TGDIPlusCanvas");
  int32_t FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  int32_t FInitialWidth = 0, FInitialHeight = 0;
  bool FAutoRepaint = true;
  bool FView3D = true;
};

// Whether chart panels let the window erase their background (and the GDI+
// canvas clears its buffer); False at start.
extern bool ZuzEraseBack;
