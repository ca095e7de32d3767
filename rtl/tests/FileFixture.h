#pragma once
// Whole-file reads and writes for tests that compare files byte for byte.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A FIFO at a path, for code that must refuse a settings or data file that
// is not a regular file. A reader that opens it anyway blocks until a
// writer comes; should one still be blocked after a generous while, a
// writer opens and closes the far end and says so (BlockedAReader), so that
// the test fails on its checks instead of hanging.
class TFifo {
public:
  explicit TFifo(const QString& Path) : FPath(QFile::encodeName(Path))
  {
    Made = ::mkfifo(FPath.constData(), 0600) == 0;
    FRelease = std::thread([this] {
      std::unique_lock<std::mutex> Lock(FLock);
      if (FDone.wait_for(Lock, std::chrono::seconds(10), [this] { return FStop; }))
        return;
      // Fails (ENXIO) unless a reader is waiting.
      const int Fd = ::open(FPath.constData(), O_WRONLY | O_NONBLOCK);
      if (Fd >= 0) {
        FBlocked = true;
        ::close(Fd);
      }
    });
  }
  ~TFifo()
  {
    {
      const std::lock_guard<std::mutex> Lock(FLock);
      FStop = true;
    }
    FDone.notify_all();
    FRelease.join();
  }
  TFifo(const TFifo&) = delete;
  TFifo& operator=(const TFifo&) = delete;

  bool Made = false;
  // Whether a reader had to be let go.
  bool BlockedAReader() const { return FBlocked; }

private:
  std::atomic<bool> FBlocked{false};
  QByteArray FPath;
  std::mutex FLock;
  std::condition_variable FDone;
  bool FStop = false;
  std::thread FRelease;
};
