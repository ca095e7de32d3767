#pragma once
// Whole-file reads and writes for tests that compare files byte for byte.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

inline QByteArray FileBytes(const QString& Name)
{
  QFile F(Name);
  return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray("<missing>");
}

inline void WriteBytes(const QString& Name, const QByteArray& Data)
{
  QFile F(Name);
  ASSERT_TRUE(F.open(QIODevice::WriteOnly));
  F.write(Data);
}
