#pragma once
// The port selection dialog: lists the COM ports present (1 to 50) and lets
// the user choose one. OK stays disabled while the list is empty, and ends
// the dialog only when a port is selected.
#include "platform/Forms.h"
#include "rtl/Types.h"

class TButton;
class TComboBox;
class TLabel;
class TPanel;

class TComSelectForm : public TForm {
public:
  explicit TComSelectForm(TComponent* AOwner = nullptr);
  ~TComSelectForm() override;
  String ClassName() const override;

  // The selected item, for example "COM12"; empty when there is none.
  String SelectedCom() const;
  // Its number (12); 0 when nothing is selected.
  int32_t SelectedComNum() const;

  TPanel* Panel1;
  TLabel* Label1;
  TLabel* Label2;
  TComboBox* PortsComboBox;
  TButton* OkBtn;
  TButton* AbortBtn;

private:
  void FormCreate();
  void OkBtnClick();
};
