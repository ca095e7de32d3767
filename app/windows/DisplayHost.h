#pragma once
// What the display windows and the operator's dialogs need of the main
// window that holds them. The main window lies above this library, so it
// implements this interface and hands itself to the windows it opens; the
// windows reach it through nothing else.
//
// Main thread only.
#include "app/core/MdiChild.h"
#include "rtl/Types.h"

#include <cstdint>
#include <vector>

class TCoreData;
class TCustomForm;

// What the About box shows.
struct TProgramInfo {
  String ProductName;
  String Version;
  String Comments;
  String SerialNo;
};

class IDisplayHost {
public:
  virtual ~IDisplayHost();

  // The MDI frame: the windows are its children and it owns them.
  virtual TCustomForm* Frame() = 0;
  // The acquisition core's shared values.
  virtual TCoreData& Core() = 0;
  // The folder of the settings file, where "Icon.ico" lies.
  virtual const String& SetupFolder() const = 0;
  // A window joins the children the core updates, saves and closes, and
  // leaves them.
  virtual void RegisterMdiChild(IMdiChild* Child) = 0;
  virtual void UnregisterMdiChild(IMdiChild* Child) = 0;

  // ActionArray: the item mask of every window created, at its
  // ScreenNumber - 1. Entries are never removed.
  virtual std::vector<int32_t>& ItemMasks() = 0;
  // CreateNumber grown by one: the ScreenNumber of the window being made.
  virtual int32_t NextScreenNumber() = 0;
  // Menu_Open_Flag: the window being opened comes from the Display Type
  // menu (default place and size, no item) rather than from a saved layout.
  virtual bool MenuOpen() const = 0;
  // The saved values of the layout window being opened (LayoutValues).
  virtual TLayoutWindow& OpeningLayout() = 0;

  // The caption of the menu item of user display N (1..6); others ignored.
  virtual void SetUserDisplayCaption(int32_t N, const String& Caption) = 0;
  // SaveDisplayFlag := 1: the next settings write stores the layout.
  virtual void RequestLayoutSave() = 0;
  virtual TProgramInfo ProgramInfo() const = 0;
};
