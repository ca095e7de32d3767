#include "grid/core/GridItem.h"

#include "platform/Published.h"
#include "rtl/StringList.h"

namespace {

[[maybe_unused]] const TClassInfo& GridItemClass =
    PublishClass<TGridItem>("TGridItem", "TCollectionItem",
                            {
                                PropInt("Idx", &TGridItem::Idx, &TGridItem::SetIdx),
                                PropInt("Height", &TGridItem::Height, &TGridItem::SetHeight),
                                PropInt("Level", &TGridItem::Level, &TGridItem::SetLevel),
                                PropStrings("Items", &TGridItem::Items),
                            });

} // namespace

TGridItem::TGridItem(TCollection* ACollection) : TCollectionItem(ACollection), FItems(std::make_unique<TStringList>())
{
}

TGridItem::~TGridItem() = default;

String TGridItem::ClassName() const { return QStringLiteral("TGridItem"); }

void TGridItem::SetItems(TStringList* Value)
{
  if (Value)
    FItems->Assign(*Value);
  else
    FItems->Clear();
}
