#pragma once
// The panel: a control that holds other controls, painted by this layer with
// its bevels and its caption centred (Paint may be overridden, as the chart
// panel does). Aligned children share the area inside the border and the
// bevels.
#include "platform/Controls.h"
#include "platform/StdCtrls.h"

class TCustomPanel : public TCustomControl {
public:
  // 185 x 41, raised outer bevel, clBtnFace, caption centred.
  explicit TCustomPanel(TComponent* AOwner);
  ~TCustomPanel() override;
  String ClassName() const override;

  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  // Pixels per bevel.
  int32_t BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int32_t Value);
  // Pixels between the two bevels, in the panel's colour.
  int32_t BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int32_t Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

protected:
  // Bevels, border, the fill in Color and the caption.
  void Paint() override;
  void AdjustClientRect(TRect& Rect) override;

private:
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int32_t FBevelWidth = 1;
  int32_t FBorderWidth = 0;
  TBorderStyle FBorderStyle = bsNone;
  TAlignment FAlignment = taCenter;
};

class TPanel : public TCustomPanel {
public:
  explicit TPanel(TComponent* AOwner);
  ~TPanel() override;
  String ClassName() const override;
};

// Draws Width one-pixel frames inside Rect, top and left in TopColor,
// bottom and right in BottomColor, and shrinks Rect by them.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int32_t Width);
