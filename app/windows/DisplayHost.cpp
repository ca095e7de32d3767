#include "app/windows/DisplayHost.h"

IDisplayHost::~IDisplayHost() = default;
