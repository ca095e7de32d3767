// What the two serial benchmarks share: their argument reading, the process's
// processor time and the percentiles they print.
#pragma once

#include <vector>

// When Argv[I] is Name, reads the number after it into Value (exiting with a
// message when it is missing or outside Min..Max) and returns true.
bool ReadArg(int Argc, char** Argv, int& I, const char* Name, int Min, int Max, int& Value);

// User + system time of this process so far, in seconds.
double CpuSeconds();

// The value at fraction P (0..1) of V sorted; V must not be empty.
double Percentile(std::vector<double> V, double P);
