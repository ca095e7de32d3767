#include "serial/terminal/SioTerminalEmulator.h"

#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"
#include "rtl/Strings.h"
#include "serial/SioComPort.h"
#include "serial/terminal/SioTerminal.h"

#include <QApplication>

#include <algorithm>
#include <vector>

namespace {

// The terminals and the emulators attached to them; a terminal has at most
// one entry. The terminal's own default emulator is never entered.
struct TTermEmuLink {
  TAdCustomTerminal* Terminal;
  TSioTerminalEmulator* Emulator;
};

std::vector<TTermEmuLink>& TermEmuLinks()
{
  static std::vector<TTermEmuLink> Links;
  return Links;
}

// The attribute each group of four commands from ecAddBold acts on; the
// groups run add, only, remove, invert (for Selected the enumeration names
// the middle two the other way round, but the order of effects is the same).
constexpr TSioTerminalCharAttr AttrGroups[] = {tcaBold,    tcaUnderline, tcaStrikethrough, tcaBlink,
                                               tcaReverse, tcaInvisible, tcaSelected};

TColor Brightened(TColor C)
{
  const auto Up = [](uint32_t V) { return std::min<uint32_t>(V + 128, 255); };
  return Up(C & 0xFF) | Up((C >> 8) & 0xFF) << 8 | Up((C >> 16) & 0xFF) << 16;
}

} // namespace

void AddTermEmuLink(TAdCustomTerminal* aTerminal, TSioTerminalEmulator* aEmulator)
{
  std::vector<TTermEmuLink>& Links = TermEmuLinks();
  if (std::any_of(Links.begin(), Links.end(), [&](const TTermEmuLink& L) { return L.Terminal == aTerminal; }))
    return;
  Links.insert(Links.begin(), {aTerminal, aEmulator});
  // The link now in place ends the recursion of the two setters.
  aTerminal->SetEmulator(aEmulator);
  aEmulator->teSetTerminal(aTerminal);
}

void RemoveTermEmuLink(TAdCustomTerminal* aTerminal, bool aUpdate)
{
  std::vector<TTermEmuLink>& Links = TermEmuLinks();
  const auto It =
      std::find_if(Links.begin(), Links.end(), [&](const TTermEmuLink& L) { return L.Terminal == aTerminal; });
  if (It == Links.end())
    return;
  TSioTerminalEmulator* Emulator = It->Emulator;
  Links.erase(It);
  if (aUpdate) {
    aTerminal->SetEmulator(nullptr);
    Emulator->teSetTerminal(nullptr);
  }
}

// ------------------------------------------------------------ TSioTerminalEmulator

TSioTerminalEmulator::TSioTerminalEmulator(TComponent* AOwner)
    : TSioBaseComponent(AOwner), FAnswerback(QStringLiteral("VIVIvado")),
      FCommandList(std::make_unique<TAdEmuCommandList>(this))
{
}

TSioTerminalEmulator::~TSioTerminalEmulator()
{
  if (!FIsDefault && FTerminal)
    teSetTerminal(nullptr);
}

String TSioTerminalEmulator::ClassName() const { return QStringLiteral("TSioTerminalEmulator"); }

void TSioTerminalEmulator::Notification(TComponent* AComponent, TOperation Operation)
{
  TSioBaseComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FTerminal) {
    FTerminal = nullptr;
    return;
  }
  if (Operation == opInsert && !FTerminal && AComponent->Owner() == Owner())
    if (auto* T = dynamic_cast<TSioTerminal*>(AComponent))
      teSetTerminal(T);
}

bool TSioTerminalEmulator::teGetNeedsUpdate()
{
  if (!FTerminalBuffer)
    return false;
  return FTerminalBuffer->HasDisplayChanged() || FTerminalBuffer->HasCursorMoved();
}

void TSioTerminalEmulator::teSetTerminal(TAdCustomTerminal* Value)
{
  if (Value == FTerminal)
    return;
  if (FTerminal && !FIsDefault) {
    TAdCustomTerminal* Old = FTerminal;
    FTerminal = nullptr;
    RemoveTermEmuLink(Old, true);
  }
  FTerminal = Value;
  if (FIsDefault || !Value)
    return;
  if (Value->Emulator() && Value->Emulator() != this)
    RemoveTermEmuLink(Value, true);
  AddTermEmuLink(Value, this);
}

void TSioTerminalEmulator::teClear() {}

void TSioTerminalEmulator::teClearAll() {}

void TSioTerminalEmulator::teSendChar(char aCh, bool aCheckEcho, TAdCharSource CharSource)
{
  if (!FTerminal)
    return;
  if (aCheckEcho && FTerminal->HalfDuplex())
    ProcessBlock(&aCh, 1, CharSource);
  TSioCustomComPort* Port = FTerminal->ComPort();
  if (Port && Port->Open())
    Port->PutChar(aCh);
}

void TSioTerminalEmulator::BlinkPaint(bool) {}

bool TSioTerminalEmulator::HasBlinkingText() { return false; }

void TSioTerminalEmulator::KeyDown(uint16_t&, uint16_t) {}

void TSioTerminalEmulator::KeyPress(char16_t&) {}

void TSioTerminalEmulator::LazyPaint() {}

void TSioTerminalEmulator::Paint() {}

void TSioTerminalEmulator::ProcessBlock(const void*, int32_t, TAdCharSource) {}

void TSioTerminalEmulator::GetCursorPos(int32_t&, int32_t&) {}

void TSioTerminalEmulator::teHandleCursorMovement(TObject* Sender, int32_t Row, int32_t Col)
{
  if (!FTerminal)
    return;
  if (!FTerminal->UseLazyDisplay())
    PostMessage(FTerminal->TermHandle(), ApwTermNeedsUpdate, 0, 1);
  if (FTerminal->FollowCursor())
    FTerminal->tmFollowCursor();
  if (FTerminal->HideScrollbars())
    FTerminal->CursorMovedScrollbars(Row, Col);
  if (FTerminal->OnCursorMoved)
    FTerminal->OnCursorMoved(Sender, Row, Col);
}

// ------------------------------------------------------------ the interpreter

void TSioTerminalEmulator::teClearCommandList() { FCommandList->Clear(); }

void TSioTerminalEmulator::teProcessCommandList(const TAdEmuCommandList* ACommandList)
{
  if (!ACommandList)
    return;
  for (int32_t I = 0; I < ACommandList->Count(); ++I) {
    const TAdEmuCommandListItem* Item = ACommandList->Items(I);
    teProcessCommand(Item->Command(), Item->Params());
  }
}

void TSioTerminalEmulator::ExecuteTerminalCommands(const TAdEmuCommandList* CommandList)
{
  teProcessCommandList(CommandList);
  if (FTerminal)
    FTerminal->Repaint();
}

void TSioTerminalEmulator::SendReply(const AnsiString& S)
{
  if (!FTerminal)
    return;
  TSioCustomComPort* Port = FTerminal->ComPort();
  if (Port && Port->MasterTerminal() == FTerminal)
    Port->PutString(S);
}

void TSioTerminalEmulator::ChangeAttrs(TAdEmuCommand ACommand)
{
  TSioTerminalBuffer* B = FTerminalBuffer.get();
  const int32_t Index = ACommand - ecAddBold;
  const TSioTerminalCharAttrs Bit = AttrBit(AttrGroups[Index / 4]);
  const TSioTerminalCharAttrs A = B->GetCharAttrs();
  switch (Index % 4) {
  case 0:
    B->SetCharAttrs(A | Bit);
    break;
  case 1:
    B->SetCharAttrs(Bit);
    break;
  case 2:
    B->SetCharAttrs(A & ~Bit);
    break;
  default:
    B->SetCharAttrs(A ^ Bit);
  }
}

void TSioTerminalEmulator::teProcessCommand(TAdEmuCommand ACommand, const TAdEmuCommandParams* AParams)
{
  TSioTerminalBuffer* B = FTerminalBuffer.get();
  if (!B)
    return;
  static const TAdEmuCommandParams NoParams(nullptr);
  const TAdEmuCommandParams& P = AParams ? *AParams : NoParams;
  const auto Int = [&P](const char* Name, int32_t Pos, int32_t Def) {
    return P.GetIntegerValue(QString::fromLatin1(Name), Pos, Def);
  };
  const auto Bool = [&P](const char* Name, int32_t Pos, bool Def) {
    return P.GetBooleanValue(QString::fromLatin1(Name), Pos, Def);
  };
  const auto Colour = [&P](const char* Name, int32_t Pos, TColor Def) {
    return P.GetTColorValue(QString::fromLatin1(Name), Pos, Def);
  };

  if (ACommand >= ecAddBold && ACommand <= ecInvertSelected) {
    ChangeAttrs(ACommand);
    return;
  }
  switch (ACommand) {
  case ecNone:
    break;
  case ecBell:
    // The system sound needs the window system.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
      QApplication::beep();
    break;
  case ecBackspace:
    B->DoBackspace();
    break;
  case ecTabHorz:
    B->DoHorzTab();
    break;
  case ecLF:
    B->DoLineFeed();
    break;
  case ecCR:
    B->DoCarriageReturn();
    break;
  case ecBackTabHorz:
    B->DoBackHorzTab();
    break;
  case ecTabVert:
    B->DoVertTab();
    break;
  case ecBackTabVert:
    B->DoBackVertTab();
    break;
  case ecCursorDown:
    B->MoveCursorDown(Bool("Scroll", 0, false));
    break;
  case ecCursorUp:
    B->MoveCursorUp(Bool("Scroll", 0, false));
    break;
  case ecCursorLeft:
    B->MoveCursorLeft(Bool("Wrap", 0, false), Bool("Scroll", 1, false));
    break;
  case ecCursorRight:
    B->MoveCursorRight(Bool("Wrap", 0, false), Bool("Scroll", 1, false));
    break;
  case ecCursorPos:
    B->SetCursorPosition(Int("Row", 0, 1), Int("Col", 1, 1));
    break;
  case ecDeleteChars:
    B->DeleteChars(Int("Count", 0, 1));
    break;
  case ecDeleteLines:
    B->DeleteLines(Int("Count", 0, 1));
    break;
  case ecInsertChars:
    B->InsertChars(Int("Count", 0, 1));
    break;
  case ecInsertLines:
    B->InsertLines(Int("Count", 0, 1));
    break;
  case ecEraseChars:
    B->EraseChars(Int("Count", 0, 1));
    break;
  case ecEraseAll:
    B->EraseAll();
    break;
  case ecEraseFromBOW:
    B->EraseFromBOW();
    break;
  case ecEraseFromBOL:
    B->EraseFromBOL();
    break;
  case ecEraseLine:
    B->EraseLine();
    break;
  case ecEraseScreen:
    B->EraseScreen();
    break;
  case ecEraseToEOL:
    B->EraseToEOL();
    break;
  case ecEraseToEOW:
    B->EraseToEOW();
    break;
  case ecSetHorzTabStop:
    B->SetHorzTabStop();
    break;
  case ecClearHorzTabStop:
    B->ClearHorzTabStop();
    break;
  case ecClearVertTabStop:
    B->ClearVertTabStop();
    break;
  case ecClearAllHorzTabStops:
    B->ClearAllHorzTabStops();
    break;
  case ecSetVertTabStop:
    B->SetVertTabStop();
    break;
  case ecClearAllVertTabStops:
    B->ClearAllVertTabStops();
    break;
  case ecSetScrollRegion:
    B->SetScrollRegion(Int("Top", 0, 1), Int("Bottom", 1, 1));
    break;
  case ecBackColor: {
    const TColor C = Colour("Color", 0, clBlack);
    B->SetBackColor(C);
    if (Bool("Persistent", 1, true) && FTerminal)
      FTerminal->SetColor(C);
    break;
  }
  case ecForeColor: {
    const TColor C = Colour("Color", 0, clSilver);
    B->SetForeColor(C);
    if (Bool("Persistent", 1, true) && FTerminal)
      FTerminal->Font()->SetColor(C);
    break;
  }
  case ecColor: {
    const TColor Fore = Colour("Fore", 0, clSilver);
    const TColor Back = Colour("Back", 1, clBlack);
    B->SetForeColor(Fore);
    B->SetBackColor(Back);
    if (Bool("Persistent", 2, true) && FTerminal) {
      FTerminal->Font()->SetColor(Fore);
      FTerminal->SetColor(Back);
    }
    break;
  }
  case ecAbsAddress:
  case ecNoAbsAddress:
    B->SetUseAbsAddress(ACommand == ecAbsAddress);
    break;
  case ecAutoWrap:
  case ecNoAutoWrap:
    B->SetUseAutoWrap(ACommand == ecAutoWrap);
    break;
  case ecAutoWrapDelay:
  case ecNoAutoWrapDelay:
    B->SetUseAutoWrapDelay(ACommand == ecAutoWrapDelay);
    break;
  case ecInsertMode:
  case ecNoInsertMode:
    B->SetUseInsertMode(ACommand == ecInsertMode);
    break;
  case ecNewLineMode:
  case ecNoNewLineMode:
    B->SetUseNewLineMode(ACommand == ecNewLineMode);
    break;
  case ecScrollRegion:
  case ecNoScrollRegion:
    B->tbSetUseScrollRegion(ACommand == ecScrollRegion);
    break;
  case ecSetCharAttr: {
    static const char* const Names[] = {"Bold",    "Underline", "Strikethrough", "Blink",
                                        "Reverse", "Invisible", "Selected"};
    TSioTerminalCharAttrs A = 0;
    for (int32_t I = 0; I < 7; ++I)
      if (Bool(Names[I], I, false))
        A |= AttrBit(TSioTerminalCharAttr(I));
    B->SetCharAttrs(A);
    break;
  }
  case ecRemoveAllAttr:
    B->SetCharAttrs(0);
    break;
  case ecRemoveAllAttrIgnoreSelect:
    B->SetCharAttrs(B->GetCharAttrs() & AttrBit(tcaSelected));
    break;
  case ecClearAndHome:
    B->EraseScreen();
    B->SetCursorPosition(1, 1);
    break;
  case ecHome:
    B->SetCursorPosition(1, 1);
    break;
  case ecCursorEOL:
    B->tbSetCol(B->ColCount());
    break;
  case ecCursorBOL:
    B->tbSetCol(1);
    break;
  case ecCursorTop:
    B->tbSetRow(1);
    break;
  case ecCursorBottom:
    B->tbSetRow(B->RowCount());
    break;
  case ecWriteString:
    B->WriteString(P.GetStringValue(QStringLiteral("String"), 0, String()));
    break;
  case ecSaveCursorPos:
    FSavedAttrs = B->GetCharAttrs();
    FSavedBackColor = B->BackColor();
    FSavedCharSet = B->CharSet();
    FSavedCol = B->Col();
    FSavedForeColor = B->ForeColor();
    FSavedRow = B->Row();
    break;
  case ecRestoreCursorPos:
    B->SetCharAttrs(FSavedAttrs);
    B->SetBackColor(FSavedBackColor);
    B->SetCharSet(FSavedCharSet);
    B->tbSetCol(FSavedCol);
    B->SetForeColor(FSavedForeColor);
    B->tbSetRow(FSavedRow);
    break;
  case ecNEL:
    B->DoLineFeed();
    if (!B->UseNewLineMode())
      B->DoCarriageReturn();
    break;
  case ecReset:
    B->Reset();
    break;
  case ecDECALN: {
    const char Blank = B->DefAnsiChar();
    B->SetDefAnsiChar('E');
    B->EraseScreen();
    B->SetDefAnsiChar(Blank);
    break;
  }
  case ecDeviceAttributesReport: {
    const int32_t Type = Int("Type", 0, 0);
    if (Type == 0)
      SendReply("\x1B[?1;0c");
    else if (Type == 52)
      SendReply("\x1B/Z");
    break;
  }
  case ecDeviceStatusReport: {
    const int32_t Type = Int("Type", 0, 5);
    if (Type == 5)
      SendReply("\x1B[0n");
    else if (Type == 6)
      SendReply("\x1B[" + AnsiString::number(B->Row()) + ";" + AnsiString::number(B->Col()) + "R");
    break;
  }
  case ecAnswerback:
    SendReply(ToAnsi(FAnswerback));
    break;
  case ecCursorOff:
  case ecCursorUnderline:
  case ecCursorBlock:
    if (FTerminal)
      FTerminal->SetCursorType(ACommand == ecCursorOff         ? ctNone
                               : ACommand == ecCursorUnderline ? ctUnderline
                                                               : ctBlock);
    break;
  default:
    // Values outside the vocabulary do nothing.
    break;
  }
}

// ------------------------------------------------------------ TSioTTYEmulator

TSioTTYEmulator::TSioTTYEmulator(TComponent* AOwner) : TSioTerminalEmulator(AOwner)
{
  FTerminalBuffer = std::make_unique<TSioTerminalBuffer>(false);
  FTerminalBuffer->OnCursorMoved = [this](TObject* Sender, int32_t Row, int32_t Col) {
    teHandleCursorMovement(Sender, Row, Col);
  };
}

TSioTTYEmulator::~TSioTTYEmulator()
{
  // Unbound before the buffer goes: the terminal may still ask for it.
  if (!IsDefault() && FTerminal)
    teSetTerminal(nullptr);
}

String TSioTTYEmulator::ClassName() const { return QStringLiteral("TSioTTYEmulator"); }

bool TSioTTYEmulator::teGetNeedsUpdate()
{
  return FTerminalBuffer->HasDisplayChanged() || FRefresh || FTerminalBuffer->HasCursorMoved();
}

void TSioTTYEmulator::teSetTerminal(TAdCustomTerminal* Value)
{
  TSioTerminalEmulator::teSetTerminal(Value);
  // A new view shows everything afresh.
  FRefresh = true;
}

void TSioTTYEmulator::teClear() { FTerminalBuffer->EraseScreen(); }

void TSioTTYEmulator::teClearAll() { FTerminalBuffer->EraseAll(); }

void TSioTTYEmulator::KeyPress(char16_t& Key)
{
  if (Key == 8)
    Key = 127;
  // The port speaks the 8-bit code page: a character beyond it goes out as
  // the code page has it ('?' when it has none), not as its low byte.
  const AnsiString Ch = ToAnsi(String(QChar(Key)));
  teSendChar(Ch.isEmpty() ? '?' : Ch[0], true, csKeyboard);
}

void TSioTTYEmulator::ProcessChar(char Ch)
{
  if (uint8_t(Ch) >= 32) {
    FTerminalBuffer->WriteChar(Ch);
    return;
  }
  switch (Ch) {
  case 7:
    teProcessCommand(ecBell, nullptr);
    break;
  case 8:
    FTerminalBuffer->DoBackspace();
    break;
  case 9:
    FTerminalBuffer->DoHorzTab();
    break;
  case 10:
    FTerminalBuffer->DoLineFeed();
    break;
  case 13:
    FTerminalBuffer->DoCarriageReturn();
    break;
  default:
    // Every other control character, escape included, is ignored.
    break;
  }
}

void TSioTTYEmulator::ProcessBlock(const void* aData, int32_t aDataLen, TAdCharSource CharSource)
{
  const char* Bytes = static_cast<const char*>(aData);
  if (!OnProcessChar) {
    // Without a handler every byte stands for itself and no command list
    // runs: the same result without a string and a list per byte.
    for (int32_t I = 0; I < aDataLen; ++I)
      ProcessChar(Bytes[I]);
    return;
  }
  for (int32_t I = 0; I < aDataLen; ++I) {
    AnsiString ReplaceWith(1, Bytes[I]);
    teClearCommandList();
    OnProcessChar(this, Bytes[I], ReplaceWith, CommandList(), CharSource);
    teProcessCommandList(CommandList());
    for (char Ch : ReplaceWith)
      ProcessChar(Ch);
  }
}

// ------------------------------------------------------------ painting

void TSioTTYEmulator::FollowTerminalColours()
{
  if (!FTerminal)
    return;
  TSioTerminalBuffer* B = FTerminalBuffer.get();
  // Only a change of the terminal's own colour counts, each colour for
  // itself: a colour a command set for the text alone (not persistent)
  // must survive the next paint.
  const TColor Back = FTerminal->Color();
  if (Back != FSeenBackColor) {
    FSeenBackColor = Back;
    if (Back != B->BackColor()) {
      B->SetDefBackColor(Back);
      B->SetBackColor(Back);
      FRefresh = true;
    }
  }
  const TColor Fore = FTerminal->Font()->Color();
  if (Fore != FSeenForeColor) {
    FSeenForeColor = Fore;
    if (Fore != B->ForeColor()) {
      B->SetDefForeColor(Fore);
      B->SetForeColor(Fore);
      FRefresh = true;
    }
  }
}

int32_t TSioTTYEmulator::VertScrollShift() const
{
  return FTerminal && !FTerminal->FreezeScrollBack() ? FTerminal->VertScrollPos() : 0;
}

void TSioTTYEmulator::LazyPaint()
{
  if (!FTerminal)
    return;
  FollowTerminalColours();
  TSioTerminalBuffer* B = FTerminalBuffer.get();
  TRect R;
  if (FRefresh) {
    FRefresh = false;
    for (int32_t Row = 1; Row <= B->RowCount(); ++Row)
      ttyDrawChars(Row, 1, B->ColCount());
    while (B->GetInvalidRect(R)) {
    }
    return;
  }
  while (B->GetInvalidRect(R)) {
    const int32_t Shift = VertScrollShift();
    const int32_t Bottom = R.Bottom + (Shift != 0 ? Shift + 1 : 0);
    for (int32_t Row = R.Top + Shift; Row <= Bottom; ++Row)
      ttyDrawChars(Row, R.Left, R.Right);
  }
}

void TSioTTYEmulator::Paint()
{
  if (!FTerminal)
    return;
  FollowTerminalColours();
  const TRect Clip = FTerminal->Canvas()->ClipBox();
  const int32_t W = FTerminal->GetTotalCharWidth();
  const int32_t H = FTerminal->GetTotalCharHeight();
  const int32_t FirstCol = Clip.Left / W + FTerminal->ClientOriginCol();
  const int32_t LastCol = (Clip.Right - 1) / W + FTerminal->ClientOriginCol();
  int32_t FirstRow = Clip.Top / H + FTerminal->ClientOriginRow();
  int32_t LastRow = (Clip.Bottom - 1) / H + FTerminal->ClientOriginRow();
  const int32_t Shift = VertScrollShift();
  if (Shift != 0) {
    FirstRow += Shift;
    LastRow += Shift + 1;
  }
  for (int32_t Row = FirstRow; Row <= LastRow; ++Row)
    ttyDrawChars(Row, FirstCol, LastCol);
}

void TSioTTYEmulator::ttyDrawChars(int32_t aRow, int32_t aFirstCol, int32_t aLastCol)
{
  TAdCustomTerminal* T = FTerminal;
  TSioTerminalBuffer* B = FTerminalBuffer.get();
  const int32_t OriginRow = T->ClientOriginRow();
  const int32_t OriginCol = T->ClientOriginCol();
  if (aRow < OriginRow || aRow > OriginRow + T->ClientRows() - 1)
    return;
  const int32_t SpanLast = std::min(OriginCol + T->ClientCols() - 1, B->ColCount());
  if (aLastCol < OriginCol || aFirstCol > SpanLast)
    return;
  aFirstCol = std::max(aFirstCol, OriginCol);
  aLastCol = std::min(aLastCol, SpanLast);
  if (!T->PaintingNow()) {
    // Outside a paint the window has the cells painted.
    T->InvalidateCells(aRow, aFirstCol, aLastCol);
    return;
  }
  const TColor* Fore = B->GetLineForeColorPtr(aRow);
  const TColor* Back = B->GetLineBackColorPtr(aRow);
  const TSioTerminalCharAttrs* Attr = B->GetLineAttrPtr(aRow);
  if (!Fore || !Back || !Attr)
    return;
  // Runs of cells that look alike, newest first: painted right to left.
  FPaintNodes.clear();
  int32_t Start = aFirstCol;
  for (int32_t C = aFirstCol + 1; C <= aLastCol + 1; ++C) {
    if (C <= aLastCol && Fore[C - 1] == Fore[Start - 1] && Back[C - 1] == Back[Start - 1] &&
        Attr[C - 1] == Attr[Start - 1])
      continue;
    FPaintNodes.insert(FPaintNodes.begin(), {Start, C - 1, Fore[Start - 1], Back[Start - 1], Attr[Start - 1]});
    Start = C;
  }
  ttyExecutePaintScript(aRow);
}

void TSioTTYEmulator::ttyExecutePaintScript(int32_t aRow)
{
  TAdCustomTerminal* T = FTerminal;
  TCanvas* Canvas = T->Canvas();
  const int32_t W = T->GetTotalCharWidth();
  const int32_t H = T->GetTotalCharHeight();
  const int32_t Top = (aRow - T->ClientOriginRow()) * H;
  const int32_t Bottom = Top + H;
  const char* Chars = static_cast<const char*>(FTerminalBuffer->GetLineCharPtr(aRow));
  for (const TPaintNode& N : FPaintNodes) {
    const bool Swap = ((N.Attrs & AttrBit(tcaReverse)) != 0) != ((N.Attrs & AttrBit(tcaSelected)) != 0);
    TColor Text = Swap ? N.BackColor : N.ForeColor;
    TColor Fill = Swap ? N.ForeColor : N.BackColor;
    if (N.Attrs & AttrBit(tcaInvisible))
      Text = Fill;
    else if (N.Attrs & AttrBit(tcaBold))
      (Swap ? Fill : Text) = Brightened(N.ForeColor);
    FDisplayStr = AnsiString(Chars + N.FirstCol - 1, N.LastCol - N.FirstCol + 1);
    const int32_t Left = W * (N.FirstCol - T->ClientOriginCol());
    const int32_t Right = Left + W * int32_t(FDisplayStr.size());
    Canvas->Brush()->SetColor(Fill);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->FillRect(TRect{Left, Top, Right, Bottom});
    Canvas->Font()->Assign(T->Font());
    Canvas->Font()->SetColor(Text);
    Canvas->SetBkMode(TRANSPARENT);
    // Every character in its own cell, whatever the font's advance.
    const String Unicode = FromAnsi(FDisplayStr);
    for (int32_t I = 0; I < Unicode.size(); ++I)
      if (Unicode[I] != QLatin1Char(' '))
        Canvas->TextOut(Left + W * I, Top, String(Unicode[I]));
    Canvas->Pen()->SetColor(Text);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    if (N.Attrs & AttrBit(tcaUnderline)) {
      Canvas->MoveTo(Left, Bottom - 2);
      Canvas->LineTo(Right, Bottom - 2);
    }
    if (N.Attrs & AttrBit(tcaStrikethrough)) {
      Canvas->MoveTo(Left, Top + H / 2);
      Canvas->LineTo(Right, Top + H / 2);
    }
  }
  FPaintNodes.clear();
}
