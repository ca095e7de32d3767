#pragma once
// The big-number window (form "MDIFont", the main window's "Simple
// Display"): the latest value of one item in large figures filling the
// window, the item's name in the title bar. Choosing another item replaces
// the shown one; its single bit is the window's ActionArray entry. The
// background colour and the font are the operator's and are saved with a
// user layout.
//
// DataUpdate: the label shows the core's DataArray[DataNumber] as the core
// formatted it; "9.999" when that entry is not there. Before any choice the
// label keeps "-0000.000".
#include "app/windows/DisplayWindow.h"

class TLabel;

class TMDIFont : public TDisplayWindow {
public:
  explicit TMDIFont(IDisplayHost& Host);
  ~TMDIFont() override;
  String ClassName() const override;

  void DataUpdate() override;
  bool Appearance(TLayoutAppearance& Out) const override;
  int32_t DefaultHeight() const override;
  void ApplyLayoutAppearance(const TLayoutWindow& Layout) override;
  void ColorSelect1Accept() override;
  void FontEdit1Accept() override;

  TLabel* Label1 = nullptr;
  // DataArray index 2N-1 of the item shown; 0 before any choice.
  int32_t DataNumber = 0;

protected:
  void ChooseItem(int32_t N) override;
};
