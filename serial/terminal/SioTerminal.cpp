// The terminal control: life cycle, the port link, the data path, capture,
// keys and pasting. The view is in SioTerminalView.cpp.
#include "serial/terminal/SioTerminal.h"

#include "platform/Application.h"
#include "platform/Clipbrd.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"
#include "platform/Timer.h"
#include "rtl/Exceptions.h"
#include "rtl/Streams.h"
#include "rtl/Strings.h"
#include "serial/SioBaseDispatcher.h"
#include "serial/SioComPort.h"
#include "serial/terminal/AaByteQueue.h"
#include "serial/terminal/SioTerminalEmulator.h"

#include <QScopeGuard>
#include <QScrollBar>

#include <algorithm>
#include <cstring>

// What the dispatch thread's handler shares with the window thread: the
// lock of the byte queue, and the queue while the handler may use it. A
// handler whose removal the dispatcher deferred finds no queue any more.
struct TAdCustomTerminal::TTriggerToken {
  std::mutex Lock;
  TaaByteQueue* Queue = nullptr;
  TSioBaseDispatcher* Dispatcher = nullptr;
  HWND Wnd = 0;
};

namespace {

// One property of a cell (absolute row, column from 1), through the
// buffer's line pointer of that property; nothing outside the buffer.
template <class T>
using TLineOf = T* (TSioTerminalBuffer::*)(int32_t) const;

template <class T>
T* CellOf(const TSioTerminalBuffer* B, TLineOf<T> Line, int32_t aRow, int32_t aCol)
{
  T* P = B ? (B->*Line)(aRow) : nullptr;
  return P && aCol >= 1 && aCol <= B->ColCount() ? P + (aCol - 1) : nullptr;
}

template <class T>
T ReadCell(const TSioTerminalBuffer* B, TLineOf<T> Line, int32_t aRow, int32_t aCol, T Default)
{
  const T* P = CellOf(B, Line, aRow, aCol);
  return P ? *P : Default;
}

template <class T>
void WriteCell(const TSioTerminalBuffer* B, TLineOf<T> Line, int32_t aRow, int32_t aCol, T Value)
{
  if (T* P = CellOf(B, Line, aRow, aCol))
    *P = Value;
}

} // namespace

// ------------------------------------------------------------ life cycle

TAdCustomTerminal::TAdCustomTerminal(TComponent* AOwner)
    : TSioBaseWinControl(AOwner),
      FTermWindow(std::make_unique<TMessageWindow>(
          [this](uint32_t Msg, uintptr_t WParam, intptr_t LParam) { return TermWindowProc(Msg, WParam, LParam); })),
      FByteQueue(std::make_unique<TaaByteQueue>()), FToken(std::make_shared<TTriggerToken>()),
      FDefEmulator(std::make_unique<TSioTTYEmulator>(nullptr)), FCaptureFile(QString::fromLatin1(DefaultCaptureFile))
{
  FHeartbeat = std::make_unique<TTimer>(nullptr);
  FHeartbeat->SetEnabled(false);
  FHeartbeat->SetInterval(100);
  FHeartbeat->OnTimer = [this](TObject*) { tmBeat(); };
  FDefEmulator->FIsDefault = true;
  FDefEmulator->teSetTerminal(this);
  FEmulator = FDefEmulator.get();
  SetActive(true);
  SetControlStyle(ControlStyle() | csOpaque);
  SetTabStop(true);
  SetBounds(Left(), Top(), 300, 200);
  SetColor(clBlack);
  Font()->SetName(QStringLiteral("Terminal"));
  Font()->SetSize(9);
  Font()->SetColor(clSilver);
  FLButtonRect = TRect{};
}

TAdCustomTerminal::~TAdCustomTerminal()
{
  SetHeartbeat(false);
  if (FComPort && FTriggerHandlerOn)
    tmDetachFromComPort();
  if (FComPort) {
    FComPort->DeregisterUser(TermHandle());
    if (FComPort->MasterTerminal() == this)
      FComPort->SetMasterTerminal(nullptr);
    FComPort->RemoveFreeNotification(this);
  }
  ReleaseEmulator();
  RemoveTermEmuLink(this, false);
  FDefEmulator->FTerminal = nullptr;
  {
    std::lock_guard<std::mutex> G(FToken->Lock);
    FToken->Queue = nullptr;
  }
  // The bars' handlers reach back into this control: they go first.
  delete FBars.H;
  delete FBars.V;
  FBars.H = FBars.V = nullptr;
  FCaptureStream.reset();
  FTermWindow.reset();
}

String TAdCustomTerminal::ClassName() const { return QStringLiteral("TAdCustomTerminal"); }

void TAdCustomTerminal::Loaded()
{
  tmGetFontInfo();
  if (TSioTerminalBuffer* B = Buffer())
    B->tbSetRow(1);
  TSioBaseWinControl::Loaded();
}

void TAdCustomTerminal::CreateWnd()
{
  DropCaret();
  TSioBaseWinControl::CreateWnd();
  if (!FComPort)
    if (TCustomForm* Form = ParentForm())
      FComPort = SearchComPort(Form);
  if (FComPort && !Designing()) {
    FComPort->FreeNotification(this);
    FComPort->RegisterUserEx(TermHandle());
    if (FActive)
      tmAttachToComPort();
  }
  CreateScrollBars();
  tmGetFontInfo();
  SetHeartbeat(true);
  if (Designing())
    tmDrawDefaultText();
  if (TSioTerminalBuffer* B = Buffer())
    B->RegisterTerminalHandle(TermHandle());
}

void TAdCustomTerminal::DestroyWnd()
{
  if (FComPort && !Designing()) {
    tmDetachFromComPort();
    FComPort->DeregisterUser(TermHandle());
  }
  SetHeartbeat(false);
  DropCaret();
  if (TSioTerminalBuffer* B = Buffer())
    B->DeregisterTerminalHandle();
  // The bars go with the widget.
  FBars.H = FBars.V = nullptr;
  FBars.HShown = FBars.VShown = false;
  TSioBaseWinControl::DestroyWnd();
}

HWND TAdCustomTerminal::TermHandle() const { return FTermWindow ? FTermWindow->Handle() : 0; }

void TAdCustomTerminal::SetHeartbeat(bool On)
{
  // What the beat does (blinking, the lazy display, scrolling a selection)
  // is for the eye: a hidden terminal (the main window's) is not woken ten
  // times a second for it. It beats again once shown.
  if (FHeartbeat)
    FHeartbeat->SetEnabled(On && Visible());
}

void TAdCustomTerminal::VisibleChanged()
{
  TSioBaseWinControl::VisibleChanged();
  SetHeartbeat(WindowExists());
}

void TAdCustomTerminal::Notification(TComponent* AComponent, TOperation Operation)
{
  TSioBaseWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove) {
    if (FEmulator && AComponent == FEmulator && FEmulator != FDefEmulator.get()) {
      // Its buffer goes with it: nothing of it may be touched any more.
      RemoveTermEmuLink(this, false);
      FEmulator = FDefEmulator.get();
      if (WindowExists())
        FEmulator->Buffer()->RegisterTerminalHandle(TermHandle());
      Invalidate();
    }
    if (AComponent == FComPort) {
      // The port is being freed: it has closed and told us already.
      RetireToken();
      FTriggerHandlerOn = false;
      FActive = false;
      FWaitingForComPortOpen = false;
      FComPort = nullptr;
    }
    return;
  }
  if (AComponent == this || AComponent->Owner() != Owner())
    return;
  if (auto* E = dynamic_cast<TSioTerminalEmulator*>(AComponent); E && !Emulator())
    SetEmulator(E);
  else if (auto* P = dynamic_cast<TSioCustomComPort*>(AComponent); P && !FComPort)
    SetComPort(P);
}

// ------------------------------------------------------------ messages

intptr_t TAdCustomTerminal::TermWindowProc(uint32_t Msg, uintptr_t WParam, intptr_t)
{
  switch (Msg) {
  case PortOpenMsg:
    if (FWaitingForComPortOpen)
      tmAttachToComPort();
    return 0;
  case PortClosedMsg:
  case PortClosingMsg:
    tmDetachFromComPort();
    return 0;
  case ApwTermStuff:
    ApwTermStuffMsg(static_cast<TAdCharSource>(WParam));
    return 0;
  case ApwTermForceSize:
    ApplyScrollBars();
    return 0;
  case AwpWaitForPort:
    AwpWaitForPortMsg();
    return 0;
  case ApwTermNeedsUpdate:
    ApwTermNeedsUpdateMsg();
    return 0;
  default:
    return 0;
  }
}

// ------------------------------------------------------------ the port

void TAdCustomTerminal::SetComPort(TSioCustomComPort* Value)
{
  if (Value == FComPort)
    return;
  // Without a window the terminal is only bound: it registers with the
  // port when its window is made.
  const bool Live = WindowExists() && !Designing();
  if (FComPort) {
    if (Live) {
      tmDetachFromComPort();
      FComPort->DeregisterUser(TermHandle());
    }
    if (FComPort->MasterTerminal() == this)
      FComPort->SetMasterTerminal(nullptr);
    FComPort->RemoveFreeNotification(this);
  }
  FComPort = Value;
  if (!FComPort)
    return;
  FComPort->FreeNotification(this);
  if (Live)
    FComPort->RegisterUserEx(TermHandle());
  if (!FComPort->MasterTerminal())
    FComPort->SetMasterTerminal(this);
  if (Live && FActive)
    tmAttachToComPort();
}

void TAdCustomTerminal::SetActive(bool Value)
{
  if (Value == FActive)
    return;
  FActive = Value;
  FWaitingForComPortOpen = false;
  if (FComPort && WindowExists() && !Designing()) {
    if (Value)
      tmAttachToComPort();
    else
      tmDetachFromComPort();
  } else if (Value) {
    FWaitingForComPortOpen = true;
  }
}

void TAdCustomTerminal::tmAttachToComPort()
{
  FWaitingForComPortOpen = true;
  PostMessage(TermHandle(), AwpWaitForPort, 0, 0);
}

void TAdCustomTerminal::AwpWaitForPortMsg()
{
  if (FWaitingForPort || !FComPort)
    return;
  FWaitingForPort = true;
  const auto Done = qScopeGuard([this] { FWaitingForPort = false; });
  if ((FComPort->ComponentState() & csLoading) != 0) {
    PostMessage(TermHandle(), AwpWaitForPort, 0, 0);
    return;
  }
  if (FTriggerHandlerOn) {
    FWaitingForComPortOpen = FActive;
    return;
  }
  if (!FComPort->Open() && !FComPort->AutoOpen()) {
    FWaitingForComPortOpen = FActive;
    return;
  }
  FWaitingForComPortOpen = false;
  if (!FComPort->Open())
    FComPort->SetOpen(true);
  if (FActive) {
    TSioBaseDispatcher* D = FComPort->Dispatcher();
    if (D) {
      auto Token = std::make_shared<TTriggerToken>();
      Token->Queue = FByteQueue.get();
      Token->Dispatcher = D;
      Token->Wnd = TermHandle();
      {
        // The queue's lock moves to the new token: take the old one out of
        // service first.
        std::lock_guard<std::mutex> G(FToken->Lock);
        FToken->Queue = nullptr;
      }
      FToken = Token;
      TSioNotifyEvent Handler;
      Handler.Method = MethodOf(this, &TAdCustomTerminal::tmTriggerHandler);
      Handler.Fn = [Token](uint32_t Msg, uint32_t WParam, int32_t LParam) {
        TakeReceivedBytes(*Token, Msg, WParam, LParam);
      };
      if (D->RegisterEventTriggerHandler(Handler) >= 0) {
        FTriggerHandlerOn = true;
        FHandlerDispatcher = D;
      }
    }
  }
  Loaded();
}

void TAdCustomTerminal::tmDetachFromComPort()
{
  if (FTriggerHandlerOn && FComPort) {
    TSioBaseDispatcher* D = FComPort->ActiveDispatcher();
    if (!D && FComPort->PortStateValue() == psShuttingDown)
      D = FHandlerDispatcher;
    if (D && D == FHandlerDispatcher)
      D->DeregisterEventTriggerHandler(MethodOf(this, &TAdCustomTerminal::tmTriggerHandler));
  }
  RetireToken();
  FTriggerHandlerOn = false;
  FHandlerDispatcher = nullptr;
  if (FActive)
    FWaitingForComPortOpen = true;
}

void TAdCustomTerminal::RetireToken()
{
  auto Fresh = std::make_shared<TTriggerToken>();
  {
    // Waits for a handler still copying bytes.
    std::lock_guard<std::mutex> G(FToken->Lock);
    FToken->Queue = nullptr;
  }
  FToken = Fresh;
}

void TAdCustomTerminal::tmTriggerHandler(uint32_t, uint32_t, int32_t) {}

void TAdCustomTerminal::TakeReceivedBytes(TTriggerToken& Token, uint32_t Msg, uint32_t WParam, int32_t)
{
  if (Msg != TriggerAvailMsg)
    return;
  const int32_t Count = static_cast<int32_t>(std::min<uint32_t>(WParam, InputRingSize));
  if (Count <= 0)
    return;
  {
    std::lock_guard<std::mutex> G(Token.Lock);
    if (!Token.Queue)
      return;
    uint8_t* Room = Token.Queue->PutPeek(Count);
    // Read from this handler's own position: the bytes stay for the port's
    // other readers.
    const int32_t Got = Token.Dispatcher->GetBlock(Room, static_cast<uint32_t>(Count));
    if (Got <= 0)
      return;
    Token.Queue->AdvanceAfterPut(Got);
  }
  PostMessage(Token.Wnd, ApwTermStuff, csPort, 0);
}

// ------------------------------------------------------------ the data path

void TAdCustomTerminal::QueueBytes(const void* Data, int32_t Len, TAdCharSource Source)
{
  if (Len <= 0)
    return;
  {
    std::lock_guard<std::mutex> G(FToken->Lock);
    FByteQueue->Put(Data, Len);
  }
  PostMessage(TermHandle(), ApwTermStuff, Source, 0);
}

void TAdCustomTerminal::WriteChar(char aCh) { QueueBytes(&aCh, 1, csWriteChar); }

void TAdCustomTerminal::WriteString(const AnsiString& aSt)
{
  QueueBytes(aSt.constData(), static_cast<int32_t>(aSt.size()), csWriteChar);
}

void TAdCustomTerminal::WriteString(const String& aSt) { WriteString(ToAnsi(aSt)); }

void TAdCustomTerminal::WriteCharSource(char aCh, TAdCharSource Source) { QueueBytes(&aCh, 1, Source); }

void TAdCustomTerminal::WriteStringSource(const AnsiString& aSt, TAdCharSource Source)
{
  QueueBytes(aSt.constData(), static_cast<int32_t>(aSt.size()), Source);
}

void TAdCustomTerminal::ApwTermStuffMsg(TAdCharSource Source)
{
  AnsiString Bytes;
  {
    // Taken out in one piece, so that the emulator works on bytes nobody
    // moves: the dispatch thread goes on filling the queue meanwhile.
    std::lock_guard<std::mutex> G(FToken->Lock);
    const int32_t N = FByteQueue->Count();
    if (N < 1)
      return;
    Bytes = AnsiString(reinterpret_cast<const char*>(FByteQueue->Peek(N)), N);
    FByteQueue->Remove(N);
  }
  const int32_t N = static_cast<int32_t>(Bytes.size());
  if (FCapture == cmOn && FCaptureStream) {
    try {
      FCaptureStream->WriteBuffer(Bytes.constData(), N);
    } catch (const std::exception& E) {
      // A capture that cannot write ends, said so; the screen still gets
      // the bytes.
      FCaptureStream.reset();
      FCapture = cmOff;
      HandleApplicationException(
          Exception(QStringLiteral("Capture to %1 stopped: %2").arg(FCaptureFile, ExceptionMessage(E))));
    }
  }
  FEmulator->ProcessBlock(Bytes.constData(), N, Source);
  if (!FUseLazyDisplay && FEmulator->NeedsUpdate())
    ImmediatePaint();
  FLazyByteCount += N;
}

void TAdCustomTerminal::ApwTermNeedsUpdateMsg()
{
  if (!FUseLazyDisplay)
    ImmediatePaint();
}

void TAdCustomTerminal::ImmediatePaint()
{
  PaintCells([this] { FEmulator->LazyPaint(); });
}

void TAdCustomTerminal::tmBeat()
{
  if (FLButtonDown)
    AutoScrollSelection();
  if (FBlinkTime > 0) {
    FBlinkTimeCount += 100;
    if (FBlinkTimeCount > FBlinkTime) {
      FBlinkTextVisible = !FBlinkTextVisible;
      if (FEmulator->HasBlinkingText())
        PaintCells([this] { FEmulator->BlinkPaint(FBlinkTextVisible); });
      FBlinkTimeCount = 0;
    }
  }
  if (FUseLazyDisplay) {
    FLazyTimeCount += 100;
    if (FEmulator->NeedsUpdate() && (FLazyTimeCount > FLazyTimeDelay || FLazyByteCount > FLazyByteDelay)) {
      PaintCells([this] { FEmulator->LazyPaint(); });
      FLazyTimeCount = 0;
      FLazyByteCount = 0;
    }
  }
}

void TAdCustomTerminal::Clear() { FEmulator->teClear(); }

void TAdCustomTerminal::ClearAll() { FEmulator->teClearAll(); }

// ------------------------------------------------------------ the emulator

TSioTerminalEmulator* TAdCustomTerminal::Emulator() const
{
  return FEmulator == FDefEmulator.get() ? nullptr : FEmulator;
}

TSioTerminalBuffer* TAdCustomTerminal::Buffer() const { return FEmulator ? FEmulator->Buffer() : nullptr; }

void TAdCustomTerminal::ReleaseEmulator()
{
  TSioTerminalEmulator* Attached = Emulator();
  if (!Attached)
    return;
  if (TSioTerminalBuffer* B = Attached->Buffer())
    B->DeregisterTerminalHandle();
  RemoveTermEmuLink(this, false);
  Attached->FTerminal = nullptr;
  Attached->RemoveFreeNotification(this);
  FEmulator = FDefEmulator.get();
}

void TAdCustomTerminal::SetEmulator(TSioTerminalEmulator* Value)
{
  if (!FEmulator || !FEmulator->Buffer())
    return;
  if (Value == Emulator() || (Value && !Value->Buffer()))
    return;
  const bool Beating = FHeartbeat->Enabled();
  SetHeartbeat(false);
  TSioTerminalBuffer* Old = FEmulator->Buffer();
  const int32_t SV = Old->SVRowCount();
  const int32_t R = Old->RowCount();
  const int32_t C = Old->ColCount();
  ReleaseEmulator();
  FEmulator = Value ? Value : FDefEmulator.get();
  if (WindowExists())
    FEmulator->Buffer()->RegisterTerminalHandle(TermHandle());
  if (Value) {
    Value->FreeNotification(this);
    AddTermEmuLink(this, Value);
  }
  if (SV > 0) {
    TSioTerminalBuffer* B = FEmulator->Buffer();
    B->tbSetSVRowCount(SV);
    B->tbSetRowCount(R);
    B->tbSetColCount(C);
  }
  if (Beating || WindowExists())
    SetHeartbeat(WindowExists());
  if (Designing())
    tmDrawDefaultText();
  Invalidate();
}

// ------------------------------------------------------------ cells

TSioTerminalCharAttrs TAdCustomTerminal::Attributes(int32_t aRow, int32_t aCol) const
{
  return ReadCell(Buffer(), &TSioTerminalBuffer::GetLineAttrPtr, aRow, aCol, TSioTerminalCharAttrs(0));
}

void TAdCustomTerminal::SetAttributes(int32_t aRow, int32_t aCol, TSioTerminalCharAttrs Value)
{
  WriteCell(Buffer(), &TSioTerminalBuffer::GetLineAttrPtr, aRow, aCol, Value);
}

uint8_t TAdCustomTerminal::CharSet(int32_t aRow, int32_t aCol) const
{
  return ReadCell(Buffer(), &TSioTerminalBuffer::GetLineCharSetPtr, aRow, aCol, uint8_t(0));
}

void TAdCustomTerminal::SetCharSet(int32_t aRow, int32_t aCol, uint8_t Value)
{
  WriteCell(Buffer(), &TSioTerminalBuffer::GetLineCharSetPtr, aRow, aCol, Value);
}

TColor TAdCustomTerminal::ForeColor(int32_t aRow, int32_t aCol) const
{
  return ReadCell(Buffer(), &TSioTerminalBuffer::GetLineForeColorPtr, aRow, aCol, clWhite);
}

void TAdCustomTerminal::SetForeColor(int32_t aRow, int32_t aCol, TColor Value)
{
  WriteCell(Buffer(), &TSioTerminalBuffer::GetLineForeColorPtr, aRow, aCol, Value);
}

TColor TAdCustomTerminal::BackColor(int32_t aRow, int32_t aCol) const
{
  return ReadCell(Buffer(), &TSioTerminalBuffer::GetLineBackColorPtr, aRow, aCol, clBlack);
}

void TAdCustomTerminal::SetBackColor(int32_t aRow, int32_t aCol, TColor Value)
{
  WriteCell(Buffer(), &TSioTerminalBuffer::GetLineBackColorPtr, aRow, aCol, Value);
}

AnsiString TAdCustomTerminal::Line(int32_t aRow) const
{
  const TSioTerminalBuffer* B = Buffer();
  const char* P = B && !B->UseWideChars() ? static_cast<const char*>(B->GetLineCharPtr(aRow)) : nullptr;
  return P ? AnsiString(P, B->ColCount()) : AnsiString();
}

void TAdCustomTerminal::SetLine(int32_t aRow, const AnsiString& Value)
{
  const TSioTerminalBuffer* B = Buffer();
  char* P = B && !B->UseWideChars() ? static_cast<char*>(B->GetLineCharPtr(aRow)) : nullptr;
  if (!P)
    return;
  const int32_t N = std::min<int32_t>(static_cast<int32_t>(Value.size()), B->ColCount());
  std::memcpy(P, Value.constData(), static_cast<size_t>(N));
  std::memset(P + N, ' ', static_cast<size_t>(B->ColCount() - N));
}

// ------------------------------------------------------------ properties

void TAdCustomTerminal::SetBlinkTime(int32_t Value) { FBlinkTime = Value <= 0 ? 0 : std::max(Value, 250); }

void TAdCustomTerminal::SetLazyByteDelay(int32_t Value)
{
  if (Value >= 1 && Value <= 1024)
    FLazyByteDelay = Value;
}

void TAdCustomTerminal::SetLazyTimeDelay(int32_t Value)
{
  if (Value >= 1 && Value <= 1000)
    FLazyTimeDelay = Value;
}

void TAdCustomTerminal::SetBorderStyle(TBorderStyle Value) { FBorderStyle = Value; }

// ------------------------------------------------------------ capture

void TAdCustomTerminal::SetCapture(TAdCaptureMode Value)
{
  if (Value == FCapture || (Value == cmAppend && FCapture == cmOn))
    return;
  FCaptureStream.reset();
  FCapture = Value;
  if (Value == cmOff || Designing())
    return;
  if (FCaptureFile.isEmpty())
    FCaptureFile = QString::fromLatin1(DefaultCaptureFile);
  try {
    if (Value == cmOn) {
      FCaptureStream = std::make_unique<TFileStream>(FCaptureFile, fmCreate | fmShareDenyWrite);
    } else {
      FCaptureStream = std::make_unique<TFileStream>(FCaptureFile, fmOpenReadWrite | fmShareDenyWrite);
      FCaptureStream->Seek(0, soFromEnd);
      FCapture = cmOn;
    }
  } catch (...) {
    // A capture that could not start is off: nothing would be written.
    FCapture = cmOff;
    throw;
  }
}

void TAdCustomTerminal::SetCaptureFile(const String& Value)
{
  if (Value == FCaptureFile)
    return;
  FCaptureFile = Value;
  if (FCapture == cmOn) {
    SetCapture(cmOff);
    SetCapture(cmOn);
  }
}

// ------------------------------------------------------------ keys and pasting

bool TAdCustomTerminal::HasFocus() const { return Focused(); }

void TAdCustomTerminal::KeyDown(uint16_t& Key, TShiftState Shift)
{
  if (FLButtonDown && Key == VK_ESCAPE) {
    CancelMouse();
    Key = 0;
    return;
  }
  if (FHaveSelection && (Shift & (ssShift | ssAlt | ssCtrl)) == ssCtrl && (Key == VK_C || Key == VK_INSERT)) {
    CopyToClipboard();
    Key = 0;
    return;
  }
  if (Key == VK_SHIFT || Key == VK_CONTROL || Key == VK_MENU) {
    TSioBaseWinControl::KeyDown(Key, Shift);
    return;
  }
  uint16_t Code = Key;
  // Keys of the number pad keep their own codes whatever Num Lock says.
  if (KeyFromKeypad()) {
    static const std::pair<uint16_t, uint16_t> PadCodes[] = {
        {VK_CLEAR, VK_NUMPAD5}, {VK_PRIOR, VK_NUMPAD9},  {VK_NEXT, VK_NUMPAD3},   {VK_END, VK_NUMPAD1},
        {VK_HOME, VK_NUMPAD7},  {VK_LEFT, VK_NUMPAD4},   {VK_UP, VK_NUMPAD8},     {VK_RIGHT, VK_NUMPAD6},
        {VK_DOWN, VK_NUMPAD2},  {VK_INSERT, VK_NUMPAD0}, {VK_DELETE, VK_DECIMAL}, {VK_RETURN, VK_EXECUTE},
    };
    for (const auto& [From, To] : PadCodes)
      if (Code == From)
        Code = To;
  }
  if (KeyIsRepeat())
    Code |= 0x8000;
  FEmulator->KeyDown(Code, Shift);
  if (Code == 0) {
    Key = 0;
    return;
  }
  if (!FWantAllKeys)
    FEmulator->KeyDown(Key, Shift);
  TSioBaseWinControl::KeyDown(Key, Shift);
}

void TAdCustomTerminal::KeyPress(char16_t& Key)
{
  TSioBaseWinControl::KeyPress(Key);
  if (Key == 0)
    return;
  FEmulator->KeyPress(Key);
  if (!FUseLazyDisplay && FEmulator->NeedsUpdate())
    ImmediatePaint();
}

uint32_t TAdCustomTerminal::WMGetDlgCode()
{
  if (FWantAllKeys)
    return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS | 0x0008 /* has selection */;
  return TSioBaseWinControl::WMGetDlgCode();
}

void TAdCustomTerminal::PasteFromClipboard()
{
  if (!ClipboardHasText())
    return;
  const AnsiString Text = ToAnsi(ClipboardAsText());
  if (FPasteToScreen && FPasteToPort && FComPort) {
    for (char Ch : Text) {
      WriteChar(Ch);
      FComPort->PutChar(Ch);
    }
    return;
  }
  if (FPasteToScreen)
    WriteString(Text);
  if (FPasteToPort && FComPort)
    FComPort->PutString(Text);
}

// ------------------------------------------------------------ TSioTerminal

TSioTerminal::TSioTerminal(TComponent* AOwner) : TAdCustomTerminal(AOwner) {}

TSioTerminal::~TSioTerminal() = default;

String TSioTerminal::ClassName() const { return QStringLiteral("TSioTerminal"); }
