#pragma once
// The flat drop-down list of the chart editor: it looks native while the
// mouse is over it or while it has the focus, and flat otherwise.
#include "rtl/Types.h"

#include <QComboBox>

class TObject;

class TComboFlat : public QComboBox {
public:
  explicit TComboFlat(QWidget* AOwner = nullptr);
  ~TComboFlat() override;

  void Add(const String& Item);
  // With an object attached (not owned).
  void AddObject(const String& Item, TObject* AObject);
  // Empty when nothing is selected.
  String CurrentItem() const;
  // nullptr when nothing is selected.
  TObject* SelectedObject() const;
  // Width of the dropped-down list; the control's width unless set.
  int32_t DropDownWidth() const;
  void SetDropDownWidth(int32_t Value);
  // Height in pixels of each item of the dropped-down list; 13 unless set.
  // Values below 1 are ignored.
  int32_t ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int32_t Value);

  bool Inside = false;

protected:
  void paintEvent(QPaintEvent* Event) override;
  void enterEvent(QEnterEvent* Event) override;
  void leaveEvent(QEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;
  void showPopup() override;

private:
  int32_t FDropDownWidth = 0;
  int32_t FItemHeight = 13;
};
