// The trace and dispatch log of a dispatcher, dumped to files.
#include "FakeDispatcher.h"
#include "PortTestSupport.h"
#include "TestClock.h"
#include "serial/SioErrors.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

class Dumps : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Dir.isValid());
    ASSERT_EQ(D.Open(), ecOK);
  }
  String File(const char* Name) const { return Dir.filePath(QString::fromLatin1(Name)); }
  // The device receives Bytes and a reader takes them, as the port would.
  void ReceiveAndRead(const AnsiString& Bytes)
  {
    D.Receive(Bytes);
    AnsiString Got(Bytes.size(), '\0');
    ASSERT_EQ(D.GetBlock(Got.data(), uint32_t(Got.size())), int32_t(Got.size()));
  }

  QTemporaryDir Dir;
  TFakeDispatcher D;
};

} // namespace

TEST_F(Dumps, TraceShowsReceivedThenSentBytes)
{
  ASSERT_EQ(D.InitTracing(100), ecOK);
  ReceiveAndRead("AB");
  D.PutString("C");
  ASSERT_EQ(D.DumpTrace(File("t.trc"), false, false), ecOK);
  EXPECT_EQ(ReadWholeFile(File("t.trc")), AnsiString("Receive: \r\nAB\r\n\r\nTransmit: \r\nC"));
}

TEST_F(Dumps, TraceByteFormats)
{
  const struct {
    AnsiString Bytes;
    bool InHex, AllHex;
    const char* Shown;
  } Cases[] = {
      {" ", false, false, " "},
      {" ", true, false, "[20]"},
      {"\xc8", false, false, "[200]"},
      {"\xc8", true, false, "[C8]"},
      {AnsiString(1, '\0'), false, false, "[0]"},
      {"\x05\r", false, false, "[5][13]"},
      {"\x7f~!", false, false, "[127]~!"},
      {"\x7f", true, false, "[7F]"},
      {"Az", false, true, "[41][7A]"},
  };
  for (const auto& C : Cases) {
    ASSERT_EQ(D.InitTracing(100), ecOK);
    ReceiveAndRead(C.Bytes);
    ASSERT_EQ(D.DumpTrace(File("f.trc"), C.InHex, C.AllHex), ecOK);
    EXPECT_EQ(ReadWholeFile(File("f.trc")), AnsiString("Receive: \r\n") + C.Shown) << C.Shown;
  }
}

TEST_F(Dumps, TraceLinesWrapAt78Columns)
{
  ASSERT_EQ(D.InitTracing(1000), ecOK);
  ReceiveAndRead(AnsiString(100, 'x'));
  D.PutString(AnsiString(30, '\x01'));
  ASSERT_EQ(D.DumpTrace(File("w.trc"), false, false), ecOK);
  // 26 items of width 3 fill 78 columns.
  const AnsiString Sent = QByteArray("[1]").repeated(26) + "\r\n" + QByteArray("[1]").repeated(4);
  EXPECT_EQ(ReadWholeFile(File("w.trc")),
            "Receive: \r\n" + AnsiString(78, 'x') + "\r\n" + AnsiString(22, 'x') + "\r\n\r\nTransmit: \r\n" + Sent);
}

TEST_F(Dumps, TraceKeepsTheLastEntriesOfItsRing)
{
  ASSERT_EQ(D.InitTracing(10), ecOK);
  ASSERT_EQ(D.InitTracing(50), ecOK) << "a second init keeps the first size";
  ReceiveAndRead("abcdefghijklmno");
  ASSERT_EQ(D.DumpTrace(File("r.trc"), false, false), ecOK);
  EXPECT_EQ(ReadWholeFile(File("r.trc")), AnsiString("Receive: \r\nfghijklmno"));
  ReceiveAndRead("abcdefghijk");
  D.AddTraceEntry('E', '!');
  ASSERT_EQ(D.DumpTrace(File("r.trc"), false, false), ecOK);
  EXPECT_EQ(ReadWholeFile(File("r.trc")), AnsiString("Receive: \r\ncdefghijk\r\n\r\nSpecial-E: \r\n!"));
}

TEST_F(Dumps, TraceDumpEmptiesTheRingAndGoesOn)
{
  ASSERT_EQ(D.InitTracing(100), ecOK);
  ReceiveAndRead("one");
  ASSERT_EQ(D.DumpTrace(File("a.trc"), false, false), ecOK);
  EXPECT_TRUE(D.TracingActive());
  EXPECT_EQ(D.DumpTrace(File("empty.trc"), false, false), ecOK);
  EXPECT_FALSE(QFile::exists(File("empty.trc"))) << "nothing traced: no file";
  ReceiveAndRead("two");
  ASSERT_EQ(D.AppendTrace(File("a.trc"), false, false), ecOK);
  EXPECT_EQ(ReadWholeFile(File("a.trc")), AnsiString("Receive: \r\noneReceive: \r\ntwo"));
}

TEST_F(Dumps, TraceFileErrorsDiscardTheTrace)
{
  EXPECT_EQ(D.InitTracing(4000001), ecBadArgument);
  EXPECT_EQ(D.InitTracing(0), ecBadArgument);
  ASSERT_EQ(D.InitTracing(100), ecOK);
  ReceiveAndRead("x");
  EXPECT_LT(D.DumpTrace(File("no/such/dir/t.trc"), false, false), 0);
  EXPECT_FALSE(D.TracingActive());
  EXPECT_EQ(D.DumpTrace(File("t.trc"), false, false), ecOK);
  EXPECT_FALSE(QFile::exists(File("t.trc")));
}

TEST_F(Dumps, LogLinesAndTheirFields)
{
  TManualClock Clock(1000000);
  TFakeDispatcher L;
  L.DeviceName = QStringLiteral("\\\\.\\COM7");
  ASSERT_EQ(L.Open(), ecOK);
  L.InitDispatchLogging(0);
  Clock.Advance(1234);
  L.AddStringToLog("hi");
  Clock.Advance(12345678 - 1234);
  const uint8_t Sent = StatusOutSent;
  L.AddDispatchEntry(dtTriggerAlloc, dstStatusTrigger, 0x2D, &Sent, 1);
  L.AddDispatchEntry(dtTelnet, dstNone, 24, nullptr, 0);
  L.AddDispatchEntry(dtDispatch, dstModemStatus, 0x31, "\x01", 1);
  L.AddDispatchEntry(dtDispatch, dstReadCom, 3, "a\r\xc8", 3);
  ASSERT_EQ(L.DumpDispatchLog(File("d.log"), false, false), ecOK);
  const QList<QByteArray> Lines = ReadWholeFile(File("d.log")).split('\n');
  ASSERT_EQ(Lines.size(), 13);
  EXPECT_EQ(Lines[0], "TELV v5.00\r");
  EXPECT_TRUE(Lines[1].startsWith("Compiler : "));
  EXPECT_TRUE(Lines[2].startsWith("Operating System : "));
  EXPECT_EQ(Lines[3], "Device: \\\\.\\COM7\r");
  EXPECT_TRUE(QString::fromLatin1(Lines[4]).contains(
      QRegularExpression(QStringLiteral("^Date/time: \\d\\d/\\d\\d/\\d\\d, \\d\\d:\\d\\d:\\d\\d\r$"))))
      << Lines[4].constData();
  EXPECT_EQ(Lines[5], "Time      Type      SubType       Data      OtherData\r");
  EXPECT_EQ(Lines[6], "--------  --------  ------------  --------  ---------\r");
  EXPECT_EQ(Lines[7], "0001.234  User                    00000000  hi\r");
  EXPECT_EQ(Lines[8], "12345.678  TrigAllc  Status        0000002D  (Output sent)\r");
  EXPECT_EQ(Lines[9], "12345.678  Telnet                  00000018   [Terminal type]\r");
  EXPECT_EQ(Lines[10], "12345.678  Dispatch  Modem status  00000031  [1] (DCTS CTS DSR)\r");
  EXPECT_EQ(Lines[11], "12345.678  Dispatch  ReadCom       00000003  a[13][200]\r");
  EXPECT_EQ(Lines[12], "");
  EXPECT_EQ(L.DispatchLogCount(), 0) << "written and gone";
  EXPECT_EQ(L.DumpDispatchLog(File("none.log"), false, false), ecOK);
  EXPECT_FALSE(QFile::exists(File("none.log")));
}

TEST_F(Dumps, LongLogDataContinuesIndented)
{
  D.InitDispatchLogging(0);
  D.AddStringToLog(AnsiString(40, 'y'));
  ASSERT_EQ(D.DumpDispatchLog(File("l.log"), false, false), ecOK);
  const QList<QByteArray> Lines = ReadWholeFile(File("l.log")).split('\n');
  ASSERT_GE(Lines.size(), 10);
  // From column 45 to 78 is room for 33 bytes; the rest goes under them.
  EXPECT_EQ(Lines[7].mid(44), AnsiString(33, 'y') + "\r");
  EXPECT_EQ(Lines[8], AnsiString(44, ' ') + AnsiString(7, 'y') + "\r");
}

TEST_F(Dumps, UserTextStaysTextWithAllHex)
{
  D.InitDispatchLogging(0);
  D.AddStringToLog("ok");
  D.AddDispatchEntry(dtDispatch, dstWriteCom, 2, "ok", 2);
  ASSERT_EQ(D.DumpDispatchLog(File("h.log"), false, true), ecOK);
  const QList<QByteArray> Lines = ReadWholeFile(File("h.log")).split('\n');
  ASSERT_GE(Lines.size(), 9);
  EXPECT_TRUE(Lines[7].endsWith("00000000  ok\r"));
  EXPECT_TRUE(Lines[8].endsWith("00000002  [6F][6B]\r"));
}

TEST_F(Dumps, LogLimitDropsTheOldestEntries)
{
  D.InitDispatchLogging(100);
  for (int I = 0; I < 6; ++I) {
    D.AddStringToLog(AnsiString(60, char('a' + I)));
    EXPECT_LE(D.DispatchLogCount(), 2);
  }
  // Entries without bytes are bounded too.
  D.InitDispatchLogging(100);
  for (int I = 0; I < 100; ++I)
    D.AddDispatchEntry(dtTrigger, dstTimer, 8, nullptr, 0);
  EXPECT_LE(D.DispatchLogCount(), 8);
}

TEST_F(Dumps, DispatcherActivityIsLogged)
{
  D.InitDispatchLogging(0);
  const int32_t T = D.AddTimerTrigger();
  D.SetTimerTrigger(uint32_t(T), 0, false);
  D.Receive("in");
  D.PutString("out");
  D.RemoveTrigger(uint32_t(T));
  ASSERT_EQ(D.DumpDispatchLog(File("a.log"), false, false), ecOK);
  const QList<QByteArray> Lines = ReadWholeFile(File("a.log")).split('\n');
  ASSERT_EQ(Lines.size(), 13);
  EXPECT_TRUE(Lines[7].contains("TrigAllc  Timer         00000008  \r"));
  EXPECT_TRUE(Lines[8].contains("TrDatChg  Timer         00000008  Deactivated\r"));
  EXPECT_TRUE(Lines[9].contains("Dispatch  ReadCom       00000002  in\r"));
  EXPECT_TRUE(Lines[10].contains("Dispatch  WriteCom      00000003  out\r"));
  EXPECT_TRUE(Lines[11].contains("TrigDisp  Timer         00000008  \r"));
}

TEST_F(Dumps, LogFileErrorsKeepTheLog)
{
  D.InitDispatchLogging(0);
  D.AddStringToLog("kept");
  EXPECT_LT(D.DumpDispatchLog(File("no/such/dir/d.log"), false, false), 0);
  EXPECT_EQ(D.DispatchLogCount(), 1);
  ASSERT_EQ(D.AppendDispatchLog(File("d.log"), false, false), ecOK);
  EXPECT_EQ(D.DispatchLogCount(), 0);
}
