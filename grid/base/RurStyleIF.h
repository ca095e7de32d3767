#pragma once
// The style vocabulary of the grid library's controls, the Office colour
// theme the user has chosen and the notifier that tells windows when it
// changes.
//
// ---- Styles ------------------------------------------------------------------------------
// A style (TZURStyle) or a set of colour tones (TColorTones) is pushed into
// a control through the interfaces IZURStyle, IZURStyleEx and IZURTones.
//
// ---- The Office theme ---------------------------------------------------------------------
// The desktop's Office settings live in a settings file standing in for the
// user's registry (OfficeThemeFile: by default FATHOMIX.INI in the
// program's set-up folder; the program names its own settings file). Its
// sections are the registry key paths and its keys the value names:
//   [Software\Microsoft\Office\16.0\Common]
//   UI Theme=3
// GetOfficeVersion and GetOfficeTheme read it at each call.
//
// ---- The notifier --------------------------------------------------------------------------
// One TThemeNotifier per process (ThemeNotifier). When an Office version is
// set up, a monitor thread watches the settings file and, whenever it
// changes, sends WM_OFFICETHEMECHANGED (2993) to the notifier's window and
// to every registered window, in the order they were registered, each
// call synchronous (the window's thread handles it while the monitor
// waits). The window list is shared with the monitor under a lock.
//
// Everything but the monitor thread runs on the main thread.
#include "platform/Colors.h"
#include "platform/Component.h"
#include "platform/Messages.h"

#include <memory>
#include <mutex>
#include <vector>

enum TZURStyle : uint8_t {
  tsOffice2003Blue,
  tsOffice2003Silver,
  tsOffice2003Olive,
  tsOffice2003Classic,
  tsOffice2007Luna,
  tsOffice2007Obsidian,
  tsWindowsXP,
  tsWhidbey,
  tsCustom,
  tsOffice2007Silver,
  tsWindowsVista,
  tsWindows7,
  tsTerminal,
  tsOffice2010Blue,
  tsOffice2010Silver,
  tsOffice2010Black,
  tsWindows8,
  tsOffice2013White,
  tsOffice2013LightGray,
  tsOffice2013Gray,
  tsWindows10,
  tsOffice2016White,
  tsOffice2016Gray,
  tsOffice2016Black
};

enum TOfficeTheme : uint8_t {
  ot2003Blue,
  ot2003Silver,
  ot2003Olive,
  ot2003Classic,
  ot2007Blue,
  ot2007Silver,
  ot2007Black,
  ot2010Blue,
  ot2010Silver,
  ot2010Black,
  ot2013White,
  ot2013Silver,
  ot2013Gray,
  ot2016White,
  ot2016Gray,
  ot2016Black,
  otUnknown
};

struct TColorTone {
  TColor BrushColor = clNone;
  TColor BorderColor = clNone;
  TColor TextColor = clNone;
};

struct TColorTones {
  TColorTone Background;
  TColorTone Foreground;
  TColorTone Selected;
  TColorTone Hover;
  TColorTone Disabled;
};

class IZURTones {
public:
  virtual ~IZURTones() = default;
  virtual void SetColorTones(const TColorTones& ATones) = 0;
};

class IZURStyle {
public:
  virtual ~IZURStyle() = default;
  virtual void SetComponentStyle(TZURStyle AStyle) = 0;
};

class IZURStyleEx : public IZURStyle {
public:
  // The second style setter; controls map it to SetComponentStyle.
  virtual void SetComponentStyleEx(TZURStyle AStyle) = 0;
  virtual void SetComponentStyleAndAppColor(TZURStyle AStyle, TColor AppColor) = 0;
};

// The message the notifier sends when the Office settings change.
constexpr uint32_t WM_OFFICETHEMECHANGED = WM_USER + 1969;

// Window handles in order; HasValue and DeleteValue find the first equal
// entry.
class THandleList {
public:
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  HWND operator[](int32_t Index) const { return FItems[static_cast<size_t>(Index)]; }
  void Add(HWND Value) { FItems.push_back(Value); }
  void Insert(int32_t Index, HWND Value);
  void Delete(int32_t Index);
  void DeleteValue(HWND Value);
  bool HasValue(HWND Value) const;

private:
  std::vector<HWND> FItems;
};

// ---- Environment -----------------------------------------------------------------------------
// The stand-ins for the system version tests: a Qt desktop counts as a
// themed Vista-or-later system.
bool IsThemedApp();
bool IsVista();
bool IsWinXP();
// The colour scheme of the desktop's visual style: 1 blue, 2 olive, 3
// silver; a Qt style has none (0).
int32_t CurrentXPTheme();
// "Segoe UI" on Vista or later, else "Tahoma".
String GetMetroFont();
// Every channel of the colour (resolved to RGB) times (100 - Percent) / 100,
// rounded half to even, at most 255.
TColor DarkenColor(TColor Color, int32_t Percent);
TColor ChangeColor(TColor Color, int32_t Percent);

// ---- The Office settings --------------------------------------------------------------------------
String OfficeThemeFile();
// "" goes back to the default file.
void SetOfficeThemeFile(const String& FileName);
// The newest Office whose key is set up: 0 none (or 11.0 alone), 1 12.0,
// 2 14.0, 3 15.0, 4 16.0.
int32_t GetOfficeVersion();
// The colour theme of the newest Office that has its theme value; the
// desktop's own scheme when none has.
TOfficeTheme GetOfficeTheme();

// ---- The notifier ------------------------------------------------------------------------------------
class TRegMonitorThread;

class TThemeNotifier : public TComponent {
public:
  explicit TThemeNotifier(TComponent* AOwner);
  // Stops the monitor (it wakes at once and sends nothing more) and lets a
  // later ThemeNotifier make a new notifier.
  ~TThemeNotifier() override;
  String ClassName() const override;

  // Whether a monitor thread runs (an Office version is set up).
  bool Monitoring() const { return FMonitor != nullptr; }
  // The notifier's own window; 0 without a monitor.
  HWND NotifierWindow() const;
  // Adds a window once; nothing without a monitor.
  void RegisterWindow(HWND Handle);
  void UnRegisterWindow(HWND Handle);
  // The registered windows, in order.
  std::vector<HWND> Windows() const;

  TNotifyEvent OnOfficeThemeChange;

private:
  void OfficeThemeChanged();
  std::unique_ptr<TMessageWindow> FNotifier;
  std::unique_ptr<TRegMonitorThread> FMonitor;
};

// The process's notifier, made on first call with the owner given.
TThemeNotifier* ThemeNotifier(TComponent* AOwner);
