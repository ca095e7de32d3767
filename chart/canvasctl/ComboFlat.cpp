#include "chart/canvasctl/ComboFlat.h"

#include "platform/GraphicsTypes.h"
#include "chart/canvas/ZuzFont.h"

#include <QAbstractItemView>
#include <QStyledItemDelegate>
#include <QLocale>
#include <QPainter>
#include <QStyle>

namespace {
QColor Rgb(TColor C)
{
  const TColor R = ColorToRGB(C);
  return QColor(GetRValue(R), GetGValue(R), GetBValue(R));
}

// Items of the list at the combo box's item height.
class TItemHeightDelegate : public QStyledItemDelegate {
public:
  explicit TItemHeightDelegate(TComboFlat* Combo) : QStyledItemDelegate(Combo), FCombo(Combo) {}
  QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override
  {
    QSize S = QStyledItemDelegate::sizeHint(Option, Index);
    S.setHeight(FCombo->ItemHeight());
    return S;
  }

private:
  TComboFlat* FCombo;
};
} // namespace

TComboFlat::TComboFlat(QWidget* AOwner) : QComboBox(AOwner)
{
  resize(width(), 21);
  setEditable(false);
  setItemDelegate(new TItemHeightDelegate(this));
  // Japanese systems get the library's default font, which holds the
  // glyphs their menus need.
  if (QLocale::system().language() == QLocale::Japanese && !ZuzFontDefaultName.isEmpty()) {
    QFont F(ZuzFontDefaultName);
    F.setPointSize(ZuzFontDefaultSize);
    setFont(F);
  }
}

TComboFlat::~TComboFlat() = default;

void TComboFlat::Add(const String& Item) { addItem(Item); }

void TComboFlat::AddObject(const String& Item, TObject* AObject)
{
  addItem(Item, QVariant::fromValue(static_cast<void*>(AObject)));
}

String TComboFlat::CurrentItem() const { return currentIndex() < 0 ? String() : currentText(); }

TObject* TComboFlat::SelectedObject() const
{
  if (currentIndex() < 0)
    return nullptr;
  return static_cast<TObject*>(itemData(currentIndex()).value<void*>());
}

int32_t TComboFlat::DropDownWidth() const { return FDropDownWidth > 0 ? FDropDownWidth : width(); }

void TComboFlat::SetDropDownWidth(int32_t Value) { FDropDownWidth = Value; }

void TComboFlat::SetItemHeight(int32_t Value)
{
  if (Value < 1 || Value == FItemHeight)
    return;
  FItemHeight = Value;
  view()->doItemsLayout();
}

void TComboFlat::showPopup()
{
  view()->setMinimumWidth(DropDownWidth());
  QComboBox::showPopup();
}

void TComboFlat::paintEvent(QPaintEvent* Event)
{
  QComboBox::paintEvent(Event);
  if (Inside || hasFocus())
    return;
  QPainter P(this);
  P.setRenderHint(QPainter::Antialiasing, false);
  P.setBrush(Qt::NoBrush);
  P.setPen(Rgb(clBtnFace));
  const QRect R = rect();
  P.drawRect(R.adjusted(0, 0, -1, -1));
  P.drawRect(R.adjusted(1, 1, -2, -2));
  const int Button = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
  const QRect Drop(R.right() + 1 - Button + 2, R.top() + 1, Button - 2, R.height() - 2);
  P.setPen(Rgb(clWindow));
  P.drawRect(Drop.adjusted(0, 0, -1, -1));
  P.drawLine(Drop.right() - 1, Drop.top(), Drop.right() - 1, Drop.bottom());
}

void TComboFlat::enterEvent(QEnterEvent* Event)
{
  QComboBox::enterEvent(Event);
  Inside = true;
  update();
}

void TComboFlat::leaveEvent(QEvent* Event)
{
  QComboBox::leaveEvent(Event);
  Inside = false;
  update();
}

void TComboFlat::focusInEvent(QFocusEvent* Event)
{
  QComboBox::focusInEvent(Event);
  Inside = false;
  update();
}

void TComboFlat::focusOutEvent(QFocusEvent* Event)
{
  QComboBox::focusOutEvent(Event);
  Inside = false;
  update();
}
