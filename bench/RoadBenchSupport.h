// What the two sample-road benchmarks share: the cast they feed and the
// resident-memory reading they print.
#pragma once

#include "rtl/Strings.h"

#include <vector>

// The resident memory of this process in KiB, -1 when it cannot be read.
long ResidentKiB();

// A cast down to 3000 dbar and back up, one profiling-instrument data string
// per 0.5 dbar, so that the samples walk through thousands of depth bins in
// both directions.
std::vector<AnsiString> CastStrings();
