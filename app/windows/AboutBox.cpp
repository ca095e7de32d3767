#include "app/windows/AboutBox.h"

#include "app/core/CoreData.h"
#include "app/windows/DialogParts.h"
#include "app/windows/DisplayHost.h"
#include "app/windows/SetupIcon.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

TAboutBox* AboutBox = nullptr;

// The picture beside the texts, stretched into its bounds.
class TProgramIcon : public TGraphicControl {
public:
  explicit TProgramIcon(TComponent* AOwner) : TGraphicControl(AOwner) {}
  TBitmap Picture;

protected:
  void Paint() override
  {
    if (!Picture.Empty())
      Canvas()->StretchDraw(ClientRect(), &Picture);
    TGraphicControl::Paint();
  }
};

TAboutBox::TAboutBox(TComponent* AOwner, IDisplayHost& Host) : TForm(AOwner), FHost(Host)
{
  MakeDialogForm(*this, "AboutBox", "About", 298, 209);
  Font()->SetName(QStringLiteral("Arial"));
  Font()->SetSize(8);

  Panel1 = new TPanel(this);
  Panel1->SetName(QStringLiteral("Panel1"));
  Panel1->SetParent(this);
  Panel1->SetBounds(8, 8, 281, 161);
  Panel1->SetBevelInner(bvRaised);
  Panel1->SetBevelOuter(bvLowered);
  Panel1->SetCaption(String());

  ProgramIcon = new TProgramIcon(this);
  ProgramIcon->SetName(QStringLiteral("ProgramIcon"));
  ProgramIcon->SetParent(Panel1);
  ProgramIcon->SetBounds(8, 8, 65, 57);

  ProductName = MakeDialogLabel(Panel1, "ProductName", 88, 16, 185, "Product Name: ");
  Version = MakeDialogLabel(Panel1, "Version", 88, 40, 185, "Version: ");
  SerialNo = MakeDialogLabel(Panel1, "SerialNo", 88, 64, 185, "Serial No:");
  CommentsCaption = MakeDialogLabel(Panel1, "Label1", 8, 88, 265, "Comments: ");
  Comments = MakeDialogLabel(Panel1, "Comments", 8, 104, 265, "Comments: ");
  Comments->SetWordWrap(true);
  Copyright = MakeDialogLabel(Panel1, "Copyright", 8, 136, 265, "Hydrographic survey data logger");

  OKButton = MakeDialogButton(this, "OKButton", 111, 178, "OK", TDialogButton::Default, mrOk);

  OnShow = [this](TObject*) { FormShow(); };
}

TAboutBox::~TAboutBox()
{
  if (AboutBox == this)
    AboutBox = nullptr;
}

String TAboutBox::ClassName() const { return QStringLiteral("TAboutBox"); }

const TBitmap& TAboutBox::Picture() const { return ProgramIcon->Picture; }

void TAboutBox::FormShow()
{
  const TProgramInfo Info = FHost.ProgramInfo();
  ProductName->SetCaption(Info.ProductName);
  Version->SetCaption(Info.Version);
  Comments->SetCaption(Info.Comments);
  SerialNo->SetCaption(Info.SerialNo);
  if (!LoadSetupIcon(FHost.SetupFolder(), ProgramIcon->Picture))
    ProgramIcon->Picture.SetSize(0, 0);
  ProgramIcon->Invalidate();
}
