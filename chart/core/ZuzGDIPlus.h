#pragma once
// The component that switches a chart panel between the GDI canvas and the
// anti-aliased (GDI+) canvas: while Active and linked to a panel, the panel
// draws with a TGDIPlusCanvas whose anti-aliasing, text anti-aliasing and
// scale follow the component; deactivated or unlinked, the panel gets a
// plain GDI canvas back. The canvas belongs to the panel.
//
// Published, in this order (declared default; stored rule): Active (False),
// Antialias (True), AntiAliasText (gpfDefault), Scale (1; IsScaleStored),
// ZuzPanel (nil).
#include "chart/canvas/GDIPlusCanvas.h"
#include "platform/Component.h"

class TCustomZuzPanel;

class TZuzGDIPlus : public TComponent {
public:
  explicit TZuzGDIPlus(TComponent* AOwner);
  ~TZuzGDIPlus() override;
  String ClassName() const override;

  bool Active() const { return FActive; }
  void SetActive(bool Value);
  bool Antialias() const { return FAntialias; }
  void SetAntialias(bool Value);
  TGDIPlusFontQuality AntiAliasText() const { return FAntiAliasText; }
  void SetAntialiasText(TGDIPlusFontQuality Value);
  float Scale() const { return FScale; }
  void SetScale(float Value);
  bool IsScaleStored() const { return FScale != 1.0f; }
  TCustomZuzPanel* ZuzPanel() const { return FZuzPanel; }
  void SetZuzPanel(TCustomZuzPanel* Value);
  // The panel's canvas when it is an anti-aliased one, else nullptr.
  TGDIPlusCanvas* Canvas() const { return GetCanvas(); }
  TGDIPlusCanvas* GetCanvas() const;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void Activate();
  void RemoveTag();
  void ResetCanvas();

  bool FActive = false;
  bool FAntialias = true;
  TGDIPlusFontQuality FAntiAliasText = gpfDefault;
  float FScale = 1.0f;
  TCustomZuzPanel* FZuzPanel = nullptr;
};

// Makes the component known to component streaming (the program's start-up
// calls it, so that chart files naming it can be read).
void RegisterZuzGDIPlus();
