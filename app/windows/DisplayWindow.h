#pragma once
// The frame every display window shares: an MDI child of the main window
// that follows the acquisition core's live data. A window kind (graph,
// table, scale, big number, ...) is a subclass in a file pair of its own;
// this class gives it
//
//   - the form: MDI child, Arial of height -11, the client size of the kind
//     (312 x 206, the big-number window 312 x 86), free on close;
//   - the item choice: the thirty item actions Action1..Action30 in
//     ActionManager1 (categories "Sensor List 1".."Sensor List 3") and the
//     pop-up menu PopupActionBar1 whose first three entries are the
//     sub-menus "Sensor List 1".."Sensor List 3" with ten items each, bound
//     to the actions; the choice recorded in the main window's ActionArray
//     at ScreenNumber - 1 (bit N-1 for item N) and in DataNumberArray
//     (2N-1 while item N is shown);
//   - ScreenSetup: DataUpdateFlag from the recorded mask, then the kind's
//     ContentSetup;
//   - the colour and font actions ColorSelect1 and FontEdit1 with their
//     "Background" and "Font" menu entries, for the kinds that have them;
//   - the membership of the main window's children (IMdiChild): the window
//     joins them when made and leaves them when closed or freed.
//
// Items: the N-th fitted sensor slot is item N (1..30); its value is the
// core's DataArray[2N-1] and its name SensorName[N-1]. An item without a
// sensor (the action of an empty "Sensor List 1" with nothing fitted) is
// never chosen: its action does nothing.
//
// Adding a kind (see TMDIFont for a whole one):
//   1. class TMDIxxx : public TDisplayWindow, constructed with the host, its
//      kind, its form name ("MDIGraph") and its choice (TItemChoice);
//   2. in the constructor make the content control, give it to
//      SetContent (aligned to the client area, with the pop-up menu), and
//      add the kind's tail of the pop-up menu (AddAppearanceItems for the
//      table kinds; the chart kinds their "Chart" entry);
//   3. override DataUpdate (nothing unless DataUpdateFlag is 1; end with
//      ProcessMessages), ContentSetup, and as needed FormShow, KindSetup,
//      ApplyLayoutAppearance/Appearance, ColorSelect1Accept/FontEdit1Accept,
//      ItemSelectable;
//   4. add its row to the kind table in DisplayWindows.cpp, which enables
//      its Display Type menu item and lets saved layouts reopen it.
//
// Main thread only. DataUpdate and rebuilds pump messages, so an item
// toggle, a close or a packet event can run inside them.
#include "app/core/MdiChild.h"
#include "platform/Forms.h"

#include <array>
#include <cstdint>
#include <vector>

class IDisplayHost;
class TAction;
class TActionList;
class TChartActionCopy;
class TChartAxis;
class TColorSelect;
class TCustomChart;
class TCoreData;
class TFont;
class TFontEdit;
class TMenuItem;
class TPopupMenu;

constexpr int32_t DisplayItemCount = 30;

// How a kind lets the operator choose what it shows.
enum class TItemChoice : uint8_t {
  None, // fixed content, no item actions (the position graph)
  Many, // each item toggled on and off
  One,  // one item at a time, the last chosen (the big-number window)
};

class TDisplayWindow : public TForm, public IMdiChild {
public:
  ~TDisplayWindow() override;
  String ClassName() const override;

  // The main window that opened it.
  IDisplayHost& Host() const { return FHost; }

  // ---- IMdiChild --------------------------------------------------------------
  TMdiChildKind Kind() const override { return FKind; }
  // The form name a layout stores and SetupForm recognises.
  String Name() const override { return FFormName; }
  int32_t ScreenNumber() const override { return FScreenNumber; }
  void SetScreenNumber(int32_t Value) override { FScreenNumber = Value; }
  int32_t Top() const override { return TControl::Top(); }
  int32_t Left() const override { return TControl::Left(); }
  int32_t Height() const override { return TControl::Height(); }
  int32_t Width() const override { return TControl::Width(); }
  // The form's close: FormClose frees it; it has left the main window's
  // children when this returns.
  void Close() override;

  // ---- Item choice --------------------------------------------------------------
  TItemChoice Choice() const { return FChoice; }
  // Action1..Action30; nullptr outside 1..30 and for TItemChoice::None.
  TAction* Action(int32_t N) const;
  // Action1Execute..Action30Execute: the handler of action N.
  void ActionExecute(int32_t N);
  // Whether an item of this name may be chosen here (its action enabled).
  virtual bool ItemSelectable(const String& SensorName) const;
  // The window's ActionArray entry (0 before the window is numbered).
  int32_t ItemMask() const;
  // The items shown (DataNumberArray entries set), ascending.
  std::vector<int32_t> ShownItems() const;
  // The sensor slot (TSlot) that item N stands for: the slot whose index
  // variable holds 2N-1. The history and the depth tables are kept by slot,
  // and the fitted slots are not consecutive, so the item's place in the
  // value table says nothing about its slot. -1 when no slot is item N.
  int32_t ItemSlot(int32_t N) const;
  // SensorName[N-1]; empty when the core names no such item.
  String ItemName(int32_t N) const;
  // Rebuilds the content for the current choice; run by the item actions.
  void ScreenSetup();

  // ---- What the opening does (DisplayWindows.cpp) ----------------------------------
  // The height of the default place (240; the big-number window 120).
  virtual int32_t DefaultHeight() const;
  // The kind's own set-up after the window is placed (the graph's bottom
  // axis format); nothing by default.
  virtual void KindSetup();
  // The saved colour and font of a reopened layout window, for the kinds
  // that keep them (Appearance says which); nothing by default.
  virtual void ApplyLayoutAppearance(const TLayoutWindow& Layout);

  // ---- Colour and font ------------------------------------------------------------
  // After the operator confirmed the colour or font dialog (the dialog's
  // choice in ColorSelect1->Color() and FontEdit1->DialogFont()).
  virtual void ColorSelect1Accept();
  virtual void FontEdit1Accept();

  // ---- Components (named as the form has them) --------------------------------------
  TActionList* ActionManager1 = nullptr;
  TPopupMenu* PopupActionBar1 = nullptr;
  TMenuItem* SensorList11 = nullptr;
  TMenuItem* SensorList21 = nullptr;
  TMenuItem* SensorList31 = nullptr;
  // Table and big-number windows only (AddAppearanceItems).
  TColorSelect* ColorSelect1 = nullptr;
  TFontEdit* FontEdit1 = nullptr;

  // 1 when the window has something to show; DataUpdate does nothing else.
  int32_t DataUpdateFlag = 0;
  // Index N-1: 2N-1 while item N is shown, else 0 (TItemChoice::Many).
  std::array<int32_t, DisplayItemCount> DataNumberArray{};

protected:
  // ClientHeight: 206, or 86 for the big-number window.
  TDisplayWindow(IDisplayHost& Host, TMdiChildKind Kind, const char* FormName, TItemChoice Choice,
                 int32_t ClientHeight = 206);

  TCoreData& Core() const;

  // Start values when the window is first shown: nothing to show yet.
  virtual void FormShow();
  // The kind's part of ScreenSetup, after DataUpdateFlag has been set.
  virtual void ContentSetup();
  // The item action of a TItemChoice::One kind; nothing by default.
  virtual void ChooseItem(int32_t N);
  // Puts the content control over the whole client area and gives it the
  // pop-up menu.
  void SetContent(TControl* Content);
  // "Background" with "Select &Color..." and "Font" with "Select &Font...".
  void AddAppearanceItems();
  // A top-level entry of the pop-up menu, after the sensor lists.
  TMenuItem* AddPopupItem(const char* Caption, const char* Name);
  // The chart kinds' "Chart" entry, holding the copy action of Chart.
  TChartActionCopy* AddChartItem(TCustomChart* Chart);
  // The ActionArray entry of this window, made when missing (nothing before
  // the window is numbered).
  void SetItemMask(int32_t Value);
  // The axis click of the chart kinds: the chart-scale dialog on Axis.
  void Chart1ClickAxis(TChartAxis* Axis);
  // One pass of the message loop, as every DataUpdate ends with.
  void ProcessMessages();
  // A font and colour as a user layout saves them, and back: the saved
  // name, character set, colour, size and style over Into's other settings.
  static void AppearanceOf(TColor Color, const TFont& Font, TLayoutAppearance& Out);
  static void LayoutFont(const TLayoutWindow& Layout, TFont& Into);

private:
  void MakeItemActions();
  void ToggleItem(int32_t N);
  int32_t* ItemMaskEntry();

  IDisplayHost& FHost;
  TMdiChildKind FKind;
  String FFormName;
  TItemChoice FChoice;
  std::array<TAction*, DisplayItemCount> FActions{};
  int32_t FScreenNumber = 0;
  bool FRegistered = false;
};
