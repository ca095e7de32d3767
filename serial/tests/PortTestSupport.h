#pragma once
// Helpers of the tests that run real ports on pseudo-terminals.
#include "rtl/Types.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Sets an environment variable for the length of a test.
class ScopedEnv {
public:
  ScopedEnv(const char* Name, const String& Value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
  std::string FName, FOld;
  bool FHad = false;
};

// Handles the main thread's messages until Done holds or LimitMs pass (a
// bound against hangs, not a timing assertion). Returns Done().
bool PumpUntil(const std::function<bool()>& Done, uint32_t LimitMs = 5000);

// The messages the application was asked to show, collected on the main
// thread (the test application object is created on first use).
std::vector<String>& ShownMessages();

// Waits, without handling a single message, until a worker thread has handed
// the main thread something to run; false when nothing came within
// WaitLimitMs.
bool WaitForHandOver();

// The whole content of a file the code under test wrote; "<missing>" when
// there is none.
AnsiString ReadWholeFile(const String& Name);

// The names the system shows for the threads of this process, sorted.
std::vector<String> ThreadNames();

// How often the thread of this process named Name has gone to sleep so far
// (its voluntary context switches: each one ends in a wake-up); -1 when no
// thread or more than one has that name (one of an earlier test still
// ending, say).
int64_t ThreadSleeps(const String& Name);

// A generous bound on any wait of these tests.
constexpr uint32_t WaitLimitMs = 5000;
