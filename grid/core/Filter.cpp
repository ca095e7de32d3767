#include "grid/core/Filter.h"

#include "platform/Published.h"

namespace {

const TEnumInfo FilterOperationInfo("TFilterOperation", {"foSHORT", "foNONE", "foAND", "foXOR", "foOR"});
const TEnumInfo FilterCellsInfo("TFilterCells", {"fcVirtual", "fcNormal", "fcStripHTML", "fcCalculated", "fcRow"});
const TEnumInfo FilterMethodInfo("TFilterMethod", {"fmExpression", "fmLiteral"});

using D = TFilterData;
[[maybe_unused]] const TClassInfo& FilterDataClass =
    PublishClass<D>("TFilterData", "TCollectionItem",
                    {
                        PropInt("Column", &D::Column, &D::SetColumn),
                        PropStr("Condition", &D::Condition, &D::SetCondition),
                        PropBool("CaseSensitive", &D::CaseSensitive, &D::SetCaseSensitive, true),
                        PropEnum("Data", &D::Data, &D::SetData, FilterCellsInfo, fcVirtual),
                        PropBool("Enabled", &D::Enabled, &D::SetEnabled, true),
                        PropStr("Prefix", &D::Prefix, &D::SetPrefix),
                        PropStr("Suffix", &D::Suffix, &D::SetSuffix),
                        PropEnum("Operation", &D::Operation, &D::SetOperation, FilterOperationInfo),
                        PropEnum("Method", &D::Method, &D::SetMethod, FilterMethodInfo),
                        PropBool("RemoveAccented", &D::RemoveAccented, &D::SetRemoveAccented, false),
                    });

[[maybe_unused]] const TClassInfo& FilterClass = PublishClass<TFilter>("TFilter", "TOwnedCollection");

} // namespace

TFilterData::TFilterData(TCollection* ACollection) : TCollectionItem(ACollection) {}
TFilterData::~TFilterData() = default;
String TFilterData::ClassName() const { return QStringLiteral("TFilterData"); }

void TFilterData::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TFilterData*>(Source);
  if (!S) {
    TCollectionItem::Assign(Source);
    return;
  }
  FColumn = S->FColumn;
  FCondition = S->FCondition;
  FCaseSensitive = S->FCaseSensitive;
  FData = S->FData;
  FPrefix = S->FPrefix;
  FSuffix = S->FSuffix;
  FOperation = S->FOperation;
  FRemoveAccented = S->FRemoveAccented;
}

void TFilterData::BuildCondition(const String& Text)
{
  const String S = Text.contains(u' ') ? u'"' + Text + u'"' : Text;
  switch (FFilterType) {
  case ftStartsWith:
    FCondition = S + u'*';
    break;
  case ftEndsWith:
    FCondition = u'*' + S;
    break;
  case ftContains:
    FCondition = u'*' + S + u'*';
    break;
  case ftNotContains:
    FCondition = QStringLiteral("!*") + S + u'*';
    break;
  case ftEqual:
    FCondition = S;
    break;
  case ftNotEqual:
    FCondition = u'!' + S;
    break;
  case ftLargerThan:
    FCondition = u'>' + S;
    break;
  case ftSmallerThan:
    FCondition = u'<' + S;
    break;
  case ftClear:
  case ftNone:
    break;
  }
}

TFilter::TFilter(TComponent* AOwner) : TOwnedCollection(AOwner, ClassInfoFor<TFilterData>()), FOwner(AOwner) {}
TFilter::~TFilter() = default;
String TFilter::ClassName() const { return QStringLiteral("TFilter"); }

TFilterData* TFilter::Add()
{
  auto* Item = static_cast<TFilterData*>(TCollection::Add());
  Item->SetOperation(Count() == 1 ? foNONE : foAND);
  return Item;
}

TFilterData* TFilter::Items(int32_t Index) const { return static_cast<TFilterData*>(TCollection::Items(Index)); }

TFilterData* TFilter::GetColFilter(int32_t Col)
{
  for (int32_t I = 0; I < Count(); ++I)
    if (Items(I)->Column() == Col)
      return Items(I);
  TFilterData* Item = Add();
  Item->SetColumn(static_cast<int16_t>(Col));
  return Item;
}

void TFilter::RemoveColumnFilter(int32_t Col)
{
  for (int32_t I = Count() - 1; I >= 0; --I)
    if (Items(I)->Column() == Col)
      Delete(I);
  if (RepaintHeader)
    RepaintHeader(Col, 0);
}

bool TFilter::HasFilter(int32_t Col) const
{
  for (int32_t I = 0; I < Count(); ++I)
    if (Items(I)->Column() == Col)
      return true;
  return false;
}

bool TFilter::HasOtherFilter(int32_t Col) const
{
  for (int32_t I = 0; I < Count(); ++I)
    if (Items(I)->Column() != Col)
      return true;
  return false;
}

TFilterType TFilter::HasFilterType(int32_t Col) const
{
  for (int32_t I = 0; I < Count(); ++I)
    if (Items(I)->Column() == Col)
      return Items(I)->FilterType();
  return ftContains;
}

void TFilter::Update(TCollectionItem* Item)
{
  TOwnedCollection::Update(Item);
  const bool Destroying = FOwner && (FOwner->ComponentState() & csDestroying);
  if (RepaintHeader && !Destroying)
    RepaintHeader(-1, 0);
}
