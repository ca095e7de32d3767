#include "chart/core/CustomChart.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/AxisItems.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartPage.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartTitle.h"
#include "chart/core/ChartWalls.h"
#include "chart/core/ColorPalettes.h"
#include "chart/core/EditorOptions.h"
#include "chart/core/SeriesList.h"
#include "chart/core/ZuzConst.h"
#include "platform/Colors.h"
#include "platform/Filer.h"
#include "platform/Published.h"

#include <QScopeGuard>

#include <algorithm>

namespace {
using C = TCustomChart;
[[maybe_unused]] const TClassInfo& CustomChartClass =
    PublishClass<C>("TCustomChart", "TCustomAxisPanel",
                    {
                        PropObj("BackWall", &C::BackWall, &C::SetBackWall),
                        PropObj("BottomWall", &C::BottomWall, &C::SetBottomWall),
                        PropObj("Foot", &C::Foot, &C::SetFoot),
                        PropObj("Frame", &C::Frame, &C::SetFrame),
                        PropObj("LeftWall", &C::LeftWall, &C::SetLeftWall),
                        PropObj("Legend", &C::Legend, &C::SetLegend),
                        PropObj("RightWall", &C::RightWall, &C::SetRightWall),
                        PropObj("SubFoot", &C::SubFoot, &C::SetSubFoot),
                        PropObj("SubTitle", &C::SubTitle, &C::SetSubTitle),
                        PropObj("Title", &C::Title, &C::SetTitle),
                        PropEvent("OnAllowScroll", &C::OnAllowScroll),
                        PropEvent("OnClickAxis", &C::OnClickAxis),
                        PropEvent("OnClickBackground", &C::OnClickBackground),
                        PropEvent("OnClickLegend", &C::OnClickLegend),
                        PropEvent("OnClickSeries", &C::OnClickSeries),
                        PropEvent("OnClickTitle", &C::OnClickTitle),
                        PropEvent("OnGetLegendPos", &C::OnGetLegendPos),
                        PropEvent("OnGetLegendRect", &C::OnGetLegendRect),
                        PropEvent("OnGetLegendText", &C::OnGetLegendText),
                    });
[[maybe_unused]] const TClassInfo& ChartClass = PublishClass<TChart>("TChart", "TCustomChart");

// Opens a canvas entity for the scope.
class TEntity {
public:
  TEntity(TCanvas3D* Canvas, const String& Name) : FC(Canvas) { FC->BeginEntity(Name, nullptr, nullptr); }
  ~TEntity() { FC->EndEntity(); }
  TEntity(const TEntity&) = delete;
  TEntity& operator=(const TEntity&) = delete;

private:
  TCanvas3D* FC;
};

template <class T>
TChartTitle* TitleOf(std::unique_ptr<TChartTitle>& Field, TCustomZuzPanel* Chart)
{
  if (!Field)
    Field = std::make_unique<T>(Chart);
  return Field.get();
}

} // namespace

TCustomChart::TCustomChart(TComponent* AOwner) : TCustomAxisPanel(AOwner)
{
  SetAutoRepaint(false);
  if (ComponentState() & csDesigning)
    Title()->SetCaption(ClassName());
  FWalls = std::make_unique<TChartWalls>(this);
  FLegend = std::make_unique<TChartLegend>(this);
  RestoredAxisScales = true;
  SetColorPaletteIndex(ZuzReadIntegerOption(QStringLiteral("DefaultPalette"), 13));
  SetAutoRepaint(true);
}

TCustomChart::~TCustomChart()
{
  FSavedScales.clear();
  SetAutoRepaint(false);
  FSubTitle.reset();
  FTitle.reset();
  FSubFoot.reset();
  FFoot.reset();
  // The series still refer to the walls and legend while they go.
  FreeAllSeries();
  FWalls.reset();
  FLegend.reset();
}

String TCustomChart::ClassName() const { return QStringLiteral("TCustomChart"); }

void TCustomChart::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TCustomChart*>(Source)) {
    SetColorPaletteIndex(S->FColorPaletteIndex);
    SetFoot(S->FFoot.get());
    SetLegend(S->FLegend.get());
    SetSubFoot(S->FSubFoot.get());
    SetSubTitle(S->FSubTitle.get());
    SetTitle(S->FTitle.get());
    SetWalls(S->FWalls.get());
  }
  TCustomAxisPanel::Assign(Source);
}

void TCustomChart::DefineProperties(TFiler* Filer)
{
  TCustomAxisPanel::DefineProperties(Filer);
  const auto* Ancestor = dynamic_cast<const TCustomChart*>(Filer->Ancestor());
  const bool IndexStored = Ancestor ? Ancestor->FColorPaletteIndex != FColorPaletteIndex
                                    : (FColorPaletteIndex >= 0 || FColorPaletteIndex == -2);
  Filer->DefineProperty(
      QStringLiteral("ColorPaletteIndex"), [this](TReader& R) { SetColorPaletteIndex(R.ReadInteger()); },
      [this](TWriter& W) { W.WriteInteger(FColorPaletteIndex); }, IndexStored);
  Filer->DefineProperty(
      QStringLiteral("ColorPalette"), [this](TReader& R) { ReadColorPalette(R); },
      [this](TWriter& W) {
        W.WriteListBegin();
        for (const TColor Col : ColorPalette)
          W.WriteInteger(static_cast<int32_t>(Col));
        W.WriteListEnd();
      },
      FColorPaletteIndex == -2);
  Filer->DefineProperty(
      QStringLiteral("BackColor"),
      [this](TReader& R) {
        if (R.NextValue() == vaIdent) {
          int32_t Col = 0;
          if (IdentToColor(R.ReadIdent(), Col))
            SetBackColor(static_cast<TColor>(Col));
        } else
          SetBackColor(static_cast<TColor>(R.ReadInteger()));
      },
      {}, false);
}

void TCustomChart::ReadColorPalette(TReader& Reader)
{
  ColorPalette.clear();
  Reader.ReadListBegin();
  while (!Reader.EndOfList())
    ColorPalette.push_back(static_cast<TColor>(Reader.ReadInteger()));
  Reader.ReadListEnd();
  if (ColorPalette.empty())
    FColorPaletteIndex = -1;
}

void TCustomChart::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
  TCustomAxisPanel::GetChildren(Proc, Root);
  for (TZuzCustomTool* T : std::vector<TZuzCustomTool*>(Tools().Items()))
    Proc(T);
  for (TZuzCustomTool* A : std::vector<TZuzCustomTool*>(Animations().Items()))
    Proc(A);
}

// ---------------------------------------------------------------------------
// Titles

TChartTitle* TCustomChart::Title() { return TitleOf<TChartTitle>(FTitle, this); }
TChartTitle* TCustomChart::SubTitle() { return TitleOf<TChartTitle>(FSubTitle, this); }
TChartTitle* TCustomChart::Foot() { return TitleOf<TChartFootTitle>(FFoot, this); }
TChartTitle* TCustomChart::SubFoot() { return TitleOf<TChartFootTitle>(FSubFoot, this); }

namespace {
template <class T>
void CopyTitle(std::unique_ptr<TChartTitle>& Field, TChartTitle* Value, TCustomZuzPanel* Chart)
{
  if (!Value) {
    Field.reset();
    return;
  }
  TitleOf<T>(Field, Chart)->Assign(Value);
}
} // namespace

void TCustomChart::SetTitle(TChartTitle* Value) { CopyTitle<TChartTitle>(FTitle, Value, this); }
void TCustomChart::SetSubTitle(TChartTitle* Value) { CopyTitle<TChartTitle>(FSubTitle, Value, this); }
void TCustomChart::SetFoot(TChartTitle* Value) { CopyTitle<TChartFootTitle>(FFoot, Value, this); }
void TCustomChart::SetSubFoot(TChartTitle* Value) { CopyTitle<TChartFootTitle>(FSubFoot, Value, this); }

// ---------------------------------------------------------------------------
// Walls

void TCustomChart::SetWalls(TChartWalls* Value)
{
  if (Value)
    FWalls->Assign(Value);
}

TChartBackWall* TCustomChart::BackWall() const { return FWalls ? FWalls->Back() : nullptr; }
TChartLeftWall* TCustomChart::LeftWall() const { return FWalls->Left(); }
TChartBottomWall* TCustomChart::BottomWall() const { return FWalls->Bottom(); }
TChartRightWall* TCustomChart::RightWall() const { return FWalls->Right(); }
void TCustomChart::SetBackWall(TChartBackWall* Value) { FWalls->SetBack(Value); }
void TCustomChart::SetLeftWall(TChartLeftWall* Value) { FWalls->SetLeft(Value); }
void TCustomChart::SetBottomWall(TChartBottomWall* Value) { FWalls->SetBottom(Value); }
void TCustomChart::SetRightWall(TChartRightWall* Value) { FWalls->SetRight(Value); }

TZuzPen* TCustomChart::Frame() const { return BackWall() ? BackWall()->Pen() : nullptr; }

void TCustomChart::SetFrame(TZuzPen* Value)
{
  if (BackWall())
    BackWall()->SetPen(Value);
}

int32_t TCustomChart::CalcWallSize(TChartAxis* Axis)
{
  if (!View3D() || !View3DWalls() || !FWalls)
    return 0;
  const TCustomChartWall* W = nullptr;
  if (Axis == LeftAxis())
    W = FWalls->Left();
  else if (Axis == BottomAxis())
    W = FWalls->Bottom();
  else if (Axis == RightAxis())
    W = FWalls->RightIfAny();
  else
    W = FWalls->Back();
  return W && W->Visible() ? W->Size() : 0;
}

void TCustomChart::CalcWallsRect()
{
  CalcSize3DWalls();
  if (CustomChartRect() || !View3D() || !View3DOptions()->Orthogonal())
    return;
  const int32_t Back = View3DWalls() && ActiveSeriesUseAxis() ? CalcWallSize(nullptr) : 0;
  const int32_t Depth = std::abs(Width3D()) + Back;
  if (View3DOptions()->OrthoAngle() <= 90) {
    ChartRect.Right -= Depth;
    if (FWalls->RightIfAny() && FWalls->RightIfAny()->Visible())
      ChartRect.Right -= FWalls->RightIfAny()->Size() + 1;
  } else {
    ChartRect.Left += Depth;
    if (FWalls->Left()->Visible())
      ChartRect.Left += FWalls->Left()->Size() + 1;
  }
  ChartRect.Top += std::abs(Height3D()) + Back;
  ReCalcWidthHeight();
}

void TCustomChart::DrawWalls()
{
  if (!ActiveSeriesUseAxis())
    return;
  TCanvas3D* Cv = InternalCanvas();
  const TEntity Entity(Cv, QStringLiteral("Walls"));
  const bool Rotates = Cv->SupportsFullRotation();
  const bool Walls3D = View3D() && View3DWalls();
  if (Walls3D) {
    TChartRightWall* R = FWalls->RightIfAny();
    if (R && R->Visible() && (Rotates || !FWalls->DrawRightWallAfter()))
      FWalls->DrawRightWall();
  }
  if (View3DWalls() && FWalls->Back()->Visible() && (!View3D() || Rotates || !DrawBackWallAfter(Width3D())))
    FWalls->DrawBackWall();
  if (Walls3D) {
    if (FWalls->Left()->Visible() && (Rotates || !FWalls->DrawLeftWallFirst()))
      FWalls->DrawLeftWall();
    if (FWalls->Bottom()->Visible())
      FWalls->DrawBottomWall();
  }
  if (!Rotates && DrawBackWallAfter(0))
    for (TChartAxis* A : {TopAxis(), BottomAxis()})
      if (IsAxisVisible(A))
        A->Draw(false);
}

void TCustomChart::DrawWallsInFront()
{
  TCanvas3D* Cv = InternalCanvas();
  if (Cv->SupportsFullRotation() || !ActiveSeriesUseAxis() || !View3D())
    return;
  if (FWalls->DrawRightWallAfter()) {
    TChartRightWall* R = FWalls->RightIfAny();
    if (R && R->ShouldDraw())
      FWalls->DrawRightWall();
    if (IsAxisVisible(RightAxis()))
      RightAxis()->Draw(false);
  }
  if (FWalls->DrawLeftWallFirst()) {
    if (FWalls->Left()->ShouldDraw())
      FWalls->DrawLeftWall();
    if (IsAxisVisible(LeftAxis()))
      LeftAxis()->Draw(false);
  }
  if (DrawBackWallAfter(Width3D())) {
    for (TChartAxis* A : {TopAxis(), BottomAxis()})
      if (IsAxisVisible(A))
        A->DrawGrids(static_cast<int32_t>(A->Tick.size()));
    if (FWalls->Back()->ShouldDraw())
      FWalls->DrawBackWall();
  }
}

// ---------------------------------------------------------------------------
// Titles and legend in the pipeline

void TCustomChart::DrawTitles(bool CustomOnes)
{
  TChartTitle* const Titles[] = {FTitle.get(), FSubTitle.get(), FFoot.get(), FSubFoot.get()};
  const char* const Names[] = {"Title", "Subtitle", "Foot", "Subfoot"};
  const auto Due = [CustomOnes](const TChartTitle* T) {
    return T && T->ShouldDraw() && T->CustomPosition() == CustomOnes;
  };
  if (std::none_of(std::begin(Titles), std::end(Titles), Due))
    return;
  TCanvas3D* Cv = InternalCanvas();
  const TEntity Entity(Cv, QStringLiteral("Titles"));
  for (int I = 0; I < 4; ++I)
    if (Due(Titles[I])) {
      const TEntity One(Cv, QString::fromLatin1(Names[I]));
      Titles[I]->DrawTitle();
    }
}

void TCustomChart::DrawTitlesAndLegend(bool BeforeSeries)
{
  TCanvas3D* Cv = InternalCanvas();
  {
    Cv->FrontPlaneBegin();
    const auto End = qScopeGuard([Cv] { Cv->FrontPlaneEnd(); });
    const bool Legend = FLegend->ShouldDraw();
    if (BeforeSeries) {
      if (Legend && FLegend->Vertical()) {
        FLegend->CalcRect();
        if (FLegend->DrawBehind())
          FLegend->DrawLegend();
        DrawTitles(false);
      } else {
        DrawTitles(false);
        if (Legend) {
          FLegend->CalcRect();
          if (FLegend->DrawBehind())
            FLegend->DrawLegend();
        }
      }
    } else {
      if (Legend && !FLegend->DrawBehind())
        FLegend->DrawLegend();
      DrawTitles(true);
    }
  }
  if (!BeforeSeries)
    DrawWallsInFront();
}

// ---------------------------------------------------------------------------
// Legend

void TCustomChart::SetLegend(TChartLegend* Value)
{
  if (Value)
    FLegend->Assign(Value);
}

String TCustomChart::FormattedLegend(int32_t Index) { return InternalFormattedLegend(FLegend.get(), Index); }

String TCustomChart::InternalFormattedLegend(TCustomChartLegend* ALegend, int32_t Index)
{
  String Text = ALegend->FormattedLegend(Index);
  if (OnGetLegendText)
    OnGetLegendText(this, ALegend->CalcLegendStyle(), Index, Text);
  return Text;
}

String TCustomChart::FormattedValueLegend(TChartSeries* ASeries, int32_t ValueIndex)
{
  if (!ASeries)
    return String();
  return FLegend->FormattedValue(ASeries, ValueIndex);
}

void TCustomChart::DrawLegendShape(const TRect& Rect, const TGraphic* Graphic)
{
  if (!Graphic || !FLegend->Symbol()->UseImages()) {
    FLegend->Symbol()->Draw(InternalCanvas()->Brush()->Color(), Rect);
    return;
  }
  InternalCanvas()->StretchDraw(Rect, Graphic);
}

// ---------------------------------------------------------------------------
// Palette

void TCustomChart::SetColorPaletteIndex(int32_t Value)
{
  if (Value == FColorPaletteIndex)
    return;
  if (Value == -2) {
    if (FColorPaletteIndex > 0)
      ColorPalettes().GetPalette(FColorPaletteIndex, ColorPalette);
    else
      ColorPalette = ZuzColorPalette;
  }
  FColorPaletteIndex = Value;
  if (Value != -2)
    ColorPalettes().ApplyPalette(this, Value);
}

// ---------------------------------------------------------------------------
// Services

TColor TCustomChart::GetBackColor()
{
  TChartBackWall* B = BackWall();
  if (B && View3DWalls() && B->Visible() && !B->Transparent()) {
    if (B->Gradient()->Visible())
      return B->Gradient()->StartColor();
    return B->Color();
  }
  return TCustomAxisPanel::GetBackColor();
}

void TCustomChart::SetBackColor(TColor Color)
{
  BackWall()->SetColor(Color);
  if (Parent() && !(ComponentState() & csLoading))
    BackWall()->Brush()->SetStyle(bsSolid);
}

bool TCustomChart::IsFreeSeriesColor(TColor AColor, bool CheckBackground, const TChartSeries* ASeries)
{
  for (const TChartSeries* S : SeriesList())
    if (S != ASeries && S->SeriesColor() == AColor)
      return false;
  return !(CheckBackground && (AColor == this->Color() || (BackWall() && AColor == BackWall()->Color())));
}

TChartSeries* TCustomChart::GetASeries() const
{
  for (TChartSeries* S : SeriesList())
    if (S->Active())
      return S;
  return nullptr;
}

bool TCustomChart::ActiveSeriesUseAxis() const
{
  bool AnyActive = false;
  for (const TChartSeries* S : SeriesList())
    if (S->Active()) {
      if (S->UseAxis())
        return true;
      AnyActive = true;
    }
  return !AnyActive;
}

bool TCustomChart::ActiveSeriesCanZoomScroll() const
{
  bool AnyActive = false;
  for (const TChartSeries* S : SeriesList())
    if (S->Active()) {
      if (S->CanZoomScroll())
        return true;
      AnyActive = true;
    }
  return !AnyActive;
}

void TCustomChart::SeriesUp(TChartSeries* ASeries)
{
  const int32_t I = IndexOfSeries(ASeries);
  if (I > 0)
    ExchangeSeries(I, I - 1);
}

void TCustomChart::SeriesDown(TChartSeries* ASeries)
{
  const int32_t I = IndexOfSeries(ASeries);
  if (I >= 0 && I < SeriesCount() - 1)
    ExchangeSeries(I, I + 1);
}

void TCustomChart::NextPage() { Pages()->NextPage(); }

void TCustomChart::PreviousPage() { Pages()->PreviousPage(); }

void TCustomChart::RemoveAllSeries()
{
  while (SeriesCount() > 0)
    RemoveSeries(0);
}

void TCustomChart::ClearChart()
{
  for (TChartSeries* S : std::vector<TChartSeries*>(SeriesList().Items()))
    S->SetDataSource(nullptr);
  FreeAllSeries();
  Tools().Clear();
  Animations().Clear();
  for (int32_t I = 0; I < Axes().Count(); ++I)
    Axes().Get(I)->Items()->Clear();
  Axes().Reset();
  // A new chart of the same kind holds every default.
  std::unique_ptr<TCustomChart> Fresh(dynamic_cast<TCustomChart*>(ClassInfoOf(this)->CreateComponent(nullptr)));
  if (!Fresh)
    Fresh = std::make_unique<TCustomChart>(nullptr);
  Assign(Fresh.get());
}

String TCustomChart::AxisTitleOrName(TChartAxis* Axis)
{
  String S = Axis->TitleIfAny() ? Axis->TitleIfAny()->Caption() : String();
  if (!S.isEmpty())
    return S;
  if (Axis == DepthAxis())
    return ZuzMsg_DepthAxis;
  if (Axis == DepthTopAxis())
    return ZuzMsg_DepthTopAxis;
  if (Axis->Horizontal())
    return Axis->OtherSide() ? ZuzMsg_TopAxis : ZuzMsg_BottomAxis;
  return Axis->OtherSide() ? ZuzMsg_RightAxis : ZuzMsg_LeftAxis;
}

void TCustomChart::FillValueSourceItems(TChartValueList* ValueList, const std::function<void(const String&)>& Proc)
{
  TChartSeries* Owner = ValueList ? ValueList->Owner() : nullptr;
  auto* Source = Owner ? dynamic_cast<TChartSeries*>(Owner->DataSource()) : nullptr;
  if (!Source)
    return;
  for (int32_t I = 0; I < Source->ValuesList().Count(); ++I)
    Proc(Source->ValuesList()[I]->Name());
}

// ---------------------------------------------------------------------------
// Input to the tools

void TCustomChart::KeyToTools(TChartKeyEvent Event, uint16_t& Key, char16_t& KeyChar, TShiftState Shift)
{
  for (TZuzCustomTool* T : std::vector<TZuzCustomTool*>(Tools().Items()))
    if (T->Active())
      T->ChartKeyEvent(Event, Key, KeyChar, Shift);
}

void TCustomChart::KeyDown(uint16_t& Key, TShiftState Shift)
{
  TCustomAxisPanel::KeyDown(Key, Shift);
  char16_t None = 0;
  KeyToTools(ckeDown, Key, None, Shift);
}

void TCustomChart::KeyUp(uint16_t& Key, TShiftState Shift)
{
  TCustomAxisPanel::KeyUp(Key, Shift);
  char16_t None = 0;
  KeyToTools(ckeUp, Key, None, Shift);
}

void TCustomChart::KeyPress(char16_t& Key)
{
  TCustomAxisPanel::KeyPress(Key);
  uint16_t NoKey = 0;
  KeyToTools(ckePress, NoKey, Key, 0);
}

void TCustomChart::BroadcastMouseEvent(TChartMouseEvent Event, TMouseButton Button, TShiftState Shift, int32_t X,
                                       int32_t Y)
{
  for (TChartTools* List : {static_cast<TChartTools*>(&Tools()), static_cast<TChartTools*>(&Animations())})
    for (TZuzCustomTool* T : std::vector<TZuzCustomTool*>(List->Items())) {
      if (!T->Active())
        continue;
      T->ChartMouseEvent(Event, Button, Shift, X, Y);
      if (CancelMouse())
        break;
    }
}

void TCustomChart::BroadcastWheelEvent(TWheelMouseEvent Event, int32_t Delta, int32_t X, int32_t Y)
{
  for (TZuzCustomTool* T : std::vector<TZuzCustomTool*>(Tools().Items())) {
    if (!T->Active())
      continue;
    T->WheelMouseEvent(Event, Delta, X, Y);
    if (CancelMouse())
      break;
  }
}

// ---------------------------------------------------------------------------

TChart::TChart(TComponent* AOwner) : TCustomChart(AOwner) {}

String TChart::ClassName() const { return QStringLiteral("TChart"); }
