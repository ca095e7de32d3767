#include "chart/series/BSpline.h"

#include "chart/core/ChartSeries.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzSeriesTypes.h"
#include "platform/Published.h"
#include "rtl/Exceptions.h"

#include <algorithm>
#include <cmath>

namespace {
using S = TSmoothingFunction;
[[maybe_unused]] const TClassInfo& SmoothingClass =
    PublishClass<S>("TSmoothingFunction", "TZuzFunction",
                    {
                        PropInt("Factor", &S::Factor, &S::SetFactor, 4),
                        PropBool("Interpolate", &S::Interpolate, &S::SetInterpolate, true),
                    });

constexpr int32_t MaxFragments = 600;
constexpr int32_t CapacityStep = 5;
constexpr double KnuckleTolerance = 1e-5;

// The uniform cubic B-spline basis at distance D (0 <= D < 2) from a vertex.
double Weight(double D)
{
  if (D < 1)
    return 2.0 / 3.0 - D * D + D * D * D / 2;
  const double E = 2 - D;
  return E * E * E / 6;
}
} // namespace

TBSpline::TBSpline() { Clear(); }

TBSpline::TBSpline(const std::vector<TVertex>& Points, int32_t LastIndex)
{
  Clear();
  const int32_t Last = std::min(LastIndex, static_cast<int32_t>(Points.size()) - 1);
  FPointList.reserve(static_cast<size_t>(std::max(Last, 0) + 2));
  for (int32_t I = 0; I <= Last; ++I) {
    AddPoint(Points[static_cast<size_t>(I)].X, Points[static_cast<size_t>(I)].Y);
    FKnuckleList[static_cast<size_t>(FNoPoints)] = false;
  }
}

void TBSpline::AddPoint(double X, double Y)
{
  // The lists grow in steps; the knuckle flags are kept (a knuckle set
  // before growing stays a knuckle).
  if (FNoPoints + 1 >= static_cast<int32_t>(FPointList.size())) {
    const size_t NewSize = static_cast<size_t>(FNoPoints) + 1 + CapacityStep;
    FPointList.resize(NewSize);
    FKnuckleList.resize(NewSize, false);
  }
  ++FNoPoints;
  FPointList[static_cast<size_t>(FNoPoints)] = TVertex{X, Y};
  SetBuild(false);
}

TVertex TBSpline::Point(int32_t Index) const
{
  if (Index < 1 || Index > FNoPoints)
    throw ERangeError(QStringLiteral("Spline point index out of range (%1)").arg(Index));
  return FPointList[static_cast<size_t>(Index)];
}

void TBSpline::SetPoint(int32_t Index, const TVertex& Value)
{
  if (Index < 1 || Index > FNoPoints)
    throw ERangeError(QStringLiteral("Spline point index out of range (%1)").arg(Index));
  FPointList[static_cast<size_t>(Index)] = Value;
  SetBuild(false);
}

bool TBSpline::Knuckle(int32_t Index) const
{
  if (Index <= 1 || Index >= FNoPoints)
    return false;
  return FKnuckleList[static_cast<size_t>(Index)];
}

void TBSpline::SetKnuckle(int32_t Index, bool Value)
{
  if (Index < 1 || Index > FNoPoints)
    throw ERangeError(QStringLiteral("Spline point index out of range (%1)").arg(Index));
  FKnuckleList[static_cast<size_t>(Index)] = Value;
  SetBuild(false);
}

void TBSpline::SetInterpolated(bool Value)
{
  if (FInterpolated != Value) {
    FInterpolated = Value;
    SetBuild(false);
  }
}

void TBSpline::SetFragments(int32_t Value) { FFragments = std::min(Value, MaxFragments); }

int32_t TBSpline::NumberOfVertices()
{
  if (!FBuild)
    Rebuild();
  return FNoVertices;
}

TVertex TBSpline::Vertex(int32_t Index)
{
  if (!FBuild)
    Rebuild();
  if (Index < 0 || Index >= static_cast<int32_t>(FVertexList.size()))
    throw ERangeError(QStringLiteral("Spline vertex index out of range (%1)").arg(Index));
  return FVertexList[static_cast<size_t>(Index)];
}

void TBSpline::SetBuild(bool Value)
{
  if (!Value && FBuild) {
    FVertexList.clear();
    FNoVertices = 0;
  }
  FBuild = Value;
}

void TBSpline::Clear()
{
  FVertexList.clear();
  FPointList.clear();
  FKnuckleList.clear();
  FNoPoints = 0;
  FNoVertices = 0;
  FBuild = false;
  FInterpolated = false;
  FFragments = 100;
}

void TBSpline::Rebuild()
{
  if (FNoPoints < 2)
    return;
  int32_t M = 0;
  for (int32_t I = 1; I <= FNoPoints; ++I)
    M += Knuckle(I) ? 3 : 1;
  FNoVertices = M;
  FVertexList.assign(static_cast<size_t>(M) + 2, TVertex{});
  int32_t V = 1;
  for (int32_t I = 1; I <= FNoPoints; ++I) {
    const TVertex& P = FPointList[static_cast<size_t>(I)];
    for (int32_t K = Knuckle(I) ? 3 : 1; K > 0; --K)
      FVertexList[static_cast<size_t>(V++)] = P;
  }
  if (FInterpolated)
    Interpolate();
  FBuild = true;
  if (M >= 2) {
    TVertex& First = FVertexList[0];
    TVertex& Last = FVertexList[static_cast<size_t>(M) + 1];
    const TVertex& V1 = FVertexList[1];
    const TVertex& V2 = FVertexList[2];
    const TVertex& Vm = FVertexList[static_cast<size_t>(M)];
    const TVertex& Vm1 = FVertexList[static_cast<size_t>(M) - 1];
    First = TVertex{2 * V1.X - V2.X, 2 * V1.Y - V2.Y};
    Last = TVertex{2 * Vm.X - Vm1.X, 2 * Vm.Y - Vm1.Y};
  }
}

void TBSpline::Interpolate()
{
  const int32_t M = FNoVertices;
  if (M < 3)
    return;
  // The three bands of the system, rows 1 .. M (index 0 unused): Sub[i] =
  // M(i, i-1), Diag[i] = M(i, i), Super[i] = M(i, i+1).
  const size_t N = static_cast<size_t>(M) + 1;
  std::vector<double> Sub(N, 0.0), Diag(N, 1.0), Super(N, 0.0);
  for (int32_t I = 2; I <= M - 1; ++I) {
    Sub[static_cast<size_t>(I)] = 1.0 / 6.0;
    Diag[static_cast<size_t>(I)] = 2.0 / 3.0;
    Super[static_cast<size_t>(I)] = 1.0 / 6.0;
  }
  const auto Same = [](const TVertex& A, const TVertex& B) {
    return std::abs(A.X - B.X) <= KnuckleTolerance && std::abs(A.Y - B.Y) <= KnuckleTolerance;
  };
  for (int32_t I = 3; I < M - 1;) {
    const TVertex& Prev = FVertexList[static_cast<size_t>(I) - 1];
    const TVertex& Cur = FVertexList[static_cast<size_t>(I)];
    const TVertex& Next = FVertexList[static_cast<size_t>(I) + 1];
    if (Same(Prev, Cur) && Same(Cur, Next)) {
      // A tripled knuckle point: the curve goes through it with a corner.
      for (int32_t R = I - 1; R <= I + 1; ++R) {
        Sub[static_cast<size_t>(R)] = 0;
        Diag[static_cast<size_t>(R)] = 1;
        Super[static_cast<size_t>(R)] = 0;
      }
      I += 2;
    } else
      ++I;
  }
  // Elimination in row order: each row takes out the one entry below the
  // diagonal of the next; the superdiagonal stays as it is.
  std::vector<double> X(N), Y(N);
  for (size_t I = 1; I < N; ++I) {
    X[I] = FVertexList[I].X;
    Y[I] = FVertexList[I].Y;
  }
  for (size_t K = 1; K + 1 < N; ++K) {
    const double F = Sub[K + 1] / Diag[K];
    Diag[K + 1] -= F * Super[K];
    X[K + 1] -= F * X[K];
    Y[K + 1] -= F * Y[K];
  }
  X[N - 1] /= Diag[N - 1];
  Y[N - 1] /= Diag[N - 1];
  for (size_t I = N - 2; I >= 1; --I) {
    X[I] = (X[I] - Super[I] * X[I + 1]) / Diag[I];
    Y[I] = (Y[I] - Super[I] * Y[I + 1]) / Diag[I];
  }
  for (size_t I = 1; I < N; ++I)
    FVertexList[I] = TVertex{X[I], Y[I]};
}

TVertex TBSpline::Value(double t)
{
  TVertex Result;
  if (FNoPoints < 2)
    return Result;
  if (!FBuild)
    Rebuild();
  const int32_t M = FNoVertices;
  const double S = (M - 1) * t + 1;
  // Beyond 0..1 the curve has no vertices to blend.
  if (!(S >= 1 - 2 && S <= M + 2))
    return Result;
  const int32_t J = std::max(0, static_cast<int32_t>(std::trunc(S - 1)));
  for (int32_t I = J; I <= J + 3 && I <= M + 1; ++I) {
    const double D = std::abs(I - S);
    if (D < 2) {
      const double W = Weight(D);
      Result.X += W * FVertexList[static_cast<size_t>(I)].X;
      Result.Y += W * FVertexList[static_cast<size_t>(I)].Y;
    }
  }
  return Result;
}

// ---------------------------------------------------------------------------

TSmoothingFunction::TSmoothingFunction(TComponent* AOwner) : TZuzFunction(AOwner)
{
  CanUsePeriod = false;
  SingleSource = true;
  InternalSetPeriod(1);
}

String TSmoothingFunction::ClassName() const { return QStringLiteral("TSmoothingFunction"); }

String TSmoothingFunction::GetEditorClass() const { return QStringLiteral("TSmoothFuncEditor"); }

void TSmoothingFunction::Assign(TPersistent* Source)
{
  TZuzFunction::Assign(Source);
  if (auto* F = dynamic_cast<TSmoothingFunction*>(Source)) {
    FInterpolate = F->FInterpolate;
    FFactor = F->FFactor;
  }
}

void TSmoothingFunction::SetInterpolate(bool Value) { ChangeSetting(FInterpolate, Value); }

void TSmoothingFunction::SetFactor(int32_t Value) { ChangeSetting(FFactor, std::max(Value, 1)); }

void TSmoothingFunction::PrepareForGallery(TCustomAxisPanel* Chart)
{
  TZuzFunction::PrepareForGallery(Chart);
  if (Chart->SeriesCount() > 0)
    Chart->GetSeries(0)->FillSampleValues(10);
  if (TChartSeries* Output = ParentSeries()) {
    Output->SetTransparency(70);
    Output->Pen()->SetWidth(10);
  }
  SetFactor(8);
}

void TSmoothingFunction::AddPoints(TChartSeries* Source)
{
  TChartSeries* Output = ParentSeries();
  if (!Output || IUpdating)
    return;
  Output->Clear();
  if (!Output->HasZValues) {
    if (Output->YMandatory == (Source ? Source->YMandatory : true)) {
      Output->NotMandatoryValueList->SetOrder(loAscending);
      Output->MandatoryValueList->SetOrder(loNone);
      Output->CalcVisiblePoints = true;
    } else {
      Output->NotMandatoryValueList->SetOrder(loNone);
      Output->MandatoryValueList->SetOrder(loAscending);
      Output->CalcVisiblePoints = false;
    }
  }
  if (!Source || Source->Count() == 0)
    return;
  const int32_t N = Source->Count();
  const TChartValueList* Values = ValueList(Source);
  const TChartValueList* Along = Output->YMandatory ? Source->XValues() : Source->YValues();
  TBSpline Spline;
  for (int32_t I = 0; I < N; ++I)
    Spline.AddPoint(Along->Value[static_cast<size_t>(I)], Values->Value[static_cast<size_t>(I)]);
  Spline.SetInterpolated(FInterpolate);
  Spline.SetFragments(static_cast<int32_t>(std::min<int64_t>(int64_t(N) * FFactor, MaxFragments)));
  const int32_t Fragments = Spline.Fragments();
  for (int32_t A = 0; A <= Fragments; ++A) {
    const TVertex P = Spline.Value(static_cast<double>(A) / Fragments);
    if (Output->YMandatory)
      Output->AddXY(P.X, P.Y);
    else
      Output->AddXY(P.Y, P.X);
  }
}

// ---------------------------------------------------------------------------

TSeriesSmoothing::TSeriesSmoothing() = default;

TSeriesSmoothing::~TSeriesSmoothing() = default;

void TSeriesSmoothing::FreeSmoothSeries()
{
  // The owning series frees it with itself; otherwise it goes now.
  if (FSmoothSeries && !(FSmoothSeries->ComponentState() & csDestroying)) {
    TComponent* Owner = FSmoothSeries->Owner();
    if (!Owner || !(Owner->ComponentState() & csDestroying))
      delete FSmoothSeries;
  }
  FSmoothSeries = nullptr;
}

void TSeriesSmoothing::SmoothSeries(TChartSeries& Series, bool DrawsLineOrArea)
{
  if (!DrawsLineOrArea)
    return;
  if (FSmoothed && !FSmoothSeries) {
    auto* Internal = new TChartSeries(&Series);
    Internal->IInternalUse = true;
    Internal->SetShowInEditor(false);
    Internal->SetShowInLegend(false);
    if (!Series.YMandatory)
      Internal->SetHorizontal();
    FSmoothSeries = Internal;
    if (Internal->Count() == 0 || FDirty) {
      Internal->BeginUpdate();
      for (int32_t I = 0; I < Series.Count(); ++I)
        Internal->AddXY(Series.XValue(I), Series.YValue(I));
      Internal->EndUpdate();
    }
    if (Series.FunctionType() && !FDirty)
      return;
    auto* F = new TSmoothingFunction(Series.ParentChart());
    F->SetInterpolate(true);
    F->SetFactor(8);
    OldDataSource = Series.DataSource();
    Series.SetFunction(F);
    Series.SetDataSource(Internal);
    FDirty = false;
  } else if (!FSmoothed && FSmoothSeries && FSmoothSeries->Count() < Series.Count()) {
    Series.SetFunction(nullptr);
    Series.SetDataSource(OldDataSource);
    if (!OldDataSource) {
      Series.BeginUpdate();
      Series.Clear();
      for (int32_t I = 0; I < FSmoothSeries->Count(); ++I)
        Series.AddXY(FSmoothSeries->XValue(I), FSmoothSeries->YValue(I));
      Series.EndUpdate();
      Series.ManualData = true;
    }
    OldDataSource = nullptr;
    FreeSmoothSeries();
    Series.Repaint();
  }
}

void RegisterSmoothing()
{
  RegisterZuzFunction(ClassInfoFor<TSmoothingFunction>(), &ZuzMsg_FunctionSmooth, &ZuzMsg_GalleryExtended, 1);
}

void UnRegisterSmoothing() { UnRegisterZuzFunctions({ClassInfoFor<TSmoothingFunction>()}); }
