#pragma once
// A background picture: of a chart panel (behind the whole panel, or with
// Inside behind the chart rectangle only), of a framed box or a wall. It
// is stretched over its rectangle, tiled, centred, or placed at a custom
// position (Left, Top, and Right / Bottom as width and height, 0 meaning
// the picture's own), always through its filters.
//
// Published (default): Bottom, Left, Right, Top (0), DrawQuality (sqHigh),
// Inside (False), Mode (pbmStretch). Every change fires the picture's
// change notification, which repaints the owner.
#include "chart/canvas/CanvasTypes.h"
#include "chart/canvas/ZuzPicture.h"

class TCustomZuzPanel;

enum TZuzBackImageMode : uint8_t { pbmStretch, pbmTile, pbmCenter, pbmCustom };

class TBackImage : public TZuzPicture {
public:
  TBackImage();
  String ClassName() const override;
  // The seven values, then the picture.
  void Assign(TPersistent* Source) override;

  // Draws the picture into R at depth Z on Panel's canvas (see the modes
  // above). Centred and custom pictures first fill R as the panel's
  // background. Tiles are cut at R where the panel may clip.
  void Draw(TCustomZuzPanel* Panel, const TRect& R, int32_t Z = 0);
  // (Left, Top, Right or Left + picture width, Bottom or Top + picture
  // height): Right and Bottom as edges here.
  TRect GetBounds() const;
  void SetBounds(const TRect& R);

  int32_t Left() const { return FLeft; }
  void SetLeft(int32_t Value);
  int32_t Top() const { return FTop; }
  void SetTop(int32_t Value);
  int32_t Right() const { return FRight; }
  void SetRight(int32_t Value);
  int32_t Bottom() const { return FBottom; }
  void SetBottom(int32_t Value);
  TCanvasStretchQuality DrawQuality() const { return FDrawQuality; }
  void SetDrawQuality(TCanvasStretchQuality Value);
  bool Inside() const { return FInside; }
  void SetInside(bool Value);
  TZuzBackImageMode Mode() const { return FMode; }
  void SetMode(TZuzBackImageMode Value);

private:
  template <class T>
  void Change(T& Field, T Value);

  int32_t FLeft = 0;
  int32_t FTop = 0;
  int32_t FRight = 0;
  int32_t FBottom = 0;
  TCanvasStretchQuality FDrawQuality = sqHigh;
  bool FInside = false;
  TZuzBackImageMode FMode = pbmStretch;
};
