#include "platform/Timer.h"

#include "platform/Application.h"
#include "rtl/Exceptions.h"

#include <QTimer>

#include <algorithm>

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FTimer(std::make_unique<QTimer>())
{
  // Interval and watchdog timers count whole seconds; a coarse timer could
  // fire 5 % early.
  FTimer->setTimerType(Qt::PreciseTimer);
  QObject::connect(FTimer.get(), &QTimer::timeout, [this] { Timer(); });
  UpdateTimer();
}

TTimer::~TTimer() = default;

String TTimer::ClassName() const { return QStringLiteral("TTimer"); }

void TTimer::SetEnabled(bool Value)
{
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(uint32_t Value)
{
  if (Value == FInterval)
    return;
  FInterval = Value;
  UpdateTimer();
}

int32_t TTimer::RemainingTime() const { return FTimer->isActive() ? FTimer->remainingTime() : -1; }

void TTimer::UpdateTimer()
{
  FTimer->stop();
  if (FEnabled && FInterval > 0)
    FTimer->start(static_cast<int>(std::min<uint32_t>(FInterval, INT32_MAX)));
}

void TTimer::Timer()
{
  if (!OnTimer)
    return;
  // Qt's event loop must not see an exception; the application reports it
  // as it would one from a window procedure.
  try {
    OnTimer(this);
  } catch (const std::exception& E) {
    HandleApplicationException(E);
  } catch (...) {
    HandleApplicationException(Exception(QStringLiteral("Unknown exception in a timer handler")));
  }
}
