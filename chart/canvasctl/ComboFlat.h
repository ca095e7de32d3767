#pragma once
// The flat drop-down list of the chart editor: it looks native while the
// mouse is over it or while it has the focus, and flat otherwise.
#include "platform/StdCtrls.h"

class TComboFlat : public TComboBox {
public:
  // A list-only box 21 pixels high, items 13 pixels high.
  explicit TComboFlat(TComponent* AOwner = nullptr);
  ~TComboFlat() override;
  String ClassName() const override;

  void Add(const String& Item);
  // With an object attached (not owned).
  void AddObject(const String& Item, TObject* AObject);
  // Empty when nothing is selected.
  String CurrentItem() const;
  // nullptr when nothing is selected.
  TObject* SelectedObject() const;

  // The mouse is over the control: it is drawn native.
  bool Inside = false;

protected:
  // The flat frame over the native box, unless inside or focused.
  void Paint() override;
  void MouseEnter() override;
  void MouseLeave() override;
  void DoEnter() override;
  void DoExit() override;
};
