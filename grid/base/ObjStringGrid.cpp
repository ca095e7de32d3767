#include "grid/base/ObjStringGrid.h"

#include "platform/Published.h"

namespace {

[[maybe_unused]] const TClassInfo& ObjStringGridClass = PublishClass<TObjStringGrid>("TObjStringGrid", "TStringGrid");

} // namespace

TObjStringGrid::TObjStringGrid(TComponent* AOwner) : TStringGrid(AOwner) {}
TObjStringGrid::~TObjStringGrid() = default;
String TObjStringGrid::ClassName() const { return QStringLiteral("TObjStringGrid"); }
