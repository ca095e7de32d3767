#pragma once
// One axis of a chart: its scale (the minimum and maximum shown, automatic
// or fixed, linear or logarithmic, normal or inverted), the mapping between
// values and pixels along the chart rectangle, and the settings of its
// line, ticks and grid.
//
// The chart lays an axis out in three calls before it draws:
//   AdjustMaxMin           the scale from the series bound to the axis
//                          (automatic ends) or from Minimum/Maximum;
//   InternalCalcPositions  the pixel extent from the chart rectangle and
//                          StartPosition/EndPosition (percent of the side);
//   AdjustMaxMinRect       (when pixel margins apply) widens the scale so
//                          that the margins stay free.
// Series then map their points with CalcPosValue (or CalcXPosValue /
// CalcYPosValue): the routine is chosen once per change of kind (linear,
// logarithmic, depth, fast) and the per-scale quantities are computed once
// per layout, so a mapping is a subtraction, a multiplication, a rounding
// and an addition. Mapping never fails: a scale of zero width maps every
// value to the middle pixel, a logarithmic axis maps values <= 0 to its
// start (or end), and CalcPosPoint of an axis without pixels gives the
// minimum (logarithmic) or 0 (linear). Rounding is half to even.
//
// Vertical axes grow upwards: the maximum is at the start (top) pixel.
// Inverted axes swap the ends.
//
// Drawing (ChartAxisDraw.cpp): during layout CalcRect places the axis on
// its side of the remaining chart rectangle and takes the room of its
// title, labels and ticks; Draw then paints, as canvas entities, the
// background shape, the title, the labels (generated each time from the
// scale and the increment, the series' points, an application event or
// the custom items: ChartAxisLabels.cpp), the line, the ticks, the grid
// and the minor marks, and last the sub-axes.
//
// Invalid settings raise AxisException with a message of ZuzConst.h and
// leave the stored value unchanged (see each setter).
//
// Published (default): Automatic, AutomaticMaximum, AutomaticMinimum
// (True), Axis, AxisValuesFormat (stored when not ZuzMsg_DefValueFormat),
// DateTimeFormat (empty), ExactDateTime (True), Grid, GridCentered (False),
// Increment (0), Inverted (False), Horizontal and OtherSide (stored for
// custom axes only), Logarithmic (False), LogarithmicBase (stored when not
// 10), Maximum / Minimum (stored when that end is not automatic),
// MaximumOffset, MinimumOffset (0), MaximumRound, MinimumRound (False),
// MinorGrid, MinorTickCount (3), MinorTickLength (2), MinorTicks,
// StartPosition (stored when not 0), EndPosition (not 100),
// PositionPercent (not 0), PositionUnits (muPercent), RoundFirstLabel
// (True), TickInnerLength (0), TickLength (4), Ticks, TicksInner,
// TickOnLabelsOnly (True), TitleSize (0), UsePartnerAxis (False),
// Visible (True), ZPosition.
#include "chart/core/AxisLabels.h"
#include "chart/core/ZuzUnits.h"
#include "platform/Collection.h"
#include "platform/GraphicsTypes.h"
#include "rtl/Exceptions.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class TAxisBackShape;
class TAxisGridPen;
class TAxisItems;
class TAxisLabelsFormat;
class TChartAxis;
class TChartAxisTitle;
class TChartSeries;
class TCustomTextShape;
class TZuzFont;
class TZuzPicture;
class TChartAxisPen;
class TChartCustomAxes;
class TCustomAxisPanel;
class TTicks;
class TZuzHiddenPen;
class TZuzTransform;
enum TDateTimeStep : uint8_t;

// The next number of the 1-2-5 series above Value (1 -> 2 -> 5 -> 10,
// 0.3 -> 0.5, 700 -> 1000); 1 for an infinite Value. Value > 0.
double ZuzNextStep(double Value);

class AxisException : public Exception {
public:
  explicit AxisException(const String& Msg) : Exception(Msg) {}
};

// Clamp of mapped positions (when an axis asks for it), and the smallest
// label increment.
extern int32_t ZuzMaxPixelPos;      // 32767
extern double ZuzSmallestIncrement; // 5e-324

using TAxisCalcPos = int32_t (TChartAxis::*)(double Value) const;
using TAxisCalcPosPoint = double (TChartAxis::*)(int32_t Pixel) const;
// LabelValue comes in as the maximum; the handler returns in it the amount
// to take off the maximum (0 leaves it).
using TAxisOnGetNextLabel = std::function<void(TChartAxis* Sender, int32_t LabelIndex, double& LabelValue, bool& Stop)>;
using TChartAxisLabelValue = std::function<void(TChartAxis* Sender, double& tmpValue)>;
using TAxisDrawLabelEvent =
    std::function<void(TChartAxis* Sender, int32_t& X, int32_t& Y, int32_t& Z, String& Text, bool& DrawLabel)>;
using TAxisDrawGrids = std::function<void(TChartAxis* Sender)>;
using TAxisOnGetLabel =
    std::function<void(TChartAxis* Sender, TChartSeries* Series, int32_t ValueIndex, String& LabelText)>;

class TChartAxis : public TCollectionItem {
public:
  // A custom axis or sub-axis (its chart is the collection's chart).
  explicit TChartAxis(TCollection* ACollection);
  // One of the chart's standard axes: in no collection.
  TChartAxis(TCustomAxisPanel* AChart, bool AHorizontal, bool AOtherSide);
  ~TChartAxis() override;
  String ClassName() const override;
  // Creates a custom axis in Chart's CustomAxes.
  static TChartAxis* Create(TCustomAxisPanel* Chart);

  // Copies every setting (not the chart, the collection or the scale in
  // force); does not re-choose the mapping routines.
  void Assign(TPersistent* Source) override;
  // The binary "Items" (the custom labels) while they are not automatic.
  void DefineProperties(TFiler* Filer) override;
  // The axis whose SubAxes hold this one; nullptr for others.
  TChartAxis* GetParentAxis() const;

  // ---- Scale ---------------------------------------------------------------------
  // Fixed scale: the three automatic flags go off, the ends are swapped
  // when AMin > AMax, and custom axes whose master is this axis take the
  // same ends.
  void SetMinMax(double AMin, double AMax);
  double Minimum() const { return FMinimumValue; }
  // Raise AxisException ZuzMsg_AxisMinMax / ZuzMsg_AxisMaxMin when the new
  // end passes the other one (not while the chart is being read from a
  // stream). Setting an end does not switch automatic scaling off.
  void SetMinimum(double Value);
  double Maximum() const { return FMaximumValue; }
  void SetMaximum(double Value);
  // Store without checks; the chart rescales its series when changed.
  void InternalSetMinimum(double Value);
  void InternalSetMaximum(double Value);
  bool Automatic() const { return FAutomatic; }
  // Also sets both automatic ends (except while the chart loads).
  void SetAutomatic(bool Value);
  bool AutomaticMinimum() const { return FAutomaticMinimum; }
  void SetAutomaticMinimum(bool Value);
  bool AutomaticMaximum() const { return FAutomaticMaximum; }
  void SetAutomaticMaximum(bool Value);
  double Increment() const { return FDesiredIncrement; }
  // Raises AxisException ZuzMsg_AxisIncrementNeg for a negative value; 0
  // lets the axis compute its increment.
  void SetIncrement(double Value);
  bool Logarithmic() const { return FLogarithmic; }
  // Switching on rescales first and raises AxisException
  // ZuzMsg_AxisLogNotPositive when an end is negative (0 is accepted).
  void SetLogarithmic(bool Value);
  double LogarithmicBase() const { return FLogarithmicBase; }
  // Raises AxisException ZuzMsg_AxisLogBase for 1 or a value <= 0.
  void SetLogarithmicBase(double Value);
  bool Inverted() const { return FInverted; }
  virtual void SetInverted(bool Value);
  // Stores without repainting.
  void InternalSetInverted(bool Value) { FInverted = Value; }
  bool Horizontal() const { return FHorizontal; }
  void SetHorizontal(bool Value);
  bool OtherSide() const { return FOtherSide; }
  void SetOtherSide(bool Value);
  bool MaximumRound() const { return FMaximumRound; }
  void SetMaximumRound(bool Value);
  bool MinimumRound() const { return FMinimumRound; }
  void SetMinimumRound(bool Value);
  int32_t MaximumOffset() const { return FMaximumOffset; }
  void SetMaximumOffset(int32_t Value);
  int32_t MinimumOffset() const { return FMinimumOffset; }
  void SetMinimumOffset(int32_t Value);
  bool ExactDateTime() const { return FExactDateTime; }
  void SetExactDateTime(bool Value);
  double StartPosition() const { return FStartPosition; }
  void SetStartPosition(double Value);
  double EndPosition() const { return FEndPosition; }
  void SetEndPosition(double Value);
  double PositionPercent() const { return FPositionPercent; }
  void SetPositionPercent(double Value);
  TZuzUnits PositionUnits() const { return FPosUnits; }
  void SetPositionUnits(TZuzUnits Value);
  double ZPosition() const { return FZPosition; }
  // 0 is stored as 0.01.
  void SetZPosition(double Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  void Hide() { SetVisible(false); }

  // Moves both ends by Offset and makes the scale fixed. With CheckLimits
  // only when the series still reach beyond the end moved towards (Offset
  // 0 never scrolls).
  void Scroll(double Offset, bool CheckLimits);
  // The scale from the series (automatic ends) or the user's ends, then
  // OnCalcMaxLabel, the derived values and the rounding of automatic ends.
  void AdjustMaxMin();
  // The series extremes into AMin / AMax, for the automatic ends only.
  void CalcMinMax(double& AMin, double& AMax);
  // Widens the scale so that the pixel margins of R (Left/Right for a
  // horizontal axis, Top/Bottom for a vertical one) stay free.
  void AdjustMaxMinRect(const TRect& R);
  // Rounds automatic ends with MaximumRound / MinimumRound to a multiple of
  // the increment.
  void CalcRoundScales();
  // ---- Label increment ------------------------------------------------------------
  // The step between two labels for the current scale, so that the labels
  // (measured with the chart canvas's current font) fit along the axis
  // with LabelsSeparation percent between them: a 1-2-5 number, a power of
  // the logarithm base, or a calendar step for date-times. A non-zero
  // Increment is the smallest step taken (doubled until the labels fit).
  virtual double CalcIncrement();
  // The increment when each label needs MaxLabelSize pixels along the axis.
  double CalcXYIncrement(int32_t MaxLabelSize);
  // The increment when at most MaxNumLabels labels fit.
  double CalcLabelsIncrement(int32_t MaxNumLabels);
  double CalcDateTimeIncrement(int32_t MaxNumLabels);
  // LogarithmicBase to the power of the rounded logarithm of Value.
  double RoundLogPower(double Value) const;
  // The text of a value label: a date-time with DateTimeFormat (or the
  // short time or date format by the range), degrees for a geographic
  // axis, else the number with AxisValuesFormat; then the chart's
  // OnGetAxisLabel; with MultiLine spaces become line breaks.
  virtual String LabelValue(double Value);
  // The label's size along the axis in pixels (1 with
  // GridIgnoresLabelSize; the line height for text running across).
  int32_t InternalLabelSize(double Value, bool IsWidth);
  int32_t LabelWidth(double Value) { return InternalLabelSize(Value, true); }
  int32_t LabelHeight(double Value) { return InternalLabelSize(Value, false); }
  // The first active series bound to the axis decides (its value list's
  // DateTime); False without one.
  bool IsDateTime();
  bool CalcIsDateTime(TDateTimeStep Step) const;
  // Value plus (Increment) or minus AnIncrement when the result stays a
  // finite double; False and no change otherwise.
  bool IncDec(bool Increment, double& Value, double AnIncrement) const;
  // A calendar step; True when Value moved.
  bool IncDec(bool Increment, double& Value, double AnIncrement, TDateTimeStep Step) const;

  // ---- Pixels and mapping ---------------------------------------------------------
  // The pixel extent from the chart rectangle (the depth axis from the 3D
  // width), then size, centre and derived values.
  void InternalCalcPositions();
  void RecalcSizeCenter();
  // Re-chooses the mapping routines after a change of kind.
  void SetCalcPosValue();
  int32_t CalcZPos() const;

  int32_t CalcPosValue(double Value) const { return (this->*FCalcPosValue)(Value); }
  int32_t CalcXPosValue(double Value) const { return (this->*FCalcXPosValue)(Value); }
  int32_t CalcYPosValue(double Value) const { return (this->*FCalcYPosValue)(Value); }
  double CalcPosPoint(int32_t Pixel) const { return (this->*FCalcPosPoint)(Pixel); }
  // The pixels of many values at once, each as CalcXPosValue
  // (CalcYPosValue) gives it: long series map their visible points in one
  // pass.
  void CalcXPosValues(std::span<const double> Values, int32_t* Pixels) const;
  void CalcYPosValues(std::span<const double> Values, int32_t* Pixels) const;
  // The routines themselves, for series that read them once per pass.
  TAxisCalcPos CalcPosValueRoutine() const { return FCalcPosValue; }
  TAxisCalcPos CalcXPosValueRoutine() const { return FCalcXPosValue; }
  TAxisCalcPos CalcYPosValueRoutine() const { return FCalcYPosValue; }
  // Pixel length of a span (signed on a logarithmic axis); 0 for an empty
  // span or a scale of zero width.
  int32_t CalcSizeValue(double Value) const { return CalcSizeValue(Value, 0); }
  int32_t CalcSizeValue(double Finish, double Start) const;

  // The variants (see the header comment).
  int32_t XPosValue(double Value) const;
  int32_t YPosValue(double Value) const;
  int32_t XPosValueCheck(double Value) const;
  int32_t YPosValueCheck(double Value) const;
  int32_t LogXPosValue(double Value) const;
  int32_t LogYPosValue(double Value) const;
  int32_t InternalCalcDepthPosValue(double Value) const;
  double InternalCalcPosPoint(int32_t Pixel) const;

private:
  void CalcPosValues(TAxisCalcPos Routine, std::span<const double> Values, int32_t* Pixels) const;

public:
  // ---- Appearance settings -------------------------------------------------------
  TChartAxisPen* Axis() const { return FAxis.get(); }
  void SetAxis(TChartAxisPen* Value);
  TAxisGridPen* Grid() const { return FGrid.get(); }
  void SetGrid(TAxisGridPen* Value);
  bool GridCentered() const;
  void SetGridCentered(bool Value);
  TZuzHiddenPen* MinorGrid() const { return FMinorGrid.get(); }
  void SetMinorGrid(TZuzHiddenPen* Value);
  TTicks* Ticks() const { return FTicks.get(); }
  void SetTicks(TTicks* Value);
  TTicks* TicksInner() const { return FTicksInner.get(); }
  void SetTicksInner(TTicks* Value);
  TTicks* MinorTicks() const { return FMinorTicks.get(); }
  void SetMinorTicks(TTicks* Value);
  int32_t TickLength() const { return FTickLength; }
  void SetTickLength(int32_t Value);
  int32_t TickInnerLength() const { return FTickInnerLength; }
  void SetTickInnerLength(int32_t Value);
  int32_t MinorTickLength() const { return FMinorTickLength; }
  void SetMinorTickLength(int32_t Value);
  int32_t MinorTickCount() const { return FMinorTickCount; }
  void SetMinorTickCount(int32_t Value);
  bool TickOnLabelsOnly() const { return FTickOnLabelsOnly; }
  void SetTickOnLabelsOnly(bool Value);
  int32_t TitleSize() const { return FTitleSize; }
  void SetTitleSize(int32_t Value);
  bool UsePartnerAxis() const { return FUsePartnerAxis; }
  void SetUsePartnerAxis(bool Value);
  TChartAxis* PartnerAxis() const { return FPartnerAxis; }
  void SetPartnerAxis(TChartAxis* Value);
  const String& AxisValuesFormat() const { return FAxisValuesFormat; }
  void SetAxisValuesFormat(const String& Value);
  bool IsAxisValuesFormatStored() const;
  const String& DateTimeFormat() const { return FDateTimeFormat; }
  void SetDateTimeFormat(const String& Value);
  // ---- Labels (forwarding to Texts) --------------------------------------------
  TAxisLabels* Texts() const { return FLabels.get(); }
  // The labels as items: generated, or the custom ones.
  TAxisItems* Items() const { return FAxisItems.get(); }
  // Copies Value's items (TAxisItems::CopyFrom).
  void SetItems(TAxisItems* Value);
  bool Labels() const { return FLabels->Visible(); }
  void SetLabels(bool Value) { FLabels->SetVisible(Value); }
  TAxisLabelAlign LabelsAlign() const { return FLabels->Align(); }
  void SetLabelsAlign(TAxisLabelAlign Value) { FLabels->SetAlign(Value); }
  bool LabelsAlternate() const { return FLabels->Alternate(); }
  void SetLabelsAlternate(bool Value) { FLabels->SetAlternate(Value); }
  int32_t LabelsAngle() const { return FLabels->Angle(); }
  void SetLabelsAngle(int32_t Value) { FLabels->SetAngle(Value); }
  bool LabelsBehind() const { return FLabels->Behind(); }
  void SetLabelsBehind(bool Value) { FLabels->SetBehind(Value); }
  bool LabelsExponent() const { return FLabels->Exponent(); }
  void SetLabelsExponent(bool Value) { FLabels->SetExponent(Value); }
  TZuzFont* LabelsFont() const { return FLabels->Font(); }
  void SetLabelsFont(TZuzFont* Value) { FLabels->SetFont(Value); }
  TAxisLabelsFormat* LabelsFormat() const { return FLabels->Format(); }
  void SetLabelsFormat(TAxisLabelsFormat* Value) { FLabels->SetFormat(Value); }
  bool LabelsGridIgnoresLabelSize() const { return FLabels->GridIgnoresLabelSize(); }
  void SetLabelsGridIgnoresLabelSize(bool Value) { FLabels->SetGridIgnoresLabelSize(Value); }
  bool LabelsMultiLine() const { return FLabels->MultiLine(); }
  void SetLabelsMultiLine(bool Value) { FLabels->SetMultiLine(Value); }
  bool LabelsOnAxis() const { return FLabels->OnAxis(); }
  void SetLabelsOnAxis(bool Value) { FLabels->SetOnAxis(Value); }
  // Free room between labels, percent of a label's size (10). Raises
  // AxisException ZuzMsg_AxisLabelSep for a negative value.
  int32_t LabelsSeparation() const { return FLabels->Separation(); }
  void SetLabelsSeparation(int32_t Value) { FLabels->SetSeparation(Value); }
  int32_t LabelsSize() const { return FLabels->Size(); }
  void SetLabelsSize(int32_t Value) { FLabels->SetSize(Value); }
  TAxisLabelStyle LabelStyle() const { return FLabels->Style(); }
  void SetLabelStyle(TAxisLabelStyle Value) { FLabels->SetStyle(Value); }
  bool RoundFirstLabel() const { return FLabels->RoundFirst(); }
  void SetRoundFirstLabel(bool Value) { FLabels->SetRoundFirst(Value); }
  // Created on first read: a vertical axis on the left gets angle 90, on
  // the right 270.
  TChartAxisTitle* Title();
  TChartAxisTitle* TitleIfAny() const { return FAxisTitle.get(); }
  // Copies Value into the title (made); nullptr frees it.
  void SetTitle(TChartAxisTitle* Value);
  // The background behind the labels, created on first read (hidden).
  TAxisBackShape* Shape();
  TAxisBackShape* ShapeIfAny() const { return FShape.get(); }
  void SetShape(TAxisBackShape* Value);
  bool IsShapeStored() const { return FShape != nullptr; }
  bool IsSubAxesStored() const;
  void SetSubAxes(TChartCustomAxes* Value);

  // ---- Label generation (ChartAxisLabels.cpp) -------------------------------------
  // The labels' style: Style, or when talAuto the series' choice.
  TAxisLabelStyle CalcLabelStyle();
  virtual TAxisLabelStyle InternalCalcLabelStyle();
  // The active series of the chart bound to this axis, in chart order,
  // into the scratch list.
  void CalcAllSeries();
  // The widest label (multi-line width) for the axis' space across.
  int32_t MaxLabelsWidth();
  void MaxLabelsValue(int32_t& Width, int32_t& NumLines);
  // The label of point ValueIndex of Series for Style: False when it is
  // not shown (outside the visible points, or an empty text).
  bool GetAxisSeriesLabel(TAxisLabelStyle Style, TChartSeries* Series, int32_t ValueIndex, double& Value, String& Text,
                          TZuzPicture*& Picture);
  // Degrees, minutes and seconds ("12°30'15""), with " N", " S", " E" or
  // " W" in the second form.
  static String ToDegree(float Value);
  static String ToDegree(bool IsLat, float Value);
  // The exact calendar step of Increment at least as long as Incr (dtNone
  // when Increment is no calendar step).
  TDateTimeStep CalcDateTimeStep(double Incr) const;
  // Generates the labels of one drawing pass into Items and Tick.
  void DoDrawLabels();

  // ---- Placement and drawing (ChartAxisDraw.cpp) ---------------------------------
  // Places the axis on the remaining chart rectangle R and, with
  // InflateChartRectangle, takes its title's, labels' and ticks' room
  // from R.
  void CalcRect(TRect& R, bool InflateChartRectangle);
  // Draws the axis; with CalcPosAxis the line's position is taken from the
  // chart rectangle first.
  void Draw(bool CalcPosAxis);
  void DrawTitle(int32_t X, int32_t Y);
  void DrawAxisLabel(int32_t X, int32_t Y, int32_t Angle, const String& Text, TCustomTextShape* Format = nullptr,
                     int32_t ItemIndex = -1, TZuzPicture* Picture = nullptr, int32_t Z = 0);
  void DrawGrids(int32_t NumTicks);
  void DrawGridLine(int32_t Pos);
  void DrawLineSegment(int32_t StartPos, int32_t EndPos);
  // The axis drawn at explicit positions, the given scale and pixels (the
  // settings in force come back afterwards).
  void CustomDraw(int32_t APosLabels, int32_t APosTitle, int32_t APosAxis, bool GridVisible);
  void CustomDrawStartEnd(int32_t APosLabels, int32_t APosTitle, int32_t APosAxis, bool GridVisible, int32_t AStartPos,
                          int32_t AEndPos);
  void CustomDrawMinMax(int32_t APosLabels, int32_t APosTitle, int32_t APosAxis, bool GridVisible, double AMinimum,
                        double AMaximum, double AIncrement);
  void CustomDrawMinMaxStartEnd(int32_t APosLabels, int32_t APosTitle, int32_t APosAxis, bool GridVisible,
                                double AMinimum, double AMaximum, double AIncrement, int32_t AStartPos,
                                int32_t AEndPos);
  // The room of the line and, with IncludeTicks, the ticks across the axis.
  int32_t SizeTickAxis(bool IncludeTicks);
  // The room of the labels across the axis.
  int32_t SizeLabels();
  // The room of Text (or of the widest label when Text is empty) in
  // Shape's font at Angle across the axis; a fixed Size stands.
  int32_t InternalCalcSize(TCustomTextShape* AShape, int32_t Angle, const String& Text, int32_t Size);
  // The widest picture of the points whose positions lie on this axis.
  int32_t MaxImageWidth();
  // Value moved outward (away from the chart) by Amount.
  int32_t InflateAxisPos(int32_t Value, int32_t Amount) const;
  // R's side on the axis' side moved inward by Amount, leaving R at least
  // one pixel.
  void InflateAxisRect(TRect& R, int32_t Amount) const;
  // Pos shifted by PositionPercent (percent of R across the axis, or
  // pixels); positive values move into the chart.
  int32_t ApplyPosition(int32_t Pos, const TRect& R) const;
  // R's edge on the axis' side.
  int32_t GetRectangleEdge(const TRect& R) const;
  // The sub-axis takes orientation, side, inversion and logarithm.
  void AssignToSub(TChartAxis* Axis);
  // Along the axis between its ends; across from the labels to 3 pixels
  // beyond the line.
  TRect AxisRect() const;
  // Shown by the chart and P inside AxisRect (projected in 3D).
  bool Clicked(const TPoint& P);
  bool Clicked(int32_t X, int32_t Y) { return Clicked(TPoint{X, Y}); }
  // Depth axes: the text alignment and the vertical position of texts.
  int32_t DepthAxisAlign() const;
  int32_t DepthAxisPos() const;

  // Stored tests of the published properties.
  bool IsMaxStored() const { return !FAutomatic && !FAutomaticMaximum; }
  bool IsMinStored() const { return !FAutomatic && !FAutomaticMinimum; }
  bool IsLogBaseStored() const { return FLogarithmicBase != 10; }
  bool IsStartStored() const { return FStartPosition != 0; }
  bool IsEndStored() const { return FEndPosition != 100; }
  bool IsPosStored() const { return FPositionPercent != 0; }
  // For sub-axes and every axis beyond the chart's six standard ones.
  bool IsCustom() const;
  bool IsZStored() const;

  // ---- Relations -----------------------------------------------------------------
  TCustomAxisPanel* ParentChart() const { return FParentChart; }
  TChartAxis* MasterAxis() const { return FMaster; }
  void SetMasterAxis(TChartAxis* Value) { FMaster = Value; }
  bool IsDepthAxis() const { return IDepthAxis; }
  // Only axes that resize the chart shrink the chart rectangle (the six
  // standard ones).
  bool ResizeChart() const { return FResizeChart; }
  void SetResizeChart(bool Value) { FResizeChart = Value; }
  // Sub-axes drawn along this axis, created on first use.
  TChartCustomAxes* SubAxes();
  TChartCustomAxes* SubAxesIfAny() const { return FSubAxes.get(); }
  int32_t CenterPosition() const { return ICenterPos; }
  int32_t PosAxis() const { return FPosAxis; }
  int32_t PosLabels() const { return FPosLabels; }
  int32_t PosTitle() const { return FPosTitle; }
  void SetPosAxis(int32_t Value) { FPosAxis = Value; }
  void SetPosLabels(int32_t Value) { FPosLabels = Value; }
  void SetPosTitle(int32_t Value) { FPosTitle = Value; }

  // ---- Events ----------------------------------------------------------------------
  TAxisOnGetNextLabel OnCalcMaxLabel;
  TChartAxisLabelValue OnNextLabelValue;
  TNotifyEvent OnDrawAxis;
  TAxisDrawGrids OnDrawGrids;
  // Per label before it is drawn: may move it, change its text, or skip it.
  TAxisDrawLabelEvent OnDrawLabel;

  // ---- Layout state (valid from one layout to the next) ----------------------------
  double IMaximum = 0;
  double IMinimum = 0;
  long double IRange = 0;
  long double IRangeLog = 0;
  bool IRangeZero = true;
  double ILogMin = 0;
  double ILogMax = 0;
  double IAxisSizeRange = 0;
  double IAxisLogSizeRange = 0;
  int32_t IStartPos = 0;
  int32_t IEndPos = 0;
  int32_t IAxisSize = 0;
  int32_t ICenterPos = 0;
  int32_t IZPos = 0;
  bool IAxisDateTime = false;
  bool IDepthAxis = false;
  bool IsVisible = true;
  bool IAxisGeo = false;
  bool IHideBackGrid = false;
  bool IHideSideGrid = false;
  // Clamp mapped positions to +-ZuzMaxPixelPos (a drag tool switches it
  // off around its own mapping).
  bool IUseZuzMaxPixelPos = true;
  int32_t IWallSize = 0;
  int32_t IExtraSpace = 0;
  int32_t IGapSize = 0;
  // The canvas entity name ("Left", "Bottom", ...), set by the chart.
  String IAxisID;
  std::unique_ptr<TZuzTransform> Transform;
  // Pixels of the major ticks of the last drawing.
  std::vector<int32_t> Tick;
  // The active series on this axis while labels are made.
  std::vector<TChartSeries*> ISeriesList;

  void InternalCalcRange();

private:
  friend class TChartDepthAxis;
  void Init();
  void CanvasChanged();
  void SetBool(bool& Field, bool Value);
  void SetInt(int32_t& Field, int32_t Value);
  void SetDouble(double& Field, double Value);
  bool ChartLoading() const;
  bool ChartReading() const;
  // Label generation of one pass.
  bool InternalDrawLabel(double& Value, bool Advance);
  void AddTickAndSaveLabel(int32_t P, const String& Text, TZuzPicture* Picture, TCustomTextShape* Format, double Value);
  void DrawValueLabels();
  void DrawLogLabels();
  void DrawCustomLabels();
  void DrawSeriesLabels(TAxisLabelStyle Style);
  void DrawDepthLabels();
  void DrawCustomItems();
  void DrawThisLabel(int32_t Pos, const String& Text, TCustomTextShape* Format, int32_t ItemIndex,
                     TZuzPicture* Picture);
  void DrawItems();
  void DrawTicksAndGrid();
  // The visible sub-axes, each given this axis' orientation and mapping.
  std::vector<TChartAxis*> PreparedSubAxes();
  void DrawTicks(const std::vector<int32_t>& Ticks, int32_t Offset, int32_t Length);
  void DrawMinorMarks(bool Grid);
  bool IsMaxLabelsValueDateTime() const;
  double IIncrement = 0;
  TDateTimeStep IStep{};
  int32_t IAlternateRow = 0;

  bool FAutomatic = true;
  bool FAutomaticMaximum = true;
  bool FAutomaticMinimum = true;
  double FDesiredIncrement = 0;
  double FMaximumValue = 0;
  double FMinimumValue = 0;
  bool FLogarithmic = false;
  double FLogarithmicBase = 10;
  int32_t FMaximumOffset = 0;
  int32_t FMinimumOffset = 0;
  bool FMaximumRound = false;
  bool FMinimumRound = false;
  bool FResizeChart = false;
  int32_t FPosLabels = 0;
  String FAxisValuesFormat;
  String FDateTimeFormat;
  bool FExactDateTime = true;
  std::unique_ptr<TChartAxisPen> FAxis;
  int32_t FPosAxis = 0;
  double FZPosition = 0;
  int32_t FTitleSize = 0;
  int32_t FPosTitle = 0;
  std::unique_ptr<TAxisGridPen> FGrid;
  std::unique_ptr<TZuzHiddenPen> FMinorGrid;
  int32_t FMinorTickCount = 3;
  int32_t FMinorTickLength = 2;
  std::unique_ptr<TTicks> FMinorTicks;
  std::unique_ptr<TTicks> FTicks;
  std::unique_ptr<TTicks> FTicksInner;
  int32_t FTickInnerLength = 0;
  int32_t FTickLength = 4;
  bool FTickOnLabelsOnly = true;
  bool FUsePartnerAxis = false;
  TChartAxis* FPartnerAxis = nullptr;
  std::unique_ptr<TChartCustomAxes> FSubAxes;
  bool FInverted = false;
  bool FHorizontal = false;
  bool FOtherSide = false;
  TCustomAxisPanel* FParentChart = nullptr;
  bool FVisible = true;
  double FStartPosition = 0;
  double FEndPosition = 100;
  double FPositionPercent = 0;
  TZuzUnits FPosUnits = muPercent;
  TChartAxis* FMaster = nullptr;
  std::unique_ptr<TAxisItems> FAxisItems;
  std::unique_ptr<TAxisLabels> FLabels;
  std::unique_ptr<TChartAxisTitle> FAxisTitle;
  std::unique_ptr<TAxisBackShape> FShape;

  TAxisCalcPos FCalcXPosValue = nullptr;
  TAxisCalcPos FCalcYPosValue = nullptr;
  TAxisCalcPos FCalcPosValue = nullptr;
  TAxisCalcPosPoint FCalcPosPoint = nullptr;
};

// The depth (Z) axis of 3D charts: hidden by default; its labels are the
// series' titles (LabelsAsSeriesTitles) unless some series has Z values.
// Published (default): LabelsAsSeriesTitles (True), Visible (False).
class TChartDepthAxis : public TChartAxis {
public:
  explicit TChartDepthAxis(TCollection* ACollection);
  TChartDepthAxis(TCustomAxisPanel* AChart, bool AOtherSide);
  String ClassName() const override;
  TAxisLabelStyle InternalCalcLabelStyle() override;
  // The other depth axis of the chart takes the same direction.
  void SetInverted(bool Value) override;
  bool LabelsAsSeriesTitles() const { return FLabelsAsTitles; }
  void SetLabelsAsSeriesTitles(bool Value);

private:
  bool FLabelsAsTitles = true;
};
