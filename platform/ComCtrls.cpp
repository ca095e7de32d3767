#include "platform/ComCtrls.h"

#include "platform/Published.h"

#include <QLabel>
#include <QPointer>
#include <QResizeEvent>
#include <QStatusBar>

namespace {

[[maybe_unused]] const TClassInfo& StatusPanelClass =
    PublishClass<TStatusPanel>("TStatusPanel", "TCollectionItem",
                               {
                                   PropStr("Text", &TStatusPanel::Text, &TStatusPanel::SetText),
                                   PropInt("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth, 50),
                               });
[[maybe_unused]] const TClassInfo& StatusPanelsClass = PublishClass<TStatusPanels>("TStatusPanels", "TOwnedCollection");

// A panel keeps its width whatever it shows: a long text is cut with an
// ellipsis and shown whole as its tool tip.
class TPanelLabel : public QLabel {
public:
  explicit TPanelLabel(QWidget* Parent) : QLabel(Parent) { setTextFormat(Qt::PlainText); }

  void SetFullText(const String& Text)
  {
    FText = Text;
    Fit();
  }

protected:
  void resizeEvent(QResizeEvent* Event) override
  {
    QLabel::resizeEvent(Event);
    Fit();
  }

private:
  void Fit()
  {
    const String Shown = fontMetrics().elidedText(FText, Qt::ElideRight, contentsRect().width());
    setText(Shown);
    setToolTip(Shown == FText ? String() : FText);
  }

  String FText;
};

Qt::Alignment AlignmentOf(TAlignment A)
{
  const Qt::Alignment H = A == taRightJustify ? Qt::AlignRight : A == taCenter ? Qt::AlignHCenter : Qt::AlignLeft;
  return H | Qt::AlignVCenter;
}

} // namespace

// ---- TStatusPanel ----

TStatusPanel::TStatusPanel(TCollection* ACollection) : TCollectionItem(ACollection) {}

TStatusPanel::~TStatusPanel() = default;

String TStatusPanel::ClassName() const { return QStringLiteral("TStatusPanel"); }

void TStatusPanel::Assign(TPersistent* Source)
{
  if (auto* P = dynamic_cast<TStatusPanel*>(Source)) {
    FText = P->FText;
    FWidth = P->FWidth;
    FAlignment = P->FAlignment;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(Source);
}

void TStatusPanel::SetText(const String& Value)
{
  if (FText == Value)
    return;
  FText = Value;
  Changed(false);
}

void TStatusPanel::SetWidth(int32_t Value)
{
  if (FWidth == Value)
    return;
  FWidth = Value;
  Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment Value)
{
  if (FAlignment == Value)
    return;
  FAlignment = Value;
  Changed(false);
}

// ---- TStatusPanels ----

TStatusPanels::TStatusPanels(TStatusBar* AOwner) : TOwnedCollection(AOwner, ClassInfoFor<TStatusPanel>()), FBar(AOwner)
{
}

TStatusPanels::~TStatusPanels() = default;

String TStatusPanels::ClassName() const { return QStringLiteral("TStatusPanels"); }

void TStatusPanels::Update(TCollectionItem* Item) { FBar->PanelsChanged(static_cast<TStatusPanel*>(Item)); }

// ---- TStatusBar ----

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner), FPanels(std::make_unique<TStatusPanels>(this))
{
  SetControlStyle(csCaptureMouse | csClickEvents | csDoubleClicks);
  SetColor(clBtnFace);
  SetBounds(0, 0, 150, 19);
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

String TStatusBar::ClassName() const { return QStringLiteral("TStatusBar"); }

QWidget* TStatusBar::CreateWidget(QWidget* ParentWidget)
{
  auto* Bar = new QStatusBar(ParentWidget);
  Bar->setSizeGripEnabled(false);
  return Bar;
}

void TStatusBar::CreateWnd()
{
  TWinControl::CreateWnd();
  PanelsChanged(nullptr);
}

void TStatusBar::SetSimplePanel(bool Value)
{
  if (FSimplePanel == Value)
    return;
  FSimplePanel = Value;
  PanelsChanged(nullptr);
}

void TStatusBar::SetSimpleText(const String& Value)
{
  FSimpleText = Value;
  PanelsChanged(nullptr);
}

void TStatusBar::PanelsChanged(TStatusPanel* Panel)
{
  auto* Bar = qobject_cast<QStatusBar*>(WidgetOrNull());
  if (!Bar)
    return;
  QList<TPanelLabel*> Labels = Bar->findChildren<TPanelLabel*>(Qt::FindDirectChildrenOnly);
  const int32_t Wanted = FSimplePanel ? 1 : FPanels->Count();
  if (Panel && !FSimplePanel && Labels.size() == Wanted) {
    // One panel's text or alignment: only its label.
    TPanelLabel* L = Labels[Panel->Index()];
    L->setAlignment(AlignmentOf(Panel->Alignment()));
    L->SetFullText(Panel->Text());
    return;
  }
  for (TPanelLabel* L : Labels) {
    Bar->removeWidget(L);
    delete L;
  }
  if (FSimplePanel) {
    auto* L = new TPanelLabel(Bar);
    L->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Bar->addWidget(L, 1);
    L->SetFullText(FSimpleText);
    L->show();
    return;
  }
  for (int32_t I = 0; I < FPanels->Count(); ++I) {
    TStatusPanel* P = FPanels->Items(I);
    auto* L = new TPanelLabel(Bar);
    const bool Last = I == FPanels->Count() - 1;
    // The last panel takes what the others leave.
    if (Last)
      L->setMinimumWidth(P->Width());
    else
      L->setFixedWidth(P->Width());
    L->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    L->setAlignment(AlignmentOf(P->Alignment()));
    Bar->addWidget(L, Last ? 1 : 0);
    L->SetFullText(P->Text());
    L->show();
  }
}
