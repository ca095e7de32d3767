#pragma once
// TGridChangeNotifier: a component a grid tells of every rectangle of cells
// that changed (RegisterNotifier); descendants override CellsChanged.
#include "platform/Component.h"
#include "platform/GraphicsTypes.h"

class TGridChangeNotifier : public TComponent {
public:
  explicit TGridChangeNotifier(TComponent* AOwner);
  ~TGridChangeNotifier() override;
  String ClassName() const override;
  // R holds cell coordinates (real columns); the base does nothing.
  virtual void CellsChanged(const TRect& R);
};
