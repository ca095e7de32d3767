#pragma once
// The basic chart functions. Most only say how the values gathered by the
// function base (ZuzFunction.h) combine, an empty set giving 0:
//   add        a0 + a1 + ...             subtract  a0 - a1 - ...
//   multiply   a0 x a1 x ...             divide    a0 / a1 / ..., a zero
//                                                  divisor skipped
//   high       the largest               low       the smallest
//   average    the mean                  median    the middle value (mean
//                                                  of the two middle ones)
//   mode       the value of the longest run of equal values, the smallest
//              among runs of one length
// High, low and average over all points with nulls included read the
// source list's own extremes and total (nulls count with their stored
// value). Three replace the whole calculation: y = f(x) (points from a
// handler, no source needed), subset (the source points whose X lies in
// StartValue..EndValue) and Pareto (each point's cumulative share of the
// absolute values, in percent). Median and mode gather their values in
// ascending order (NaN last), equal values in arrival order.
#include "chart/core/ZuzFunction.h"

#include <functional>

class TAddZuzFunction : public TZuzFunction {
public:
  using TZuzFunction::TZuzFunction;
  String ClassName() const override;
  double CalculateValue(const TFunctionValues& Values) override;
  void PrepareForGallery(TCustomAxisPanel* Chart) override;
};

class TManySeriesZuzFunction : public TZuzFunction {
public:
  using TZuzFunction::TZuzFunction;
  String ClassName() const override;
  // The output series goes to the right axis.
  void PrepareForGallery(TCustomAxisPanel* Chart) override;
};

class TSubtractZuzFunction : public TManySeriesZuzFunction {
public:
  using TManySeriesZuzFunction::TManySeriesZuzFunction;
  String ClassName() const override;
  double CalculateValue(const TFunctionValues& Values) override;
};

class TMultiplyZuzFunction : public TManySeriesZuzFunction {
public:
  using TManySeriesZuzFunction::TManySeriesZuzFunction;
  String ClassName() const override;
  double CalculateValue(const TFunctionValues& Values) override;
  // Also the right axis shows its values as "1E+1".
  void PrepareForGallery(TCustomAxisPanel* Chart) override;
};

class TDivideZuzFunction : public TManySeriesZuzFunction {
public:
  using TManySeriesZuzFunction::TManySeriesZuzFunction;
  String ClassName() const override;
  double CalculateValue(const TFunctionValues& Values) override;
};

class THighZuzFunction : public TZuzFunction {
public:
  using TZuzFunction::TZuzFunction;
  String ClassName() const override;
  double CalculateValue(const TFunctionValues& Values) override;
  double Calculate(TChartSeries* Source, int32_t FirstIndex, int32_t LastIndex) override;
};

class TLowZuzFunction : public TZuzFunction {
public:
  using TZuzFunction::TZuzFunction;
  String ClassName() const override;
  double CalculateValue(const TFunctionValues& Values) override;
  double Calculate(TChartSeries* Source, int32_t FirstIndex, int32_t LastIndex) override;
};

class TAverageZuzFunction : public TZuzFunction {
public:
  using TZuzFunction::TZuzFunction;
  String ClassName() const override;
  String GetEditorClass() const override;
  double CalculateValue(const TFunctionValues& Values) override;
  double Calculate(TChartSeries* Source, int32_t FirstIndex, int32_t LastIndex) override;
};

// Gathers its values sorted.
class TCustomSortedFunction : public TZuzFunction {
public:
  using TZuzFunction::TZuzFunction;
  String ClassName() const override;
  // The k-th value (Position k) goes before the first of the k sorted
  // slots that is greater, else to slot k.
  void AddValue(TFunctionValues& Values, int32_t Position, double Value) override;
};

class TMedianZuzFunction : public TCustomSortedFunction {
public:
  using TCustomSortedFunction::TCustomSortedFunction;
  String ClassName() const override;
  double CalculateValue(const TFunctionValues& Values) override;
};

class TModeZuzFunction : public TCustomSortedFunction {
public:
  using TCustomSortedFunction::TCustomSortedFunction;
  String ClassName() const override;
  double CalculateValue(const TFunctionValues& Values) override;
};

class TCustomZuzFunction;
using TCalculateEvent = std::function<void(TCustomZuzFunction* Sender, double x, double& y)>;

// y = f(x): NumPoints points from StartX on, Period apart in X, each Y from
// OnCalculate (which starts from the previous Y). Needs no source.
// Published: NumPoints (100 after creation), StartX (0), OnCalculate.
class TCustomZuzFunction : public TZuzFunction {
public:
  explicit TCustomZuzFunction(TComponent* AOwner);
  String ClassName() const override;
  String GetEditorClass() const override;
  void PrepareForGallery(TCustomAxisPanel* Chart) override;
  // Nothing without OnCalculate; else the output series is computed anew.
  void AddPoints(TChartSeries* Source) override;
  void Assign(TPersistent* Source) override;

  int32_t NumPoints() const { return FNumPoints; }
  void SetNumPoints(int32_t Value);
  double StartX() const { return FStartX; }
  void SetStartX(double Value);
  // The X of the point being calculated.
  double X() const { return FX; }
  // The index of the point being calculated; -1 outside a calculation.
  int32_t ValueIndex = -1;
  TCalculateEvent OnCalculate;

private:
  int32_t FNumPoints = 100;
  double FStartX = 0;
  double FX = 0;
};

// The source points whose X lies in StartValue..EndValue (inclusive).
class TSubsetZuzFunction : public TZuzFunction {
public:
  explicit TSubsetZuzFunction(TComponent* AOwner);
  String ClassName() const override;
  String GetEditorClass() const override;
  // The middle half of the source's points (the change of the output to a
  // line series is the chart editor's).
  void PrepareForGallery(TCustomAxisPanel* Chart) override;
  void AddPoints(TChartSeries* Source) override;
  void Assign(TPersistent* Source) override;

  double StartValue() const { return FStart; }
  void SetStartValue(double Value);
  double EndValue() const { return FEnd; }
  void SetEndValue(double Value);

private:
  double FEnd = 0;
  double FStart = 0;
};

// Point i: 100 x (|a0| + ... + |ai|) / (|a0| + ... + |an-1|); 0 when all are
// 0.
class TParetoZuzFunction : public TZuzFunction {
public:
  explicit TParetoZuzFunction(TComponent* AOwner);
  String ClassName() const override;
  // The first series' values sorted descending; the output on the right
  // axis in percent (the change of the first series to bars is the chart
  // editor's).
  void PrepareForGallery(TCustomAxisPanel* Chart) override;
  double Calculate(TChartSeries* Source, int32_t FirstIndex, int32_t LastIndex) override;
};

// Puts the twelve functions on the gallery's standard page (and registers
// them for streaming).
void RegisterZuzBasicFunctions();
