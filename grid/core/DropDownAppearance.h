#pragma once
// The look of the drop-down editors' header and footer, which the grid's
// ControlLook holds and hands to those editors. The editors give them their
// members; the grid only makes and copies them.
#include "platform/Component.h"

class THeaderAppearance : public TPersistent {
public:
  explicit THeaderAppearance(TComponent* AOwner) : FOwner(AOwner) {}
  String ClassName() const override { return QStringLiteral("THeaderAppearance"); }
  // From another header appearance; any other source is ignored.
  void Assign(TPersistent*) override {}

protected:
  TPersistent* GetOwner() const override { return FOwner; }

private:
  TComponent* FOwner;
};

class TFooterAppearance : public TPersistent {
public:
  explicit TFooterAppearance(TComponent* AOwner) : FOwner(AOwner) {}
  String ClassName() const override { return QStringLiteral("TFooterAppearance"); }
  void Assign(TPersistent*) override {}

protected:
  TPersistent* GetOwner() const override { return FOwner; }

private:
  TComponent* FOwner;
};
