#pragma once
// Holds a critical section for one scope.
#include "platform/SyncObjs.h"

class TSectionLock {
public:
  explicit TSectionLock(TCriticalSection& S) : FS(S) { FS.Enter(); }
  ~TSectionLock() { FS.Leave(); }
  TSectionLock(const TSectionLock&) = delete;
  TSectionLock& operator=(const TSectionLock&) = delete;

private:
  TCriticalSection& FS;
};
