#include "serial/SioBaseComponent.h"

namespace {
const char* const LibraryVersion = "v5.00";
}

TSioBaseComponent::TSioBaseComponent(TComponent* AOwner) : TComponent(AOwner) {}

TSioBaseComponent::~TSioBaseComponent() = default;

String TSioBaseComponent::ClassName() const { return QStringLiteral("TSioBaseComponent"); }

String SioLibraryVersion() { return QString::fromLatin1(LibraryVersion); }

String TSioBaseComponent::Version() const { return SioLibraryVersion(); }

void TSioBaseComponent::SetVersion(const String&) {}
