#include "grid/edit/GridEditHost.h"

TGridEditHost::~TGridEditHost() = default;
