#include "chart/core/LabelsList.h"

#include "chart/core/ChartSeries.h"

TLabelsList::TLabelsList(TChartSeries* ASeries) : FSeries(ASeries) {}

String TLabelsList::ClassName() const { return QStringLiteral("TLabelsList"); }

String TLabelsList::GetLabel(int32_t Index) const { return Index >= 0 && Index < Count() ? FList[Index] : String(); }

void TLabelsList::SetLabel(int32_t Index, const String& Text)
{
  if (Index < 0)
    return;
  if (Text.isEmpty()) {
    IAnyEmpty = true;
    if (Index < Count())
      FList[Index].clear();
  } else {
    if (Index >= Count())
      FList.resize(Index + 1);
    FList[Index] = Text;
  }
  if (FSeries)
    FSeries->Repaint();
}

void TLabelsList::InsertLabel(int32_t Index, const String& Text)
{
  if (Index < 0)
    return;
  if (Text.isEmpty()) {
    IAnyEmpty = true;
    if (FList.empty())
      return;
  }
  if (Index >= Count())
    FList.resize(Index + 1);
  else
    FList.insert(FList.begin() + Index, String());
  FList[Index] = Text;
}

void TLabelsList::DeleteLabel(int32_t Index)
{
  if (Index >= 0 && Index < Count())
    FList.erase(FList.begin() + Index);
}

int32_t TLabelsList::IndexOfLabel(const String& Text, bool CaseSensitive) const
{
  for (int32_t I = 0; I < Count(); ++I)
    if (FList[I].compare(Text, CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0)
      return I;
  return -1;
}

void TLabelsList::Exchange(int32_t A, int32_t B)
{
  const String LA = GetLabel(A);
  const String LB = GetLabel(B);
  SetLabel(A, LB);
  SetLabel(B, LA);
}

void TLabelsList::Clear()
{
  FList.clear();
  IAnyEmpty = false;
}

void TLabelsList::Assign(const TLabelsList& Source)
{
  Clear();
  for (int32_t I = 0; I < Source.Count(); ++I)
    InsertLabel(I, Source.FList[I]);
  FCaseSensitive = Source.FCaseSensitive;
}

void TLabelsList::SetCaseSensitive(bool Value)
{
  if (FCaseSensitive == Value)
    return;
  FCaseSensitive = Value;
  if (FSeries)
    FSeries->Repaint();
}
