#pragma once
// The walls that frame the plot: the back wall behind it (in 2D the plot's
// background rectangle) and, in a 3D view, the left and right side walls
// and the floor. The chart draws them when View3DWalls is on; walls that
// lie in front of the series for the current rotation are drawn after the
// series (the culling tests here tell which).
//
// Published by TChartWall (default): AutoHide (False), Brush, Color (when
// not the class default), Dark3D (True), EndPosition (100), Pen,
// RoundSize (16), Size (0), StartPosition (0), Transparency (0),
// Transparent, Visible; the back wall adds Emboss, Picture and Shadow
// (silver, transparent), the side walls and floor add Picture, the right
// wall is hidden by default. Main thread only.
#include "chart/core/ZuzShape.h"

#include <memory>

class TCustomChart;
class TZuzBlend;

class TCustomChartWall : public TZuzCustomShape {
public:
  explicit TCustomChartWall(TCustomZuzPanel* AOwner);
  String ClassName() const override;
  // AutoHide, Dark3D, EndPosition, Size, StartPosition, then the box.
  void Assign(TPersistent* Source) override;

  bool AutoHide() const { return FAutoHide; }
  void SetAutoHide(bool Value);
  bool Dark3D() const { return FDark3D; }
  void SetDark3D(bool Value);
  int32_t EndPosition() const { return FEnd; }
  void SetEnd(int32_t Value);
  int32_t Size() const { return FSize; }
  void SetSize(int32_t Value);
  int32_t StartPosition() const { return FStart; }
  void SetStart(int32_t Value);
  bool IsColorStored() const { return Color() != DefaultColor; }
  // Sets the colour and its unstored default, without repainting.
  void InitColor(TColor Value);

  // Dark3D while the brush is neither clear nor a bitmap brush.
  bool ApplyDark3D() const;
  // The chart shows walls, this one is visible and AutoHide is off.
  bool ShouldDraw() const;
  // The wall's vertical extent from the chart rectangle, StartPosition,
  // EndPosition and the floor's thickness.
  void CalcPositions(int32_t& Top, int32_t& Bottom) const;

  TColor DefaultColor = clDefault;

protected:
  TCustomChart* Chart() const;

private:
  bool FAutoHide = false;
  bool FDark3D = true;
  int32_t FEnd = 100;
  int32_t FSize = 0;
  int32_t FStart = 0;
};

class TChartWall : public TCustomChartWall {
public:
  explicit TChartWall(TCustomZuzPanel* AOwner);
  String ClassName() const override;
};

class TChartBackWall : public TChartWall {
public:
  explicit TChartBackWall(TCustomZuzPanel* AOwner);
  String ClassName() const override;

protected:
  void InitShadow(TZuzShadow* AShadow) override;
};

class TChartLeftWall : public TChartWall {
public:
  explicit TChartLeftWall(TCustomZuzPanel* AOwner);
  String ClassName() const override;
};

class TChartBottomWall : public TChartWall {
public:
  explicit TChartBottomWall(TCustomZuzPanel* AOwner);
  String ClassName() const override;
};

class TChartRightWall : public TChartWall {
public:
  explicit TChartRightWall(TCustomZuzPanel* AOwner);
  String ClassName() const override;
};

class TChartWalls : public TPersistent {
public:
  explicit TChartWalls(TCustomChart* AChart);
  ~TChartWalls() override;
  String ClassName() const override;
  // Every wall's settings (a right wall is made when Source has one).
  void Assign(TPersistent* Source) override;

  TChartBackWall* Back() const { return FBack.get(); }
  TChartBottomWall* Bottom() const { return FBottom.get(); }
  TChartLeftWall* Left() const { return FLeft.get(); }
  // Made (hidden, silver) on first read, without repainting.
  TChartRightWall* Right();
  TChartRightWall* RightIfAny() const { return FRight.get(); }
  void SetBack(TChartBackWall* Value);
  void SetBottom(TChartBottomWall* Value);
  void SetLeft(TChartLeftWall* Value);
  void SetRight(TChartRightWall* Value);
  // The chart's View3DWalls.
  bool Visible() const;
  void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // The Size of all four walls.
  void SetSize(int32_t Value);

  // ---- Drawing (the chart calls these) ----
  void DrawBackWall();
  void DrawLeftWall();
  void DrawRightWall();
  void DrawBottomWall();
  // Whether the side wall at X lies in front: always on a freely rotating
  // canvas, else the back-face test of the wall's projected corners.
  bool DrawWallFirst(int32_t X) const;
  // The left wall is drawn after the series.
  bool DrawLeftWallFirst() const;
  // The right wall is drawn after the series.
  bool DrawRightWallAfter() const;

private:
  void PrepareWallCanvas(TCustomChartWall* Wall);
  void DrawSideWall(TCustomChartWall* Wall, int32_t X, int32_t Outward, int32_t Depth);

  std::unique_ptr<TChartBackWall> FBack;
  std::unique_ptr<TChartBottomWall> FBottom;
  TCustomChart* FChart;
  std::unique_ptr<TChartLeftWall> FLeft;
  std::unique_ptr<TChartRightWall> FRight;
};
