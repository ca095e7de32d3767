#include "chart/core/ZuzPictureList.h"

#include "chart/canvas/ZuzPicture.h"
#include "chart/core/ChartSeries.h"

#include <algorithm>

TZuzPictureList::TZuzPictureList(TChartSeries* ASeries) : FSeries(ASeries) {}

TZuzPictureList::~TZuzPictureList() { Clear(); }

String TZuzPictureList::ClassName() const { return QStringLiteral("TZuzPictureList"); }

void TZuzPictureList::Release(TZuzPicture* P)
{
  if (OwnsPictures)
    delete P;
}

void TZuzPictureList::Changed()
{
  if (FSeries)
    FSeries->Repaint();
}

TZuzPicture* TZuzPictureList::Get(int32_t Index) const
{
  return Index >= 0 && Index < Count() ? FList[static_cast<size_t>(Index)] : nullptr;
}

void TZuzPictureList::Put(int32_t Index, TZuzPicture* Picture)
{
  if (Index < 0)
    return;
  if (Index < Count()) {
    TZuzPicture*& Slot = FList[static_cast<size_t>(Index)];
    if (Slot != Picture)
      Release(Slot);
    Slot = Picture;
  } else if (Picture) {
    FList.resize(static_cast<size_t>(Index) + 1, nullptr);
    FList[static_cast<size_t>(Index)] = Picture;
  }
  Changed();
}

void TZuzPictureList::Insert(int32_t Index, TZuzPicture* Picture)
{
  if (Index < 0 || (!Picture && FList.empty()))
    return;
  if (Index >= Count())
    FList.resize(static_cast<size_t>(Index) + 1, nullptr);
  else
    FList.insert(FList.begin() + Index, nullptr);
  FList[static_cast<size_t>(Index)] = Picture;
}

void TZuzPictureList::Delete(int32_t Index)
{
  if (Index < 0 || Index >= Count())
    return;
  Release(FList[static_cast<size_t>(Index)]);
  FList.erase(FList.begin() + Index);
}

void TZuzPictureList::Exchange(int32_t A, int32_t B)
{
  const int32_t N = std::max(A, B) + 1;
  if (A < 0 || B < 0)
    return;
  if (N > Count())
    FList.resize(static_cast<size_t>(N), nullptr);
  std::swap(FList[static_cast<size_t>(A)], FList[static_cast<size_t>(B)]);
}

int32_t TZuzPictureList::IndexOf(const TZuzPicture* Picture) const
{
  const auto It = std::find(FList.begin(), FList.end(), Picture);
  return It == FList.end() ? -1 : static_cast<int32_t>(It - FList.begin());
}

void TZuzPictureList::Clear()
{
  for (TZuzPicture* P : FList)
    Release(P);
  FList.clear();
}

void TZuzPictureList::Assign(const TZuzPictureList& Source)
{
  if (&Source == this)
    return;
  Clear();
  for (const TZuzPicture* P : Source.FList)
    FList.push_back(P ? Copy(P) : nullptr);
}

TZuzPicture* TZuzPictureList::Copy(const TZuzPicture* Picture)
{
  auto* P = new TZuzPicture;
  P->Assign(const_cast<TZuzPicture*>(Picture));
  return P;
}

TZuzPicture* TZuzPictureList::FromGraphic(const TGraphic* Graphic)
{
  auto* P = new TZuzPicture;
  P->SetGraphic(Graphic);
  return P;
}
