#include "chart/core/VisualsList.h"

#include "chart/canvas/Geometry.h"
#include "chart/core/ChartSeries.h"
#include "platform/ClassRegistry.h"

#include <algorithm>
#include <typeinfo>
#include <utility>

std::function<bool(TVisualBlock* Block)> TVisualsList::Editor;

TVisualsList::TVisualsList(TChartSeries* ASeries) : FSeries(ASeries) {}

TVisualsList::~TVisualsList()
{
  Clear();
  if (FTemplate && FSeries)
    FTemplate->RemoveFreeNotification(FSeries);
}

String TVisualsList::ClassName() const { return QStringLiteral("TVisualsList"); }

bool TVisualsList::Owned(const TVisualBlock* Block) const { return Block && FSeries && Block->Owner() == FSeries; }

void TVisualsList::Release(TVisualBlock* Block)
{
  if (Owned(Block))
    delete Block;
}

void TVisualsList::Reference(TVisualBlock* Block)
{
  // A block of someone else's could be freed under the list.
  if (Block && FSeries && !Owned(Block))
    Block->FreeNotification(FSeries);
}

TVisualBlock* TVisualsList::Clone(const TVisualBlock* From) const
{
  if (!From || !From->IsCloneable || !FSeries)
    return nullptr;
  // Only the template's own class will do: a registered ancestor would
  // lose what the template draws.
  const TClassInfo* Info = ClassInfoOf(From);
  if (!Info || !Info->CanCreate() || Info->Type() != typeid(*From))
    return nullptr;
  auto* Block = dynamic_cast<TVisualBlock*>(Info->CreateComponent(FSeries));
  if (Block)
    Block->Assign(const_cast<TVisualBlock*>(From));
  return Block;
}

TVisualBlock* TVisualsList::StoredVisual(int32_t Index) const
{
  return Index >= 0 && Index < Count() ? FList[static_cast<size_t>(Index)] : nullptr;
}

TVisualBlock* TVisualsList::GetVisual(int32_t Index)
{
  if (Index < 0)
    return nullptr;
  if (TVisualBlock* Block = StoredVisual(Index))
    return Block;
  TVisualBlock* Block = Clone(FTemplate);
  if (Block) {
    if (Index >= Count())
      FList.resize(static_cast<size_t>(Index) + 1, nullptr);
    FList[static_cast<size_t>(Index)] = Block;
  }
  return Block;
}

void TVisualsList::SetVisual(int32_t Index, TVisualBlock* Block)
{
  if (Index < 0)
    return;
  if (Index < Count()) {
    TVisualBlock*& Slot = FList[static_cast<size_t>(Index)];
    if (Slot != Block) {
      TVisualBlock* Old = std::exchange(Slot, nullptr);
      Release(Old);
    }
    Slot = Block;
  } else if (Block) {
    FList.resize(static_cast<size_t>(Index) + 1, nullptr);
    FList[static_cast<size_t>(Index)] = Block;
  }
  Reference(Block);
  if (FSeries)
    FSeries->Repaint();
}

void TVisualsList::InsertVisual(int32_t Index, TVisualBlock* Block)
{
  if (Index < 0 || (!Block && FList.empty()))
    return;
  if (Index >= Count())
    FList.resize(static_cast<size_t>(Index) + 1, nullptr);
  else
    FList.insert(FList.begin() + Index, nullptr);
  FList[static_cast<size_t>(Index)] = Block;
  Reference(Block);
}

void TVisualsList::DeleteVisual(int32_t Index)
{
  if (Index < 0 || Index >= Count())
    return;
  TVisualBlock* Block = FList[static_cast<size_t>(Index)];
  FList.erase(FList.begin() + Index);
  Release(Block);
}

void TVisualsList::Exchange(int32_t A, int32_t B)
{
  if (A < 0 || B < 0)
    return;
  const int32_t N = std::max(A, B) + 1;
  if (N > Count())
    FList.resize(static_cast<size_t>(N), nullptr);
  std::swap(FList[static_cast<size_t>(A)], FList[static_cast<size_t>(B)]);
}

void TVisualsList::Clear()
{
  // Taken out first: freeing a block notifies the series, which looks here.
  std::vector<TVisualBlock*> Old;
  Old.swap(FList);
  for (TVisualBlock* Block : Old)
    Release(Block);
}

void TVisualsList::Assign(TVisualsList& Source)
{
  if (&Source == this)
    return;
  Clear();
  for (int32_t I = 0; I < Source.Count(); ++I)
    InsertVisual(I, Source.GetVisual(I));
}

void TVisualsList::SetTemplate(TVisualBlock* Value)
{
  if (FTemplate && FSeries)
    FTemplate->RemoveFreeNotification(FSeries);
  FTemplate = Value;
  if (FTemplate && FSeries)
    FTemplate->FreeNotification(FSeries);
  Clear();
}

bool TVisualsList::HasUncloneableTemplate() const { return FTemplate && !FTemplate->IsCloneable; }

void TVisualsList::Edit(int32_t Index)
{
  if (!Editor)
    return;
  if (Index == -1) {
    if (FTemplate && Editor(FTemplate))
      Clear();
    return;
  }
  if (TVisualBlock* Block = GetVisual(Index); Block && Editor(Block) && FSeries)
    FSeries->Repaint();
}

void TVisualsList::Removed(TComponent* AComponent)
{
  if (!AComponent)
    return;
  if (AComponent == FTemplate)
    FTemplate = nullptr;
  for (TVisualBlock*& Block : FList)
    if (Block == AComponent)
      Block = nullptr;
}
