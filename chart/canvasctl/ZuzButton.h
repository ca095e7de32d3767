#pragma once
// Push buttons of the chart editor that paint a symbol of the property
// they edit, through a chart canvas so that every symbol uses the chart's
// own drawing primitives. The colour button opens the colour dialog and
// can be bound to any published colour property by name.
#include "platform/GraphicsTypes.h"
#include "platform/StdCtrls.h"
#include "rtl/Types.h"

#include <functional>

class TPersistent;
class TZuzCanvas;
struct TPropInfo;

class TZuzButton : public TButton {
public:
  // 75 x 25.
  explicit TZuzButton(TComponent* AOwner = nullptr);
  ~TZuzButton() override;
  String ClassName() const override;

  bool SymbolVisible() const { return FSymbolVisible; }
  void SetSymbolVisible(bool Value);
  int32_t SymbolWidth() const { return FSymbolWidth; }
  void SetSymbolWidth(int32_t Value);

  // Binds the button to AInstance's published property PropName (Info stays
  // empty when AInstance has none of that name); nullptr unlinks without a
  // repaint.
  void LinkProperty(TPersistent* AInstance, const String& PropName);
  // Where the symbol goes: the button's middle without caption, else its
  // right end, 6 pixels from the edge.
  TRect SymbolRectangle() const;
  // Paints the symbol; nothing here.
  virtual void DrawSymbol(TZuzCanvas* ACanvas);
  // The click after the button has done its own part; fires OnClick.
  void Click() override;

  TPersistent* Instance = nullptr;
  const TPropInfo* Info = nullptr;

protected:
  // The symbol over the native button.
  void Paint() override;

private:
  int32_t FSymbolWidth = 0;
  bool FSymbolVisible = true;
};

class TButtonColor : public TZuzButton {
public:
  explicit TButtonColor(TComponent* AOwner = nullptr);
  ~TButtonColor() override;
  String ClassName() const override;

  bool FullOpen() const { return FFullOpen; }
  void SetFullOpen(bool Value) { FFullOpen = Value; }
  // GetColorProc's colour when set, else the linked property's, else the
  // button's own.
  TColor SymbolColor() const;
  // Writes the linked property when there is one, else the button's own
  // colour; then repaints.
  void SetSymbolColor(TColor Value);

  // Opens the colour dialog; a changed colour is taken and OnClick fires,
  // a cancelled or unchanged dialog fires nothing.
  void Click() override;
  void DrawSymbol(TZuzCanvas* ACanvas) override;

  std::function<TColor()> GetColorProc;

private:
  bool FFullOpen = true;
  TColor FSymbolColor = clNone;
};
