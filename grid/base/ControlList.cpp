#include "grid/base/ControlList.h"

#include "platform/Controls.h"
#include "rtl/Exceptions.h"

TControlList::TControlList() = default;
TControlList::~TControlList() { ClearControls(); }

String TControlList::ClassName() const { return QStringLiteral("TControlList"); }

void TControlList::AddControl(int32_t X, int32_t Y, TControl* AObject)
{
  FItems.push_back(std::make_unique<TControlItem>(TControlItem{X, Y, AObject}));
}

int32_t TControlList::ControlIndex(int32_t X, int32_t Y) const
{
  for (size_t I = 0; I < FItems.size(); ++I)
    if (FItems[I]->FX == X && FItems[I]->FY == Y)
      return static_cast<int32_t>(I);
  return -1;
}

TControlItem* TControlList::GetControl(int32_t Index) const
{
  if (Index < 0 || Index >= Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FItems[static_cast<size_t>(Index)].get();
}

void TControlList::RemoveControl(int32_t Index)
{
  GetControl(Index);
  FItems.erase(FItems.begin() + Index);
}

void TControlList::ClearControls() { FItems.clear(); }

bool TControlList::HasHandle(const QWidget* Handle) const
{
  if (!Handle)
    return false;
  for (const auto& Item : FItems) {
    auto* Win = dynamic_cast<TWinControl*>(Item->FObject);
    if (Win && Win->WidgetOrNull() == Handle)
      return true;
  }
  return false;
}
