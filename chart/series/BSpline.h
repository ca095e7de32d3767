#pragma once
// Smoothing: TBSpline, a uniform cubic B-spline through a list of 2D
// points that approximates them or, Interpolated, passes through them; and
// TSmoothingFunction, the chart function that replaces a series' points by
// points of that spline.
//
// The curve's vertices are the points in order, a knuckle point (a sharp
// corner) three times, with a phantom vertex before the first and after the
// last (V0 = 2 V1 - V2, Vm+1 = 2 Vm - Vm-1). Interpolated, the vertices are
// first replaced by the control points C of the system M C = V that makes
// the curve pass through them: rows 2 .. m-1 of M hold 1/6, 2/3, 1/6 around
// the diagonal, rows 1 and m and the three rows of a tripled knuckle point
// are identity rows. M is tridiagonal, so it is solved in linear time and
// memory (the elimination in row order, without exchanges, that a full
// matrix would get; its results are the same).
//
// Value(t), t in 0..1, blends the four vertices around s = (m - 1) t + 1
// with the cubic B-spline weights: t = 0 lies at vertex 1, t = 1 at vertex
// m.
#include "chart/core/ZuzFunction.h"

#include <cstdint>
#include <vector>

struct TVertex {
  double X = 0;
  double Y = 0;
};

class TBSpline {
public:
  // An empty curve.
  TBSpline();
  // The points Points[0 .. LastIndex], no knuckles.
  TBSpline(const std::vector<TVertex>& Points, int32_t LastIndex);

  // Appends a point (the curve must be rebuilt).
  void AddPoint(double X, double Y);
  // Point Index, 1-based. Raise ERangeError outside 1 .. NumberOfPoints.
  TVertex Point(int32_t Index) const;
  void SetPoint(int32_t Index, const TVertex& Value);
  // False for the first and the last point.
  bool Knuckle(int32_t Index) const;
  void SetKnuckle(int32_t Index, bool Value);
  bool Interpolated() const { return FInterpolated; }
  void SetInterpolated(bool Value);
  // Curve pieces a caller samples: at most 600.
  int32_t Fragments() const { return FFragments; }
  void SetFragments(int32_t Value);
  int32_t NumberOfPoints() const { return FNoPoints; }
  // Rebuilds when needed.
  int32_t NumberOfVertices();
  // Vertex Index (0 and NumberOfVertices + 1 are the phantoms); rebuilds
  // when needed. Raises ERangeError outside them.
  TVertex Vertex(int32_t Index);
  // No points, not interpolated, 100 fragments.
  void Clear();
  // The vertices (and, interpolated, the control points) from the points.
  void Rebuild();
  // The curve point at t (0..1); (0, 0) with fewer than 2 points.
  TVertex Value(double t);

private:
  void SetBuild(bool Value);
  // Solves the interpolation system in place over the vertices 1 .. m.
  void Interpolate();

  int32_t FNoPoints = 0;
  // Index 0 holds no point.
  std::vector<TVertex> FPointList;
  std::vector<TVertex> FVertexList;
  std::vector<bool> FKnuckleList;
  bool FBuild = false;
  int32_t FNoVertices = 0;
  bool FInterpolated = false;
  int32_t FFragments = 100;
};

// The output series gets Fragments + 1 points of the spline through the
// source's points (Fragments = source points x Factor, at most 600).
// Published (default): Interpolate (True), Factor (4).
class TSmoothingFunction : public TZuzFunction {
public:
  explicit TSmoothingFunction(TComponent* AOwner);
  String ClassName() const override;
  String GetEditorClass() const override;
  void PrepareForGallery(TCustomAxisPanel* Chart) override;
  void AddPoints(TChartSeries* Source) override;
  void Assign(TPersistent* Source) override;

  bool Interpolate() const { return FInterpolate; }
  void SetInterpolate(bool Value);
  int32_t Factor() const { return FFactor; }
  // Below 1: 1.
  void SetFactor(int32_t Value);

private:
  bool FInterpolate = true;
  int32_t FFactor = 4;
};

// What a line or area series keeps to show itself smoothed (its Smoothed
// switch): the series' own points are copied into an internal series it
// owns, which becomes its source through a smoothing function (Interpolate,
// Factor 8); switched off, the series gets its former source back, or,
// without one, its own points. The kind calls SmoothSeries before every
// drawing and SetDirty when it is cleared.
class TSeriesSmoothing {
public:
  TSeriesSmoothing();
  ~TSeriesSmoothing();
  bool Smoothed() const { return FSmoothed; }
  // Stores the switch; the next SmoothSeries acts on it.
  void SetSmoothed(bool Value) { FSmoothed = Value; }
  // The points changed by hand: they are copied again.
  void SetDirty() { FDirty = true; }
  // Sets the smoothing up or undoes it (nothing unless DrawsLineOrArea).
  void SmoothSeries(TChartSeries& Series, bool DrawsLineOrArea);
  // The internal series goes (its points with it).
  void FreeSmoothSeries();
  TChartSeries* InternalSeries() const { return FSmoothSeries; }

private:
  bool FSmoothed = false;
  bool FDirty = false;
  TChartSeries* FSmoothSeries = nullptr;
  TComponent* OldDataSource = nullptr;
};

// Registers the smoothing function in the function gallery (and for
// streaming); UnRegisterSmoothing takes it out again.
void RegisterSmoothing();
void UnRegisterSmoothing();
