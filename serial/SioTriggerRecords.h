#pragma once
// The handler records of TSioBaseDispatcher, shared by its source files.
#include "serial/SioBaseDispatcher.h"

struct TSioBaseDispatcher::TWndTriggerHandler {
  uint32_t thWnd = 0;
  bool thDeleted = false;
};

struct TSioBaseDispatcher::TProcTriggerHandler {
  TSioNotifyProc thNotify = nullptr;
  bool thDeleted = false;
};

struct TSioBaseDispatcher::TEventTriggerHandler {
  TSioNotifyEvent thNotify;
  bool thDeleted = false;
  bool thSync = false;
};
