#include "bench/ThreadStats.h"

#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

bool ReadThread(int Tid, TThreadCost& Cost)
{
  const std::string Dir = "/proc/self/task/" + std::to_string(Tid);
  std::ifstream Sched(Dir + "/schedstat");
  if (!(Sched >> Cost.RunNs))
    return false;
  std::ifstream Comm(Dir + "/comm");
  std::getline(Comm, Cost.Name);
  std::ifstream Status(Dir + "/status");
  std::string Line;
  while (std::getline(Status, Line)) {
    std::istringstream In(Line);
    std::string Key;
    uint64_t Value = 0;
    if (!(In >> Key >> Value))
      continue;
    if (Key == "voluntary_ctxt_switches:")
      Cost.Voluntary = Value;
    else if (Key == "nonvoluntary_ctxt_switches:")
      Cost.Involuntary = Value;
  }
  return true;
}

} // namespace

int CurrentTid() { return static_cast<int>(syscall(SYS_gettid)); }

std::map<int, TThreadCost> TakeThreadSnapshot(int Only)
{
  std::map<int, TThreadCost> Out;
  if (Only != 0) {
    TThreadCost C;
    if (ReadThread(Only, C))
      Out[Only] = C;
    return Out;
  }
  DIR* D = opendir("/proc/self/task");
  if (!D)
    return Out;
  while (dirent* E = readdir(D)) {
    const int Tid = std::atoi(E->d_name);
    TThreadCost C;
    if (Tid > 0 && ReadThread(Tid, C))
      Out[Tid] = C;
  }
  closedir(D);
  return Out;
}

std::map<int, TThreadCost> ThreadCostBetween(const std::map<int, TThreadCost>& Before,
                                             const std::map<int, TThreadCost>& After)
{
  std::map<int, TThreadCost> Out;
  for (const auto& [Tid, A] : After) {
    TThreadCost D = A;
    const auto B = Before.find(Tid);
    if (B != Before.end()) {
      D.RunNs -= B->second.RunNs;
      D.Voluntary -= B->second.Voluntary;
      D.Involuntary -= B->second.Involuntary;
    }
    Out[Tid] = D;
  }
  return Out;
}

TThreadCost TotalCost(const std::map<int, TThreadCost>& Costs)
{
  TThreadCost T;
  T.Name = "all threads";
  for (const auto& [Tid, C] : Costs) {
    T.RunNs += C.RunNs;
    T.Voluntary += C.Voluntary;
    T.Involuntary += C.Involuntary;
  }
  return T;
}

std::map<std::string, TThreadCost> CostByName(const std::map<int, TThreadCost>& Costs)
{
  std::map<std::string, TThreadCost> Out;
  for (const auto& [Tid, C] : Costs) {
    TThreadCost& T = Out[C.Name];
    T.Name = C.Name;
    T.RunNs += C.RunNs;
    T.Voluntary += C.Voluntary;
    T.Involuntary += C.Involuntary;
  }
  return Out;
}
