#pragma once
// Serial devices: the operating system's COM port services on Linux
// (termios, poll, ioctl), shaped so that a dispatcher written for the
// Windows communication calls maps onto it call for call:
//   CreateFile "\\.\COMn"       -> SerialDevice::Open
//   CloseHandle                 -> SerialDevice::Close (wakes every wait)
//   Get/SetCommState (the DCB)  -> GetState / SetState with SerialLineState
//   SetupComm                   -> SetupQueues
//   ReadFile / WriteFile        -> Read / Write (never block) plus
//                                  WaitReadable / WaitWritable / WriteAll
//   SetCommMask / WaitCommEvent -> SetEventMask / WaitEvent
//   EscapeCommFunction          -> LineFunction (or SetDtr, SetRts, SetBreak)
//   PurgeComm                   -> Purge
//   ClearCommError              -> ClearError
//   GetCommModemStatus          -> GetModemStatus
//   GetDefaultCommConfig        -> SerialPortExists
// Failures are Windows system error numbers (SysErr), returned by every call
// and also kept per thread in SerialLastError(), so a caller tests for
// "invalid handle" (6) just as it would on Windows.
#include "rtl/Types.h"
#include <cstdint>
#include <memory>

namespace SysErr {
constexpr uint32_t Success = 0;
constexpr uint32_t FileNotFound = 2; // no such port, or not a serial device
constexpr uint32_t TooManyOpenFiles = 4;
constexpr uint32_t AccessDenied = 5;  // the port is already open (here or elsewhere)
constexpr uint32_t InvalidHandle = 6; // not open, or closed while the call waited
constexpr uint32_t NotEnoughMemory = 8;
constexpr uint32_t BadCommand = 22;        // the device has gone: unplugged, far side closed
constexpr uint32_t GenFailure = 31;        // any other device failure
constexpr uint32_t NotSupported = 50;      // the device has no such feature (modem lines)
constexpr uint32_t InvalidParameter = 87;  // a setting this platform or device cannot do
constexpr uint32_t OperationAborted = 995; // a wait ended by Purge
constexpr uint32_t Timeout = 1460;         // a wait ran out of time
} // namespace SysErr

// The failure code of the last failing serial call on this thread; calls that
// succeed leave it alone.
uint32_t SerialLastError();
void SetSerialLastError(uint32_t Code);
// A short English text for a system error number.
String SerialErrorText(uint32_t Code);

// Bits of SerialLineState::Flags, at the places the DCB has them.
namespace LineFlag {
constexpr uint32_t Binary = 0x1;      // must be set: no end-of-file character
constexpr uint32_t ParityCheck = 0x2; // check parity of received bytes
constexpr uint32_t OutxCtsFlow = 0x4; // output waits for CTS
constexpr uint32_t OutxDsrFlow = 0x8; // output waits for DSR (refused)
constexpr uint32_t DtrControlMask = 0x30;
constexpr uint32_t DtrEnable = 0x10;      // DTR raised; 0 = lowered
constexpr uint32_t DtrHandshake = 0x20;   // DTR/DSR input flow (refused)
constexpr uint32_t DsrSensitivity = 0x40; // (refused)
constexpr uint32_t TxContinueOnXoff = 0x80;
constexpr uint32_t OutX = 0x100;      // stop sending on XOFF received
constexpr uint32_t InX = 0x200;       // send XOFF/XON as the input fills/empties
constexpr uint32_t ErrorChar = 0x400; // (refused)
constexpr uint32_t Null = 0x800;      // discard null bytes (refused)
constexpr uint32_t RtsControlMask = 0x3000;
constexpr uint32_t RtsEnable = 0x1000;    // RTS raised; 0 = lowered
constexpr uint32_t RtsHandshake = 0x2000; // RTS/CTS flow, together with OutxCtsFlow
constexpr uint32_t RtsToggle = 0x3000;    // RS485: RTS while sending (driver support needed)
constexpr uint32_t AbortOnError = 0x4000; // (refused)
} // namespace LineFlag

// The line settings of a port, field for field a DCB.
struct SerialLineState {
  uint32_t BaudRate = 9600; // any rate > 0 the device accepts
  uint32_t Flags = LineFlag::Binary | LineFlag::DtrEnable | LineFlag::TxContinueOnXoff | LineFlag::RtsEnable;
  uint16_t XonLim = 0; // kept for read-back; the kernel has its own thresholds
  uint16_t XoffLim = 0;
  uint8_t ByteSize = 8; // 5 to 8
  uint8_t Parity = 0;   // 0 none, 1 odd, 2 even, 3 mark, 4 space
  uint8_t StopBits = 0; // 0 one, 1 one and a half (5 data bits only), 2 two
  uint8_t XonChar = 17;
  uint8_t XoffChar = 19;
  uint8_t ErrorChar = 0; // kept for read-back only
  uint8_t EofChar = 0;
  uint8_t EvtChar = 0;
};

// Whether a device could be given these settings at all, before any device
// is asked: false with the reason for anything termios cannot express.
bool CheckLineState(const SerialLineState& State, String* Reason = nullptr);

// Bits of the event mask (SetEventMask, WaitEvent), as the comm events have them.
namespace CommEvent {
constexpr uint32_t RxChar = 0x1;  // bytes arrived
constexpr uint32_t RxFlag = 0x2;  // accepted, never reported
constexpr uint32_t TxEmpty = 0x4; // accepted, never reported
constexpr uint32_t Cts = 0x8;     // modem lines changed: only where the driver
constexpr uint32_t Dsr = 0x10;    //   can wait for line changes (real UARTs,
constexpr uint32_t Rlsd = 0x20;   //   USB adapters; not pseudo-terminals)
constexpr uint32_t Break = 0x40;  // break received (drivers that count line errors)
constexpr uint32_t Err = 0x80;    // framing, parity or overrun error (likewise)
constexpr uint32_t Ring = 0x100;
constexpr uint32_t PErr = 0x200; // accepted, never reported
constexpr uint32_t Rx80Full = 0x400;
constexpr uint32_t Event1 = 0x800;
constexpr uint32_t Event2 = 0x1000;
constexpr uint32_t All = 0x1FFF; // other bits are refused with InvalidParameter
} // namespace CommEvent

// Modem status bits (GetModemStatus), as the Windows modem status has them.
namespace ModemLine {
constexpr uint32_t Cts = 0x10;
constexpr uint32_t Dsr = 0x20;
constexpr uint32_t Ring = 0x40;
constexpr uint32_t Rlsd = 0x80;
} // namespace ModemLine

// Line error bits (ClearError).
namespace LineError {
constexpr uint32_t RxOver = 0x1;  // input buffer overflow
constexpr uint32_t Overrun = 0x2; // hardware overrun
constexpr uint32_t RxParity = 0x4;
constexpr uint32_t Frame = 0x8;
constexpr uint32_t Break = 0x10;
} // namespace LineError

// Purge bits.
namespace PurgeFlag {
constexpr uint32_t TxAbort = 0x1; // end a pending WaitWritable/WriteAll with OperationAborted
constexpr uint32_t RxAbort = 0x2; // end a pending WaitReadable with OperationAborted
constexpr uint32_t TxClear = 0x4; // discard output not yet sent
constexpr uint32_t RxClear = 0x8; // discard input not yet read
} // namespace PurgeFlag

// Line functions, numbered as the escape functions are.
namespace LineFunc {
constexpr uint32_t SetXoff = 1; // act as if XOFF had been received
constexpr uint32_t SetXon = 2;  // act as if XON had been received
constexpr uint32_t SetRts = 3;
constexpr uint32_t ClrRts = 4;
constexpr uint32_t SetDtr = 5;
constexpr uint32_t ClrDtr = 6;
constexpr uint32_t SetBreak = 8;
constexpr uint32_t ClrBreak = 9;
} // namespace LineFunc

// Queue counts and hold states (the COMSTAT of ClearError).
struct SerialStatus {
  bool CtsHold = false;  // output waits for CTS
  bool DsrHold = false;  // never set: DSR flow is refused
  bool RlsdHold = false; // never set
  bool XoffHold = false; // never set: Linux does not tell
  bool XoffSent = false; // never set: Linux does not tell
  uint32_t InQue = 0;    // received bytes not yet read
  uint32_t OutQue = 0;   // bytes the driver has not yet sent
};

// "COM3", "com3", "\\.\COM3" or "\\\\.\\COM3" give 3; anything that is not
// COM<n> with n from 1 to 256 gives 0.
int32_t ParseComPortName(const String& Name);
// The device of COM port Number: $FATHOMIX_COM<Number> when set and not
// empty, else /dev/ttyS<Number-1>.
String ComPortDevicePath(int32_t Number);
// Whether the port's device exists, without opening it (a probe that must
// also list ports held by other programs).
bool SerialPortExists(const String& ComName);

// One open serial device. One reader at a time (reads from several threads
// taking turns under a lock of their own), one writer thread, one
// event-waiting thread and any other caller may use it at the same time;
// Close from any thread ends every wait (they return InvalidHandle).
// Every call returns 0 or a SysErr code.
class SerialDevice {
public:
  SerialDevice();
  ~SerialDevice(); // closes
  SerialDevice(const SerialDevice&) = delete;
  SerialDevice& operator=(const SerialDevice&) = delete;

  // Opens COM port ComName (see ParseComPortName) exclusively, non-blocking,
  // raw, ignoring DCD (CLOCAL), keeping the current rate at 8N1.
  uint32_t Open(const String& ComName);
  // The same for a device path.
  uint32_t OpenPath(const String& Path);
  // Gives the device back the settings it had before Open. Output the
  // driver has not sent yet is dropped, so Close never waits for the line.
  void Close();
  bool IsOpen() const;
  String DevicePath() const;
  // The device vanished (hang-up, read or write I/O error); every call on it
  // now fails with BadCommand until Close.
  bool IsGone() const;
  // A pseudo-terminal: it has no line, so data bits and parity are kept as
  // asked and read back as kept, and there are no modem lines.
  bool IsPseudoTerminal() const;

  // Recorded only: the kernel's tty queues have a fixed size.
  uint32_t SetupQueues(uint32_t InSize, uint32_t OutSize);
  uint32_t GetState(SerialLineState& State);
  // Applies the settings, or changes nothing and fails: InvalidParameter for
  // settings that CheckLineState refuses, that the driver refuses or that it
  // would silently alter (an unsupported rate); LastRefusal() tells why.
  uint32_t SetState(const SerialLineState& State);
  String LastRefusal() const;

  uint32_t LineFunction(uint32_t Function);
  // On a device without modem lines (a pseudo-terminal) there is no line to
  // change and the call succeeds; GetState reports the control modes of the
  // last SetState, as a DCB does after an escape function.
  uint32_t SetDtr(bool On);
  uint32_t SetRts(bool On);
  uint32_t SetBreak(bool On);
  // CTS, DSR, RI, DCD as ModemLine bits. A device without modem lines (a
  // pseudo-terminal) gives NotSupported with all of them low; once it has
  // said so it is not asked again until it is opened anew.
  uint32_t GetModemStatus(uint32_t& Status);
  // Line errors (LineError bits) since the last call, where the driver
  // counts them, and the queue counts.
  uint32_t ClearError(uint32_t& Errors, SerialStatus* Status = nullptr);
  uint32_t Purge(uint32_t Flags);
  uint32_t InQueue(uint32_t& Count);
  uint32_t OutQueue(uint32_t& Count);

  // Takes up to Size received bytes at once; Got 0 when none are waiting.
  uint32_t Read(void* Buf, uint32_t Size, uint32_t& Got);
  // Waits until bytes can be read. TimeoutMs < 0 waits without limit.
  // Timeout, OperationAborted (Purge RxAbort), InvalidHandle (closed),
  // BadCommand (device gone).
  uint32_t WaitReadable(int32_t TimeoutMs);
  // The wait of a reader that has other work besides the device's bytes:
  // until bytes can be read (only when WatchInput; without it the device is
  // watched for a hang-up alone), WakeInputWait is called, or TimeoutMs
  // pass. Success with Readable telling whether bytes wait (false: woken);
  // otherwise as WaitReadable. One thread at a time waits so.
  uint32_t WaitInputOrWake(int32_t TimeoutMs, bool WatchInput, bool& Readable);
  // Ends the pending WaitInputOrWake, or else the next one; any thread, open
  // or not. Wake-ups given before the wait ends count as one.
  void WakeInputWait();
  // Hands up to Size bytes to the driver at once; Sent may be short.
  uint32_t Write(const void* Buf, uint32_t Size, uint32_t& Sent);
  // Waits until the driver takes more bytes; as WaitReadable (Purge TxAbort).
  uint32_t WaitWritable(int32_t TimeoutMs);
  // Writes all Size bytes, waiting for room (the overlapped write): fails as
  // WaitWritable, with Sent telling how many went.
  uint32_t WriteAll(const void* Buf, uint32_t Size, uint32_t& Sent, int32_t TimeoutMs = -1);

  // Sets the events WaitEvent reports (CommEvent bits); ends a pending
  // WaitEvent with success and no events, as a new comm mask does.
  uint32_t SetEventMask(uint32_t Mask);
  uint32_t GetEventMask(uint32_t& Mask);
  // Waits for one of the masked events; they are remembered while nobody
  // waits. An arrival is never lost, but one whose bytes a reader took before
  // this wait looked may be reported twice. Events 0 with success: the mask
  // was changed.
  uint32_t WaitEvent(uint32_t& Events, int32_t TimeoutMs);

  struct Impl; // defined in SerialDevice.cpp

private:
  std::unique_ptr<Impl> d;
};
