#pragma once
// Window messages between threads: the stand-in for the message queue the
// serial library and the application's waiting loops are built on.
//
// A message window is a handle (an integer, never 0, whose low 16 bits are
// never 0) with a handler; it belongs to the thread that allocated it.
// PostMessage queues a message for that thread; SendMessage calls the handler
// directly on the same thread and otherwise waits until the owner thread has
// handled it. Every thread has its own queue, created on first use.
//
// The owner thread handles its messages whenever it pumps:
//  - PumpOneMessage: at most one posted message (the SafeYield step);
//  - TApplication::ProcessMessages: everything pending, once;
//  - WaitMessageOrTimeout: blocks, without using the processor, until
//    something arrives;
//  - Qt's own event loop (Application->Run, modal dialogs): this layer posts a
//    Qt event to the thread whenever its queue gets a message, and the loop
//    handles the queue then.
// Messages sent from other threads (SendMessage, SendMessageTimeout) and, on
// the main thread, Synchronize requests are served at the start of every pump
// and while the thread itself waits in a SendMessage to another thread; they
// do not count as "the one message" of PumpOneMessage.
//
// Qt has no one-message pump. PumpOneMessage therefore takes a message of
// this layer's queue first, then the quit message, and only when both are
// absent runs one pass of Qt's processEvents and counts it as one message
// (code QtEventsPumped) when it handled anything.
//
// An exception that escapes a message handler does not reach the pump's
// caller: it goes to the application's exception handler, as an exception in
// a window procedure would (HandleApplicationException).
#include "platform/Clock.h"
#include "rtl/Types.h"

#include <cstdint>
#include <functional>

using HWND = uint32_t;
using TWndMethod = std::function<intptr_t(uint32_t Msg, uintptr_t WParam, intptr_t LParam)>;

constexpr uint32_t WM_NULL = 0x0000;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_TIMER = 0x0113;
constexpr uint32_t WM_USER = 0x0400;
constexpr uint32_t WM_APP = 0x8000;

// PumpOneMessage's code for a pass of Qt's event processing that handled
// something: window 0, and a message number no window message has.
constexpr uint32_t QtEventsPumped = 0xFFFF;

// Registered names: a number unique to Name within the process, from
// 0xC000 to 0xFFFE, the same for every registration of the same name
// (compared without case). Window messages and clipboard formats share the
// numbering, as the platform's names do. 0 for an empty name or when the
// range is used up. Any thread may call them.
uint32_t RegisterWindowMessage(const String& Name);
uint32_t RegisterClipboardFormat(const String& Name);
// The name a registered number stands for; empty when it stands for none.
String RegisteredName(uint32_t Number);

// A hidden window owned by the calling thread.
HWND AllocateHWnd(TWndMethod Handler);
// Messages still queued for the window are dropped; senders waiting for it
// get 0 (SendMessageTimeout: false).
void DeallocateHWnd(HWND Wnd);
// Whether Wnd names a live window.
bool IsWindow(HWND Wnd);

// The owner of a message window: the handle lives as long as the object.
class TMessageWindow {
public:
  explicit TMessageWindow(TWndMethod Handler);
  ~TMessageWindow();
  TMessageWindow(const TMessageWindow&) = delete;
  TMessageWindow& operator=(const TMessageWindow&) = delete;
  HWND Handle() const { return FHandle; }

private:
  HWND FHandle;
};

// False for an unknown window or one whose thread has ended.
bool PostMessage(HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam);
// The handler's result; 0 for an unknown window.
intptr_t SendMessage(HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam);
// As SendMessage, but a sender on another thread gives up after Timeout ms
// and then returns false. A message given up before the owner took it is
// withdrawn, so it is never handled late; the owner thread may itself be
// blocked waiting for the sender without a deadlock. False also for an
// unknown window, one freed before answering or one whose thread ends before
// answering. *Result is written only when the handler answered.
bool SendMessageTimeout(HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam, uint32_t Timeout, intptr_t* Result);

// Asks the calling thread's message loop to end: the quit message is taken
// only once no other message is queued.
void PostQuitMessage(int32_t ExitCode);
void PostQuitMessageToMainThread(int32_t ExitCode);

// One pump step of the calling thread (SafeYield): removes and handles at
// most one message and returns (low word of its window << 16) | low word of
// its number; 0 when nothing was pending. The quit message is not handled
// and yields WM_QUIT (18); it stays queued, unless RemoveQuit is set (for the
// message loop that ends on it).
//
// A wait that keeps the thread responsive:
//   while (!Expired()) {
//     const uint32_t R = PumpOneMessage();
//     if (R == WM_QUIT) break;
//     if (R == 0) WaitMessageOrTimeout(MsLeft());
//   }
uint32_t PumpOneMessage(bool RemoveQuit = false);

// Blocks the calling thread until a message of this layer, a quit message, a
// Qt event, a cross-thread send or (main thread) a Synchronize request
// arrives, or Timeout ms have passed (INFINITE: no limit). Sends and
// Synchronize requests are served here; Qt events that arrive are handled
// (Qt cannot wait without handling them); posted messages are left for the
// caller's pump. Returns false on time-out.
bool WaitMessageOrTimeout(uint32_t Timeout);

// Handles every message pending on entry (not those posted meanwhile), then
// one pass of Qt's event processing. Returns whether a quit message is
// pending; it is left queued.
bool ProcessPendingMessages();

// Whether a pump of the calling thread would find anything to serve now: a
// message of this layer, a quit, a send or (main thread) a synchronised or
// handed-over call waiting, or Qt's events not looked at (by a pump or by
// Qt's own loop) for longer than the pumps' interval of a millisecond. Cheap:
// no system call. Work that pumps now and then to stay responsive asks
// first and skips a pump that would find nothing.
bool MessagesWaiting();
// Sets how long Qt's events may go unlooked-at before a pump looks
// (MessagesWaiting, ProcessPendingMessages); negative restores the
// millisecond.
void SetQtPassIntervalForTests(int64_t Microseconds);

// Makes Qt's event loop of the calling thread handle this layer's queue.
// Every pump does this on its way; a thread that enters Qt's loop without
// having pumped first calls it (Application->Run does).
void AttachQueueToQtLoop();

// Blocks the calling thread until Ready() holds, serving cross-thread sends
// and (main thread) Synchronize requests meanwhile, but no posted message and
// no Qt event. Ready is evaluated under the thread's queue lock and must be
// cheap; whoever makes it true from another thread calls WakeMainThread
// (the only thread that waits this way is the main thread).
void WaitServingSends(const std::function<bool()>& Ready);
// Wakes the main thread's pumps and waits to look at their conditions again.
void WakeMainThread();
