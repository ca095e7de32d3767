#pragma once
// The port selection dialog: lists the COM ports present (1 to 50) and lets
// the user choose one. OK stays disabled while the list is empty.
#include "rtl/Types.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

class TComSelectForm : public QDialog {
public:
  explicit TComSelectForm(QWidget* Parent = nullptr);
  ~TComSelectForm() override;

  // The selected item, for example "COM12"; empty when there is none.
  String SelectedCom() const;
  // Its number (12); 0 when nothing is selected.
  int32_t SelectedComNum() const;

  QLabel* Label1;
  QLabel* Label2;
  QComboBox* PortsComboBox;
  QPushButton* OkBtn;
  QPushButton* AbortBtn;

private:
  void FormCreate();
};
