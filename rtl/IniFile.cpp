#include "rtl/IniFile.h"
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/Files.h"
#include "rtl/Numbers.h"
#include "rtl/ScopeGuard.h"
#include "rtl/StringList.h"
#include "rtl/Strings.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

enum class LineKind : uint8_t { Blank, Comment, Section, Key, Other };

// One line of the file exactly as read, with what it means. Lines are kept
// as bytes so that the ones the program never writes go back to disk
// unchanged, whatever their encoding.
struct IniLine {
  QByteArray Raw;
  LineKind Kind = LineKind::Other;
  String Name;               // section or key name, trimmed
  qsizetype ValueStart = -1; // byte after '=' of a key line; -1 without '='
};

// What identifies one version of the file on disk.
struct FileStamp {
  bool Exists = false;
  dev_t Dev = 0;
  ino_t Ino = 0;
  off_t Size = 0;
  timespec MTime{};
  timespec CTime{};

  static FileStamp Of(const struct stat& St)
  {
    FileStamp S;
    S.Exists = true;
    S.Dev = St.st_dev;
    S.Ino = St.st_ino;
    S.Size = St.st_size;
    S.MTime = St.st_mtim;
    S.CTime = St.st_ctim;
    return S;
  }

  bool operator==(const FileStamp& O) const
  {
    if (Exists != O.Exists)
      return false;
    if (!Exists)
      return true;
    return Dev == O.Dev && Ino == O.Ino && Size == O.Size && MTime.tv_sec == O.MTime.tv_sec &&
           MTime.tv_nsec == O.MTime.tv_nsec && CTime.tv_sec == O.CTime.tv_sec && CTime.tv_nsec == O.CTime.tv_nsec;
  }
};

bool HasLineBreak(const String& S) { return S.contains(QLatin1Char('\r')) || S.contains(QLatin1Char('\n')); }

bool WriteAll(int Fd, const QByteArray& Data, off_t Offset, bool Positioned)
{
  const char* P = Data.constData();
  qsizetype Left = Data.size();
  while (Left > 0) {
    const ssize_t N =
        Positioned ? ::pwrite(Fd, P, static_cast<size_t>(Left), Offset) : ::write(Fd, P, static_cast<size_t>(Left));
    if (N < 0) {
      if (errno == EINTR)
        continue;
      return false;
    }
    if (N == 0) {
      errno = EIO;
      return false;
    }
    P += N;
    Left -= N;
    Offset += N;
  }
  return true;
}

QByteArray DirOf(const QByteArray& Path)
{
  const qsizetype Slash = Path.lastIndexOf('/');
  if (Slash < 0)
    return QByteArray(".");
  if (Slash == 0)
    return QByteArray("/");
  return Path.left(Slash);
}

// Rewrites the file in place without ever leaving it cut short: the room is
// reserved first, so a full disk fails before the old text is touched.
bool RewriteInPlace(const QByteArray& Path, const QByteArray& Content, off_t OldSize)
{
  const int Fd = ::open(Path.constData(), O_WRONLY | O_CLOEXEC);
  if (Fd < 0)
    return false;
  bool Ok = true;
  if (Content.size() > OldSize) {
    const int R = ::posix_fallocate(Fd, 0, static_cast<off_t>(Content.size()));
    Ok = R == 0 || R == EOPNOTSUPP || R == EINVAL;
  }
  Ok = Ok && WriteAll(Fd, Content, 0, true) && ::ftruncate(Fd, static_cast<off_t>(Content.size())) == 0;
  if (::close(Fd) != 0 && errno != EINTR)
    Ok = false;
  return Ok;
}

std::atomic<uint32_t> TempCounter{0};

// Replaces the file's content as one step: a new file beside it, renamed
// over it. The new file takes the old one's mode and, when the process may
// give it, its owner; where that cannot be kept (or the file has further
// hard links, or the folder is not writable) the file is rewritten in place.
bool ReplaceFile(const QByteArray& Name, const QByteArray& Content)
{
  QByteArray Target = Name;
  struct stat Link;
  if (::lstat(Name.constData(), &Link) == 0 && S_ISLNK(Link.st_mode)) {
    if (char* Real = ::realpath(Name.constData(), nullptr)) {
      Target = QByteArray(Real);
      std::free(Real);
    }
  }
  struct stat Old {};
  const bool Exists = ::stat(Target.constData(), &Old) == 0;
  if (Exists && !S_ISREG(Old.st_mode))
    return false;
  if (Exists && Old.st_nlink > 1)
    return RewriteInPlace(Target, Content, Old.st_size);

  const qsizetype Slash = Target.lastIndexOf('/');
  const QByteArray Base = Slash < 0 ? Target : Target.mid(Slash + 1);
  const QByteArray Temp = DirOf(Target) + "/." + Base + ".tmp" + QByteArray::number(::getpid()) + "." +
                          QByteArray::number(TempCounter.fetch_add(1));
  int Fd;
  do {
    Fd = ::open(Temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  } while (Fd < 0 && errno == EINTR);
  if (Fd < 0) {
    if (Exists && (errno == EACCES || errno == EPERM))
      return RewriteInPlace(Target, Content, Old.st_size);
    return false;
  }
  bool KeepsOwner = true;
  if (Exists) {
    struct stat Fresh;
    if (::fstat(Fd, &Fresh) == 0 && (Fresh.st_uid != Old.st_uid || Fresh.st_gid != Old.st_gid))
      KeepsOwner = ::fchown(Fd, Old.st_uid, Old.st_gid) == 0;
  }
  bool Ok = KeepsOwner && (!Exists || ::fchmod(Fd, Old.st_mode & 07777) == 0) && WriteAll(Fd, Content, 0, false);
  if (::close(Fd) != 0 && errno != EINTR)
    Ok = false;
  if (Ok && ::rename(Temp.constData(), Target.constData()) == 0)
    return true;
  ::unlink(Temp.constData());
  if (!KeepsOwner)
    return RewriteInPlace(Target, Content, Old.st_size);
  return false;
}

// A date, time or date-time value read by TryParse; Default when the key is
// missing, empty or does not parse.
using TryDateFn = bool (*)(const String&, TDateTime&);

TDateTime DateValueOr(const String& S, TDateTime Default, TryDateFn TryParse)
{
  TDateTime Result = Default;
  if (S.isEmpty() || !TryParse(S, Result))
    return Default;
  return Result;
}

} // namespace

struct TIniFile::Impl {
  String FileName;
  QByteArray NativeName;
  std::vector<IniLine> Lines;
  bool Utf8 = false;
  bool Loaded = false;
  bool Unreadable = false;
  FileStamp Stamp;
  // The in-memory form: read once, written back whole by UpdateFile only.
  bool Deferred = false;
  // The registry form: every section lies under this prefix of one file,
  // whose folder is made by the first write.
  String SectionPrefix;
  bool MakeFolder = false;

  String Decode(const QByteArray& B) const { return Utf8 ? QString::fromUtf8(B) : FromAnsi(B); }
  QByteArray Encode(const String& S) const { return Utf8 ? S.toUtf8() : ToAnsi(S); }

  IniLine Parse(const QByteArray& Raw, bool First) const
  {
    IniLine L;
    L.Raw = Raw;
    QByteArray Body = Raw;
    if (First && Body.startsWith(Utf8Bom))
      Body = Body.mid(Utf8Bom.size());
    const QByteArray T = Trim(Body);
    const qsizetype Offset = Raw.size() - Body.size();
    if (T.isEmpty()) {
      L.Kind = LineKind::Blank;
    } else if (T.startsWith(';')) {
      L.Kind = LineKind::Comment;
    } else if (T.startsWith('[')) {
      const qsizetype Close = T.lastIndexOf(']');
      if (Close > 0) {
        L.Kind = LineKind::Section;
        L.Name = Decode(T.mid(1, Close - 1));
      }
    } else {
      L.Kind = LineKind::Key;
      const qsizetype Eq = Body.indexOf('=');
      if (Eq >= 0) {
        L.Name = Decode(Trim(Body.left(Eq)));
        L.ValueStart = Offset + Eq + 1;
      } else {
        L.Name = Decode(T);
      }
    }
    return L;
  }

  void Load(int Fd, const struct stat& St)
  {
    Lines.clear();
    Utf8 = false;
    Unreadable = false;
    if (!S_ISREG(St.st_mode) || St.st_size > MaxIniFileSize) {
      Unreadable = true;
      return;
    }
    QByteArray Data;
    Data.reserve(static_cast<qsizetype>(St.st_size));
    char Buf[65536];
    for (;;) {
      const ssize_t N = ::read(Fd, Buf, sizeof(Buf));
      if (N < 0) {
        if (errno == EINTR)
          continue;
        Unreadable = true;
        return;
      }
      if (N == 0)
        break;
      if (Data.size() + N > MaxIniFileSize) {
        Unreadable = true;
        return;
      }
      Data.append(Buf, N);
    }
    Utf8 = Data.startsWith(Utf8Bom);
    const qsizetype Size = Data.size();
    qsizetype Start = 0;
    while (Start < Size) {
      qsizetype P = Start;
      while (P < Size && Data[P] != '\r' && Data[P] != '\n')
        ++P;
      Lines.push_back(Parse(Data.mid(Start, P - Start), Start == 0));
      if (P < Size && Data[P] == '\r')
        ++P;
      if (P < Size && Data[P] == '\n')
        ++P;
      Start = P;
    }
  }

  // Brings the in-memory copy up to date with the disk; cheap when the
  // file has not changed since it was last read or written here.
  void Refresh()
  {
    struct stat St;
    FileStamp Now;
    if (::stat(NativeName.constData(), &St) == 0)
      Now = FileStamp::Of(St);
    if (Loaded && (Deferred || Now == Stamp))
      return;
    Lines.clear();
    Utf8 = false;
    Unreadable = false;
    Stamp = FileStamp();
    Loaded = true;
    if (!Now.Exists)
      return;
    // Only a regular file is opened: opening a FIFO would wait for a writer
    // for ever. O_NONBLOCK covers one put in its place after the stat.
    if (!S_ISREG(St.st_mode)) {
      Unreadable = true;
      Stamp = Now;
      return;
    }
    const int Fd = ::open(NativeName.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (Fd < 0) {
      Unreadable = true;
      Stamp = Now;
      return;
    }
    if (::fstat(Fd, &St) == 0) {
      Stamp = FileStamp::Of(St);
      Load(Fd, St);
    } else {
      Unreadable = true;
    }
    ::close(Fd);
  }

  [[noreturn]] void WriteFailed()
  {
    // The in-memory copy may hold the change that did not reach the disk;
    // the in-memory form keeps it for a later UpdateFile.
    if (!Deferred)
      Loaded = false;
    throw EIniFileException(QStringLiteral("Unable to write to %1").arg(FileName));
  }

  void PrepareWrite(const String& Section, const String* Ident)
  {
    if (HasLineBreak(Section) || (Ident && HasLineBreak(*Ident)) || NativeName.isEmpty())
      WriteFailed();
    Refresh();
    if (Unreadable)
      WriteFailed();
  }

  void Save()
  {
    if (!Deferred)
      Write();
  }

  void Write()
  {
    if (MakeFolder)
      ForceDirectories(ExtractFileDir(FileName));
    QByteArray Content;
    qsizetype Len = 0;
    for (const IniLine& L : Lines)
      Len += L.Raw.size() + 2;
    Content.reserve(Len);
    for (const IniLine& L : Lines) {
      Content += L.Raw;
      Content += "\r\n";
    }
    if (!ReplaceFile(NativeName, Content))
      WriteFailed();
    struct stat St;
    if (::stat(NativeName.constData(), &St) == 0) {
      Stamp = FileStamp::Of(St);
      Loaded = true;
    } else {
      Loaded = false;
    }
  }

  int32_t FindSection(const String& Section) const
  {
    const String Name = SectionPrefix + Section;
    for (size_t I = 0; I < Lines.size(); ++I)
      if (Lines[I].Kind == LineKind::Section && AnsiSameText(Lines[I].Name, Name))
        return static_cast<int32_t>(I);
    return -1;
  }

  // Index of the line after the section's last line.
  int32_t SectionEnd(int32_t Header) const
  {
    size_t I = static_cast<size_t>(Header) + 1;
    while (I < Lines.size() && Lines[I].Kind != LineKind::Section)
      ++I;
    return static_cast<int32_t>(I);
  }

  int32_t FindKey(int32_t Header, const String& Ident) const
  {
    const int32_t End = SectionEnd(Header);
    for (int32_t I = Header + 1; I < End; ++I)
      if (Lines[static_cast<size_t>(I)].Kind == LineKind::Key &&
          AnsiSameText(Lines[static_cast<size_t>(I)].Name, Ident))
        return I;
    return -1;
  }

  String ValueOf(const IniLine& L) const
  {
    if (L.ValueStart < 0)
      return String();
    // A UTF-8 character takes at most four bytes: enough for the longest
    // value ever returned, without decoding an unbounded line.
    const qsizetype MaxBytes = Utf8 ? MaxIniValueLength * 4 : MaxIniValueLength;
    QByteArray V = Trim(L.Raw.mid(L.ValueStart));
    if (V.size() >= 2 && (V.front() == '"' || V.front() == '\'') && V.back() == V.front())
      V = V.mid(1, V.size() - 2);
    String Result = Decode(V.left(MaxBytes));
    if (Result.size() > MaxIniValueLength)
      Result.truncate(MaxIniValueLength);
    return Result;
  }

  IniLine MakeLine(const QByteArray& Raw) const { return Parse(Raw, false); }
};

TIniFile::TIniFile(const String& FileName) : FImpl(std::make_unique<Impl>())
{
  FImpl->FileName = FileName;
  FImpl->NativeName = QFile::encodeName(FileName);
}

TIniFile::~TIniFile() = default;

TMemIniFile::TMemIniFile(const String& FileName) : TIniFile(FileName)
{
  FImpl->Deferred = true;
  FImpl->Refresh();
}

TMemIniFile::~TMemIniFile() = default;

String TMemIniFile::ClassName() const { return QStringLiteral("TMemIniFile"); }

String RegistryIniFileName() { return ProgramConfigFolder() + QStringLiteral("/Registry.ini"); }

TRegistryIniFile::TRegistryIniFile(const String& Key) : TIniFile(RegistryIniFileName()), FKey(Key)
{
  String Prefix = Key;
  while (Prefix.endsWith(u'\\'))
    Prefix.chop(1);
  FImpl->SectionPrefix = Prefix + u'\\';
  FImpl->MakeFolder = true;
}

TRegistryIniFile::~TRegistryIniFile() = default;

String TRegistryIniFile::ClassName() const { return QStringLiteral("TRegistryIniFile"); }

String TIniFile::ClassName() const { return QStringLiteral("TIniFile"); }

const String& TIniFile::FileName() const { return FImpl->FileName; }

String TIniFile::ReadString(const String& Section, const String& Ident, const String& Default)
{
  Impl& D = *FImpl;
  D.Refresh();
  const int32_t H = D.FindSection(Section);
  if (H < 0)
    return Default;
  const int32_t K = D.FindKey(H, Ident);
  if (K < 0)
    return Default;
  return D.ValueOf(D.Lines[static_cast<size_t>(K)]);
}

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
  Impl& D = *FImpl;
  D.PrepareWrite(Section, &Ident);
  String V = Value;
  for (qsizetype I = 0; I < V.size(); ++I) {
    if (V.at(I) == u'\r' || V.at(I) == u'\n') {
      V.truncate(I);
      break;
    }
  }
  const QByteArray EncodedValue = D.Encode(V);
  const int32_t H = D.FindSection(Section);
  if (H < 0) {
    if (!D.Lines.empty() && D.Lines.back().Kind != LineKind::Blank)
      D.Lines.push_back(D.MakeLine(QByteArray()));
    D.Lines.push_back(D.MakeLine("[" + D.Encode(D.SectionPrefix + Section) + "]"));
    D.Lines.push_back(D.MakeLine(D.Encode(Ident) + "=" + EncodedValue));
    D.Save();
    return;
  }
  const int32_t K = D.FindKey(H, Ident);
  if (K >= 0) {
    IniLine& L = D.Lines[static_cast<size_t>(K)];
    const QByteArray KeyText = L.ValueStart < 0 ? Trim(L.Raw) : Trim(L.Raw.left(L.ValueStart - 1));
    const QByteArray NewRaw = KeyText + "=" + EncodedValue;
    if (NewRaw == L.Raw)
      return;
    L = D.MakeLine(NewRaw);
    D.Save();
    return;
  }
  // After the section's last key, so that blank lines and comments that
  // close the section stay between it and the next one.
  int32_t At = H + 1;
  const int32_t End = D.SectionEnd(H);
  for (int32_t I = H + 1; I < End; ++I)
    if (D.Lines[static_cast<size_t>(I)].Kind == LineKind::Key)
      At = I + 1;
  D.Lines.insert(D.Lines.begin() + At, D.MakeLine(D.Encode(Ident) + "=" + EncodedValue));
  D.Save();
}

int32_t TIniFile::ReadInteger(const String& Section, const String& Ident, int32_t Default)
{
  return StrToIntDef(ReadString(Section, Ident, String()), Default);
}

void TIniFile::WriteInteger(const String& Section, const String& Ident, int32_t Value)
{
  WriteString(Section, Ident, IntToStr(Value));
}

bool TIniFile::ReadBool(const String& Section, const String& Ident, bool Default)
{
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const String& Section, const String& Ident, bool Value)
{
  WriteString(Section, Ident, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

double TIniFile::ReadFloat(const String& Section, const String& Ident, double Default)
{
  const String S = ReadString(Section, Ident, String());
  if (S.isEmpty())
    return Default;
  return StrToFloatDef(S, Default);
}

void TIniFile::WriteFloat(const String& Section, const String& Ident, double Value)
{
  WriteString(Section, Ident, FloatToStr(Value));
}

TDateTime TIniFile::ReadDate(const String& Section, const String& Ident, TDateTime Default)
{
  return DateValueOr(ReadString(Section, Ident, String()), Default, TryStrToDate);
}

void TIniFile::WriteDate(const String& Section, const String& Ident, TDateTime Value)
{
  WriteString(Section, Ident, DateToStr(Value));
}

TDateTime TIniFile::ReadTime(const String& Section, const String& Ident, TDateTime Default)
{
  return DateValueOr(ReadString(Section, Ident, String()), Default, TryStrToTime);
}

void TIniFile::WriteTime(const String& Section, const String& Ident, TDateTime Value)
{
  WriteString(Section, Ident, TimeToStr(Value));
}

TDateTime TIniFile::ReadDateTime(const String& Section, const String& Ident, TDateTime Default)
{
  return DateValueOr(ReadString(Section, Ident, String()), Default, TryStrToDateTime);
}

void TIniFile::WriteDateTime(const String& Section, const String& Ident, TDateTime Value)
{
  WriteString(Section, Ident, DateTimeToStr(Value));
}

void TIniFile::ReadSection(const String& Section, TStringList& Strings)
{
  Impl& D = *FImpl;
  D.Refresh();
  Strings.BeginUpdate();
  const auto Updating = ScopeExit([&] { Strings.EndUpdate(); });
  Strings.Clear();
  const int32_t H = D.FindSection(Section);
  if (H >= 0) {
    const int32_t End = D.SectionEnd(H);
    for (int32_t I = H + 1; I < End; ++I)
      if (D.Lines[static_cast<size_t>(I)].Kind == LineKind::Key)
        Strings.Add(D.Lines[static_cast<size_t>(I)].Name);
  }
}

void TIniFile::ReadSections(TStringList& Strings)
{
  Impl& D = *FImpl;
  D.Refresh();
  Strings.BeginUpdate();
  const auto Updating = ScopeExit([&] { Strings.EndUpdate(); });
  Strings.Clear();
  std::vector<String> Seen;
  const qsizetype Skip = D.SectionPrefix.size();
  for (const IniLine& L : D.Lines) {
    if (L.Kind != LineKind::Section || !L.Name.startsWith(D.SectionPrefix, Qt::CaseInsensitive))
      continue;
    const String Name = L.Name.mid(Skip);
    bool Known = false;
    for (const String& S : Seen)
      if (AnsiSameText(S, Name)) {
        Known = true;
        break;
      }
    if (!Known) {
      Seen.push_back(Name);
      Strings.Add(Name);
    }
  }
}

void TIniFile::ReadSectionValues(const String& Section, TStringList& Strings)
{
  Impl& D = *FImpl;
  D.Refresh();
  Strings.BeginUpdate();
  const auto Updating = ScopeExit([&] { Strings.EndUpdate(); });
  Strings.Clear();
  const int32_t H = D.FindSection(Section);
  if (H >= 0) {
    const int32_t End = D.SectionEnd(H);
    for (int32_t I = H + 1; I < End; ++I) {
      const IniLine& L = D.Lines[static_cast<size_t>(I)];
      if (L.Kind == LineKind::Key)
        Strings.Add(L.Name + QLatin1Char('=') + D.ValueOf(L));
    }
  }
}

void TIniFile::EraseSection(const String& Section)
{
  Impl& D = *FImpl;
  D.PrepareWrite(Section, nullptr);
  bool Changed = false;
  for (int32_t H = D.FindSection(Section); H >= 0; H = D.FindSection(Section)) {
    D.Lines.erase(D.Lines.begin() + H, D.Lines.begin() + D.SectionEnd(H));
    Changed = true;
  }
  if (Changed)
    D.Save();
}

void TIniFile::DeleteKey(const String& Section, const String& Ident)
{
  Impl& D = *FImpl;
  D.PrepareWrite(Section, &Ident);
  const int32_t H = D.FindSection(Section);
  if (H < 0)
    return;
  bool Changed = false;
  for (int32_t K = D.FindKey(H, Ident); K >= 0; K = D.FindKey(H, Ident)) {
    D.Lines.erase(D.Lines.begin() + K);
    Changed = true;
  }
  if (Changed)
    D.Save();
}

bool TIniFile::SectionExists(const String& Section)
{
  Impl& D = *FImpl;
  D.Refresh();
  const int32_t H = D.FindSection(Section);
  if (H < 0)
    return false;
  const int32_t End = D.SectionEnd(H);
  for (int32_t I = H + 1; I < End; ++I)
    if (D.Lines[static_cast<size_t>(I)].Kind == LineKind::Key)
      return true;
  return false;
}

bool TIniFile::ValueExists(const String& Section, const String& Ident)
{
  Impl& D = *FImpl;
  D.Refresh();
  const int32_t H = D.FindSection(Section);
  return H >= 0 && D.FindKey(H, Ident) >= 0;
}

void TIniFile::UpdateFile()
{
  Impl& D = *FImpl;
  if (!D.Deferred)
    return;
  if (D.NativeName.isEmpty())
    D.WriteFailed();
  D.Refresh();
  if (D.Unreadable)
    D.WriteFailed();
  D.Write();
}

bool TIniFile::Unreadable()
{
  FImpl->Refresh();
  return FImpl->Unreadable;
}
