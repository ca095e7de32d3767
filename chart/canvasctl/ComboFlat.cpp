#include "chart/canvasctl/ComboFlat.h"

#include "chart/canvas/ZuzFont.h"
#include "platform/Canvas.h"
#include "rtl/StringList.h"

#include <QApplication>
#include <QLocale>
#include <QStyle>
#include <QWidget>

TComboFlat::TComboFlat(TComponent* AOwner) : TComboBox(AOwner)
{
  SetStyle(csDropDownList);
  SetHeight(21);
  SetItemHeight(13);
  SetPaintsOverNative(true);
  // Japanese systems get the library's default font, which holds the
  // glyphs their menus need.
  if (QLocale::system().language() == QLocale::Japanese && !ZuzFontDefaultName.isEmpty()) {
    Font()->SetName(ZuzFontDefaultName);
    Font()->SetSize(ZuzFontDefaultSize);
  }
}

TComboFlat::~TComboFlat() = default;

String TComboFlat::ClassName() const { return QStringLiteral("TComboFlat"); }

void TComboFlat::Add(const String& Item) { Items()->Add(Item); }

void TComboFlat::AddObject(const String& Item, TObject* AObject) { Items()->AddObject(Item, AObject); }

String TComboFlat::CurrentItem() const
{
  const int32_t I = ItemIndex();
  return I < 0 ? String() : Items()->Strings(I);
}

TObject* TComboFlat::SelectedObject() const
{
  const int32_t I = ItemIndex();
  return I < 0 ? nullptr : Items()->Objects(I);
}

void TComboFlat::Paint()
{
  if (Inside || Focused())
    return;
  TCanvas* C = Canvas();
  C->Brush()->SetStyle(bsClear);
  C->Pen()->SetColor(clBtnFace);
  const int32_t W = Width(), H = Height();
  C->Rectangle(0, 0, W, H);
  C->Rectangle(1, 1, W - 1, H - 1);
  const QWidget* Box = WidgetOrNull();
  const int32_t Button = Box ? Box->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, Box) : 0;
  const TRect Drop{W - Button + 2, 1, W - 1, H - 1};
  C->Pen()->SetColor(clWindow);
  C->Rectangle(Drop.Left, Drop.Top, Drop.Right, Drop.Bottom);
  C->MoveTo(Drop.Right - 1, Drop.Top);
  C->LineTo(Drop.Right - 1, Drop.Bottom);
}

void TComboFlat::MouseEnter()
{
  TComboBox::MouseEnter();
  Inside = true;
  Invalidate();
}

void TComboFlat::MouseLeave()
{
  TComboBox::MouseLeave();
  Inside = false;
  Invalidate();
}

void TComboFlat::DoEnter()
{
  TComboBox::DoEnter();
  Inside = false;
  Invalidate();
}

void TComboFlat::DoExit()
{
  TComboBox::DoExit();
  Inside = false;
  Invalidate();
}
