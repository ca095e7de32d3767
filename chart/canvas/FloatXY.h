#pragma once
// Persistent floating points with change notification: the offset of a map
// series, the position of the 3D text tool. Published X, Y (and Z), each
// stored only when it differs from the owner's per-instance default.
#include "platform/GraphicsTypes.h"
#include "platform/Component.h"
#include "platform/Events.h"

class TFloatXY : public TPersistent {
public:
  explicit TFloatXY(TNotifyEvent AOnChange = {});
  ~TFloatXY() override;
  String ClassName() const override;
  // X and Y from another point, without notification.
  void Assign(TPersistent* Source) override;

  float X() const { return FX; }
  void SetX(float Value);
  float Y() const { return FY; }
  void SetY(float Value);
  TPointFloat Point() const { return TPointFloat{FX, FY}; }
  bool IsXStored() const { return FX != IDefaultX; }
  bool IsYStored() const { return FY != IDefaultY; }

  TNotifyEvent FOnChange;
  float IDefaultX = 0;
  float IDefaultY = 0;

protected:
  void Changed();
  float FX = 0;
  float FY = 0;
};

class TFloatXYZ : public TFloatXY {
public:
  explicit TFloatXYZ(TNotifyEvent AOnChange = {});
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  float Z() const { return FZ; }
  void SetZ(float Value);
  TPoint3DFloat Point() const { return TPoint3DFloat{FX, FY, FZ}; }
  bool IsZStored() const { return FZ != IDefaultZ; }

  float IDefaultZ = 0;

private:
  float FZ = 0;
};
