#pragma once
// The About box ("About"): the program's name, version, serial number and
// comments beside its icon. Made once at start-up and kept; the main
// window's About action shows it modally. Each showing takes the texts from
// the main window and the picture from "Icon.ico" of the set-up folder; a
// missing or unreadable icon file leaves the picture empty.
//
// Main thread only.
#include "platform/Forms.h"

class IDisplayHost;
class TBitmap;
class TButton;
class TLabel;
class TPanel;
class TProgramIcon;

class TAboutBox : public TForm {
public:
  TAboutBox(TComponent* AOwner, IDisplayHost& Host);
  ~TAboutBox() override;
  String ClassName() const override;

  void FormShow();
  // The picture shown (empty without an icon file).
  const TBitmap& Picture() const;

  TPanel* Panel1 = nullptr;
  TProgramIcon* ProgramIcon = nullptr;
  TLabel* ProductName = nullptr;
  TLabel* Version = nullptr;
  TLabel* SerialNo = nullptr;
  TLabel* Comments = nullptr;
  TLabel* CommentsCaption = nullptr;
  TLabel* Copyright = nullptr;
  TButton* OKButton = nullptr;

private:
  IDisplayHost& FHost;
};

extern TAboutBox* AboutBox;
