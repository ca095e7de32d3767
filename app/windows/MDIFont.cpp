#include "app/windows/MDIFont.h"

#include "app/core/CoreData.h"
#include "platform/ActnList.h"
#include "platform/Colors.h"
#include "platform/Graphics.h"
#include "platform/StdActns.h"
#include "platform/StdCtrls.h"

#include <QDebug>

TMDIFont::TMDIFont(IDisplayHost& Host)
    : TDisplayWindow(Host, TMdiChildKind::SingleValue, "MDIFont", TItemChoice::One, 86)
{
  SetCaption(String());
  Label1 = new TLabel(this);
  Label1->SetName(QStringLiteral("Label1"));
  Label1->SetAutoSize(false);
  Label1->SetAlignment(taCenter);
  Label1->SetLayout(tlCenter);
  Label1->SetTransparent(false);
  Label1->SetColor(clBtnFace);
  Label1->Font()->SetName(QStringLiteral("Arial"));
  Label1->Font()->SetHeight(-64);
  Label1->SetCaption(QStringLiteral("-0000.000"));
  SetContent(Label1);
  AddAppearanceItems();
}

TMDIFont::~TMDIFont() = default;

String TMDIFont::ClassName() const { return QStringLiteral("TMDIFont"); }

int32_t TMDIFont::DefaultHeight() const { return 120; }

void TMDIFont::ChooseItem(int32_t N)
{
  SetCaption(Action(N)->Caption());
  DataNumber = 2 * N - 1;
  SetItemMask(static_cast<int32_t>(1u << (N - 1)));
}

void TMDIFont::DataUpdate()
{
  if (DataNumber > 0) {
    const std::vector<String>& Data = Core().DataArray;
    // A table rebuilt by a settings load while this window still stands
    // may be shorter than the item's index.
    if (static_cast<size_t>(DataNumber) < Data.size())
      Label1->SetCaption(Data[static_cast<size_t>(DataNumber)]);
    else
      Label1->SetCaption(QStringLiteral("9.999"));
  }
  ProcessMessages();
}

bool TMDIFont::Appearance(TLayoutAppearance& Out) const
{
  AppearanceOf(Label1->Color(), *Label1->Font(), Out);
  return true;
}

void TMDIFont::ApplyLayoutAppearance(const TLayoutWindow& Layout)
{
  Label1->SetColor(static_cast<TColor>(Layout.Form_Color));
  TFont F;
  F.Assign(Label1->Font());
  LayoutFont(Layout, F);
  Label1->SetFont(&F);
}

void TMDIFont::ColorSelect1Accept() { Label1->SetColor(ColorSelect1->Color()); }

void TMDIFont::FontEdit1Accept()
{
  Label1->SetFont(FontEdit1->DialogFont());
  ProcessMessages();
  Repaint();
}
