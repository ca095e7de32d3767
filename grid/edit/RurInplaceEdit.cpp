#include "grid/edit/RurInplaceEdit.h"

#include "grid/base/BaseGrid.h"
#include "grid/base/GridBehaviour.h"
#include "grid/base/rurutil.h"
#include "grid/edit/EditLookup.h"
#include "grid/edit/GridEditHost.h"
#include "platform/Clipbrd.h"
#include "platform/Graphics.h"
#include "platform/QtConvert.h"
#include "platform/Sound.h"
#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"
#include "rtl/StringList.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopeGuard>

#include <algorithm>

namespace {

uint32_t EditPropMessageId()
{
  static const uint32_t Id = RegisterWindowMessage(QStringLiteral("GridEditProp"));
  return Id;
}

} // namespace

bool IsTextEditorKind(TEditorType Kind)
{
  switch (Kind) {
  case edNormal:
  case edNumeric:
  case edPositiveNumeric:
  case edFloat:
  case edCapital:
  case edMixedCase:
  case edPassword:
  case edLowerCase:
  case edUpperCase:
  case edValidChars:
  case edPositiveFloat:
    return true;
  default:
    return false;
  }
}

bool IsPlainTextKind(TEditorType Kind)
{
  return Kind == edNormal || Kind == edCapital || Kind == edMixedCase || Kind == edLowerCase || Kind == edUpperCase ||
         Kind == edValidChars;
}

TRurInplaceEdit::TRurInplaceEdit(TComponent* AOwner, TGridEditHost* AHost) : TInplaceEdit(AOwner), FGrid(AHost)
{
  FMessages = std::make_unique<TMessageWindow>([this](uint32_t Msg, uintptr_t, intptr_t) -> intptr_t {
    if (Msg == EditPropMessageId())
      EditPropMessage();
    return 0;
  });
}

TRurInplaceEdit::~TRurInplaceEdit() = default;

String TRurInplaceEdit::ClassName() const { return QStringLiteral("TRurInplaceEdit"); }

void TRurInplaceEdit::Detach()
{
  FGrid = nullptr;
  TInplaceEdit::FGrid = nullptr;
}

bool TRurInplaceEdit::GridFocused() const
{
  TCustomGrid* G = Grid();
  return G && G->Focused() && !Focused();
}

// ---------------------------------------------------------------- look and place

QWidget* TRurInplaceEdit::CreateWidget(QWidget* ParentWidget)
{
  QWidget* W = TInplaceEdit::CreateWidget(ParentWidget);
  GotKey = false;
  Workmode = true;
  if (FGrid) {
    FWordWrap = FGrid->WordWrap();
    FLengthLimit = static_cast<int16_t>(std::clamp(FGrid->MaxEditLength(), 0, 32767));
  }
  ApplyStyle();
  return W;
}

void TRurInplaceEdit::ApplyStyle()
{
  auto* E = qobject_cast<QLineEdit*>(WidgetOrNull());
  if (!E)
    return;
  E->setAlignment((FValign ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
  const bool Password = FGrid && FGrid->EditControl == edPassword;
  E->setEchoMode(Password ? QLineEdit::Password : QLineEdit::Normal);
}

void TRurInplaceEdit::SetVAlign(bool Value)
{
  FValign = Value;
  ApplyStyle();
}

void TRurInplaceEdit::SetWordWrap(bool Value)
{
  FWordWrap = Value;
  ApplyStyle();
}

void TRurInplaceEdit::LoadCellLook()
{
  auto* G = dynamic_cast<TBaseGrid*>(Grid());
  if (!G)
    return;
  TBrush Brush;
  TFont Font;
  TAlignment HAlign = taLeftJustify;
  G->GetEditorLook(G->Col(), G->Row(), Brush, Font, HAlign);
  SetColor(Brush.Color());
  this->Font()->Assign(&Font);
  FColE = G->Col();
  FRowE = G->Row();
  SetVAlign(HAlign == taRightJustify);
}

void TRurInplaceEdit::UpdateContents()
{
  if (!FGrid)
    return;
  FGrid->FNoEditChange = true;
  {
    const auto Done = qScopeGuard([this] {
      if (FGrid)
        FGrid->FNoEditChange = false;
    });
    TInplaceEdit::UpdateContents();
  }
  LoadCellLook();
  ApplyStyle();
  // The application may change the editor for the cell: once the grid has
  // finished showing it.
  PostMessage(FMessages->Handle(), EditPropMessageId(), 0, 0);
}

void TRurInplaceEdit::EditPropMessage()
{
  if (!FGrid || !Visible())
    return;
  LoadCellLook();
  FGrid->DoGetEditorProp(FGrid->RemapCol(FColE), FRowE, nullptr);
  BoundsChanged();
}

void TRurInplaceEdit::BoundsChanged()
{
  TInplaceEdit::BoundsChanged();
  FGotFocus = false;
  UpdateSize();
}

void TRurInplaceEdit::UpdateSize()
{
  auto* G = dynamic_cast<TBaseGrid*>(Grid());
  if (!G)
    return;
  const int32_t C = G->Col(), R = G->Row();
  if (C < G->LeftCol() || C > G->LeftCol() + G->VisibleColCount() || R < G->TopRow() ||
      R > G->TopRow() + G->VisibleRowCount())
    return;
  const TRect Cell = G->CellRect(C, R);
  const int32_t Line = G->GridLineWidth();
  const int32_t D = 1 + (Line > 1 ? Line / 2 : 0);
  SetBounds(Cell.Left, Cell.Top, Cell.Width() - D, Cell.Height() - D);
  // The text's place in the cell, as the cell draws it.
  int32_t V = 1;
  if (!G->FWordWrap && FGrid && FGrid->VAlignment() != vtaTop) {
    const int32_t TextHeight = QFontMetrics(ToQFont(*Font())).height();
    V = FGrid->VAlignment() == vtaCenter ? (Cell.Height() - TextHeight - 2) / 2 : Cell.Height() - TextHeight - 4;
  }
  if (auto* E = qobject_cast<QLineEdit*>(WidgetOrNull()))
    E->setTextMargins(1, std::max(0, V), 2, 0);
  if (Line > 1)
    G->Invalidate();
  if (GridFocused() && CanFocus())
    SetFocus();
}

// ---------------------------------------------------------------- change

void TRurInplaceEdit::Change()
{
  TInplaceEdit::Change();
  if (FGrid && !FGrid->FNoEditChange && Grid())
    FGrid->DoEditChange(Grid()->Col(), Grid()->Row(), Text());
}

// ---------------------------------------------------------------- keys going down

void TRurInplaceEdit::RestoreRefused(const String& Old)
{
  SetText(FGrid->FNewCellText);
  if (FGrid->Navigation()->EditSelectAll())
    SelectAll();
  else
    SetSelStart(static_cast<int32_t>(Text().size()));
  FGrid->FOldCellText = Old;
}

bool TRurInplaceEdit::StoreAndValidate(const String& T, const String& Old)
{
  FGrid->FValidating = true;
  {
    const auto Done = qScopeGuard([this] {
      if (FGrid)
        FGrid->FValidating = false;
    });
    FGrid->SetCurrentCell(T);
  }
  if (!FGrid->ValidateCell(T)) {
    RestoreRefused(Old);
    Repaint();
    return false;
  }
  SetText(FGrid->FNewCellText);
  return true;
}

void TRurInplaceEdit::WMKeyDown(uint16_t& Key, TShiftState Shift)
{
  if (!FGrid)
    return TInplaceEdit::WMKeyDown(Key, Shift);
  TNavigation* Nav = FGrid->Navigation();
  TCustomGrid* G = Grid();
  const bool Ctrl = Shift & ssCtrl;
  if (Key == VK_BACK && (Shift & ssAlt))
    FAltBack = true;
  FGrid->Edit_WMKeyDown(Key, Shift);
  FOldSelStart = SelStart();
  FArrDown = false;
  FRefusedReturn = false;
  if (Key == 0)
    return;

  if (Key == VK_ESCAPE) {
    SetText(FGrid->FCellCache);
    TInplaceEdit::WMKeyDown(Key, Shift);
    FGrid->HideInplaceEdit();
    return;
  }
  if (Key == VK_A && Ctrl && !(Shift & ssAlt)) {
    SelectAll();
    Key = 0;
    return;
  }
  const bool MultiLine = FGrid->WordWrap() || FGrid->Multilinecells();
  if (Key == VK_RETURN && Ctrl && !(Nav->AllowCtrlEnter() && MultiLine)) {
    Key = 0;
    uint16_t Return = VK_RETURN;
    FGrid->DoGridKeyDown(Return, ssCtrl);
    return;
  }
  if (Key == VK_DOWN && Nav->AppendOnArrowDown() && G && G->Row() == G->RowCount() - 1)
    FArrDown = true;

  const String T = Text();
  const String O = FGrid->FOldCellText;

  if (Key == VK_TAB && FGrid->ShouldHandleTab()) {
    const bool Backward = Shift & ssShift;
    Key = 0;
    if (FGrid->ValidateCell(T)) {
      SetText(FGrid->FNewCellText);
      FGrid->HideInplaceEdit();
      if (G && (G->Options() & GridOptionBit(goTabs)))
        FGrid->TabEdit(Backward);
      else if (G && G->WidgetOrNull())
        QCoreApplication::postEvent(G->WidgetOrNull(),
                                    new QKeyEvent(QEvent::KeyPress, Backward ? Qt::Key_Backtab : Qt::Key_Tab,
                                                  Backward ? Qt::ShiftModifier : Qt::NoModifier));
    } else {
      RestoreRefused(O);
      uint16_t Tab = VK_TAB;
      FGrid->DoGridKeyDown(Tab, Backward ? ssShift : TShiftState(0));
    }
    return;
  }

  const int32_t Len = static_cast<int32_t>(T.size());
  const bool WalkOut = (Shift & ssShift) && Nav->CursorWalkEditor() &&
                       ((Key == VK_LEFT && SelStart() == 0) || (Key == VK_RIGHT && SelStart() + SelLength() == Len));
  if (WalkOut) {
    Key = 0;
    if (StoreAndValidate(T, O)) {
      FGrid->HideInplaceEdit();
      if (G && G->CanFocus())
        G->SetFocus();
    }
    return;
  }

  // A one-line edit: Up always stands on the first line and Down on the
  // last, so both leave the cell.
  bool Leave = false;
  if (Key == VK_UP || Key == VK_DOWN) {
    if (!StoreAndValidate(T, O)) {
      Key = 0;
      return;
    }
    Leave = true;
    if (Nav->AlwaysEdit() && Nav->SkipFixedCells()) {
      FGrid->WMKeyDown(Key, Shift);
      FGrid->ShowInplaceEdit();
      Key = 0;
      return;
    }
  }

  if (Key == VK_RETURN && !Nav->LineFeedOnEnter() && !Ctrl) {
    if (!FGrid->ValidateCell(T)) {
      RestoreRefused(O);
      // The Return's character is not a second attempt: it would ask the
      // validation again and put the stored text over the one restored here.
      FRefusedReturn = true;
      Key = 0;
      return;
    }
    SetText(FGrid->FNewCellText);
  }
  if ((Key == VK_HOME || Key == VK_END) && !(Shift & (ssCtrl | ssShift)))
    SetSelStart(Key == VK_HOME ? 0 : static_cast<int32_t>(Text().size()));

  if (Key == VK_RETURN && Ctrl && Nav->LineFeedOnEnter()) {
    char16_t Return = 13;
    TInplaceEdit::KeyPress(Return);
    Key = 0;
    return;
  }
  TInplaceEdit::WMKeyDown(Key, Shift);
  if (Leave && FGrid && FGrid->MouseActions()->DisjunctRowSelect() && Grid()) {
    FGrid->ClearRowSelectInt();
    FGrid->SetRowSelect(Grid()->Row(), true);
  }
}

void TRurInplaceEdit::KeyDown(uint16_t& Key, TShiftState Shift)
{
  if (!FGrid)
    return TInplaceEdit::KeyDown(Key, Shift);
  FSelKeyDown = SelStart();
  if (Key == VK_BACK || Key == VK_DELETE)
    Workmode = false;
  else if (Key != VK_RETURN && Key != VK_UP && Key != VK_DOWN)
    Workmode = true;
  TCustomGrid* G = Grid();
  if (Key == VK_RETURN && G) {
    const bool MultiLine = FGrid->WordWrap() || FGrid->Multilinecells();
    if (!FGrid->Navigation()->AllowCtrlEnter() && MultiLine)
      FGrid->FEditing = false;
    if ((Shift & (ssCtrl | ssShift)) && FGrid->SizeWhileTypingHeight() && FGrid->Multilinecells()) {
      const int32_t R = G->Row();
      FGrid->WithoutSizeSync([&] {
        const int32_t Lines = LinesInText(Text() + QStringLiteral("\r\n "), true);
        if (Lines < FGrid->MaxLinesInRow(R))
          FGrid->AutoSizeRow(R, 0);
        else
          FGrid->SizeToLines(R, Lines, FGrid->YOffsetSize());
      });
      FGrid->DoEndRowSize(R);
    }
  }
  FGrid->EditKeyDown(Key, Shift);
  if (Key == 0)
    return;
  TInplaceEdit::KeyDown(Key, Shift);
  // The edit's own clipboard keys go through the grid's clipboard rules.
  if (Key == VK_INSERT && Shift == ssShift) {
    WMPaste();
    Key = 0;
  } else if (Key == VK_INSERT && Shift == ssCtrl) {
    WMCopy();
    Key = 0;
  } else if (Key == VK_DELETE && Shift == ssShift) {
    WMCut();
    Key = 0;
  }
}

// ---------------------------------------------------------------- typed characters

bool TRurInplaceEdit::ValidChar(char16_t Ch) const
{
  const String Valid = FGrid->ValidChars();
  if (!Valid.isEmpty())
    return Valid.contains(QChar(Ch));
  return Ch <= 255 && FGrid->InValidCharSet(Ch);
}

void TRurInplaceEdit::Insert(char16_t Ch)
{
  if (Ch >= 32 && Ch != 127)
    SetSelText(QString(QChar(Ch)));
}

// The rule of the cell's kind for a typed character. True: it passes (and
// may have been changed); false: refused (dropped, or beeped when the kind
// says so). Advance tells whether the automatic advance may follow.
bool TRurInplaceEdit::TypeRule(char16_t& Key, TShiftState Shift, bool& Advance)
{
  const bool Ctrl = Shift & ssCtrl;
  const QChar C(Key);
  auto Beep = [&] {
    MessageBeep(0);
    return false;
  };
  switch (FGrid->EditControl) {
  case edNormal:
  case edPassword:
    return true;
  case edNumeric:
  case edPositiveNumeric: {
    if (Ctrl)
      return true;
    if (Key == 8 || Key == 9 || Key == 13 || Key == 27 || (Key >= u'0' && Key <= u'9'))
      return true;
    if (Key == u'-' && FGrid->EditControl == edNumeric)
      return Text().contains(u'-') || SelStart() != 0 ? Beep() : true;
    return Beep();
  }
  case edFloat:
  case edPositiveFloat: {
    const bool Positive = FGrid->EditControl == edPositiveFloat;
    if (!CheckFloatNumNoExp(C) || (Positive && Key == u'-')) {
      if (Ctrl)
        return true;
      Advance = false;
      return false;
    }
    if (C == FormatSettings.DecimalSeparator && Text().contains(C) && !SelText().contains(C)) {
      Advance = false;
      return false;
    }
    if (C == FormatSettings.ThousandSeparator) {
      Advance = false;
      return false;
    }
    if (Key == u'-' && !((SelStart() == 0 && !Text().contains(u'-')) || SelText().contains(u'-'))) {
      Advance = false;
      return Beep();
    }
    return true;
  }
  case edCapital:
  case edUpperCase:
    Key = C.toUpper().unicode();
    return true;
  case edLowerCase:
    Key = C.toLower().unicode();
    return true;
  case edMixedCase:
    return true;
  case edValidChars:
    if (Ctrl && (Key == 3 || Key == 22 || Key == 24))
      return true;
    if (Key == 8 || Key == 10 || Key == 13 || ValidChar(Key))
      return true;
    return Beep();
  default:
    return false;
  }
}

void TRurInplaceEdit::WMChar(char16_t& Key, TShiftState Shift)
{
  if (!FGrid)
    return TInplaceEdit::WMChar(Key, Shift);
  TNavigation* Nav = FGrid->Navigation();
  const bool Ctrl = Shift & ssCtrl;
  FGrid->FKeyShift = Shift;
  if (Key == 13 && FRefusedReturn) {
    FRefusedReturn = false;
    Key = 0;
    return;
  }
  if (Key == u'.' && (FGrid->ForceDecimalSeparator() || (FGrid->ExcelStyleDecimalSeparator() && KeyFromKeypad())))
    Key = FormatSettings.DecimalSeparator.unicode();
  if (Key == 1 && Ctrl) {
    Key = 0;
    return;
  }
  if (Key == 10 && Ctrl) {
    // A line edit holds one line: a line feed is never typed into it.
    Key = 0;
    return;
  }
  if (FLengthLimit > 0 && Text().size() == FLengthLimit && SelLength() == 0 && Key != 8 && Key != 27 && Key != 13) {
    Key = 0;
    return;
  }
  if (Key == 13 && Nav->LineFeedOnEnter() && IsPlainTextKind(FGrid->EditControl))
    return; // the edit's own Return: no line break in one line

  bool Advance = true;
  const TEditorType Kind = FGrid->EditControl;
  const int32_t Caret = SelStart();
  if (!TypeRule(Key, Shift, Advance)) {
    Key = 0;
    if (!Advance)
      return;
  } else {
    TInplaceEdit::WMChar(Key, Shift);
    if (!FGrid)
      return;
    if (Ctrl && (Key == 3 || Key == 22 || Key == 24)) {
      Key == 3 ? WMCopy() : Key == 22 ? WMPaste() : WMCut();
      Key = 0;
    } else if (Key >= 32 && Key != 127) {
      Insert(Key);
      Key = 0;
      if (Kind == edMixedCase) {
        SetText(ShiftCase(Text()));
        SetSelStart(Caret + 1);
      }
    }
  }
  const int32_t Max = FGrid->MaxEditLength();
  const int32_t Len = static_cast<int32_t>(Text().size());
  if (Nav->AdvanceAuto() && Nav->AdvanceOnEnter() && Max > 0 && Len == Max && SelLength() == 0 && SelStart() == Len) {
    char16_t Return = 13;
    FGrid->KeyPress(Return);
  }
}

void TRurInplaceEdit::KeyPress(char16_t& Key)
{
  if (!FGrid)
    return TInplaceEdit::KeyPress(Key);
  if (Key == 13 && !FGrid->Navigation()->LineFeedOnEnter() && !FGrid->ValidateCell(Text())) {
    SetText(FGrid->GetCurrentCell());
    Key = 0;
    return;
  }
  TInplaceEdit::KeyPress(Key);
  if (FGrid && FGrid->Navigation()->AdvanceAuto() && !EditMask().isEmpty() && !Text().contains(u' ') &&
      SelStart() == Text().size()) {
    char16_t Return = 13;
    FGrid->KeyPress(Return);
  }
}

// ---------------------------------------------------------------- keys coming up

void TRurInplaceEdit::WMKeyUp(uint16_t& Key, TShiftState Shift)
{
  if (Key == VK_BACK)
    FAltBack = false;
  TInplaceEdit::WMKeyUp(Key, Shift);
  if (!FGrid)
    return;
  const int32_t Caret = SelStart();
  if (Caret > 0) {
    const QFontMetrics M(ToQFont(*Font()));
    const TPoint At{M.horizontalAdvance(Text().left(Caret - 1)), 0};
    FGrid->EditProgress(Text(), At, Caret);
  }
  FGrid->SetCellSelectMode(Text().startsWith(u'='));
  TCustomGrid* G = Grid();
  if (FArrDown && !FGrid->Navigation()->AlwaysEdit() && G) {
    FArrDown = false;
    FGrid->HideInplaceEdit();
    FGrid->AppendLastRow();
    G->SetRow(G->RowCount() - 1);
  }
}

void TRurInplaceEdit::WalkKeyUp(uint16_t& Key, bool Right)
{
  TCustomGrid* G = Grid();
  auto* B = dynamic_cast<TBaseGrid*>(G);
  if (!G || !B)
    return;
  TNavigation* Nav = FGrid->Navigation();
  const String Held = Text();
  Key = 0;
  const int32_t C = G->Col(), R = G->Row();
  const int32_t Span = Right ? B->CellSpan(FGrid->RemapCol(C), R).X : 0;
  const int32_t Next = Right ? C + Span + 1 : C - 1;
  const bool Static =
      Right ? C < G->ColCount() - 1 - FGrid->FixedRightCols() && FGrid->HasStaticEdit(FGrid->RemapCol(Next), R)
            : C > G->FixedCols() && FGrid->HasStaticEdit(FGrid->RemapCol(Next), R);
  if (!FGrid->ValidateCell(Held)) {
    SetText(Held);
    SelectAll();
    return;
  }
  FGrid->HideInplaceEdit();
  if (Static) {
    G->SetCol(Next);
    return;
  }
  const TAdvanceDirection Saved = Nav->AdvanceDirection();
  if (Saved != adLeftRight && Saved != adLeftRightInRow)
    Nav->SetAdvanceDirection(adLeftRight);
  {
    const auto Restore = qScopeGuard([&] { Nav->SetAdvanceDirection(Saved); });
    FGrid->AdvanceEdit(C, R, true, true, Right, false, true);
  }
  if (Nav->CursorWalkAlwaysEdit())
    Key = VK_RETURN;
  else
    FGrid->HideInplaceEdit();
}

void TRurInplaceEdit::KeyUp(uint16_t& Key, TShiftState Shift)
{
  if (!FGrid)
    return TInplaceEdit::KeyUp(Key, Shift);
  TNavigation* Nav = FGrid->Navigation();
  const bool NoSel = SelLength() == 0;
  if (Key == VK_LEFT && NoSel && SelStart() == 0 && FSelKeyDown == 0 && Shift == 0 && Nav->CursorWalkEditor())
    WalkKeyUp(Key, false);
  else if (Key == VK_RIGHT && NoSel && Text().size() == FOldSelStart && Shift == 0 && Nav->CursorWalkEditor())
    WalkKeyUp(Key, true);
  if (Key == VK_LEFT || Key == VK_RIGHT || !FGrid)
    return;
  TInplaceEdit::KeyUp(Key, Shift);
  if (!FGrid)
    return;
  DoChange();
  TCustomGrid* G = Grid();
  if (!G)
    return;
  if (FGrid->SizeWhileTypingWidth())
    FGrid->SizeToWidth(G->Col(), true);
  if (FGrid->SizeWhileTypingHeight() && FGrid->WordWrap()) {
    const int32_t R = G->Row();
    FGrid->WithoutSizeSync([&] { FGrid->AutoSizeRow(R, 0); });
    FGrid->DoEndRowSize(R);
  }
}

uint32_t TRurInplaceEdit::WMGetDlgCode()
{
  uint32_t Code = TInplaceEdit::WMGetDlgCode();
  if (FGrid && FGrid->ShouldHandleTab())
    Code |= DLGC_WANTTAB;
  return Code;
}

// ---------------------------------------------------------------- lookup

void TRurInplaceEdit::DoChange()
{
  if (!Workmode || SelLength() != 0 || !FGrid->Lookup())
    return;
  TStringList* Items = FGrid->LookupItems();
  const String Typed = Text().left(SelStart());
  const int32_t I = LookupMatch(Items, Typed, FGrid->LookupCaseSensitive());
  if (I < 0)
    return;
  const auto N = static_cast<int32_t>(Typed.size());
  SetText(LookupCompletion(Typed, Items->Strings(I)));
  SetSelStart(N);
  SetSelLength(static_cast<int32_t>(Text().size()) - N);
  GotKey = false;
}

// ---------------------------------------------------------------- clipboard

void TRurInplaceEdit::WMCopy()
{
  bool Allow = true;
  if (FGrid)
    FGrid->DoClipboardCopy(this, Allow);
  if (Allow && SelLength() > 0)
    SetClipboardAsText(SelText());
}

void TRurInplaceEdit::WMCut()
{
  bool Allow = true;
  if (FGrid)
    FGrid->DoClipboardCut(this, Allow);
  if (!Allow || SelLength() == 0)
    return;
  SetClipboardAsText(SelText());
  SetSelText(String());
}

void TRurInplaceEdit::WMPaste()
{
  if (!FGrid || !Grid())
    return;
  bool Allow = false;
  String Pasted;
  if (ClipboardHasText()) {
    try {
      Pasted = ClipboardAsText();
      Allow = true;
    } catch (const std::exception&) {
      return; // an unreadable clipboard pastes nothing
    }
  }
  FGrid->DoClipboardPaste(this, Allow);
  if (!Allow)
    return;
  const int32_t C = Grid()->Col(), R = Grid()->Row();
  FGrid->DoClipboardBeforePasteCell(this, C, R, Pasted, Allow);
  if (!Allow)
    return;
  if (FLengthLimit > 0 && Pasted.size() > FLengthLimit)
    return;
  const qsizetype CrLf = Pasted.indexOf(QStringLiteral("\r\n"));
  if (CrLf >= 0 && CrLf == Pasted.size() - 2)
    Pasted.chop(2);

  // The text with the selection replaced (the pasted text then selected),
  // or with the pasted text put in at the caret (the caret after it).
  const String Old = Text();
  const int32_t Start = SelStart(), Sel = SelLength();
  const String New = Old.left(Start) + Pasted + Old.mid(Start + Sel);
  const int32_t N = static_cast<int32_t>(Pasted.size());
  const int32_t CaretAt = Sel > 0 ? Start : Start + N;
  const int32_t Selected = Sel > 0 ? N : 0;
  if (FLengthLimit > 0 && New.size() > FLengthLimit)
    return;

  const TAutoType Type = IsType(New);
  bool Take = true;
  String Value = New;
  switch (FGrid->EditControl) {
  case edNumeric:
  case edPositiveNumeric:
    Take = Type == atNumeric && !(FGrid->EditControl == edPositiveNumeric && New.contains(u'-'));
    break;
  case edFloat:
  case edPositiveFloat:
    Take = (Type == atNumeric || Type == atFloat) && !(FGrid->EditControl == edPositiveFloat && New.contains(u'-'));
    break;
  case edValidChars:
    Take = std::all_of(New.begin(), New.end(), [this](QChar Ch) { return ValidChar(Ch.unicode()); });
    break;
  case edMixedCase:
    Value = ShiftCase(New);
    break;
  case edLowerCase:
    Value = New.toLower();
    break;
  case edUpperCase:
    Value = New.toUpper();
    break;
  default:
    break;
  }
  if (Take)
    SetText(Value);
  FGrid->SetEditCell(Text());
  SetSelStart(std::min<int32_t>(CaretAt, static_cast<int32_t>(Text().size())));
  SetSelLength(Selected);
  FGrid->DoClipboardAfterPasteCell(this, C, R, Text());
}

// ---------------------------------------------------------------- focus and mouse

bool TRurInplaceEdit::WidgetEvent(QObject* Watched, QEvent* Event)
{
  if (FGrid && Watched == WidgetOrNull()) {
    if (Event->type() == QEvent::FocusIn)
      WMSetFocus();
    else if (Event->type() == QEvent::FocusOut) {
      const auto Reason = static_cast<QFocusEvent*>(Event)->reason();
      // Another window or a menu took the keyboard: the edit goes on when
      // it comes back.
      if (Reason != Qt::ActiveWindowFocusReason && Reason != Qt::PopupFocusReason)
        WMKillFocus(QApplication::focusWidget());
    }
  }
  return TInplaceEdit::WidgetEvent(Watched, Event);
}

void TRurInplaceEdit::WMSetFocus()
{
  FGotFocus = true;
  FGrid->FNoEditChange = false;
  FLengthLimit = static_cast<int16_t>(std::clamp(FGrid->MaxEditLength(), 0, 32767));
  TNavigation* Nav = FGrid->Navigation();
  if (!EditMask().isEmpty() && !FGrid->LButFlg && Nav->ImproveMaskSel()) {
    SetSelStart(0);
    SetSelLength(1);
    return;
  }
  if (!Nav->EditSelectAll())
    SetSelStart(static_cast<int32_t>(Text().size()));
  if (FGrid->LButFlg) {
    auto* E = qobject_cast<QLineEdit*>(WidgetOrNull());
    const QPoint P = E ? E->mapFromGlobal(QCursor::pos()) : QPoint(-1, -1);
    if (E && P.x() >= 0 && P.x() <= Width() && P.y() >= 0 && P.y() <= Height()) {
      const int Pos = E->cursorPositionAt(P);
      if (Pos >= 0) {
        SetSelStart(Pos);
        FGrid->LButFlg = false;
      }
    }
  }
}

void TRurInplaceEdit::WMKillFocus(QWidget* NewFocus)
{
  FGrid->FStartEditChar = 0;
  if (FGrid->LookupHistory()) {
    TStringList* Items = FGrid->LookupItems();
    if (Items && Items->IndexOf(Text()) < 0)
      Items->Add(Text());
  }
  FGrid->SetCellSelectMode(false);
  // Alt+Backspace held, or the grid hiding the editor while it validates:
  // the edit goes on.
  if (FAltBack || FGrid->FValidating)
    return;
  TCustomGrid* G = Grid();
  FGrid->DoneEditing(FColE, FRowE);
  if (!FGrid || !G)
    return;
  QWidget* GW = G->WidgetOrNull();
  const bool ToGrid = NewFocus && GW && (NewFocus == GW || NewFocus->parentWidget() == GW);
  if (!ToGrid) {
    {
      // The editor goes away even when reading the cell fails.
      const auto Hide = qScopeGuard([&] {
        if (!FGrid)
          return;
        G->HideEditor();
        FGrid->FEditing = false;
        FGrid->EditMode = false;
      });
      SetText(FGrid->GetCurrentCell());
    }
    if (FGrid)
      FGrid->SelectCell(FColE, FRowE);
  }
  if (!FGrid)
    return;
  FGrid->FNoEditChange = true;
  SetText(FGrid->GetCurrentCell());
  FGrid->FNoEditChange = false;
  FGrid->EditProgress(Text(), TPoint{-1, -1}, -1);
  if (FGotFocus) {
    FGotFocus = false;
    if (!FGrid->EditCellSet()) {
      FGrid->FDoneEditing = true;
      const auto Done = qScopeGuard([this] {
        if (FGrid)
          FGrid->FDoneEditing = false;
      });
      FGrid->DoneEditing(FGrid->RemapCol(FColE), FRowE);
    }
  }
}

void TRurInplaceEdit::DblClick()
{
  TInplaceEdit::DblClick();
  if (FGrid && Grid())
    FGrid->DoDblClickCell(Grid()->Row(), Grid()->Col());
}
