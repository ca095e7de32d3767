#include "rtl/tests/FileFixture.h"
#include "rtl/Exceptions.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <sys/stat.h>

TEST(MemoryStream, ReadsStopAtTheEnd)
{
  TBytesStream S(QByteArray("abcdef"));
  char Buf[16] = {};
  struct Step {
    int64_t Seek;
    TSeekOrigin Origin;
    int32_t Ask;
    int32_t Got;
    const char* Data;
  };
  const Step Steps[] = {
      {0, soFromBeginning, 4, 4, "abcd"}, {0, soFromCurrent, 4, 2, "ef"},  {0, soFromCurrent, 4, 0, ""},
      {-3, soFromEnd, 10, 3, "def"},      {10, soFromBeginning, 1, 0, ""}, // beyond the end
      {-1, soFromBeginning, 1, 0, ""},                                     // before the start
      {1, soFromBeginning, -5, 0, ""},
  };
  for (const Step& St : Steps) {
    S.Seek(St.Seek, St.Origin);
    std::memset(Buf, 0, sizeof(Buf));
    EXPECT_EQ(S.Read(Buf, St.Ask), St.Got) << St.Seek << "/" << St.Ask;
    EXPECT_STREQ(Buf, St.Data);
  }
  S.SetPosition(5);
  EXPECT_THROW(S.ReadBuffer(Buf, 2), EReadError);
  S.SetPosition(0);
  EXPECT_THROW(S.ReadBuffer(Buf, -1), EReadError);
  try {
    S.ReadBuffer(Buf, 100);
    FAIL() << "no error";
  } catch (const EReadError& E) {
    EXPECT_STREQ(E.what(), "Stream read error");
  }
}

TEST(MemoryStream, WritingGrowsAndFillsGapsWithZeros)
{
  TMemoryStream S;
  S.WriteBuffer("ab", 2);
  EXPECT_EQ(S.Size(), 2);
  S.SetPosition(5);
  S.WriteBuffer("z", 1);
  EXPECT_EQ(S.Size(), 6);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(S.Memory()), 6), QByteArray("ab\0\0\0z", 6));
  S.SetPosition(1);
  S.WriteBuffer("XY", 2);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(S.Memory()), 6), QByteArray("aXY\0\0z", 6));
  EXPECT_EQ(S.Position(), 3);

  S.SetSize(2);
  EXPECT_EQ(S.Position(), 2); // clipped to the new end
  S.SetSize(4);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(S.Memory()), 4), QByteArray("aX\0\0", 4));

  // A write that would need more than a stream can address moves nothing.
  EXPECT_EQ(S.Seek(MaxMemoryStreamSize, soFromBeginning), MaxMemoryStreamSize);
  EXPECT_EQ(S.Write("q", 1), 0);
  EXPECT_THROW(S.WriteBuffer("q", 1), EWriteError);
  EXPECT_EQ(S.Size(), 4);
  EXPECT_EQ(S.Seek(1, soFromCurrent), -1);
  EXPECT_THROW(S.SetSize(MaxMemoryStreamSize + 1), EOutOfMemory);
  EXPECT_EQ(S.Size(), 4);
  S.SetPosition(-2);
  EXPECT_EQ(S.Write("q", 1), 0);

  S.Clear();
  EXPECT_EQ(S.Size(), 0);
  EXPECT_EQ(S.Position(), 0);
}

TEST(MemoryStream, CopyFromAndLoadFromStream)
{
  TBytesStream Src(QByteArray("0123456789"));
  TMemoryStream Dst;
  Src.SetPosition(2);
  EXPECT_EQ(Dst.CopyFrom(Src, 3), 3);
  EXPECT_EQ(Src.Position(), 5);
  EXPECT_EQ(Dst.CopyFrom(Src, 0), 10); // 0: everything, from the start
  TBytesStream Check;
  Check.LoadFromStream(Dst);
  EXPECT_EQ(Check.Bytes(), QByteArray("2340123456789"));
  Src.SetPosition(8);
  EXPECT_THROW(Dst.CopyFrom(Src, 5), EReadError);

  TStringStream Text(QString::fromUtf8("€uro"));
  EXPECT_EQ(Text.Size(), 4);
  EXPECT_EQ(Text.DataString(), QString::fromUtf8("€uro"));
}

TEST(FileStream, ModesAndErrors)
{
  QTemporaryDir Tmp;
  ASSERT_TRUE(Tmp.isValid());
  const QString Name = Tmp.path() + "/data.bin";
  {
    TFileStream F(Name, fmCreate);
    F.WriteBuffer("hello world", 11);
    EXPECT_EQ(F.Size(), 11);
    F.SetSize(5);
    EXPECT_EQ(F.Position(), 5);
    F.SetPosition(0);
    char Buf[8] = {};
    EXPECT_EQ(F.Read(Buf, 8), 5); // fmCreate also reads
    EXPECT_STREQ(Buf, "hello");
  }
  EXPECT_EQ(FileBytes(Name), "hello");
  {
    TFileStream F(Name, fmOpenReadWrite | fmShareDenyNone);
    F.Seek(0, soFromEnd);
    F.WriteBuffer("!", 1);
  }
  EXPECT_EQ(FileBytes(Name), "hello!");
  {
    TFileStream F(Name, fmOpenRead);
    char Buf[8];
    EXPECT_THROW(F.WriteBuffer("x", 1), EWriteError);
    F.SetPosition(4);
    EXPECT_THROW(F.ReadBuffer(Buf, 3), EReadError);
  }
  TMemoryStream M;
  M.LoadFromFile(Name);
  EXPECT_EQ(M.Size(), 6);
  M.SaveToFile(Name + ".copy");
  EXPECT_EQ(FileBytes(Name + ".copy"), "hello!");

  struct Case {
    QString Name;
    uint16_t Mode;
    QString Message;
  };
  const Case Cases[] = {
      {Tmp.path() + "/missing", fmOpenRead,
       "Cannot open file \"" + Tmp.path() + "/missing\". No such file or directory"},
      {Tmp.path() + "/no/dir", fmCreate, "Cannot create file \"" + Tmp.path() + "/no/dir\". No such file or directory"},
      {Tmp.path(), fmOpenRead, "Cannot open file \"" + Tmp.path() + "\". Is a directory"},
  };
  for (const Case& C : Cases) {
    try {
      TFileStream F(C.Name, C.Mode);
      ADD_FAILURE() << "opened " << C.Name.toStdString();
    } catch (const EFCreateError& E) {
      EXPECT_EQ(C.Mode, fmCreate);
      EXPECT_EQ(QString::fromUtf8(E.what()), C.Message);
    } catch (const EFOpenError& E) {
      EXPECT_NE(C.Mode, fmCreate);
      EXPECT_EQ(QString::fromUtf8(E.what()), C.Message);
    }
  }
}

TEST(FileStream, FullDiskIsAWriteError)
{
  TFileStream F("/dev/full", fmOpenWrite);
  EXPECT_THROW(F.WriteBuffer("x", 1), EWriteError);
}
