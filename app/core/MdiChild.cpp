#include "app/core/MdiChild.h"

IMdiChild::~IMdiChild() = default;

bool IMdiChild::Appearance(TLayoutAppearance&) const { return false; }
