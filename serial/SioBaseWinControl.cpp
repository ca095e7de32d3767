#include "serial/SioBaseWinControl.h"

#include "serial/SioBaseComponent.h"

TSioBaseWinControl::TSioBaseWinControl(TComponent* AOwner) : TCustomControl(AOwner) {}

TSioBaseWinControl::~TSioBaseWinControl() = default;

String TSioBaseWinControl::ClassName() const { return QStringLiteral("TSioBaseWinControl"); }

String TSioBaseWinControl::Version() const { return SioLibraryVersion(); }

void TSioBaseWinControl::SetVersion(const String&) {}
