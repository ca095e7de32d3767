// Line settings, flow control and modem status of TSioBaseDispatcher. Every
// change edits the cached device block and writes it back through
// SetCommStateFix, which keeps the requested DTR and RTS levels.
#include "serial/SioBaseDispatcher.h"

#include "platform/SerialDevice.h"
#include "serial/SectionLock.h"
#include "serial/SioErrors.h"

#include <algorithm>

namespace {

constexpr uint32_t DrainPollMs = 2;
constexpr int32_t DrainPolls = 5000;
constexpr int32_t EscSetRts = 3;
constexpr int32_t EscClrRts = 4;
constexpr int32_t EscSetDtr = 5;
constexpr int32_t EscClrDtr = 6;
constexpr int32_t EscSetBreak = 8;
constexpr int32_t EscClrBreak = 9;

constexpr uint8_t MsDeltaCts = 0x01;
constexpr uint8_t MsDeltaDsr = 0x02;
constexpr uint8_t MsTrailingRi = 0x04;
constexpr uint8_t MsDeltaDcd = 0x08;
constexpr uint8_t MsCts = 0x10;
constexpr uint8_t MsDsr = 0x20;
constexpr uint8_t MsRi = 0x40;
constexpr uint8_t MsDcd = 0x80;

bool IsDtrHandshake(uint32_t Flags) { return (Flags & LineFlag::DtrControlMask) == LineFlag::DtrHandshake; }
bool IsRtsHandshake(uint32_t Flags) { return (Flags & LineFlag::RtsControlMask) == LineFlag::RtsHandshake; }

} // namespace

int32_t TSioBaseDispatcher::ActualBaud(int32_t BaudCode)
{
  static const int32_t Legacy[] = {110, 300, 600, 1200,  2400, 4800, 9600, 14400,  19200, -1, -1, 38400,
                                   -1,  -1,  -1,  56000, -1,   -1,   -1,   128000, -1,    -1, -1, 256000};
  if (BaudCode == 0xFEFF)
    return 115200;
  if (BaudCode >= 0xFF10 && BaudCode <= 0xFF27) {
    const int32_t Rate = Legacy[BaudCode - 0xFF10];
    return Rate > 0 ? Rate : BaudCode;
  }
  return BaudCode;
}

int32_t TSioBaseDispatcher::RefusedLineCode(const TDCB& Current, const TDCB& Asked)
{
  if (Asked.BaudRate == 0 || Asked.BaudRate != Current.BaudRate)
    return ecBaudRate;
  if (Asked.ByteSize < 5 || Asked.ByteSize > 8 || Asked.ByteSize != Current.ByteSize)
    return ecByteSize;
  return ecDefault;
}

// ------------------------------------------------------------ the line

int32_t TSioBaseDispatcher::SetLine(int32_t Baud, uint32_t Parity, TDatabits DataBits, TStopbits StopBits)
{
  if (Baud < 0 || Parity > 5 || DataBits < 5 || DataBits > 9 || StopBits > 3)
    return ecBadArgument;
  TDCB Want;
  {
    TSectionLock L(*DataSection);
    TDCB Cur;
    if (GetComState(Cur) < 0)
      return ecCommNotOpen;
    Want = Cur;
    Want.Flags = (Cur.Flags | LineFlag::Binary | LineFlag::TxContinueOnXoff) &
                 ~(LineFlag::ParityCheck | LineFlag::DsrSensitivity | LineFlag::Null);
    if (Baud != 0)
      Want.BaudRate = static_cast<uint32_t>(Baud);
    if (Parity != 5)
      Want.Parity = static_cast<uint8_t>(Parity);
    if (DataBits != 9)
      Want.ByteSize = static_cast<uint8_t>(DataBits);
    if (StopBits != 3)
      Want.StopBits = StopBits <= 1 ? 0 : 2;
    // A UART's second stop bit is one and a half bits long at 5 data bits.
    if (Want.ByteSize == 5)
      Want.StopBits = 1;
    if (Want.BaudRate == Cur.BaudRate && Want.Parity == Cur.Parity && Want.ByteSize == Cur.ByteSize &&
        Want.StopBits == Cur.StopBits && Want.Flags == Cur.Flags)
      return ecOK;
  }
  WaitTxSent();
  TSectionLock L(*DataSection);
  if (GetComState(DCB) < 0)
    return ecCommNotOpen;
  DCB.BaudRate = Want.BaudRate;
  DCB.Parity = Want.Parity;
  DCB.ByteSize = Want.ByteSize;
  DCB.StopBits = Want.StopBits;
  DCB.Flags = (DCB.Flags | LineFlag::Binary | LineFlag::TxContinueOnXoff) &
              ~(LineFlag::ParityCheck | LineFlag::DsrSensitivity | LineFlag::Null);
  return SetCommStateFix(DCB);
}

int32_t TSioBaseDispatcher::ChangeBaud(int32_t NewBaud) { return SetLine(NewBaud, 5, 9, 3); }

int32_t TSioBaseDispatcher::GetLine(int32_t& Baud, uint16_t& Parity, TDatabits& DataBits, TStopbits& StopBits)
{
  TSectionLock L(*DataSection);
  const int32_t Result = GetComState(DCB);
  if (Result < 0)
    return ecCommNotOpen;
  Baud = ActualBaud(static_cast<int32_t>(DCB.BaudRate));
  Parity = DCB.Parity;
  DataBits = DCB.ByteSize;
  StopBits = DCB.StopBits != 0 ? 2 : 1;
  return ecOK;
}

void TSioBaseDispatcher::WaitTxSent()
{
  for (int32_t I = 0; I < DrainPolls && OutBuffUsed() > 0; ++I)
    SleepMilliseconds(DrainPollMs);
  TDCB Now;
  {
    TSectionLock L(*DataSection);
    if (GetComState(Now) < 0)
      return;
  }
  const int32_t Rate = ActualBaud(static_cast<int32_t>(Now.BaudRate));
  if (Rate <= 0)
    return;
  // The UART's own buffer still holds up to 18 characters.
  uint32_t BitsPerChar = uint32_t(Now.ByteSize) + 2;
  if (Now.Parity != 0)
    ++BitsPerChar;
  if (Now.StopBits != 0)
    ++BitsPerChar;
  uint64_t Delay = uint64_t(10000000 / Rate) * BitsPerChar * 18; // 100 ns units
  if (Delay < 10000)
    Delay *= 2;
  SleepMilliseconds(static_cast<uint32_t>(Delay / 10000 + (Delay % 10000 ? 1 : 0)));
}

int32_t TSioBaseDispatcher::SetCommStateFix(TDCB& ADCB)
{
  TSectionLock L(*DataSection);
  if (!DTRAuto) {
    ADCB.Flags &= ~LineFlag::DtrControlMask;
    if (DTRState)
      ADCB.Flags |= LineFlag::DtrEnable;
  }
  if (!RTSAuto) {
    ADCB.Flags &= ~LineFlag::RtsControlMask;
    if (RTSState)
      ADCB.Flags |= LineFlag::RtsEnable;
  }
  const int32_t Result = SetComState(ADCB);
  if (Result >= 0)
    LastBaud = static_cast<int32_t>(ADCB.BaudRate);
  SetDtr(DTRState);
  if (!RS485Mode)
    SetRts(RTSState);
  return Result;
}

int32_t TSioBaseDispatcher::SetDtr(bool OnOff)
{
  TSectionLock L(*DataSection);
  if (DTRAuto)
    return 1;
  if (EscapeComFunction(OnOff ? EscSetDtr : EscClrDtr) < 0)
    return ecBadArgument;
  DTRState = OnOff;
  return ecOK;
}

int32_t TSioBaseDispatcher::SetRts(bool OnOff)
{
  TSectionLock L(*DataSection);
  if (RTSAuto)
    return 1;
  if (EscapeComFunction(OnOff ? EscSetRts : EscClrRts) < 0)
    return ecBadArgument;
  RTSState = OnOff;
  return ecOK;
}

int32_t TSioBaseDispatcher::SetModem(bool DTR, bool RTS)
{
  const int32_t Result = SetDtr(DTR);
  if (Result != 0)
    return Result;
  return SetRts(RTS);
}

// ------------------------------------------------------------ modem status

uint8_t TSioBaseDispatcher::GetModemStatusPrim(uint8_t ClearMask)
{
  uint32_t Lines = 0;
  bool Read = true;
  // Asked on every pass of the dispatch thread: a device without modem
  // lines says so once and is not asked again while it stays open. Its
  // lines read as all low.
  if (!ModemStatusUnsupported) {
    const int32_t R = GetModemStatusWord(Lines);
    if (R == -static_cast<int32_t>(SysErr::NotSupported)) {
      ModemStatusUnsupported = true;
      Lines = 0;
    } else {
      Read = R >= 0;
    }
  }
  TSectionLock L(*DataSection);
  // A failed read keeps the lines last seen rather than reporting them all low.
  uint8_t Status = static_cast<uint8_t>((Read ? (Lines & 0xF0) : (ModemStatus & 0xF0)) | (ModemStatus & 0x0F));
  if (RingFlag.exchange(false))
    Status |= MsTrailingRi;
  ModemStatus = Status & ClearMask;
  return Status;
}

uint8_t TSioBaseDispatcher::GetModemStatus() { return GetModemStatusPrim(0xF0); }

uint8_t TSioBaseDispatcher::ModemStatusValue() const
{
  TSectionLock L(*DataSection);
  return ModemStatus;
}

bool TSioBaseDispatcher::CheckCTS() { return (GetModemStatusPrim(uint8_t(~MsDeltaCts)) & MsCts) != 0; }
bool TSioBaseDispatcher::CheckDSR() { return (GetModemStatusPrim(uint8_t(~MsDeltaDsr)) & MsDsr) != 0; }
bool TSioBaseDispatcher::CheckRI() { return (GetModemStatusPrim(uint8_t(~MsTrailingRi)) & MsRi) != 0; }
bool TSioBaseDispatcher::CheckDCD() { return (GetModemStatusPrim(uint8_t(~MsDeltaDcd)) & MsDcd) != 0; }
bool TSioBaseDispatcher::CheckDeltaCTS() { return (GetModemStatusPrim(uint8_t(~MsDeltaCts)) & MsDeltaCts) != 0; }
bool TSioBaseDispatcher::CheckDeltaDSR() { return (GetModemStatusPrim(uint8_t(~MsDeltaDsr)) & MsDeltaDsr) != 0; }
bool TSioBaseDispatcher::CheckDeltaRI() { return (GetModemStatusPrim(uint8_t(~MsTrailingRi)) & MsTrailingRi) != 0; }
bool TSioBaseDispatcher::CheckDeltaDCD() { return (GetModemStatusPrim(uint8_t(~MsDeltaDcd)) & MsDeltaDcd) != 0; }

void TSioBaseDispatcher::MapEventsToMS(uint32_t)
{
  uint8_t Old;
  {
    TSectionLock L(*DataSection);
    Old = ModemStatus;
  }
  const uint8_t New = GetModemStatusPrim(0xFF);
  TSectionLock L(*DataSection);
  ModemStatus |= static_cast<uint8_t>(((New ^ Old) & 0xF0) >> 4);
}

// ------------------------------------------------------------ line errors

void TSioBaseDispatcher::RefreshStatus()
{
  TComStat Stat;
  const int32_t Errors = GetComError(Stat);
  LastError |= static_cast<uint32_t>(Errors) & 0x1F;
  TSectionLock L(*DataSection);
  ComStatus = Stat;
}

int32_t TSioBaseDispatcher::GetLineError()
{
  TSectionLock L(*DataSection);
  const uint32_t E = LastError;
  int32_t Result = 0;
  if (E & LineError::RxOver)
    Result = 1;
  else if (E & LineError::Overrun)
    Result = 2;
  else if (E & LineError::RxParity)
    Result = 3;
  else if (E & LineError::Frame)
    Result = 4;
  else if (E & LineError::Break)
    Result = 9;
  // A break stays pending for CheckLineBreak.
  if (Result != 0)
    LastError &= ~uint32_t(0x0F);
  return Result;
}

bool TSioBaseDispatcher::CheckLineBreak()
{
  TSectionLock L(*DataSection);
  const bool Break = (LastError & LineError::Break) != 0;
  LastError &= ~LineError::Break;
  return Break;
}

// ------------------------------------------------------------ break

void TSioBaseDispatcher::SendBreak(uint32_t Ticks, bool Yield)
{
  // In RS485 mode the transmitter must be on for the break to reach the line.
  if (RS485Mode)
    EscapeComFunction(EscSetRts);
  EscapeComFunction(EscSetBreak);
  DelayTicks(static_cast<int32_t>(std::min<uint32_t>(Ticks, uint32_t(MaxTicks))), Yield ? 1 : 0);
  EscapeComFunction(EscClrBreak);
  if (RS485Mode && OutBuffUsed() == 0)
    EscapeComFunction(EscClrRts);
}

void TSioBaseDispatcher::SetBreak(bool BreakOn)
{
  if (BreakOn) {
    if (RS485Mode)
      EscapeComFunction(EscSetRts);
    EscapeComFunction(EscSetBreak);
  } else {
    EscapeComFunction(EscClrBreak);
    if (RS485Mode && OutBuffUsed() == 0)
      EscapeComFunction(EscClrRts);
  }
}

// ------------------------------------------------------------ flow control

int32_t TSioBaseDispatcher::HWFlowOptions(uint32_t BufferFull, uint32_t BufferResume, uint32_t Options)
{
  if (BufferResume > BufferFull || BufferFull > InQue)
    return ecBadArgument;
  TSectionLock L(*DataSection);
  if (GetComState(DCB) < 0)
    return ecCommNotOpen;
  const bool OldDtrAuto = DTRAuto;
  const bool OldRtsAuto = RTSAuto;
  DCB.Flags &= ~(LineFlag::OutxCtsFlow | LineFlag::OutxDsrFlow | LineFlag::DtrControlMask | LineFlag::RtsControlMask);
  DTRAuto = false;
  RTSAuto = false;
  if (Options & 1) {
    DCB.Flags |= LineFlag::DtrHandshake;
    DTRAuto = true;
  } else if (DTRState) {
    DCB.Flags |= LineFlag::DtrEnable;
  }
  if (Options & 2) {
    DCB.Flags |= LineFlag::RtsHandshake;
    RTSAuto = true;
  } else if (RTSState) {
    DCB.Flags |= LineFlag::RtsEnable;
  }
  if (RS485Mode) {
    // The driver switches the transmitter with RTS while sending.
    DCB.Flags = (DCB.Flags & ~LineFlag::RtsControlMask) | LineFlag::RtsToggle;
    RTSAuto = true;
  }
  DCB.XoffLim = static_cast<uint16_t>(InQue - BufferFull);
  DCB.XonLim = static_cast<uint16_t>(BufferResume);
  if (Options & 4)
    DCB.Flags |= LineFlag::OutxDsrFlow;
  if (Options & 8)
    DCB.Flags |= LineFlag::OutxCtsFlow;
  const int32_t Result = SetCommStateFix(DCB);
  if (Result < 0) {
    // The device kept its old flow control, so DTR and RTS are still ours to set.
    DTRAuto = OldDtrAuto;
    RTSAuto = OldRtsAuto;
  }
  return Result;
}

int32_t TSioBaseDispatcher::HWFlowState()
{
  uint32_t Flags;
  {
    TSectionLock L(*DataSection);
    Flags = DCB.Flags;
  }
  const bool Cts = Flags & LineFlag::OutxCtsFlow;
  const bool Dsr = Flags & LineFlag::OutxDsrFlow;
  const bool Dtr = IsDtrHandshake(Flags);
  const bool Rts = IsRtsHandshake(Flags);
  if (!Cts && !Dsr && !Dtr && !Rts)
    return 1;
  int32_t Result = 2;
  if (Dtr || Rts) {
    RefreshStatus();
    TSectionLock L(*DataSection);
    if (Dsr && ComStatus.DsrHold)
      Result = 3;
    if (Cts && ComStatus.CtsHold)
      Result = 4;
  }
  return Result;
}

int32_t TSioBaseDispatcher::SWFlowEnable(uint32_t BufferFull, uint32_t BufferResume, uint32_t Options)
{
  if (BufferResume > BufferFull || BufferFull > InQue)
    return ecBadArgument;
  TSectionLock L(*DataSection);
  if (GetComState(DCB) < 0)
    return ecCommNotOpen;
  if (Options & 2) {
    DCB.Flags |= LineFlag::InX;
    DCB.XoffLim = static_cast<uint16_t>(InQue - BufferFull);
    DCB.XonLim = static_cast<uint16_t>(BufferResume);
    DCB.XonChar = 17;
    DCB.XoffChar = 19;
  }
  if (Options & 1) {
    DCB.Flags |= LineFlag::OutX;
    DCB.XonChar = 17;
    DCB.XoffChar = 19;
  }
  return SetCommStateFix(DCB);
}

int32_t TSioBaseDispatcher::SWFlowDisable()
{
  TSectionLock L(*DataSection);
  if (GetComState(DCB) < 0)
    return ecCommNotOpen;
  DCB.Flags &= ~(LineFlag::InX | LineFlag::OutX);
  return SetCommStateFix(DCB);
}

int32_t TSioBaseDispatcher::SWFlowState()
{
  uint32_t Flags;
  {
    TSectionLock L(*DataSection);
    Flags = DCB.Flags;
  }
  if (!(Flags & (LineFlag::InX | LineFlag::OutX)))
    return 1;
  RefreshStatus();
  TSectionLock L(*DataSection);
  if (ComStatus.XoffHold && ComStatus.XoffSent)
    return 8;
  if (ComStatus.XoffHold)
    return 6;
  if (ComStatus.XoffSent)
    return 7;
  return 2;
}

int32_t TSioBaseDispatcher::SWFlowChars(char OnChar, char OffChar)
{
  TSectionLock L(*DataSection);
  if (GetComState(DCB) < 0)
    return ecCommNotOpen;
  DCB.XonChar = static_cast<uint8_t>(OnChar);
  DCB.XoffChar = static_cast<uint8_t>(OffChar);
  return SetCommStateFix(DCB);
}

int32_t TSioBaseDispatcher::GetFlowOptions(uint32_t& HWOpts, uint32_t& SWOpts, uint32_t& BufferFull,
                                           uint32_t& BufferResume, char& OnChar, char& OffChar)
{
  HWOpts = 0;
  SWOpts = 0;
  TSectionLock L(*DataSection);
  const int32_t Result = GetComState(DCB);
  if (IsDtrHandshake(DCB.Flags))
    HWOpts |= 1;
  if (IsRtsHandshake(DCB.Flags))
    HWOpts |= 2;
  if (DCB.Flags & LineFlag::OutxDsrFlow)
    HWOpts |= 4;
  if (DCB.Flags & LineFlag::OutxCtsFlow)
    HWOpts |= 8;
  if (DCB.Flags & LineFlag::InX)
    SWOpts |= 2;
  if (DCB.Flags & LineFlag::OutX)
    SWOpts |= 1;
  // The thresholds are reported where a flow control uses them.
  if (HWOpts != 0 || (SWOpts & 2) != 0) {
    BufferFull = InQue > DCB.XoffLim ? InQue - DCB.XoffLim : 0;
    BufferResume = DCB.XonLim;
  }
  OnChar = static_cast<char>(DCB.XonChar);
  OffChar = static_cast<char>(DCB.XoffChar);
  return Result;
}

void TSioBaseDispatcher::SetRS485Mode(bool OnOff)
{
  {
    TSectionLock L(*DataSection);
    RS485Mode = OnOff;
  }
  UpdateThreadPriorities();
}

bool TSioBaseDispatcher::RS485ModeValue() const
{
  TSectionLock L(*DataSection);
  return RS485Mode;
}

void TSioBaseDispatcher::SetBaseAddress(uint16_t Value)
{
  TSectionLock L(*DataSection);
  BaseAddress = Value;
}

uint16_t TSioBaseDispatcher::GetBaseAddress() const
{
  TSectionLock L(*DataSection);
  return BaseAddress;
}

int32_t TSioBaseDispatcher::LastBaudValue() const
{
  TSectionLock L(*DataSection);
  return LastBaud;
}
