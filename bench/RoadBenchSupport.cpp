#include "bench/RoadBenchSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

long ResidentKiB()
{
  std::ifstream Status("/proc/self/status");
  std::string Line;
  while (std::getline(Status, Line))
    if (Line.rfind("VmRSS:", 0) == 0)
      return std::strtol(Line.c_str() + 6, nullptr, 10);
  return -1;
}

std::vector<AnsiString> CastStrings()
{
  std::vector<AnsiString> Lines;
  const int Steps = 6000;
  for (int I = 0; I < 2 * Steps; ++I) {
    const int Step = I < Steps ? I : 2 * Steps - 1 - I;
    const double P = 0.5 * Step + 0.25;
    const double T = 15.0 - P / 300.0;
    const double C = 45.0 - P / 1000.0;
    const double SV = 1500.0 + P / 60.0;
    const double Alt = 3000.0 - P;
    char Buf[160];
    std::snprintf(Buf, sizeof Buf, "%.3f\tm/s\t%.3f\tdBar\t%.3f\tC\t%.2f\tm\t%.3f\tmS/cm\t", SV, P, T, Alt, C);
    Lines.emplace_back(Buf);
  }
  return Lines;
}
