#pragma once
// The timer component: OnTimer every Interval milliseconds while Enabled.
//
// It fires from the event loop of the thread that created it (the main
// thread: create and use timers there), that is inside Application->Run, a
// modal dialog, or any pump or wait of this layer. A handler that pumps is not
// re-entered by its own timer. Timers need the Qt application object.
#include "platform/Component.h"
#include "platform/Events.h"

#include <cstdint>
#include <memory>

class QTimer;

class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  String ClassName() const override;

  bool Enabled() const { return FEnabled; }
  // Setting true starts the interval afresh, also on a running timer: that is
  // how a reply watchdog is re-armed.
  void SetEnabled(bool Value);
  uint32_t Interval() const { return FInterval; }
  // A changed interval starts afresh; 0 stops the timer.
  void SetInterval(uint32_t Value);
  // Milliseconds until the next OnTimer; -1 when the timer is not running.
  int32_t RemainingTime() const;

  TNotifyEvent OnTimer;

private:
  void UpdateTimer();
  void Timer();

  std::unique_ptr<QTimer> FTimer;
  uint32_t FInterval = 1000;
  bool FEnabled = true;
};
