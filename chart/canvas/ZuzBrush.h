#pragma once
// The chart brush: a platform brush with a background colour for hatch
// gaps, one of 53 hatch patterns, an optional gradient and an optional
// picture. The first six hatch patterns are the platform's own hatch styles;
// the others only the GDI+ canvas draws.
//
// Published, in this order (declared default; stored rule):
//   BackColor (clNone), Color (-; IsColorStored), Gradient (-; when there
//   is one), HatchStyle (hsHorizontal), Image (-; HasImage), Style (bsSolid;
//   IsStyleStored).
// The colour is compared with the owner's default only (DefaultColor): a
// white chosen against another default must reach the file.
#include "platform/Graphics.h"

#include <memory>

class TZuzGradient;
class TZuzPicture;

enum THatchStyle : uint8_t {
  hsHorizontal,
  hsVertical,
  hsForwardDiagonal,
  hsBackwardDiagonal,
  hsCross,
  hsDiagonalCross,
  hs05Percent,
  hs10Percent,
  hs20Percent,
  hs25Percent,
  hs30Percent,
  hs40Percent,
  hs50Percent,
  hs60Percent,
  hs70Percent,
  hs75Percent,
  hs80Percent,
  hs90Percent,
  hsLightDownwardDiagonal,
  hsLightUpwardDiagonal,
  hsDarkDownwardDiagonal,
  hsDarkUpwardDiagonal,
  hsWideDownwardDiagonal,
  hsWideUpwardDiagonal,
  hsLightVertical,
  hsLightHorizontal,
  hsNarrowVertical,
  hsNarrowHorizontal,
  hsDarkVertical,
  hsDarkHorizontal,
  hsDashedDownwardDiagonal,
  hsDashedUpwardDiagonal,
  hsDashedHorizontal,
  hsDashedVertical,
  hsSmallConfetti,
  hsLargeConfetti,
  hsZigZag,
  hsWave,
  hsDiagonalBrick,
  hsHorizontalBrick,
  hsWeave,
  hsPlaid,
  hsDivot,
  hsDottedGrid,
  hsDottedDiamond,
  hsShingle,
  hsTrellis,
  hsSphere,
  hsSmallGrid,
  hsSmallCheckerBoard,
  hsLargeCheckerBoard,
  hsOutlinedDiamond,
  hsSolidDiamond
};

class TZuzBrush : public TBrush {
public:
  explicit TZuzBrush(TNotifyEvent OnChangeEvent = {});
  ~TZuzBrush() override;
  String ClassName() const override;
  // From a chart brush also picture, back colour, hatch style and gradient;
  // then the platform brush copy, which notifies.
  void Assign(TPersistent* Source) override;

  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor Value);
  THatchStyle HatchStyle() const { return FHatchStyle; }
  void SetHatchStyle(THatchStyle Value);
  // Created on first read with the brush's change handler.
  TZuzGradient* Gradient();
  // Copies Value into the own gradient; nullptr frees it. Notifies.
  void SetGradient(TZuzGradient* Value);
  TZuzGradient* GradientIfAny() const { return FGradient.get(); }
  // Created on first read with the brush's change handler.
  TZuzPicture* Image();
  // Copies Value into the own picture and notifies; nullptr frees it
  // (notifying only when there was one).
  void SetImage(TZuzPicture* Value);
  TZuzPicture* ImageIfAny() const { return FImage.get(); }

  // Clear style, no picture, no gradient.
  void Clear();
  bool HasImage() const { return FImage != nullptr; }
  // The picture exists and holds a graphic that is not empty.
  bool HasGraphic() const;
  // The gradient exists and is visible.
  bool HasGradient() const;
  // Sets the colour and its unstored default, without notification.
  void InitColor(TColor Value);
  bool IsColorStored() const { return Color() != DefaultColor; }
  bool IsGradientStored() const { return FGradient != nullptr; }
  // Not bsSolid, or a solid style after one of the platform's own hatch
  // patterns: reading that HatchStyle sets the matching hatch style, so the
  // solid style must follow it in the file.
  bool IsStyleStored() const
  {
    return Style() != bsSolid || (FHatchStyle != hsHorizontal && FHatchStyle <= hsDiagonalCross);
  }

  TColor DefaultColor = clDefault;

private:
  TColor FBackColor = clNone;
  std::unique_ptr<TZuzGradient> FGradient;
  std::unique_ptr<TZuzPicture> FImage;
  THatchStyle FHatchStyle = hsHorizontal;
};
