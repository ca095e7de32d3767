#pragma once
// The base of the serial library's non-visual components (the port, the data
// packet): a component with the library's version text.
#include "platform/Component.h"

// The library's version text, "v5.00".
String SioLibraryVersion();

class TSioBaseComponent : public TComponent {
public:
  explicit TSioBaseComponent(TComponent* AOwner);
  ~TSioBaseComponent() override;
  String ClassName() const override;

  // Always "v5.00"; writing is accepted and ignored (never stored in forms).
  String Version() const;
  void SetVersion(const String& Value);
};
