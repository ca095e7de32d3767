#include "app/windows/DisplayWindows.h"

#include "app/core/CoreData.h"
#include "app/windows/DisplayHost.h"
#include "app/windows/DisplayWindow.h"
#include "app/windows/MDIBathyGraph.h"
#include "app/windows/MDIDepthScroll.h"
#include "app/windows/MDIFont.h"
#include "app/windows/MDIGraph.h"
#include "app/windows/MDILast.h"
#include "app/windows/MDIPosGraph.h"
#include "app/windows/MDIScale.h"
#include "app/windows/MDIScroll.h"
#include "app/windows/SetupIcon.h"
#include "platform/ActnList.h"
#include "platform/Bitmap.h"
#include "platform/Menus.h"

#include <algorithm>

namespace {

// Default place of a window opened from the Display Type menu.
constexpr int32_t DefaultLeft = 0;
constexpr int32_t DefaultTop = 0;
constexpr int32_t DefaultWidth = 320;

} // namespace

TDisplayWindows::TDisplayWindows(IDisplayHost& Host) : FHost(Host)
{
  // The kinds built so far; a kind added is one row more.
  FKinds = {
      {TMdiChildKind::SingleValue, [](IDisplayHost& H) -> TDisplayWindow* { return new TMDIFont(H); }},
      {TMdiChildKind::LastData, [](IDisplayHost& H) -> TDisplayWindow* { return new TMDILast(H); }},
      {TMdiChildKind::Scroll, [](IDisplayHost& H) -> TDisplayWindow* { return new TMDIScroll(H); }},
      {TMdiChildKind::DepthScroll, [](IDisplayHost& H) -> TDisplayWindow* { return new TMDIDepthScroll(H); }},
      {TMdiChildKind::Graph, [](IDisplayHost& H) -> TDisplayWindow* { return new TMDIGraph(H); }},
      {TMdiChildKind::BathyGraph, [](IDisplayHost& H) -> TDisplayWindow* { return new TMDIBathyGraph(H); }},
      {TMdiChildKind::PositionGraph, [](IDisplayHost& H) -> TDisplayWindow* { return new TMDIPosGraph(H); }},
      {TMdiChildKind::Scale, [](IDisplayHost& H) -> TDisplayWindow* { return new TMDIScale(H); }},
  };
}

TDisplayWindows::~TDisplayWindows() = default;

bool TDisplayWindows::CanOpen(TMdiChildKind Kind) const
{
  return std::any_of(FKinds.begin(), FKinds.end(), [Kind](const TRow& R) { return R.Kind == Kind; });
}

void TDisplayWindows::Register(TMdiChildKind Kind, TMake Make)
{
  for (TRow& R : FKinds)
    if (R.Kind == Kind) {
      R.Make = std::move(Make);
      return;
    }
  FKinds.push_back({Kind, std::move(Make)});
}

TDisplayWindow* TDisplayWindows::Open(TMdiChildKind Kind)
{
  const auto Row = std::find_if(FKinds.begin(), FKinds.end(), [Kind](const TRow& R) { return R.Kind == Kind; });
  if (Row == FKinds.end() || !Row->Make)
    return nullptr;
  TDisplayWindow* W = Row->Make(FHost);
  W->Show();

  TBitmap Icon;
  if (LoadSetupIcon(FHost.SetupFolder(), Icon))
    ApplyWindowIcon(W->Handle(), Icon);

  TLayoutWindow& Layout = FHost.OpeningLayout();
  if (FHost.MenuOpen()) {
    W->SetBounds(DefaultLeft, DefaultTop, DefaultWidth, W->DefaultHeight());
  } else {
    W->SetBounds(Layout.Form_Left, Layout.Form_Top, Layout.Form_Width, Layout.Form_Height);
    W->ApplyLayoutAppearance(Layout);
  }
  W->KindSetup();
  W->SetScreenNumber(FHost.NextScreenNumber());

  if (W->Choice() != TItemChoice::None) {
    const std::vector<String>& Names = FHost.Core().SensorName;
    const int32_t Count = std::min<int32_t>(static_cast<int32_t>(Names.size()), DisplayItemCount);
    W->SensorList21->SetVisible(false);
    W->SensorList31->SetVisible(false);
    for (int32_t I = 0; I < Count; ++I) {
      ActionSetup(*W, *W->Action(I + 1), I);
      if (I == 10)
        W->SensorList21->SetVisible(true);
      if (I == 20)
        W->SensorList31->SetVisible(true);
    }
    for (int32_t K = 0; K < Count; ++K)
      if (Layout.Action_Flag & static_cast<int32_t>(1u << K))
        W->Action(K + 1)->Execute();
  }
  Layout.Action_Flag = 0;
  FHost.ItemMasks().push_back(0);
  return W;
}

void ActionSetup(TDisplayWindow& Window, TAction& Action, int32_t Index)
{
  const std::vector<String>& Names = Window.Host().Core().SensorName;
  if (Index < 0 || static_cast<size_t>(Index) >= Names.size())
    return;
  const String& Name = Names[static_cast<size_t>(Index)];
  Action.SetCaption(Name);
  Action.SetVisible(true);
  Action.SetEnabled(Window.ItemSelectable(Name));
}
