#include "serial/terminal/AdEmuCommandList.h"

#include "platform/Published.h"
#include "rtl/Numbers.h"

namespace {

[[maybe_unused]] const TClassInfo& ParamsItemClass = PublishClass<TAdEmuCommandParamsItem>(
    "TAdEmuCommandParamsItem", "TCollectionItem",
    {
        PropStr("Name", &TAdEmuCommandParamsItem::Name, &TAdEmuCommandParamsItem::SetName),
        PropStr("Value", &TAdEmuCommandParamsItem::Value, &TAdEmuCommandParamsItem::SetValue),
    });
[[maybe_unused]] const TClassInfo& ParamsClass =
    PublishClass<TAdEmuCommandParams>("TAdEmuCommandParams", "TOwnedCollection");
[[maybe_unused]] const TClassInfo& ListItemClass =
    PublishClass<TAdEmuCommandListItem>("TAdEmuCommandListItem", "TCollectionItem");
[[maybe_unused]] const TClassInfo& ListClass = PublishClass<TAdEmuCommandList>("TAdEmuCommandList", "TOwnedCollection");

String BooleanText(bool Value) { return Value ? QStringLiteral("TRUE") : QStringLiteral("FALSE"); }

String ColorText(TColor Value) { return IntToStr(static_cast<int32_t>(Value)); }

} // namespace

// ------------------------------------------------------------ parameters

TAdEmuCommandParamsItem::TAdEmuCommandParamsItem(TCollection* ACollection) : TCollectionItem(ACollection) {}

TAdEmuCommandParamsItem::~TAdEmuCommandParamsItem() = default;

String TAdEmuCommandParamsItem::ClassName() const { return QStringLiteral("TAdEmuCommandParamsItem"); }

void TAdEmuCommandParamsItem::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TAdEmuCommandParamsItem*>(Source)) {
    FName = S->FName;
    FValue = S->FValue;
    return;
  }
  TCollectionItem::Assign(Source);
}

TAdEmuCommandParams::TAdEmuCommandParams(TPersistent* AOwner)
    : TOwnedCollection(AOwner, ClassInfoFor<TAdEmuCommandParamsItem>())
{
}

String TAdEmuCommandParams::ClassName() const { return QStringLiteral("TAdEmuCommandParams"); }

TAdEmuCommandParamsItem* TAdEmuCommandParams::Items(int32_t Index) const
{
  return static_cast<TAdEmuCommandParamsItem*>(TCollection::Items(Index));
}

int32_t TAdEmuCommandParams::FindName(const String& AName) const
{
  if (AName.isEmpty())
    return -1;
  for (int32_t I = 0; I < Count(); ++I)
    if (Items(I)->Name() == AName)
      return I;
  return -1;
}

const TAdEmuCommandParamsItem* TAdEmuCommandParams::Find(const String& AName, int32_t APosition) const
{
  const int32_t I = FindName(AName);
  if (I >= 0)
    return Items(I);
  if (APosition >= 0 && APosition < Count())
    return Items(APosition);
  return nullptr;
}

bool TAdEmuCommandParams::GetBooleanValue(const String& AName, int32_t APosition, bool ADefault) const
{
  const TAdEmuCommandParamsItem* P = Find(AName, APosition);
  if (!P)
    return ADefault;
  const String V = P->Value().toLower();
  for (const char* T : {"t", "true", "1", "on", "yes"})
    if (V == QLatin1String(T))
      return true;
  for (const char* F : {"f", "false", "0", "off", "no"})
    if (V == QLatin1String(F))
      return false;
  return ADefault;
}

int32_t TAdEmuCommandParams::GetIntegerValue(const String& AName, int32_t APosition, int32_t ADefault) const
{
  const TAdEmuCommandParamsItem* P = Find(AName, APosition);
  int32_t V;
  return P && TryStrToInt(P->Value(), V) ? V : ADefault;
}

TColor TAdEmuCommandParams::GetTColorValue(const String& AName, int32_t APosition, TColor ADefault) const
{
  const TAdEmuCommandParamsItem* P = Find(AName, APosition);
  int32_t V;
  return P && TryStrToInt(P->Value(), V) ? static_cast<TColor>(V) : ADefault;
}

String TAdEmuCommandParams::GetStringValue(const String& AName, int32_t APosition, const String& ADefault) const
{
  const TAdEmuCommandParamsItem* P = Find(AName, APosition);
  return P ? P->Value() : ADefault;
}

// ------------------------------------------------------------ commands

TAdEmuCommandListItem::TAdEmuCommandListItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FParams(std::make_unique<TAdEmuCommandParams>(this))
{
}

TAdEmuCommandListItem::~TAdEmuCommandListItem() = default;

String TAdEmuCommandListItem::ClassName() const { return QStringLiteral("TAdEmuCommandListItem"); }

void TAdEmuCommandListItem::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TAdEmuCommandListItem*>(Source)) {
    FCommand = S->FCommand;
    FParams->Assign(S->FParams.get());
    return;
  }
  TCollectionItem::Assign(Source);
}

void TAdEmuCommandListItem::AddNamedStringArg(const String& AName, const String& Value)
{
  auto* P = static_cast<TAdEmuCommandParamsItem*>(FParams->Add());
  P->SetName(AName);
  P->SetValue(Value);
}

void TAdEmuCommandListItem::AddBooleanArg(bool Value) { AddNamedStringArg(String(), BooleanText(Value)); }

void TAdEmuCommandListItem::AddIntegerArg(int32_t Value) { AddNamedStringArg(String(), IntToStr(Value)); }

void TAdEmuCommandListItem::AddTColorArg(TColor Value) { AddNamedStringArg(String(), ColorText(Value)); }

void TAdEmuCommandListItem::AddStringArg(const String& Value) { AddNamedStringArg(String(), Value); }

void TAdEmuCommandListItem::AddNamedBooleanArg(const String& AName, bool Value)
{
  AddNamedStringArg(AName, BooleanText(Value));
}

void TAdEmuCommandListItem::AddNamedIntegerArg(const String& AName, int32_t Value)
{
  AddNamedStringArg(AName, IntToStr(Value));
}

void TAdEmuCommandListItem::AddNamedTColorArg(const String& AName, TColor Value)
{
  AddNamedStringArg(AName, ColorText(Value));
}

TAdEmuCommandList::TAdEmuCommandList(TPersistent* AOwner)
    : TOwnedCollection(AOwner, ClassInfoFor<TAdEmuCommandListItem>())
{
}

String TAdEmuCommandList::ClassName() const { return QStringLiteral("TAdEmuCommandList"); }

TAdEmuCommandListItem* TAdEmuCommandList::Items(int32_t Index) const
{
  return static_cast<TAdEmuCommandListItem*>(TCollection::Items(Index));
}

TAdEmuCommandListItem* TAdEmuCommandList::AddCommand(TAdEmuCommand ACommand)
{
  auto* Item = static_cast<TAdEmuCommandListItem*>(Add());
  Item->SetCommand(ACommand);
  return Item;
}
