#include "platform/Sound.h"

#include <QApplication>

#include <atomic>

namespace {
std::atomic<uint32_t> Beeps{0};
}

void MessageBeep(uint32_t)
{
  ++Beeps;
  if (qobject_cast<QApplication*>(QCoreApplication::instance()))
    QApplication::beep();
}

uint32_t MessageBeepCount() { return Beeps.load(); }
