// SIGINT, SIGTERM and SIGHUP end the program through the ordered shutdown.
#include "MainFormFixture.h"

#include "app/program/TerminationSignals.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

namespace {

// Whether process Pid has a handler installed for Signal: the program is
// ready to be stopped once it has.
bool Catches(qint64 Pid, int Signal)
{
  QFile Status(QStringLiteral("/proc/%1/status").arg(Pid));
  if (!Status.open(QIODevice::ReadOnly))
    return false;
  for (const QByteArray& Line : Status.readAll().split('\n'))
    if (Line.startsWith("SigCgt:")) {
      bool Ok = false;
      const qulonglong Mask = Line.mid(7).trimmed().toULongLong(&Ok, 16);
      return Ok && (Mask & (1ull << (Signal - 1))) != 0;
    }
  return false;
}

} // namespace

TEST(TerminationSignals, ASignalRunsTheHandlerFromTheEventLoop)
{
  EnsureApplication();
  for (const int Signal : {SIGTERM, SIGINT, SIGHUP}) {
    TTerminationSignals Signals;
    QList<int> Seen;
    Signals.OnSignal = [&Seen](int S) { Seen.append(S); };
    ASSERT_EQ(::raise(Signal), 0);
    // Nothing runs inside the signal handler itself.
    EXPECT_TRUE(Seen.isEmpty());
    EXPECT_TRUE(PumpUntil([&Seen] { return !Seen.isEmpty(); }));
    EXPECT_EQ(Seen, QList<int>{Signal});
  }
}

TEST(TerminationSignals, SignalsOnceTheWatchHasEndedChangeNothing)
{
  // The program's watch ends before the process does (the main window and
  // its ports are freed after it); a signal then must not end the process
  // with the default action.
  EnsureApplication();
  {
    const TTerminationSignals Signals;
  }
  for (const int Signal : {SIGTERM, SIGINT, SIGHUP})
    ASSERT_EQ(::raise(Signal), 0);

  // A later watch hears only what comes to it.
  TTerminationSignals Signals;
  QList<int> Seen;
  Signals.OnSignal = [&Seen](int S) { Seen.append(S); };
  ASSERT_EQ(::raise(SIGINT), 0);
  EXPECT_TRUE(PumpUntil([&Seen] { return !Seen.isEmpty(); }));
  EXPECT_EQ(Seen, QList<int>{SIGINT});
}

TEST(TerminationSignals, TheProgramStopsCleanlyAndKeepsItsSettings)
{
  EnsureApplication();
  for (const int Signal : {SIGTERM, SIGINT, SIGHUP}) {
    QTemporaryDir Home;
    ASSERT_TRUE(Home.isValid());
    const String Folder = Home.path() + QStringLiteral("/fathomix");
    ASSERT_TRUE(QDir().mkpath(Folder));
    {
      QFile F(Folder + QStringLiteral("/FATHOMIX.INI"));
      ASSERT_TRUE(F.open(QIODevice::WriteOnly));
      F.write("[Quorndeck]\r\nLocal Density=1001.5\r\nDeck Crane=aft\r\n[Serial 12]\r\nFitted=1\r\nPort=4\r\n");
    }
    QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
    Env.insert(QStringLiteral("XDG_CONFIG_HOME"), Home.path());
    Env.insert(QStringLiteral("XDG_DATA_HOME"), Home.path());
    Env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (int32_t N = 1; N <= 20; ++N)
      Env.insert(QStringLiteral("FATHOMIX_COM%1").arg(N), QStringLiteral("/nonexistent/fathomix-test-port"));
    QProcess Program;
    Program.setProcessEnvironment(Env);
    Program.start(QStringLiteral(FATHOMIX_BINARY), {});
    ASSERT_TRUE(Program.waitForStarted(10000));
    const qint64 Pid = Program.processId();
    ASSERT_TRUE(PumpUntil([Pid, Signal] { return Catches(Pid, Signal); }, 10000));

    ASSERT_EQ(::kill(static_cast<pid_t>(Pid), Signal), 0);
    // Repeated while the program shuts down, as an impatient operator or a
    // supervisor does: they change nothing.
    for (int Repeat = 0; Repeat < 5; ++Repeat)
      ::kill(static_cast<pid_t>(Pid), Repeat % 2 ? SIGINT : SIGTERM);
    ASSERT_TRUE(Program.waitForFinished(20000)) << Signal;
    EXPECT_EQ(Program.exitStatus(), QProcess::NormalExit) << Signal;
    EXPECT_EQ(Program.exitCode(), 0) << Signal;

    QFile F(Folder + QStringLiteral("/FATHOMIX.INI"));
    ASSERT_TRUE(F.open(QIODevice::ReadOnly));
    const QByteArray File = F.readAll();
    EXPECT_TRUE(File.contains("Local Density=1001.5\r\n")) << Signal;
    EXPECT_TRUE(File.contains("Deck Crane=aft\r\n")) << Signal;
    // Written at shutdown: the sections the file lacked.
    EXPECT_TRUE(File.contains("[Serial 19]\r\n")) << Signal;
    // COM4 was missing, so slot 12 ran unfitted, and stays fitted in the file.
    EXPECT_TRUE(File.contains("[Serial 12]\r\nFitted=1\r\n")) << Signal;
  }
}
