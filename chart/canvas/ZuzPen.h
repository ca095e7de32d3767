#pragma once
// The chart pen: a platform pen with visibility, small dots, line caps and
// joins of wide pens and an optional fill brush (gradient pens). Chart
// elements own their pens and hand them to the canvas (AssignVisiblePen).
//
// Published, in this order (declared default; stored rule):
//   Width (-; IsWidthStored), EndStyle (-; IsEndStored), Fill (-; when
//   there is one), JoinStyle (-; IsJoinStored), SmallDots (False),
//   SmallSpace (0), Visible (-; IsVisibleStored), Color (-; IsColorStored),
//   Mode (pmCopy), Style (psSolid).
// The colour is compared with the pen's own default (clBlack, or what the
// owner declared with InitColor: white pens, dark grey pens), not with one
// declared default for all pens: a user's choice that happens to equal the
// class-wide default would otherwise be dropped from the file and read back
// as the owner's colour.
#include "platform/Graphics.h"

#include <memory>

class TZuzBrush;

enum TPenEndStyle : uint8_t { esRound, esSquare, esFlat };
enum TPenJoinStyle : uint8_t { jsRound, jsBevel, jsMitter };

class TZuzPen : public TPen {
public:
  explicit TZuzPen(TNotifyEvent OnChangeEvent = {});
  ~TZuzPen() override;
  String ClassName() const override;
  // From a chart pen also visibility, small dots, ends, joins and the fill
  // brush (without notification); then the platform pen copy, which notifies.
  void Assign(TPersistent* Source) override;

  TPenEndStyle EndStyle() const { return FEndStyle; }
  void SetEndStyle(TPenEndStyle Value);
  TPenJoinStyle JoinStyle() const { return FJoinStyle; }
  void SetJoinStyle(TPenJoinStyle Value);
  bool SmallDots() const { return FSmallDots; }
  void SetSmallDots(bool Value);
  int32_t SmallSpace() const { return FSmallSpace; }
  void SetSmallSpace(int32_t Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // Created on first read with the pen's change handler.
  TZuzBrush* Fill();
  // Copies Value into the pen's own fill brush; nullptr frees it.
  void SetFill(TZuzBrush* Value);
  bool HasFill() const { return FFill != nullptr; }

  // The fill brush exists and its gradient exists and is visible.
  bool IsGradientVisible() const;
  // Sets the colour (notifying) and makes it the pen's unstored default.
  void InitColor(TColor Value);
  // Sets EndStyle and its unstored default together, without notification.
  void InitEndStyle(TPenEndStyle Value);
  // Width div 2 of a visible pen wider than 1, else 0.
  int32_t HalfWidth() const;
  void Hide() { SetVisible(false); }
  void Show() { SetVisible(true); }

  bool IsWidthStored() const { return Width() != DefaultWidth; }
  bool IsEndStored() const { return FEndStyle != DefaultEnd; }
  bool IsJoinStored() const { return FJoinStyle != DefaultJoin; }
  bool IsVisibleStored() const { return FVisible != DefaultVisible; }
  bool IsColorStored() const { return Color() != DefaultColor; }

  // The values an owner declared as its defaults (not stored).
  TPenEndStyle DefaultEnd = esRound;
  TPenJoinStyle DefaultJoin = jsRound;
  bool DefaultVisible = true;
  int32_t DefaultWidth = 1;
  TColor DefaultColor = clBlack;

protected:
  TPenEndStyle FEndStyle = esRound;
  TPenJoinStyle FJoinStyle = jsRound;
  bool FSmallDots = false;
  int32_t FSmallSpace = 0;
  bool FVisible = true;
  std::unique_ptr<TZuzBrush> FFill;
};

// Visible False by default (and then not stored).
class TZuzHiddenPen : public TZuzPen {
public:
  explicit TZuzHiddenPen(TNotifyEvent OnChangeEvent = {});
  String ClassName() const override;
};

// Colour 0x808080 by default (and then not stored).
class TDarkGrayPen : public TZuzPen {
public:
  explicit TDarkGrayPen(TNotifyEvent OnChangeEvent = {});
  String ClassName() const override;
};
