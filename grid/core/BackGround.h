#pragma once
// The grid's background: a bitmap tiled or placed at a fixed point, or a
// gradient, behind normal cells, fixed cells or both. Every setter stores
// the value and fires OnChange (the grid repaints).
#include "platform/Colors.h"
#include "platform/Component.h"

#include <memory>

class TBitmap;

enum TBackGroundDisplay : uint8_t { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells : uint8_t { bcNormal, bcFixed, bcAll };

class TBackGround : public TPersistent {
public:
  TBackGround();
  ~TBackGround() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  int32_t Top() const { return FTop; }
  void SetTop(int32_t Value);
  int32_t Left() const { return FLeft; }
  void SetLeft(int32_t Value);
  TBackGroundDisplay Display() const { return FDisplay; }
  void SetDisplay(TBackGroundDisplay Value);
  // Owned; setting copies the bitmap.
  TBitmap* Bitmap() const { return FBitmap.get(); }
  void SetBitmap(TBitmap* Value);
  TBackGroundCells Cells() const { return FCells; }
  void SetCells(TBackGroundCells Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);

  TNotifyEvent OnChange;

private:
  void Changed();
  int32_t FTop = 0;
  int32_t FLeft = 0;
  TBackGroundDisplay FDisplay = bdTile;
  std::unique_ptr<TBitmap> FBitmap;
  TBackGroundCells FCells = bcNormal;
  TColor FColor = clWindow;
  TColor FColorTo = clBtnFace;
};
