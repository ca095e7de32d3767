#include "grid/base/RurStyleIF.h"

#include "platform/DrawControls.h"
#include "platform/Thread.h"
#include "rtl/Files.h"
#include "rtl/IniFile.h"
#include "rtl/Numbers.h"

#include <QMutex>

#include <algorithm>
#include <cmath>

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

const char* const OfficeKeys[] = {
    "Software\\Microsoft\\Office\\11.0\\Common\\General", "Software\\Microsoft\\Office\\12.0\\Common\\General",
    "Software\\Microsoft\\Office\\14.0\\Common\\General", "Software\\Microsoft\\Office\\15.0\\Common\\General",
    "Software\\Microsoft\\Office\\16.0\\Common\\General"};

QMutex FileLock;
String GOfficeThemeFile;
TThemeNotifier* GNotifier = nullptr;

String Key(const char* S) { return QString::fromLatin1(S); }

// A value read as text and taken as a number; absent when the key, the
// value or a number is missing.
bool ReadNumberText(TIniFile& Ini, const char* Section, const char* Ident, int32_t& Value)
{
  if (!Ini.SectionExists(Key(Section)) || !Ini.ValueExists(Key(Section), Key(Ident)))
    return false;
  return TryStrToInt(Ini.ReadString(Key(Section), Key(Ident), String()).trimmed(), Value);
}

} // namespace

// ---------------------------------------------------------------- handle list

void THandleList::Insert(int32_t Index, HWND Value)
{
  Index = std::clamp(Index, 0, Count());
  FItems.insert(FItems.begin() + Index, Value);
}

void THandleList::Delete(int32_t Index)
{
  if (Index >= 0 && Index < Count())
    FItems.erase(FItems.begin() + Index);
}

void THandleList::DeleteValue(HWND Value)
{
  const auto It = std::find(FItems.begin(), FItems.end(), Value);
  if (It != FItems.end())
    FItems.erase(It);
}

bool THandleList::HasValue(HWND Value) const { return std::find(FItems.begin(), FItems.end(), Value) != FItems.end(); }

// ---------------------------------------------------------------- environment

bool IsThemedApp() { return IsThemeActive(); }
bool IsVista() { return true; }
bool IsWinXP() { return true; }
int32_t CurrentXPTheme() { return 0; }

String GetMetroFont() { return IsVista() ? QStringLiteral("Segoe UI") : QStringLiteral("Tahoma"); }

TColor DarkenColor(TColor Color, int32_t Percent)
{
  const TColor C = ColorToRGB(Color);
  auto Channel = [Percent](uint8_t V) {
    const double Scaled = std::nearbyint(V * (100 - Percent) / 100.0); // half to even
    return static_cast<uint8_t>(std::clamp(Scaled, 0.0, 255.0));
  };
  return RGBColor(Channel(GetRValue(C)), Channel(GetGValue(C)), Channel(GetBValue(C)));
}

TColor ChangeColor(TColor Color, int32_t Percent) { return DarkenColor(Color, Percent); }

// ---------------------------------------------------------------- Office settings

String OfficeThemeFile()
{
  QMutexLocker Lock(&FileLock);
  return GOfficeThemeFile.isEmpty() ? ProgramConfigFolder() + QStringLiteral("/FATHOMIX.INI") : GOfficeThemeFile;
}

void SetOfficeThemeFile(const String& FileName)
{
  QMutexLocker Lock(&FileLock);
  GOfficeThemeFile = FileName;
}

int32_t GetOfficeVersion()
{
  TIniFile Ini(OfficeThemeFile());
  int32_t Version = 0;
  for (int32_t I = 1; I < 5; ++I)
    if (Ini.SectionExists(Key(OfficeKeys[I])))
      Version = I;
  return Version;
}

TOfficeTheme GetOfficeTheme()
{
  TIniFile Ini(OfficeThemeFile());
  int32_t V = 0;
  if (ReadNumberText(Ini, "Software\\Microsoft\\Office\\16.0\\Common", "UI Theme", V))
    return V == 0 || V == 3 ? ot2016White : V == 2 ? ot2016Black : V == 5 ? ot2016Gray : ot2003Blue;
  if (ReadNumberText(Ini, "Software\\Microsoft\\Office\\15.0\\Common", "UI Theme", V))
    return V == 0 ? ot2013White : V == 1 ? ot2013Silver : V == 2 ? ot2013Gray : ot2003Blue;
  if (ReadNumberText(Ini, "Software\\Microsoft\\Office\\14.0\\Common", "Theme", V))
    return V == 1 ? ot2010Blue : V == 2 ? ot2010Silver : V == 3 ? ot2010Black : ot2003Blue;
  if (ReadNumberText(Ini, "Software\\Microsoft\\Office\\12.0\\Common", "Theme", V))
    return V == 1 ? ot2007Blue : V == 2 ? ot2007Silver : V == 3 ? ot2007Black : ot2003Blue;
  switch (CurrentXPTheme()) {
  case 1:
    return ot2003Blue;
  case 2:
    return ot2003Olive;
  case 3:
    return ot2003Silver;
  default:
    return ot2003Classic;
  }
}

// ---------------------------------------------------------------- monitor thread

// Watches the settings file (through its folder, as editors replace files)
// and sends the change message to the notifier window and the registered
// windows. Stop wakes it through an event descriptor.
class TRegMonitorThread : public TThread {
public:
  // The watch is armed here, before the thread runs, so that no change
  // made after the notifier exists can be missed.
  TRegMonitorThread(HWND Wnd, String FileName) : FWnd(Wnd), FFileName(std::move(FileName))
  {
    FWake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    FWatch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (FWatch >= 0)
      inotify_add_watch(FWatch, ExtractFileDir(FFileName).toLocal8Bit().constData(),
                        IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE);
    SetName(QStringLiteral("Office theme"));
  }
  ~TRegMonitorThread() override
  {
    if (FWake >= 0)
      close(FWake);
    if (FWatch >= 0)
      close(FWatch);
  }

  void Stop()
  {
    Terminate();
    const uint64_t One = 1;
    if (FWake >= 0 && write(FWake, &One, sizeof One) < 0) {
      // The descriptor cannot fail a write of one count; nothing to do.
    }
    if (Started())
      WaitFor();
  }

  void Register(HWND Handle)
  {
    QMutexLocker Lock(&FListLock);
    if (!FWinList.HasValue(Handle))
      FWinList.Add(Handle);
  }
  void UnRegister(HWND Handle)
  {
    QMutexLocker Lock(&FListLock);
    FWinList.DeleteValue(Handle);
  }
  std::vector<HWND> Windows() const
  {
    QMutexLocker Lock(&FListLock);
    std::vector<HWND> Copy;
    for (int32_t I = 0; I < FWinList.Count(); ++I)
      Copy.push_back(FWinList[I]);
    return Copy;
  }

protected:
  void Execute() override
  {
    const int Watch = FWatch;
    if (Watch < 0)
      return;
    const QByteArray Name = ExtractFileName(FFileName).toLocal8Bit();
    while (!Terminated()) {
      pollfd Fds[2] = {{Watch, POLLIN, 0}, {FWake, POLLIN, 0}};
      if (poll(Fds, 2, -1) < 0)
        continue;
      if (Terminated())
        break;
      bool Changed = false;
      alignas(inotify_event) char Buffer[4096];
      ssize_t N;
      while ((N = read(Watch, Buffer, sizeof Buffer)) > 0)
        for (char* P = Buffer; P < Buffer + N;) {
          const auto* E = reinterpret_cast<const inotify_event*>(P);
          if (E->len > 0 && Name == E->name)
            Changed = true;
          P += sizeof(inotify_event) + E->len;
        }
      if (!Changed || Terminated())
        continue;
      const String Path = FFileName;
      const auto LParam = reinterpret_cast<intptr_t>(&Path);
      if (FWnd)
        SendMessage(FWnd, WM_OFFICETHEMECHANGED, 0, LParam);
      // A copy: a window may unregister itself while it is told.
      for (HWND W : Windows())
        SendMessage(W, WM_OFFICETHEMECHANGED, 0, LParam);
    }
  }

private:
  HWND FWnd;
  String FFileName;
  int FWake = -1;
  int FWatch = -1;
  mutable QMutex FListLock;
  THandleList FWinList;
};

// ---------------------------------------------------------------- notifier

TThemeNotifier::TThemeNotifier(TComponent* AOwner) : TComponent(AOwner)
{
  if (ComponentState() & csDesigning)
    return;
  const int32_t Version = GetOfficeVersion();
  if (Version < 1)
    return;
  FNotifier = std::make_unique<TMessageWindow>([this](uint32_t Msg, uintptr_t, intptr_t) -> intptr_t {
    if (Msg == WM_OFFICETHEMECHANGED)
      OfficeThemeChanged();
    return 0;
  });
  FMonitor = std::make_unique<TRegMonitorThread>(FNotifier->Handle(), OfficeThemeFile());
  FMonitor->Start();
}

TThemeNotifier::~TThemeNotifier()
{
  if (FMonitor)
    FMonitor->Stop();
  FMonitor.reset();
  if (GNotifier == this)
    GNotifier = nullptr;
}

String TThemeNotifier::ClassName() const { return QStringLiteral("TThemeNotifier"); }

HWND TThemeNotifier::NotifierWindow() const { return FNotifier ? FNotifier->Handle() : 0; }

void TThemeNotifier::RegisterWindow(HWND Handle)
{
  if (FMonitor)
    FMonitor->Register(Handle);
}

void TThemeNotifier::UnRegisterWindow(HWND Handle)
{
  if (FMonitor)
    FMonitor->UnRegister(Handle);
}

std::vector<HWND> TThemeNotifier::Windows() const { return FMonitor ? FMonitor->Windows() : std::vector<HWND>(); }

void TThemeNotifier::OfficeThemeChanged()
{
  if (OnOfficeThemeChange)
    OnOfficeThemeChange(this);
}

TThemeNotifier* ThemeNotifier(TComponent* AOwner)
{
  if (!GNotifier)
    GNotifier = new TThemeNotifier(AOwner);
  return GNotifier;
}
