#include "rtl/Files.h"
#include "rtl/DateTime.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

QByteArray Native(const String& Name) { return QFile::encodeName(Name); }

bool StatFollow(const String& Name, struct stat& St)
{
  if (Name.isEmpty())
    return false;
  return ::stat(Native(Name).constData(), &St) == 0;
}

// The command line has no natural limit we could trust, but the kernel
// caps it well below this.
constexpr qsizetype MaxCmdLineBytes = 16 * 1024 * 1024;

QStringList ProcessArguments()
{
  if (QCoreApplication::instance())
    return QCoreApplication::arguments();
  QStringList Result;
  QFile F(QStringLiteral("/proc/self/cmdline"));
  if (!F.open(QIODevice::ReadOnly))
    return Result;
  const QByteArray Raw = F.read(MaxCmdLineBytes);
  qsizetype Start = 0;
  while (Start < Raw.size()) {
    qsizetype End = Raw.indexOf('\0', Start);
    if (End < 0)
      End = Raw.size();
    Result.append(QFile::decodeName(Raw.mid(Start, End - Start)));
    Start = End + 1;
  }
  return Result;
}

String ExecutablePath()
{
  char Buf[4096];
  const ssize_t N = ::readlink("/proc/self/exe", Buf, sizeof(Buf) - 1);
  if (N <= 0)
    return String();
  return QFile::decodeName(QByteArray(Buf, static_cast<qsizetype>(N)));
}

std::mutex CmdLineLock;
std::optional<QStringList> CmdLineOverride;

QStringList CurrentArguments()
{
  {
    std::lock_guard<std::mutex> Lock(CmdLineLock);
    if (CmdLineOverride)
      return *CmdLineOverride;
  }
  QStringList Args = ProcessArguments();
  const String Exe = ExecutablePath();
  if (!Exe.isEmpty()) {
    if (Args.isEmpty())
      Args.append(Exe);
    else
      Args[0] = Exe;
  }
  return Args;
}

// Position of the last '/' or '.' that decides where a file extension starts.
qsizetype ExtensionDot(const String& FileName)
{
  for (qsizetype I = FileName.size() - 1; I >= 0; --I) {
    const QChar C = FileName.at(I);
    if (C == PathDelim)
      return -1;
    if (C == QLatin1Char('.'))
      return I;
  }
  return -1;
}

} // namespace

bool FileExists(const String& FileName)
{
  struct stat St;
  return StatFollow(FileName, St) && !S_ISDIR(St.st_mode);
}

bool DirectoryExists(const String& Directory)
{
  struct stat St;
  return StatFollow(Directory, St) && S_ISDIR(St.st_mode);
}

bool ForceDirectories(const String& Dir)
{
  if (Dir.isEmpty())
    return false;
  const String Full = ExcludeTrailingPathDelimiter(Dir);
  if (Full.isEmpty() || DirectoryExists(Full))
    return true;
  // Walk down from the top so each parent exists before its child is made.
  qsizetype Next = Full.startsWith(PathDelim) ? 1 : 0;
  while (Next <= Full.size()) {
    qsizetype Slash = Full.indexOf(PathDelim, Next);
    if (Slash < 0)
      Slash = Full.size();
    const String Part = Full.left(Slash);
    if (Slash > Next && !DirectoryExists(Part)) {
      if (::mkdir(Native(Part).constData(), 0777) != 0 && !(errno == EEXIST && DirectoryExists(Part)))
        return false;
    }
    Next = Slash + 1;
  }
  return DirectoryExists(Full);
}

bool DeleteFile(const String& FileName)
{
  if (FileName.isEmpty())
    return false;
  return ::unlink(Native(FileName).constData()) == 0;
}

bool RenameFile(const String& OldName, const String& NewName)
{
  if (OldName.isEmpty() || NewName.isEmpty())
    return false;
  const QByteArray From = Native(OldName);
  const QByteArray To = Native(NewName);
  if (::renameat2(AT_FDCWD, From.constData(), AT_FDCWD, To.constData(), RENAME_NOREPLACE) == 0)
    return true;
  if (errno != EINVAL && errno != ENOSYS)
    return false;
  // File systems without the no-replace flag: a small window remains.
  struct stat St;
  if (::lstat(To.constData(), &St) == 0)
    return false;
  return ::rename(From.constData(), To.constData()) == 0;
}

bool FileAge(const String& FileName, TDateTime& FileDateTime)
{
  struct stat St;
  if (!StatFollow(FileName, St) || S_ISDIR(St.st_mode))
    return false;
  const time_t Secs = St.st_mtim.tv_sec;
  struct tm Local;
  if (!::localtime_r(&Secs, &Local))
    return false;
  TDateTime D = 0;
  TDateTime T = 0;
  const int32_t MSec = static_cast<int32_t>(St.st_mtim.tv_nsec / 1000000);
  if (!TryEncodeDate(Local.tm_year + 1900, Local.tm_mon + 1, Local.tm_mday, D) ||
      !TryEncodeTime(Local.tm_hour, Local.tm_min, Local.tm_sec > 59 ? 59 : Local.tm_sec, MSec, T))
    return false;
  FileDateTime = D + T;
  return true;
}

String ExtractFilePath(const String& FileName) { return FileName.left(FileName.lastIndexOf(PathDelim) + 1); }

String ExtractFileDir(const String& FileName)
{
  qsizetype I = FileName.lastIndexOf(PathDelim);
  if (I < 0)
    return String();
  // Keep the root's own delimiter, and a run of delimiters stays whole.
  if (I > 0 && FileName.at(I - 1) != PathDelim)
    return FileName.left(I);
  return FileName.left(I + 1);
}

String ExtractFileName(const String& FileName) { return FileName.mid(FileName.lastIndexOf(PathDelim) + 1); }

String ExtractFileExt(const String& FileName)
{
  const qsizetype Dot = ExtensionDot(FileName);
  return Dot < 0 ? String() : FileName.mid(Dot);
}

String ChangeFileExt(const String& FileName, const String& Extension)
{
  const qsizetype Dot = ExtensionDot(FileName);
  return (Dot < 0 ? FileName : FileName.left(Dot)) + Extension;
}

String IncludeTrailingPathDelimiter(const String& S)
{
  if (S.endsWith(PathDelim))
    return S;
  return S + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& S)
{
  if (S.endsWith(PathDelim))
    return S.left(S.size() - 1);
  return S;
}

String ProgramConfigFolder()
{
  const auto Env = [](const char* Name) {
    const char* V = std::getenv(Name);
    return V ? QString::fromLocal8Bit(V) : String();
  };
  String Base = Env("XDG_CONFIG_HOME");
  if (Base.isEmpty() || !QDir::isAbsolutePath(Base)) {
    const String Home = Env("HOME");
    Base = (Home.isEmpty() ? QDir::homePath() : Home) + QStringLiteral("/.config");
  }
  return ExcludeTrailingPathDelimiter(Base) + QStringLiteral("/fathomix");
}

String ExpandFileName(const String& FileName)
{
  if (FileName.isEmpty())
    return String();
  const String Full =
      FileName.startsWith(PathDelim) ? FileName : IncludeTrailingPathDelimiter(GetCurrentDir()) + FileName;
  const QStringList Parts = Full.split(PathDelim, Qt::SkipEmptyParts);
  QStringList Kept;
  for (const String& P : Parts) {
    if (P == QLatin1String("."))
      continue;
    if (P == QLatin1String("..")) {
      if (!Kept.isEmpty())
        Kept.removeLast();
      continue;
    }
    Kept.append(P);
  }
  const String Result = PathDelim + Kept.join(PathDelim);
  return FileName.endsWith(PathDelim) ? IncludeTrailingPathDelimiter(Result) : Result;
}

String GetCurrentDir()
{
  std::vector<char> Buf(4096);
  while (::getcwd(Buf.data(), Buf.size()) == nullptr) {
    if (errno != ERANGE || Buf.size() >= (1u << 20))
      return String();
    Buf.resize(Buf.size() * 2);
  }
  return QFile::decodeName(QByteArray(Buf.data()));
}

String SysErrorMessage(int32_t ErrorCode) { return QString::fromStdString(std::generic_category().message(ErrorCode)); }

int32_t ParamCount()
{
  const qsizetype N = CurrentArguments().size();
  return N > 0 ? static_cast<int32_t>(N - 1) : 0;
}

String ParamStr(int32_t Index)
{
  const QStringList Args = CurrentArguments();
  if (Index < 0 || Index >= Args.size())
    return String();
  return Args.at(Index);
}

void SetCommandLine(const QStringList& Args)
{
  std::lock_guard<std::mutex> Lock(CmdLineLock);
  if (Args.isEmpty())
    CmdLineOverride.reset();
  else
    CmdLineOverride = Args;
}
