#pragma once
// Keys and the event queue as a user's input reaches a shown grid: the
// grid's posted messages and Qt's events run after every key, and a key
// goes to whatever has the keyboard (the grid or one of its editors).
#include "platform/Messages.h"

#include <QApplication>
#include <QString>
#include <QTest>

#include <gtest/gtest.h>

inline void PumpInput()
{
  for (int I = 0; I < 3; ++I) {
    ProcessPendingMessages();
    QApplication::processEvents();
  }
}

inline void KeyToFocus(Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier)
{
  QWidget* W = QApplication::focusWidget();
  ASSERT_NE(W, nullptr);
  QTest::keyClick(W, K, M);
  PumpInput();
}

inline void TypeToFocus(const QString& Text)
{
  for (const QChar C : Text) {
    QTest::keyClick(QApplication::focusWidget(), C.toLatin1());
    PumpInput();
  }
}
