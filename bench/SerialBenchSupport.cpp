#include "bench/SerialBenchSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>

bool ReadArg(int Argc, char** Argv, int& I, const char* Name, int Min, int Max, int& Value)
{
  if (std::strcmp(Argv[I], Name) != 0)
    return false;
  if (I + 1 >= Argc) {
    std::fprintf(stderr, "%s needs a number\n", Name);
    std::exit(2);
  }
  char* End = nullptr;
  const long V = std::strtol(Argv[++I], &End, 10);
  if (*End != '\0' || V < Min || V > Max) {
    std::fprintf(stderr, "%s must be %d to %d\n", Name, Min, Max);
    std::exit(2);
  }
  Value = int(V);
  return true;
}

double CpuSeconds()
{
  rusage U{};
  getrusage(RUSAGE_SELF, &U);
  return double(U.ru_utime.tv_sec + U.ru_stime.tv_sec) + double(U.ru_utime.tv_usec + U.ru_stime.tv_usec) / 1e6;
}

double Percentile(std::vector<double> V, double P)
{
  std::sort(V.begin(), V.end());
  const size_t I = std::min(V.size() - 1, size_t(P * double(V.size() - 1) + 0.5));
  return V[I];
}
