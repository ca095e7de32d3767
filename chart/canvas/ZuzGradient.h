#pragma once
// Gradients: a list of colour stops, a direction, an angle, a balance, a
// radial centre offset and an optional sub-gradient painted over the first
// with its own transparency. To paint, a gradient copies itself into the
// canvas brush's gradient and asks the canvas to fill; the canvas draws the
// linear, corner, centre and diagonal blends and calls back here for the
// radial blend and for rotated gradients.
//
// Published of TZuzGradient, in this order (declared default; stored rule):
//   Angle (0), Balance (50), Colors (-; IsColorsStored), Direction (-;
//   IsDirectionStored), EndColor (-; IsEndStored), MidColor (-; IsMidStored),
//   RadialX (0), RadialY (0), StartColor (-; IsStartStored), SubGradient
//   (-; HasSubGradient), Visible (-; IsVisibleStored).
// TSubGradient: the same without SubGradient, plus Transparency (50).
#include "chart/canvas/CanvasTypes.h"
#include "platform/GraphicsTypes.h"
#include "platform/Collection.h"
#include "platform/Component.h"
#include "platform/Events.h"

#include <functional>
#include <memory>
#include <vector>

class TCanvas3D;
class TZuzCanvas;
class TBitmap;
class TCustomZuzGradient;
class TSubGradient;

// A colour stop. Published: Color (0), Offset (-), Transparency (0);
// writing them does not notify the gradient.
class TZuzGradientColor : public TCollectionItem {
public:
  explicit TZuzGradientColor(TCollection* ACollection = nullptr);
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  double Offset() const { return FOffset; }
  void SetOffset(double Value) { FOffset = Value; }
  TZuzTransparency Transparency() const { return FTransp; }
  void SetTransparency(TZuzTransparency Value) { FTransp = Value; }
  bool IsTransparencyStored() const { return FTransp != 0; }

private:
  TColor FColor = 0;
  double FOffset = 0;
  TZuzTransparency FTransp = 0;
};

// The stops of a gradient, owned by it and streamed as a collection.
// Adding, deleting, clearing and copying stops notify the gradient (once
// per operation).
class TZuzGradientColors : public TOwnedCollection {
public:
  explicit TZuzGradientColors(TCustomZuzGradient* AOwner);
  ~TZuzGradientColors() override;
  String ClassName() const override;

  // An index at or beyond the count first appends default stops (black at 0)
  // until it exists; a negative index raises EListError.
  TZuzGradientColor* Items(int32_t Index);
  void SetItems(int32_t Index, TZuzGradientColor* Value);
  // Offset limited to [0, 1]; inserted after every stop with an offset not
  // greater than it.
  TZuzGradientColor* Add(double AOffset, TColor AColor, TZuzTransparency ATransparency);
  // A default stop at Index (limited to 0..Count).
  TZuzGradientColor* Insert(int32_t Index);
  // Calls the gradient's change notification.
  void Repaint();

protected:
  void Update(TCollectionItem* Item) override;

private:
  TCustomZuzGradient* FOwner;
};

class TCustomZuzGradient : public TPersistent {
public:
  explicit TCustomZuzGradient(TNotifyEvent ChangedEvent = {});
  ~TCustomZuzGradient() override;
  String ClassName() const override;
  // From another gradient: angle, balance, direction, radial offsets, stops,
  // StartIsEnd, sub-gradient and visibility.
  void Assign(TPersistent* Source) override;

  int32_t Angle() const { return FAngle; }
  void SetAngle(int32_t Value);
  int32_t Balance() const { return FBalance; }
  void SetBalance(int32_t Value);
  // Created with the two default stops on first read.
  TZuzGradientColors* Colors();
  void SetColors(TZuzGradientColors* Value);
  TZuzGradientColors* ColorsIfAny() const { return FColors.get(); }
  TGradientDirection Direction() const { return FDirection; }
  void SetDirection(TGradientDirection Value);
  TColor StartColor() const;
  void SetStartColor(TColor Value);
  // Raises EListError when the stop list is empty.
  TColor EndColor() const;
  void SetEndColor(TColor Value);
  TColor MidColor() const;
  void SetMidColor(TColor Value);
  int32_t RadialX() const { return FRadialX; }
  void SetRadialX(int32_t Value);
  int32_t RadialY() const { return FRadialY; }
  void SetRadialY(int32_t Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool StartIsEnd() const { return FStartIsEnd; }
  void SetStartIsEnd(bool Value) { FStartIsEnd = Value; }
  const TRectF& CustomTargetRectangle() const { return FCustomTargetRectangle; }
  void SetCustomTargetRectangle(const TRectF& Value) { FCustomTargetRectangle = Value; }
  // Created on first read with the gradient's handler and transparency 50.
  TSubGradient* SubGradient();
  void SetSubGradient(TSubGradient* Value);
  TSubGradient* SubGradientIfAny() const { return FSub.get(); }
  bool HasSubGradient() const { return FSub != nullptr; }

  void InitDirection(TGradientDirection Value);
  void ResetColors();
  // MidColor := the last middle colour set.
  void UseMiddleColor();
  // Some colour stop is translucent (a picture under the gradient shows).
  bool AnyTransparency() const;
  void DoChanged();

  bool IsColorsStored() const;
  bool IsDirectionStored() const { return FDirection != IDefDirection; }
  bool IsStartStored() const;
  bool IsEndStored() const;
  bool IsMidStored() const;
  bool IsVisibleStored() const { return FVisible != IDefVisible; }

  // Fills Rect (rounded when RoundRectSize > 0) through the canvas.
  void Draw(TZuzCanvas* Canvas, const TRect& Rect, int32_t RoundRectSize = 0);
  void Draw(TZuzCanvas* Canvas, TFourPoints& P);
  void Draw(TCanvas3D* Canvas, TFourPoints& P, int32_t Z);
  void Draw(TCanvas3D* Canvas, TPointArray& P, int32_t Z, bool Is3D);
  void DrawRadial(TZuzCanvas* Canvas, const TRect& Rect);
  void DrawRotated(TZuzCanvas* Canvas, const TRect& Rect);
  void DrawSubGradient(TZuzCanvas* Canvas, const TRect& Rect, int32_t RoundRectSize);

  // The change handler (the owner's), called with the gradient as sender.
  TNotifyEvent IChanged;
  TGradientDirection IDefDirection = gdTopBottom;
  TColor IDefEnd = clYellow;
  TColor IDefMid = clNone;
  TColor IDefStart = clWhite;
  bool IDefVisible = false;

  // Back to the defaults (invisible, top to bottom, white to yellow,
  // balance 50, no angle or offsets; an existing stop list is reset),
  // without notification.
  void InitDefaults();

protected:
  int32_t FAngle = 0;
  int32_t FBalance = 50;
  std::unique_ptr<TZuzGradientColors> FColors;
  TGradientDirection FDirection = gdTopBottom;
  int32_t FRadialX = 0;
  int32_t FRadialY = 0;
  bool FStartIsEnd = false;
  std::unique_ptr<TSubGradient> FSub;
  bool FVisible = false;
  TRectF FCustomTargetRectangle;
  TColor IMidColor = clWhite;
};

class TSubGradient : public TCustomZuzGradient {
public:
  explicit TSubGradient(TNotifyEvent ChangedEvent = {});
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  TZuzTransparency Transparency() const { return FTransparency; }
  void SetTransparency(TZuzTransparency Value);

private:
  TZuzTransparency FTransparency = 50;
};

class TZuzGradient : public TCustomZuzGradient {
public:
  explicit TZuzGradient(TNotifyEvent ChangedEvent = {});
  String ClassName() const override;
};

// Rotates the bitmap of a rotated gradient by the gradient's angle: the
// rotate filter of the picture filters (RotateGradient); empty after the
// filters are finalised.
extern std::function<void(TCustomZuzGradient* Gradient, TBitmap* Bitmap)> ZuzGradientRotateHook;

// ((X + 1) / (Steps + 1)) ^ (Balance * 0.01 + 0.5)
double ZuzSigmoid(double X, double Balance, double Steps);
