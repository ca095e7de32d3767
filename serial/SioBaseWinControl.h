#pragma once
// The base of the serial library's window controls (the terminal): a
// control that paints itself, with the library's version text.
#include "platform/Controls.h"

class TSioBaseWinControl : public TCustomControl {
public:
  explicit TSioBaseWinControl(TComponent* AOwner);
  ~TSioBaseWinControl() override;
  String ClassName() const override;

  // Always "v5.00"; writing is accepted and ignored (never stored in forms).
  String Version() const;
  void SetVersion(const String& Value);
};
