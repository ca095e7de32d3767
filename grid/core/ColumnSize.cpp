#include "grid/core/ColumnSize.h"

#include "grid/core/ZurEvoderOzod.h"
#include "platform/Published.h"

namespace {

const TEnumInfo ColumnSizeLocationInfo("TColumnSizeLocation", {"clRegistry", "clIniFile"});
const TEnumInfo AutoSizeRowsInfo("TAutoSizeRows", {"arAll", "arNormal", "arFixed", "arVisible"});
using C = TColumnSize;
[[maybe_unused]] const TClassInfo& ColumnSizeClass =
    PublishClass<C>("TColumnSize", "TPersistent",
                    {
                        PropBool("Save", &C::Save, &C::SetSave, false),
                        PropStr("Key", &C::Key, &C::SetKey),
                        PropStr("Section", &C::Section, &C::SetSection),
                        PropEnum("Location", &C::Location, &C::SetLocation, ColumnSizeLocationInfo, clRegistry),
                        PropBool("Stretch", &C::Stretch, &C::SetStretch, false),
                        PropBool("StretchAll", &C::StretchAll, &C::SetStretchAll, false),
                        PropInt("StretchColumn", &C::StretchColumn, &C::SetStretchColumn, -1),
                        PropBool("SynchWithGrid", &C::SynchWithGrid, &C::SetSynchWithGrid, false),
                        PropBool("SynchNormalCellsOnly", &C::SynchNormalCellsOnly, &C::SetSynchNormalCellsOnly, false),
                        PropEnum("Rows", &C::Rows, &C::SetRows, AutoSizeRowsInfo, arAll),
                    });

using W = TSizeWhileTyping;
[[maybe_unused]] const TClassInfo& SizeWhileTypingClass =
    PublishClass<W>("TSizeWhileTyping", "TPersistent",
                    {
                        PropBool("Height", &W::Height, &W::SetHeight, false),
                        PropBool("Width", &W::Width, &W::SetWidth, false),
                    });

} // namespace

TColumnSize::TColumnSize(TComponent* AOwner) : FOwner(AOwner) {}
TColumnSize::~TColumnSize() = default;
String TColumnSize::ClassName() const { return QStringLiteral("TColumnSize"); }

void TColumnSize::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TColumnSize*>(Source);
  if (!S)
    return;
  FRows = S->FRows;
  FSave = S->FSave;
  FKey = S->FKey;
  FSection = S->FSection;
  FStretch = S->FStretch;
  FStretchColumn = S->FStretchColumn;
  FSynchWithGrid = S->FSynchWithGrid;
  FSynchNormalCellsOnly = S->FSynchNormalCellsOnly;
  FLocation = S->FLocation;
}

void TColumnSize::SetStretch(bool Value)
{
  FStretch = Value;
  auto* Grid = dynamic_cast<TZurEvoderOzod*>(FOwner);
  if (Grid && Grid->Parent())
    Grid->StretchColumn(FStretchColumn, -1);
}

void TColumnSize::SetStretchAll(bool Value)
{
  if (Value == FStretchAll)
    return;
  if (Value)
    FStretchColumn = -1;
  FStretchAll = Value;
  if (auto* Grid = dynamic_cast<TZurEvoderOzod*>(FOwner))
    Grid->StretchColumn(FStretchColumn, -1);
}

TSizeWhileTyping::TSizeWhileTyping() = default;
TSizeWhileTyping::~TSizeWhileTyping() = default;
String TSizeWhileTyping::ClassName() const { return QStringLiteral("TSizeWhileTyping"); }
