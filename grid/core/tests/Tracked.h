#pragma once
// An object that tells whether it was freed, for the tests of who frees
// what.
#include "rtl/Object.h"

class TTracked : public TObject {
public:
  explicit TTracked(bool* Freed) : FFreed(Freed) {}
  ~TTracked() override { *FFreed = true; }

private:
  bool* FFreed;
};
