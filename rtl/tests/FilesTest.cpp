#include "rtl/DateTime.h"
#include "rtl/Files.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

void Touch(const QString& Name, const QByteArray& Data = "x")
{
  QFile F(Name);
  ASSERT_TRUE(F.open(QIODevice::WriteOnly));
  F.write(Data);
}

} // namespace

TEST(Files, NameParts)
{
  struct Case {
    QString Name, Path, Dir, File, Ext;
  };
  const Case Cases[] = {
      {"/data/run.1/file.btd", "/data/run.1/", "/data/run.1", "file.btd", ".btd"},
      {"/data/run.1/file", "/data/run.1/", "/data/run.1", "file", ""},
      {"/data/run.1/", "/data/run.1/", "/data/run.1", "", ""},
      {"file.tar.gz", "", "", "file.tar.gz", ".gz"},
      {"/file", "/", "/", "file", ""},
      {"/", "/", "/", "", ""},
      {"", "", "", "", ""},
      {"dir/.hidden", "dir/", "dir", ".hidden", ".hidden"},
      {"a\\b.c", "", "", "a\\b.c", ".c"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name.toStdString());
    EXPECT_EQ(ExtractFilePath(C.Name), C.Path);
    EXPECT_EQ(ExtractFileDir(C.Name), C.Dir);
    EXPECT_EQ(ExtractFileName(C.Name), C.File);
    EXPECT_EQ(ExtractFileExt(C.Name), C.Ext);
  }
}

TEST(Files, ChangeFileExtLooksAtTheLastComponentOnly)
{
  struct Case {
    QString Name, Ext, Result;
  };
  const Case Cases[] = {
      {"/data/run.1/file", ".bdd", "/data/run.1/file.bdd"},
      {"/data/run.1/file.btd", ".bdd", "/data/run.1/file.bdd"},
      {"/data/run.btd", "", "/data/run"},
      {"name.", ".x", "name.x"},
      {"a.b.c", ".d", "a.b.d"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(ChangeFileExt(C.Name, C.Ext), C.Result) << C.Name.toStdString();
}

TEST(Files, TrailingDelimiters)
{
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/a"), "/a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "");
  EXPECT_EQ(PathDelim, QChar('/'));
}

TEST(Files, ExpandFileNameResolvesAgainstTheCurrentFolder)
{
  QTemporaryDir Tmp;
  ASSERT_TRUE(Tmp.isValid());
  const QString Old = QDir::currentPath();
  const QString Base = QDir(Tmp.path()).canonicalPath();
  ASSERT_TRUE(QDir::setCurrent(Base));
  EXPECT_EQ(GetCurrentDir(), Base);
  struct Case {
    QString In, Out;
  };
  const Case Cases[] = {
      {"f.txt", Base + "/f.txt"},
      {"./a/../b/f", Base + "/b/f"},
      {"sub/", Base + "/sub/"},
      {"/x/./y/../z", "/x/z"},
      {"/../..", "/"},
      {"//x//y", "/x/y"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(ExpandFileName(C.In), C.Out) << C.In.toStdString();
  QDir::setCurrent(Old);
}

TEST(Files, ExistenceFollowsLinksAndTellsFoldersFromFiles)
{
  QTemporaryDir Tmp;
  ASSERT_TRUE(Tmp.isValid());
  const QString D = Tmp.path();
  Touch(D + "/f");
  ASSERT_EQ(::symlink((D + "/f").toUtf8().constData(), (D + "/link").toUtf8().constData()), 0);
  ASSERT_EQ(::symlink((D + "/none").toUtf8().constData(), (D + "/dangling").toUtf8().constData()), 0);
  EXPECT_TRUE(FileExists(D + "/f"));
  EXPECT_TRUE(FileExists(D + "/link"));
  EXPECT_FALSE(FileExists(D + "/dangling"));
  EXPECT_FALSE(FileExists(D));
  EXPECT_FALSE(FileExists(""));
  EXPECT_TRUE(DirectoryExists(D));
  EXPECT_FALSE(DirectoryExists(D + "/f"));

  EXPECT_TRUE(ForceDirectories(D + "/a/b/c/"));
  EXPECT_TRUE(DirectoryExists(D + "/a/b/c"));
  EXPECT_TRUE(ForceDirectories(D + "/a/b"));
  EXPECT_FALSE(ForceDirectories(D + "/f/sub")); // a file is in the way
  EXPECT_FALSE(ForceDirectories(""));

  EXPECT_TRUE(RenameFile(D + "/f", D + "/g"));
  Touch(D + "/h");
  EXPECT_FALSE(RenameFile(D + "/g", D + "/h")); // never replaces
  EXPECT_TRUE(FileExists(D + "/g"));
  EXPECT_TRUE(DeleteFile(D + "/g"));
  EXPECT_FALSE(DeleteFile(D + "/g"));
  EXPECT_FALSE(DeleteFile(D + "/a"));
}

TEST(Files, FileAgeIsTheLocalModificationTime)
{
  QTemporaryDir Tmp;
  ASSERT_TRUE(Tmp.isValid());
  const QString Name = Tmp.path() + "/f";
  Touch(Name);
  TDateTime Age = 0;
  ASSERT_TRUE(FileAge(Name, Age));
  const QDateTime M = QFileInfo(Name).lastModified();
  uint16_t Y, Mo, Da, H, Mi, S, Ms;
  DecodeDateTime(Age, Y, Mo, Da, H, Mi, S, Ms);
  EXPECT_EQ(QDateTime(QDate(Y, Mo, Da), QTime(H, Mi, S, Ms)), M);
  EXPECT_FALSE(FileAge(Tmp.path(), Age));
  EXPECT_FALSE(FileAge(Tmp.path() + "/none", Age));
}

TEST(Files, CommandLineCanBeReplacedForTests)
{
  EXPECT_FALSE(ParamStr(0).isEmpty());
  EXPECT_TRUE(FileExists(ParamStr(0)));
  SetCommandLine({"/opt/fathomix/fathomix", "/SHIP2.INI", "two words"});
  EXPECT_EQ(ParamCount(), 2);
  EXPECT_EQ(ParamStr(0), "/opt/fathomix/fathomix");
  EXPECT_EQ(ParamStr(1), "/SHIP2.INI");
  EXPECT_EQ(ParamStr(2), "two words");
  EXPECT_EQ(ParamStr(3), "");
  EXPECT_EQ(ParamStr(-1), "");
  SetCommandLine({});
  EXPECT_TRUE(FileExists(ParamStr(0)));
}
