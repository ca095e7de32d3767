// What each thread of this process has cost so far, from the kernel's
// scheduler statistics: time on the processor (ns, exact, not sampled from
// clock ticks) and context switches (voluntary: the thread waited;
// involuntary: it was preempted). A snapshot before and one after a run give
// the cost of the run per thread.
#pragma once

#include <cstdint>
#include <map>
#include <string>

struct TThreadCost {
  std::string Name; // the thread's name (comm) when the later snapshot was taken
  uint64_t RunNs = 0;
  uint64_t Voluntary = 0;
  uint64_t Involuntary = 0;
  uint64_t Switches() const { return Voluntary + Involuntary; }
};

// Thread id -> its cost so far; only is the one thread when not 0.
std::map<int, TThreadCost> TakeThreadSnapshot(int Only = 0);

// After minus Before per thread (a thread born meanwhile counts from 0; one
// that ended meanwhile is lost, so measure while the threads of interest run).
std::map<int, TThreadCost> ThreadCostBetween(const std::map<int, TThreadCost>& Before,
                                             const std::map<int, TThreadCost>& After);

// The sum over threads.
TThreadCost TotalCost(const std::map<int, TThreadCost>& Costs);

// The costs summed per thread name (threads of one name: "COM1 read" of
// several runs, or unnamed threads that carry the program's name).
std::map<std::string, TThreadCost> CostByName(const std::map<int, TThreadCost>& Costs);

// The kernel's id of the calling thread.
int CurrentTid();
