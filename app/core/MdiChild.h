#pragma once
// What the main window needs of the windows inside its frame: the display
// windows and the set-up screen. The windows themselves belong to the
// display subsystem; they register with the main window when they are shown
// (TMainForm::RegisterMdiChild) and leave when they are freed, and the main
// window reaches them only through this interface: to fan each sample out to
// them, to close them before a layout is reopened, and to save a layout.
#include "rtl/Types.h"

#include <cstdint>

// The window kinds, by their form names.
enum class TMdiChildKind : int32_t {
  SetupScreen,   // TMDISetup, "MDISetup"
  SingleValue,   // TMDIFont, "MDIFont"
  Scroll,        // TMDIScroll, "MDIScroll"
  LastData,      // TMDILast, "MDILast"
  Graph,         // TMDIGraph, "MDIGraph"
  PositionGraph, // TMDIPosGraph, "MDIPosGraph"
  BathyGraph,    // TMDIBathyGraph, "MDIBathyGraph"
  Scale,         // TMDIScale, "MDIScale"
  DepthScroll,   // TMDIDepthScroll, "MDIDepthScroll"
};

// The colour and font a user layout saves for a window.
struct TLayoutAppearance {
  int32_t Color = 0;
  String FontName;
  int32_t FontCharSet = 1;
  int32_t FontColor = 0;
  int32_t FontSize = 8;
  int32_t FontStyle = 0; // bits: 1 bold, 2 italic, 4 underline, 8 strike-out
};

// The values of one window of a saved user layout.
struct TLayoutWindow {
  String Form_Style = QStringLiteral("MDIFont");
  int32_t Action_Flag = 0;
  int32_t Form_Color = 16777215;
  String Form_Font_Name = QStringLiteral("Arial");
  int32_t Form_Font_CharSet = 1;
  int32_t Form_Font_Color = 0;
  int32_t Form_Font_Size = 8;
  int32_t Form_Font_Style = 0;
  int32_t Form_Top = 0;
  int32_t Form_Left = 0;
  int32_t Form_Height = 240;
  int32_t Form_Width = 320;
};

class IMdiChild {
public:
  virtual ~IMdiChild();

  virtual TMdiChildKind Kind() const = 0;
  // The component name a layout stores ("MDIFont", "MDIGraph2", "MDISetup").
  virtual String Name() const = 0;
  // The window's creation number, 1-based (its ActionArray entry is
  // ScreenNumber - 1).
  virtual int32_t ScreenNumber() const = 0;
  virtual void SetScreenNumber(int32_t Value) = 0;

  virtual int32_t Top() const = 0;
  virtual int32_t Left() const = 0;
  virtual int32_t Height() const = 0;
  virtual int32_t Width() const = 0;
  // The value label's colour and font (single-value window) or the grid's
  // (scroll, last-data and depth-scroll windows); false for the other kinds.
  virtual bool Appearance(TLayoutAppearance& Out) const;

  // Refreshes the window from the shared values, once per sample.
  virtual void DataUpdate() = 0;
  // Closes and frees the window; it has left the main window's list of
  // children when Close returns.
  virtual void Close() = 0;
};
