#pragma once
// The framework's string grid as the grid library stands on it: nothing of
// its own, it only republishes the framework grid's properties.
#include "platform/Grids.h"

class TObjStringGrid : public TStringGrid {
public:
  explicit TObjStringGrid(TComponent* AOwner);
  ~TObjStringGrid() override;
  String ClassName() const override;
};
