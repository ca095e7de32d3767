#include "app/windows/DisplayWindow.h"

#include "app/core/CoreData.h"
#include "app/windows/ChartActionCopy.h"
#include "app/windows/ChartScaleDlg.h"
#include "app/windows/DisplayHost.h"
#include "chart/core/ChartAxis.h"
#include "platform/ActnList.h"
#include "platform/Application.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"
#include "platform/Messages.h"
#include "platform/StdActns.h"

#include <QDebug>

namespace {

// The items of "Sensor List k" are the actions 10(k-1)+1 .. 10k.
constexpr int32_t ItemsPerList = 10;

int32_t SensorCount(const TCoreData& C) { return static_cast<int32_t>(C.SensorName.size()); }

} // namespace

TDisplayWindow::TDisplayWindow(IDisplayHost& Host, TMdiChildKind Kind, const char* FormName, TItemChoice Choice,
                               int32_t ClientHeight)
    : TForm(Host.Frame()), FHost(Host), FKind(Kind), FFormName(QString::fromLatin1(FormName)), FChoice(Choice)
{
  SetFormStyle(fsMDIChild);
  SetPosition(poDefault);
  Font()->SetName(QStringLiteral("Arial"));
  Font()->SetHeight(-11);
  SetClientWidth(312);
  SetClientHeight(ClientHeight);

  PopupActionBar1 = new TPopupMenu(this);
  PopupActionBar1->SetName(QStringLiteral("PopupActionBar1"));
  if (FChoice != TItemChoice::None)
    MakeItemActions();

  OnShow = [this](TObject*) { FormShow(); };
  OnClose = [this](TObject*, TCloseAction& Action) {
    Action = caFree;
    // Freed later, from the message loop: no sample may reach it meanwhile.
    if (FRegistered) {
      FRegistered = false;
      FHost.UnregisterMdiChild(this);
    }
  };
  FHost.RegisterMdiChild(this);
  FRegistered = true;
}

TDisplayWindow::~TDisplayWindow()
{
  if (FRegistered)
    FHost.UnregisterMdiChild(this);
}

String TDisplayWindow::ClassName() const { return QStringLiteral("TDisplayWindow"); }

TCoreData& TDisplayWindow::Core() const { return FHost.Core(); }

void TDisplayWindow::MakeItemActions()
{
  ActionManager1 = new TActionList(this);
  ActionManager1->SetName(QStringLiteral("ActionManager1"));
  TMenuItem* Lists[3] = {};
  const char* const ListNames[3] = {"SensorList11", "SensorList21", "SensorList31"};
  for (int32_t L = 0; L < 3; ++L) {
    auto* List = new TMenuItem(this);
    List->SetName(QString::fromLatin1(ListNames[L]));
    List->SetCaption(QStringLiteral("Sensor List %1").arg(L + 1));
    PopupActionBar1->Items()->Add(List);
    Lists[L] = List;
  }
  SensorList11 = Lists[0];
  SensorList21 = Lists[1];
  SensorList31 = Lists[2];
  for (int32_t N = 1; N <= DisplayItemCount; ++N) {
    auto* A = new TAction(this);
    A->SetName(QStringLiteral("Action%1").arg(N));
    A->SetCaption(QStringLiteral("Action%1").arg(N));
    A->SetCategory(QStringLiteral("Sensor List %1").arg((N - 1) / ItemsPerList + 1));
    A->SetActionList(ActionManager1);
    // The first action of each list is reachable before any sensor names
    // them; the others wait for the opening to name them.
    const bool First = (N - 1) % ItemsPerList == 0;
    A->SetEnabled(First);
    A->SetVisible(First);
    A->OnExecute = [this, N](TObject*) { ActionExecute(N); };
    auto* Item = new TMenuItem(this);
    Item->SetAction(A);
    Lists[(N - 1) / ItemsPerList]->Add(Item);
    FActions[static_cast<size_t>(N - 1)] = A;
  }
}

TMenuItem* TDisplayWindow::AddPopupItem(const char* Caption, const char* Name)
{
  auto* Item = new TMenuItem(this);
  Item->SetName(QString::fromLatin1(Name));
  Item->SetCaption(QString::fromLatin1(Caption));
  PopupActionBar1->Items()->Add(Item);
  return Item;
}

TChartActionCopy* TDisplayWindow::AddChartItem(TCustomChart* Chart)
{
  auto* Action = new TChartActionCopy(this);
  Action->SetName(QStringLiteral("ChartActionCopy1"));
  Action->SetCategory(QStringLiteral("Chart"));
  Action->SetChart(Chart);
  auto* Copy = new TMenuItem(this);
  Copy->SetAction(Action);
  AddPopupItem("Chart", "Chart1Item")->Add(Copy);
  return Action;
}

void TDisplayWindow::AddAppearanceItems()
{
  ColorSelect1 = new TColorSelect(this);
  ColorSelect1->SetName(QStringLiteral("ColorSelect1"));
  ColorSelect1->SetCaption(QStringLiteral("Select &Color..."));
  ColorSelect1->SetHint(QStringLiteral("Color Select"));
  ColorSelect1->OnAccept = [this](TObject*) { ColorSelect1Accept(); };
  FontEdit1 = new TFontEdit(this);
  FontEdit1->SetName(QStringLiteral("FontEdit1"));
  FontEdit1->SetCaption(QStringLiteral("Select &Font..."));
  FontEdit1->SetHint(QStringLiteral("Font Select"));
  FontEdit1->OnAccept = [this](TObject*) { FontEdit1Accept(); };
  const auto Entry = [this](TMenuItem* Parent, TAction* A) {
    auto* Item = new TMenuItem(this);
    Item->SetAction(A);
    Parent->Add(Item);
  };
  Entry(AddPopupItem("Background", "Background1"), ColorSelect1);
  Entry(AddPopupItem("Font", "Font1"), FontEdit1);
}

void TDisplayWindow::SetContent(TControl* Content)
{
  Content->SetParent(this);
  Content->SetAlign(alClient);
  Content->SetPopupMenu(PopupActionBar1);
}

TAction* TDisplayWindow::Action(int32_t N) const
{
  if (N < 1 || N > DisplayItemCount)
    return nullptr;
  return FActions[static_cast<size_t>(N - 1)];
}

bool TDisplayWindow::ItemSelectable(const String&) const { return true; }

int32_t* TDisplayWindow::ItemMaskEntry()
{
  if (FScreenNumber < 1)
    return nullptr;
  std::vector<int32_t>& Masks = FHost.ItemMasks();
  const auto Index = static_cast<size_t>(FScreenNumber - 1);
  if (Index >= Masks.size())
    Masks.resize(Index + 1, 0);
  return &Masks[Index];
}

int32_t TDisplayWindow::ItemMask() const
{
  const std::vector<int32_t>& Masks = FHost.ItemMasks();
  if (FScreenNumber < 1 || static_cast<size_t>(FScreenNumber) > Masks.size())
    return 0;
  return Masks[static_cast<size_t>(FScreenNumber - 1)];
}

std::vector<int32_t> TDisplayWindow::ShownItems() const
{
  std::vector<int32_t> Items;
  for (int32_t N = 1; N <= DisplayItemCount; ++N)
    if (DataNumberArray[static_cast<size_t>(N - 1)] != 0)
      Items.push_back(N);
  return Items;
}

int32_t TDisplayWindow::ItemSlot(int32_t N) const
{
  const TCoreData& C = Core();
  for (int32_t Slot = 0; Slot < SlotCount; ++Slot)
    if (C.SlotIndex(Slot) == 2 * N - 1)
      return Slot;
  return -1;
}

String TDisplayWindow::ItemName(int32_t N) const
{
  const std::vector<String>& Names = Core().SensorName;
  if (N < 1 || static_cast<size_t>(N) > Names.size())
    return String();
  return Names[static_cast<size_t>(N - 1)];
}

void TDisplayWindow::AppearanceOf(TColor Color, const TFont& Font, TLayoutAppearance& Out)
{
  Out.Color = static_cast<int32_t>(Color);
  Out.FontName = Font.Name();
  Out.FontCharSet = Font.Charset();
  Out.FontColor = static_cast<int32_t>(Font.Color());
  Out.FontSize = Font.Size();
  Out.FontStyle = Font.Style();
}

void TDisplayWindow::LayoutFont(const TLayoutWindow& Layout, TFont& Into)
{
  Into.SetName(Layout.Form_Font_Name);
  Into.SetCharset(static_cast<TFontCharset>(Layout.Form_Font_CharSet));
  Into.SetColor(static_cast<TColor>(Layout.Form_Font_Color));
  Into.SetSize(Layout.Form_Font_Size);
  Into.SetStyle(static_cast<TFontStyles>(Layout.Form_Font_Style));
}

void TDisplayWindow::SetItemMask(int32_t Value)
{
  if (int32_t* Entry = ItemMaskEntry())
    *Entry = Value;
}

void TDisplayWindow::ActionExecute(int32_t N)
{
  TAction* A = Action(N);
  if (!A || !A->Enabled() || !A->Visible())
    return;
  // Without a sensor there is no item N: its name, value and history would
  // be read past the end of the core's tables.
  if (N > SensorCount(Core()))
    return;
  if (FChoice == TItemChoice::One)
    ChooseItem(N);
  else
    ToggleItem(N);
}

void TDisplayWindow::ToggleItem(int32_t N)
{
  TAction* A = Action(N);
  const int32_t Bit = static_cast<int32_t>(1u << (N - 1));
  int32_t* Entry = ItemMaskEntry();
  // Added and taken away rather than set: starting from 0 and toggling,
  // the entry is the mask.
  if (A->Checked()) {
    A->SetChecked(false);
    DataNumberArray[static_cast<size_t>(N - 1)] = 0;
    if (Entry)
      *Entry -= Bit;
  } else {
    A->SetChecked(true);
    DataNumberArray[static_cast<size_t>(N - 1)] = 2 * N - 1;
    if (Entry)
      *Entry += Bit;
  }
  ScreenSetup();
}

void TDisplayWindow::ChooseItem(int32_t) {}

void TDisplayWindow::ScreenSetup()
{
  DataUpdateFlag = ItemMask() >= 1 ? 1 : 0;
  ContentSetup();
}

void TDisplayWindow::ContentSetup() {}

void TDisplayWindow::FormShow() { DataUpdateFlag = 0; }

int32_t TDisplayWindow::DefaultHeight() const { return 240; }

void TDisplayWindow::KindSetup() {}

void TDisplayWindow::ApplyLayoutAppearance(const TLayoutWindow&) {}

void TDisplayWindow::ColorSelect1Accept() {}

void TDisplayWindow::FontEdit1Accept() {}

void TDisplayWindow::Close()
{
  TCustomForm::Close();
  // A close that did not free the window (none of the kinds refuses one)
  // must still leave the children, as the core expects of Close.
  if (FRegistered) {
    FRegistered = false;
    FHost.UnregisterMdiChild(this);
  }
}

void TDisplayWindow::Chart1ClickAxis(TChartAxis* Axis)
{
  if (!Axis)
    return;
  if (!ChartScaleDlg) {
    qWarning().noquote() << QStringLiteral("Fathomix: no chart-scale dialog; the axis keeps its scale");
    return;
  }
  ChartScaleAxisClick(*ChartScaleDlg, *Axis);
}

void TDisplayWindow::ProcessMessages()
{
  if (Application)
    Application->ProcessMessages();
  else
    ProcessPendingMessages();
}
