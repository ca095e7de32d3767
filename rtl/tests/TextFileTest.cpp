#include "rtl/tests/FileFixture.h"
#include "rtl/Exceptions.h"
#include "rtl/TextFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int32_t CodeOf(const std::function<void()>& F, QString* Message = nullptr)
{
  try {
    F();
  } catch (const EInOutError& E) {
    if (Message)
      *Message = E.Message();
    return E.ErrorCode;
  }
  return 0;
}

QStringList ReadAll(const QString& Name)
{
  TextFile F;
  AssignFile(F, Name);
  Reset(F);
  QStringList Lines;
  while (!Eof(F)) {
    String S;
    Readln(F, S);
    Lines << S;
  }
  CloseFile(F);
  return Lines;
}

} // namespace

TEST(TextFile, WriteAppendAndReadBack)
{
  QTemporaryDir Tmp;
  ASSERT_TRUE(Tmp.isValid());
  const QString Name = Tmp.path() + "/run.btd";
  TextFile F;
  AssignFile(F, Name);
  Rewrite(F);
  Write(F, "Date\tTime");
  Writeln(F, QString::fromUtf8("\t€"));
  Flush(F);
  EXPECT_EQ(FileBytes(Name), QByteArray("Date\tTime\t\x80\r\n"));
  Append(F); // reopening an open file closes it first
  Writeln(F, "1\t2\t");
  Writeln(F);
  CloseFile(F);
  EXPECT_EQ(FileBytes(Name), QByteArray("Date\tTime\t\x80\r\n1\t2\t\r\n\r\n"));
  EXPECT_EQ(ReadAll(Name), QStringList({QString::fromUtf8("Date\tTime\t€"), "1\t2\t", ""}));
  Rewrite(F);
  CloseFile(F);
  EXPECT_EQ(FileBytes(Name), QByteArray());
}

TEST(TextFile, ReadlnAcceptsEveryLineEnd)
{
  QTemporaryDir Tmp;
  ASSERT_TRUE(Tmp.isValid());
  struct Case {
    QByteArray Data;
    QStringList Lines;
  };
  const Case Cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"a\r\n", {"a"}},
      {"\r\n\r\n", {"", ""}},
      {"a\n\rb", {"a", "", "b"}},
      {QByteArray("x\0y\n", 4), {QString::fromLatin1("x\0y", 3)}},
  };
  for (const Case& C : Cases) {
    const QString Name = Tmp.path() + "/in.txt";
    WriteBytes(Name, C.Data);
    EXPECT_EQ(ReadAll(Name), C.Lines) << C.Data.toStdString();
  }
}

TEST(TextFile, LineEndsAcrossTheReadAheadAndOverlongLines)
{
  QTemporaryDir Tmp;
  ASSERT_TRUE(Tmp.isValid());
  const QString Name = Tmp.path() + "/long.txt";
  // A CR LF split over two read-ahead blocks is still one line end, and a
  // line beyond the limit is cut without swallowing the next one.
  const QByteArray First(64 * 1024 - 1, 'a');
  const QByteArray Huge(MaxTextLineBytes + 10, 'b');
  WriteBytes(Name, First + "\r\nsecond\r\n" + Huge + "\nlast");
  TextFile F;
  AssignFile(F, Name);
  Reset(F);
  String S;
  Readln(F, S);
  EXPECT_EQ(S.size(), First.size());
  Readln(F, S);
  EXPECT_EQ(S, "second");
  Readln(F, S);
  EXPECT_EQ(S.size(), MaxTextLineBytes);
  Readln(F, S);
  EXPECT_EQ(S, "last");
  EXPECT_TRUE(Eof(F));
  Readln(F, S); // at the end: an empty line, no error
  EXPECT_EQ(S, "");
  CloseFile(F);
}

TEST(TextFile, ErrorsCarryPascalCodesAndMessages)
{
  QTemporaryDir Tmp;
  ASSERT_TRUE(Tmp.isValid());
  const QString Dir = Tmp.path();
  WriteBytes(Dir + "/exists.txt", "x\r\n");
  TextFile Unassigned;
  TextFile In;
  AssignFile(In, Dir + "/exists.txt");
  Reset(In);
  TextFile Out;
  AssignFile(Out, Dir + "/out.txt");
  Rewrite(Out);
  TextFile Closed;
  AssignFile(Closed, Dir + "/exists.txt");
  TextFile Missing;
  AssignFile(Missing, Dir + "/missing.txt");
  TextFile NoDir;
  AssignFile(NoDir, Dir + "/nodir/file.txt");
  TextFile Folder;
  AssignFile(Folder, Dir);
  String S;

  struct Case {
    const char* What;
    std::function<void()> Call;
    int32_t Code;
    QString Message;
  };
  const Case Cases[] = {
      {"append missing", [&] { Append(Missing); }, 2, "File not found"},
      {"reset missing", [&] { Reset(Missing); }, 2, "File not found"},
      {"append in missing folder", [&] { Append(NoDir); }, 3, "Invalid filename"},
      {"rewrite in missing folder", [&] { Rewrite(NoDir); }, 3, "Invalid filename"},
      {"rewrite a folder", [&] { Rewrite(Folder); }, 5, "File access denied"},
      {"reset a folder", [&] { Reset(Folder); }, 5, "File access denied"},
      {"reset unassigned", [&] { Reset(Unassigned); }, 102, "File not assigned"},
      {"read closed", [&] { Readln(Closed, S); }, 103, "File not open"},
      {"close closed", [&] { CloseFile(Closed); }, 103, "File not open"},
      {"eof closed", [&] { (void)Eof(Closed); }, 103, "File not open"},
      {"read output", [&] { Readln(Out, S); }, 104, "File not open for input"},
      {"eof output", [&] { (void)Eof(Out); }, 104, "File not open for input"},
      {"write input", [&] { Writeln(In, "x"); }, 105, "File not open for output"},
  };
  for (const Case& C : Cases) {
    QString Message;
    EXPECT_EQ(CodeOf(C.Call, &Message), C.Code) << C.What;
    EXPECT_EQ(Message, C.Message) << C.What;
  }
  EXPECT_FALSE(QFile::exists(Dir + "/missing.txt")); // Append never creates
  EXPECT_EQ(InOutErrorMessage(29), "I/O error 29");
  CloseFile(In);
  CloseFile(Out);
}

TEST(TextFile, EofOnEmptyFile)
{
  QTemporaryDir Tmp;
  ASSERT_TRUE(Tmp.isValid());
  const QString Name = Tmp.path() + "/empty.txt";
  WriteBytes(Name, QByteArray());
  TextFile F;
  AssignFile(F, Name);
  Reset(F);
  EXPECT_TRUE(Eof(F));
  CloseFile(F);
}

TEST(TextFile, FullDiskRaisesDiskFull)
{
  TextFile F;
  AssignFile(F, "/dev/full");
  Rewrite(F);
  Writeln(F, "sample");
  EXPECT_EQ(CodeOf([&] { Flush(F); }), 101);
  // A long write fills the buffer and fails on the spot.
  EXPECT_EQ(CodeOf([&] { Writeln(F, QString(8192, 'x')); }), 101);
  Writeln(F, "tail");
  QString Message;
  EXPECT_EQ(CodeOf([&] { CloseFile(F); }, &Message), 101);
  EXPECT_EQ(Message, "Disk full");
  EXPECT_FALSE(F.IsOpen());
}

TEST(TextFile, WritingToARemovedFileIsNoSuccess)
{
  QTemporaryDir Tmp;
  ASSERT_TRUE(Tmp.isValid());
  const QString Dir = Tmp.path() + "/day";
  ASSERT_TRUE(QDir().mkpath(Dir));
  TextFile F;
  AssignFile(F, Dir + "/run.btd");
  Rewrite(F);
  Writeln(F, "header");
  Flush(F);
  ASSERT_TRUE(QDir(Dir).removeRecursively());
  Writeln(F, "sample");
  EXPECT_EQ(CodeOf([&] { Flush(F); }), 3);
  EXPECT_EQ(CodeOf([&] { Append(F); }), 3);
}

TEST(TextFile, FlushedLinesSurviveAKilledProcess)
{
  QTemporaryDir Tmp;
  ASSERT_TRUE(Tmp.isValid());
  const QString Name = Tmp.path() + "/killed.btd";
  const pid_t Child = ::fork();
  ASSERT_GE(Child, 0);
  if (Child == 0) {
    TextFile F;
    AssignFile(F, Name);
    Rewrite(F);
    Writeln(F, "flushed");
    Flush(F);
    Writeln(F, "buffered only");
    ::raise(SIGKILL);
    ::_exit(0);
  }
  int Status = 0;
  ASSERT_EQ(::waitpid(Child, &Status, 0), Child);
  ASSERT_TRUE(WIFSIGNALED(Status));
  EXPECT_EQ(FileBytes(Name), QByteArray("flushed\r\n"));
}

TEST(TextFile, UncheckedModeReportsThroughIOResult)
{
  QTemporaryDir Tmp;
  ASSERT_TRUE(Tmp.isValid());
  EXPECT_EQ(IOResult(), 0);
  TextFile F;
  AssignFile(F, Tmp.path() + "/missing.txt");
  SetIOChecks(F, false);
  Reset(F);
  EXPECT_EQ(IOResult(), 2);
  EXPECT_EQ(IOResult(), 0); // cleared by reading it

  TextFile G;
  AssignFile(G, Tmp.path() + "/missing.txt");
  SetIOChecks(false);
  Append(G);
  SetIOChecks(true);
  EXPECT_EQ(IOResult(), 2);
  EXPECT_EQ(CodeOf([&] { Append(G); }), 2); // checks on again
  SetIOChecks(F, true);
  EXPECT_EQ(CodeOf([&] { Reset(F); }), 2);
  EXPECT_EQ(IOResult(), 0); // a raised error is not left behind
}
