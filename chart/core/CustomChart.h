#pragma once
// The complete chart component: the axis panel with what a finished chart
// shows around the plot, the four titles (Title and SubTitle above, Foot
// and SubFoot below), the legend and the walls, the colour palette choice,
// and the reaction to mouse, wheel, keys and drag and drop (zoom, scroll
// and clicks: CustomChartMouse.cpp). TChart is the class a form places.
//
// Layout of one drawing (DrawTitlesAndLegend, called twice by the axis
// panel): before the series, a vertical legend takes its room first and
// then the titles, a horizontal legend after the titles; after the
// series, the legend is drawn over the plot (unless DrawBehind) and the
// custom-positioned titles, then the walls that lie in front. Walls before
// the series: DrawWalls.
//
// Input: keys, drag and drop, mouse and wheel go to the active tools (then
// animations for the mouse) before the chart's own handling; a tool that
// sets CancelMouse stops the mouse event there.
//
// Published, besides the axis panel's (default): BackWall, BottomWall,
// Foot, Frame, LeftWall, Legend, RightWall, SubFoot, SubTitle, Title, the
// click, scroll and legend events; besides them "ColorPaletteIndex",
// "ColorPalette" (a custom palette) and, read only, "BackColor".
// Main thread only.
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/ZuzCustomTool.h"

#include <functional>
#include <memory>
#include <vector>

class TChartBackWall;
class TChartBottomWall;
class TChartLeftWall;
class TChartLegend;
class TChartRightWall;
class TChartTitle;
class TChartValueList;
class TChartWalls;
class TColorPalettes;
class TCustomChartLegend;
class TGraphic;
class TZuzPen;
enum TLegendStyle : uint8_t;

class TCustomChart;

using TChartClick =
    std::function<void(TCustomChart* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)>;
using TChartClickAxis = std::function<void(TCustomChart* Sender, TChartAxis* Axis, TMouseButton Button,
                                           TShiftState Shift, int32_t X, int32_t Y)>;
using TChartClickSeries = std::function<void(TCustomChart* Sender, TChartSeries* Series, int32_t ValueIndex,
                                             TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)>;
using TChartClickTitle = std::function<void(TCustomChart* Sender, TChartTitle* ATitle, TMouseButton Button,
                                            TShiftState Shift, int32_t X, int32_t Y)>;
using TChartAllowScrollEvent = std::function<void(TChartAxis* Sender, double& AMin, double& AMax, bool& AllowScroll)>;
using TOnGetLegendText =
    std::function<void(TCustomAxisPanel* Sender, TLegendStyle LegendStyle, int32_t Index, String& LegendText)>;
using TOnGetLegendPos =
    std::function<void(TCustomChart* Sender, int32_t Index, int32_t& X, int32_t& Y, int32_t& XColor)>;
using TOnGetLegendRect = std::function<void(TCustomChart* Sender, TRect& Rect)>;

// One axis's scale as it was before the first zoom or scroll.
struct TAxisSavedScales {
  bool Auto = true;
  bool AutoMin = true;
  bool AutoMax = true;
  double Min = 0;
  double Max = 0;
};
using TAllAxisSavedScales = std::vector<TAxisSavedScales>;

// What lies under a point of the chart.
enum TChartClickedPartStyle : uint8_t {
  cpNone,
  cpLegend,
  cpAxis,
  cpSeries,
  cpTitle,
  cpFoot,
  cpChartRect,
  cpSeriesMarks,
  cpSeriesPointer,
  cpSubTitle,
  cpSubFoot,
  cpAxisTitle
};

struct TChartClickedPart {
  TChartClickedPartStyle Part = cpNone;
  int32_t PointIndex = -1;
  TChartSeries* ASeries = nullptr;
  TChartAxis* AAxis = nullptr;
};

class TCustomChart : public TCustomAxisPanel {
public:
  // The axis panel, then (without repainting) the walls, the legend and
  // the palette of the user's "DefaultPalette" option (13 when absent).
  explicit TCustomChart(TComponent* AOwner);
  ~TCustomChart() override;
  String ClassName() const override;
  // From another chart: palette index, foot, legend, sub-foot, sub-title,
  // title and walls; then the axis panel's settings.
  void Assign(TPersistent* Source) override;
  // "ColorPaletteIndex", "ColorPalette" and the older "BackColor".
  void DefineProperties(TFiler* Filer) override;
  // The series, then every tool and animation.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

  // ---- Titles (made on first read; assigning copies, nullptr frees) ----
  TChartTitle* Title();
  TChartTitle* SubTitle();
  TChartTitle* Foot();
  TChartTitle* SubFoot();
  void SetTitle(TChartTitle* Value);
  void SetSubTitle(TChartTitle* Value);
  void SetFoot(TChartTitle* Value);
  void SetSubFoot(TChartTitle* Value);
  TChartTitle* TitleIfAny() const { return FTitle.get(); }
  TChartTitle* SubTitleIfAny() const { return FSubTitle.get(); }
  TChartTitle* FootIfAny() const { return FFoot.get(); }
  TChartTitle* SubFootIfAny() const { return FSubFoot.get(); }

  // ---- Walls ----
  TChartWalls* Walls() const { return FWalls.get(); }
  void SetWalls(TChartWalls* Value);
  TChartBackWall* BackWall() const;
  TChartLeftWall* LeftWall() const;
  TChartBottomWall* BottomWall() const;
  // Made on first read.
  TChartRightWall* RightWall() const;
  void SetBackWall(TChartBackWall* Value);
  void SetLeftWall(TChartLeftWall* Value);
  void SetBottomWall(TChartBottomWall* Value);
  void SetRightWall(TChartRightWall* Value);
  // The back wall's pen.
  TZuzPen* Frame() const;
  void SetFrame(TZuzPen* Value);
  // The wall's thickness beside Axis in a 3D view with walls; 0 otherwise.
  int32_t CalcWallSize(TChartAxis* Axis) override;

  // ---- Legend ----
  TChartLegend* Legend() const { return FLegend.get(); }
  void SetLegend(TChartLegend* Value);
  // The text of legend item Index, after OnGetLegendText.
  String FormattedLegend(int32_t Index);
  String InternalFormattedLegend(TCustomChartLegend* ALegend, int32_t Index);
  String FormattedValueLegend(TChartSeries* ASeries, int32_t ValueIndex) override;
  // The legend symbol box in the canvas brush's colour, or Graphic
  // stretched into Rect when the symbol uses images.
  void DrawLegendShape(const TRect& Rect, const TGraphic* Graphic);
  // The pen legend symbols are outlined with (nullptr: the series' own).
  TZuzPen* LegendPen = nullptr;
  // The legend's colour during its drawing.
  TColor LegendColor = clWhite;

  // ---- Palette ----
  int32_t ColorPaletteIndex() const { return FColorPaletteIndex; }
  // Nothing when unchanged; -2 keeps the colours in use as a custom
  // palette; other indexes apply that palette of ColorPalettes().
  void SetColorPaletteIndex(int32_t Value);

  // ---- Services ----
  // The back wall's colour (or its gradient's start) when walls show and
  // it is opaque; else the panel's back colour.
  TColor GetBackColor() override;
  void SetBackColor(TColor Color);
  // No other series has AColor, nor (CheckBackground) the panel or back
  // wall.
  bool IsFreeSeriesColor(TColor AColor, bool CheckBackground, const TChartSeries* ASeries) override;
  // The first active series; nullptr.
  TChartSeries* GetASeries() const;
  // True without series; else whether an active series uses axes (True
  // when none is active).
  bool ActiveSeriesUseAxis() const;
  bool ActiveSeriesCanZoomScroll() const;
  // Swap with the neighbour before (after); nothing at the ends.
  void SeriesUp(TChartSeries* ASeries);
  void SeriesDown(TChartSeries* ASeries);
  void NextPage();
  void PreviousPage();
  // Removes every series (not freed).
  void RemoveAllSeries();
  // Frees every series, tool and animation, clears and resets the axes and
  // restores every other setting to a new chart's.
  void ClearChart();
  // The axis title, else the standard name of the axis.
  String AxisTitleOrName(TChartAxis* Axis);

  // ---- Events ----
  TChartAllowScrollEvent OnAllowScroll;
  TChartClickAxis OnClickAxis;
  TChartClick OnClickBackground;
  TChartClick OnClickLegend;
  TChartClickSeries OnClickSeries;
  TChartClickTitle OnClickTitle;
  TOnGetLegendPos OnGetLegendPos;
  TOnGetLegendRect OnGetLegendRect;
  TOnGetLegendText OnGetLegendText;

  // ---- Zoom, scroll and clicks (CustomChartMouse.cpp) ----
  // The part of the chart under Pos; with OnlyNeeded, series are tested
  // only when they or the chart react to clicks.
  TChartClickedPart CalcNeedClickedPart(const TPoint& Pos, bool OnlyNeeded);
  void CalcClickedPart(const TPoint& Pos, TChartClickedPart& Part) { Part = CalcNeedClickedPart(Pos, false); }
  // Zooms to a pixel rectangle.
  void ZoomRect(const TRect& Rect);
  // Zooms the four standard axes about their centres (above 100 in).
  void ZoomPercent(double PercentZoom);
  void DoZoom(double TopIni, double TopEnd, double BottomIni, double BottomEnd, double LeftIni, double LeftEnd,
              double RightIni, double RightEnd);
  // The finished zoom rectangle to the standard axes' scales.
  virtual void CalcZoomPoints();
  // One zoom step back, or the scales from before the first zoom.
  void UndoZoom() override;
  void AddZoomSnapshot();
  void RemoveZoomSnapshot();
  void ZoomBackOne();
  // One wheel notch: every vertical axis by 3 percent of its range.
  void ScrollVerticalAxes(bool Up);
  bool CanWheelScroll() const;
  void SaveScales(TAllAxisSavedScales& Scales);
  void RestoreScales(TAllAxisSavedScales& Scales);
  // Mouse events to the active tools, then animations; each list stops
  // after a handler that leaves CancelMouse set.
  void BroadcastMouseEvent(TChartMouseEvent Event, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void BroadcastWheelEvent(TWheelMouseEvent Event, int32_t Delta, int32_t X, int32_t Y);
  // Scales from before the first zoom or scroll; empty when none.
  TAllAxisSavedScales FSavedScales;
  bool RestoredAxisScales = true;

protected:
  void CalcWallsRect() override;
  void DrawTitlesAndLegend(bool BeforeSeries) override;
  void DrawWalls() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  bool DoMouseWheel(TShiftState Shift, int32_t WheelDelta, const TPoint& MousePos) override;
  bool DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos) override;
  virtual void FillValueSourceItems(TChartValueList* ValueList, const std::function<void(const String&)>& Proc);

private:
  friend class TColorPalettes;
  void DrawTitles(bool CustomOnes);
  void DrawWallsInFront();
  void KeyToTools(TChartKeyEvent Event, uint16_t& Key, char16_t& KeyChar, TShiftState Shift);
  void InternalWheel(int32_t Notch);
  void PanAxis(bool Horizontal, int32_t New, int32_t Old);
  bool TryStartZoomScroll(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void SaveScalesOnce();
  bool CheckMouseSeries(int32_t X, int32_t Y);
  bool CheckMouseAxes(int32_t X, int32_t Y);
  void ReadColorPalette(class TReader& Reader);

  int32_t FColorPaletteIndex = -1;
  std::unique_ptr<TChartTitle> FFoot;
  std::unique_ptr<TChartLegend> FLegend;
  std::unique_ptr<TChartTitle> FSubFoot;
  std::unique_ptr<TChartTitle> FSubTitle;
  std::unique_ptr<TChartTitle> FTitle;
  std::unique_ptr<TChartWalls> FWalls;
};

class TChart : public TCustomChart {
public:
  explicit TChart(TComponent* AOwner);
  String ClassName() const override;
};
