#include "platform/Messages.h"

#include "platform/Application.h"
#include "platform/Thread.h"
#include "rtl/Exceptions.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct ThreadQueue;

struct PostedMessage {
  HWND Wnd;
  uint32_t Msg;
  uintptr_t WParam;
  intptr_t LParam;
};

// A SendMessage from another thread. Its outcome fields are guarded by the
// sender's queue lock, since the sender waits on its own queue.
struct SentRequest {
  HWND Wnd;
  uint32_t Msg;
  uintptr_t WParam;
  intptr_t LParam;
  std::shared_ptr<ThreadQueue> Sender;
  bool Done = false;
  bool Handled = false;
  bool Abandoned = false;
  intptr_t Result = 0;
};

// The Qt object that makes Qt's event loop look at a thread's queue.
class QueuePump : public QObject {
public:
  explicit QueuePump(ThreadQueue* Queue) : FQueue(Queue) {}

protected:
  void customEvent(QEvent* Event) override;

private:
  ThreadQueue* FQueue;
};

constexpr int64_t DefaultQtPassIntervalUs = 1000;
std::atomic<int64_t> gQtPassIntervalUs{DefaultQtPassIntervalUs};

std::chrono::microseconds QtPassInterval() { return std::chrono::microseconds(gQtPassIntervalUs.load()); }

struct ThreadQueue {
  std::mutex M;
  std::condition_variable CV;
  std::deque<PostedMessage> Posted;
  std::deque<std::shared_ptr<SentRequest>> Sent;
  bool QuitPending = false;
  int32_t QuitCode = 0;
  bool Alive = true;
  bool IsMain = false;
  // Created and deleted by the owner thread; read by posters under M.
  QueuePump* Pump = nullptr;
  bool PumpPosted = false;
  // Wakers posting to Pump after letting go of M; the pump is not freed
  // before they have done.
  int32_t Posting = 0;
  // Owner thread only: the pumps of this layer running on the stack, and the
  // Qt loop level the innermost one runs at.
  int32_t FrameDepth = 0;
  int32_t FrameLoopLevel = -1;
  // Owner thread only: when Qt's own events were last looked at.
  std::chrono::steady_clock::time_point LastQtPass{};

  bool PendingLocked() const { return !Posted.empty() || !Sent.empty() || QuitPending; }
};

struct WindowRec {
  TWndMethod Handler;
  std::shared_ptr<ThreadQueue> Queue;
};

// Lock order: a queue's lock may be held while the registry's is taken (a
// cross-thread send checks its window there), never the other way round.
struct Registry {
  std::mutex M;
  std::unordered_map<HWND, std::shared_ptr<WindowRec>> Windows;
  HWND Last = 0;
  std::shared_ptr<ThreadQueue> MainQueue;
};

// Never freed: threads that end during program exit still unregister.
Registry& Reg()
{
  static Registry* R = new Registry;
  return *R;
}

void ShutDownQueue(const std::shared_ptr<ThreadQueue>& Q);

struct QueueHolder {
  std::shared_ptr<ThreadQueue> Q;
  ~QueueHolder()
  {
    if (Q)
      ShutDownQueue(Q);
  }
};

thread_local QueueHolder tlsQueue;

std::shared_ptr<ThreadQueue> MainQueue()
{
  Registry& R = Reg();
  std::lock_guard<std::mutex> Lock(R.M);
  if (!R.MainQueue) {
    R.MainQueue = std::make_shared<ThreadQueue>();
    R.MainQueue->IsMain = true;
  }
  return R.MainQueue;
}

const std::shared_ptr<ThreadQueue>& CurrentQueuePtr()
{
  if (!tlsQueue.Q)
    tlsQueue.Q = IsMainThread() ? MainQueue() : std::make_shared<ThreadQueue>();
  return tlsQueue.Q;
}

ThreadQueue& CurrentQueue() { return *CurrentQueuePtr(); }

QEvent::Type PumpEventType()
{
  static const QEvent::Type T = static_cast<QEvent::Type>(QEvent::registerEventType());
  return T;
}

// Called with Q.M held: wakes condition waits and Qt's loop of the owner.
// Posting under the lock keeps the pump object alive while it is posted to;
// Qt never calls back into this layer while it holds its own lock.
void WakeLocked(ThreadQueue& Q)
{
  Q.CV.notify_all();
  if (Q.Pump && !Q.PumpPosted) {
    Q.PumpPosted = true;
    QCoreApplication::postEvent(Q.Pump, new QEvent(PumpEventType()));
  }
}

// The same, taking M itself and posting to Qt after letting go of it: the
// owner, woken by the post, must not find M still held and wait for it.
void WakeUnlocked(ThreadQueue& Q)
{
  QueuePump* Pump = nullptr;
  {
    std::lock_guard<std::mutex> Lock(Q.M);
    Q.CV.notify_all();
    if (Q.Pump && !Q.PumpPosted) {
      Q.PumpPosted = true;
      Pump = Q.Pump;
      ++Q.Posting;
    }
  }
  if (!Pump)
    return;
  QCoreApplication::postEvent(Pump, new QEvent(PumpEventType()));
  std::lock_guard<std::mutex> Lock(Q.M);
  if (--Q.Posting == 0)
    Q.CV.notify_all();
}

intptr_t CallHandler(const WindowRec& Rec, uint32_t Msg, uintptr_t WParam, intptr_t LParam)
{
  try {
    return Rec.Handler(Msg, WParam, LParam);
  } catch (const std::exception& E) {
    HandleApplicationException(E);
  } catch (...) {
    HandleApplicationException(Exception(QStringLiteral("Unknown exception in a message handler")));
  }
  return 0;
}

std::shared_ptr<WindowRec> FindWindow(HWND Wnd)
{
  Registry& R = Reg();
  std::lock_guard<std::mutex> Lock(R.M);
  const auto It = R.Windows.find(Wnd);
  return It == R.Windows.end() ? nullptr : It->second;
}

void CompleteRequest(const std::shared_ptr<SentRequest>& Req, bool Handled, intptr_t Result)
{
  std::lock_guard<std::mutex> Lock(Req->Sender->M);
  if (!Req->Abandoned) {
    Req->Handled = Handled;
    Req->Result = Result;
  }
  Req->Done = true;
  Req->Sender->CV.notify_all();
}

// Serves the sends waiting for this thread; returns whether any ran.
bool ServeSentMessages(ThreadQueue& Q)
{
  bool Any = false;
  for (;;) {
    std::shared_ptr<SentRequest> Req;
    {
      std::lock_guard<std::mutex> Lock(Q.M);
      if (Q.Sent.empty())
        break;
      Req = std::move(Q.Sent.front());
      Q.Sent.pop_front();
    }
    Any = true;
    const auto Rec = FindWindow(Req->Wnd);
    if (Rec && Rec->Queue.get() == &Q)
      CompleteRequest(Req, true, CallHandler(*Rec, Req->Msg, Req->WParam, Req->LParam));
    else
      CompleteRequest(Req, false, 0);
  }
  return Any;
}

bool ServeIncoming(ThreadQueue& Q)
{
  bool Any = ServeSentMessages(Q);
  if (Q.IsMain && IsMainThread())
    Any = CheckSynchronize() || Any;
  return Any;
}

// Takes the next posted message of a live window of this thread.
bool TakePosted(ThreadQueue& Q, PostedMessage& Out, std::shared_ptr<WindowRec>& Rec)
{
  for (;;) {
    {
      std::lock_guard<std::mutex> Lock(Q.M);
      if (Q.Posted.empty())
        return false;
      Out = Q.Posted.front();
      Q.Posted.pop_front();
    }
    Rec = FindWindow(Out.Wnd);
    // A message for a window freed after posting is dropped, as its window
    // is gone.
    if (Rec && Rec->Queue.get() == &Q)
      return true;
  }
}

// Handles the messages posted before the call; those their handlers post
// wait for the next pump, so a handler that posts to itself cannot keep the
// thread here for ever.
void HandlePostedOnEntry(ThreadQueue& Q)
{
  size_t Count;
  {
    std::lock_guard<std::mutex> Lock(Q.M);
    Count = Q.Posted.size();
  }
  PostedMessage M;
  std::shared_ptr<WindowRec> Rec;
  while (Count-- > 0 && TakePosted(Q, M, Rec))
    CallHandler(*Rec, M.Msg, M.WParam, M.LParam);
}

uint32_t MessageCode(const PostedMessage& M) { return ((M.Wnd & 0xFFFFu) << 16) | (M.Msg & 0xFFFFu); }

void ExitQtLoop(int32_t Code)
{
  if (IsMainThread() && QCoreApplication::instance())
    QCoreApplication::exit(Code);
  else
    QThread::currentThread()->exit(Code);
}

// Handles the queue from inside Qt's event loop (the pump event), when no
// pump of this layer is running directly below.
void DrainQueue(ThreadQueue& Q)
{
  // Qt's loop is in the middle of a pass over its events: a pump that
  // follows soon need not make one of its own.
  Q.LastQtPass = std::chrono::steady_clock::now();
  ServeIncoming(Q);
  HandlePostedOnEntry(Q);

  // The quit message ends Qt's loop only at the outermost level: inside a
  // wait of this layer it must stay queued for that wait to see.
  if (Q.FrameDepth == 0 && QThread::currentThread()->loopLevel() > 0) {
    int32_t Code = 0;
    bool Quit = false;
    {
      std::lock_guard<std::mutex> Lock(Q.M);
      if (Q.QuitPending && Q.Posted.empty()) {
        Quit = true;
        Code = Q.QuitCode;
        Q.QuitPending = false;
      }
    }
    if (Quit)
      ExitQtLoop(Code);
  }
}

void QueuePump::customEvent(QEvent* Event)
{
  if (Event->type() != PumpEventType())
    return;
  ThreadQueue& Q = *FQueue;
  {
    std::lock_guard<std::mutex> Lock(Q.M);
    Q.PumpPosted = false;
  }
  // Delivered by the processEvents pass of a pump of this layer: that pump
  // takes the messages itself, one at a time, and posts again on its way out
  // if anything is left. In a loop nested deeper (a modal dialog inside a
  // wait) nobody else would, so the queue is handled here.
  if (Q.FrameDepth > 0 && QThread::currentThread()->loopLevel() == Q.FrameLoopLevel)
    return;
  DrainQueue(Q);
}

// Creates the pump once the thread has a Qt event dispatcher (the main
// thread gets one with the application object).
void EnsurePump(ThreadQueue& Q)
{
  if (Q.Pump || !QAbstractEventDispatcher::instance())
    return;
  auto* Pump = new QueuePump(&Q);
  std::lock_guard<std::mutex> Lock(Q.M);
  Q.Pump = Pump;
  if (Q.PendingLocked())
    WakeLocked(Q);
}

void ShutDownQueue(const std::shared_ptr<ThreadQueue>& Q)
{
  std::deque<std::shared_ptr<SentRequest>> Sent;
  QueuePump* Pump;
  {
    std::lock_guard<std::mutex> Lock(Q->M);
    Q->Alive = false;
    Sent.swap(Q->Sent);
    Q->Posted.clear();
    Pump = Q->Pump;
    Q->Pump = nullptr;
  }
  {
    std::unique_lock<std::mutex> Lock(Q->M);
    Q->CV.wait(Lock, [&] { return Q->Posting == 0; });
  }
  // Senders blocked on this thread get their answer: there will be none.
  for (const auto& Req : Sent)
    CompleteRequest(Req, false, 0);
  {
    Registry& R = Reg();
    std::lock_guard<std::mutex> Lock(R.M);
    for (auto It = R.Windows.begin(); It != R.Windows.end();)
      It = It->second->Queue == Q ? R.Windows.erase(It) : std::next(It);
  }
  delete Pump;
}

// A pump of this layer on the stack of the owner thread.
class PumpFrame {
public:
  explicit PumpFrame(ThreadQueue& Q) : FQ(Q), FSavedLevel(Q.FrameLoopLevel)
  {
    EnsurePump(Q);
    Q.FrameLoopLevel = Q.Pump ? QThread::currentThread()->loopLevel() : 0;
    ++Q.FrameDepth;
  }
  ~PumpFrame()
  {
    --FQ.FrameDepth;
    FQ.FrameLoopLevel = FSavedLevel;
    // A pump event this frame swallowed must not leave Qt's loop unaware of
    // messages still queued.
    std::lock_guard<std::mutex> Lock(FQ.M);
    if (FQ.PendingLocked())
      WakeLocked(FQ);
  }
  PumpFrame(const PumpFrame&) = delete;
  PumpFrame& operator=(const PumpFrame&) = delete;

private:
  ThreadQueue& FQ;
  int32_t FSavedLevel;
};

bool SendCrossThread(const std::shared_ptr<WindowRec>& Rec, HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam,
                     uint32_t Timeout, intptr_t* Result)
{
  const std::shared_ptr<ThreadQueue>& Me = CurrentQueuePtr();
  auto Req = std::make_shared<SentRequest>();
  Req->Wnd = Wnd;
  Req->Msg = Msg;
  Req->WParam = WParam;
  Req->LParam = LParam;
  Req->Sender = Me;
  ThreadQueue& Owner = *Rec->Queue;
  {
    std::lock_guard<std::mutex> Lock(Owner.M);
    // Asked again under the owner's lock: DeallocateHWnd unregisters the
    // window before it sweeps this queue, so a request for a window freed
    // since FindWindow is either refused here or found by that sweep.
    if (!Owner.Alive || !IsWindow(Wnd))
      return false;
    Owner.Sent.push_back(Req);
    WakeLocked(Owner);
  }

  const bool Forever = Timeout == INFINITE;
  const auto Deadline = Clock::now() + std::chrono::milliseconds(Forever ? 0 : Timeout);
  for (;;) {
    // The owner may be waiting for this thread in turn: serving what comes
    // in meanwhile is what keeps two threads that send to each other going.
    ServeIncoming(*Me);
    std::unique_lock<std::mutex> Lock(Me->M);
    const auto Ready = [&] { return Req->Done || !Me->Sent.empty() || (Me->IsMain && SynchronizePending()); };
    bool Woken = true;
    if (Forever)
      Me->CV.wait(Lock, Ready);
    else
      Woken = Me->CV.wait_until(Lock, Deadline, Ready);
    if (Req->Done) {
      if (Result && Req->Handled)
        *Result = Req->Result;
      return Req->Handled;
    }
    if (Woken)
      continue;

    // Timed out: withdraw the message if the owner has not taken it yet.
    Lock.unlock();
    {
      std::lock_guard<std::mutex> OwnerLock(Owner.M);
      const auto It = std::find(Owner.Sent.begin(), Owner.Sent.end(), Req);
      if (It != Owner.Sent.end()) {
        Owner.Sent.erase(It);
        return false;
      }
    }
    Lock.lock();
    if (Req->Done) {
      if (Result && Req->Handled)
        *Result = Req->Result;
      return Req->Handled;
    }
    Req->Abandoned = true;
    return false;
  }
}

bool DoSend(HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam, uint32_t Timeout, intptr_t* Result)
{
  const auto Rec = FindWindow(Wnd);
  if (!Rec)
    return false;
  if (Rec->Queue == CurrentQueuePtr()) {
    const intptr_t R = CallHandler(*Rec, Msg, WParam, LParam);
    if (Result)
      *Result = R;
    return true;
  }
  return SendCrossThread(Rec, Wnd, Msg, WParam, LParam, Timeout, Result);
}

void SetQuit(ThreadQueue& Q, int32_t ExitCode)
{
  std::lock_guard<std::mutex> Lock(Q.M);
  if (!Q.Alive)
    return;
  Q.QuitPending = true;
  Q.QuitCode = ExitCode;
  WakeLocked(Q);
}

} // namespace

// --------------------------------------------------------------- windows

HWND AllocateHWnd(TWndMethod Handler)
{
  ThreadQueue& Q = CurrentQueue();
  EnsurePump(Q);
  auto Rec = std::make_shared<WindowRec>();
  Rec->Handler = std::move(Handler);
  Rec->Queue = CurrentQueuePtr();
  Registry& R = Reg();
  std::lock_guard<std::mutex> Lock(R.M);
  // Handles are not reused soon, so a message for a freed window cannot
  // reach a new one; a zero low word would make a pump code look empty.
  HWND H = R.Last;
  do {
    ++H;
  } while ((H & 0xFFFFu) == 0 || R.Windows.count(H));
  R.Last = H;
  R.Windows.emplace(H, std::move(Rec));
  return H;
}

void DeallocateHWnd(HWND Wnd)
{
  std::shared_ptr<WindowRec> Rec;
  {
    Registry& R = Reg();
    std::lock_guard<std::mutex> Lock(R.M);
    const auto It = R.Windows.find(Wnd);
    if (It == R.Windows.end())
      return;
    Rec = std::move(It->second);
    R.Windows.erase(It);
  }
  // A sender blocked on the window gets its answer now: the owner may free
  // a window and then wait without pumping (for a worker that is itself
  // sending to that window), and the sender must not wait for a pump that
  // would only tell it the window is gone.
  std::deque<std::shared_ptr<SentRequest>> Orphans;
  {
    ThreadQueue& Q = *Rec->Queue;
    std::lock_guard<std::mutex> Lock(Q.M);
    for (auto It = Q.Sent.begin(); It != Q.Sent.end();) {
      if ((*It)->Wnd == Wnd) {
        Orphans.push_back(std::move(*It));
        It = Q.Sent.erase(It);
      } else {
        ++It;
      }
    }
  }
  for (const auto& Req : Orphans)
    CompleteRequest(Req, false, 0);
}

bool IsWindow(HWND Wnd) { return FindWindow(Wnd) != nullptr; }

TMessageWindow::TMessageWindow(TWndMethod Handler) : FHandle(AllocateHWnd(std::move(Handler))) {}

TMessageWindow::~TMessageWindow() { DeallocateHWnd(FHandle); }

// -------------------------------------------------------------- messages

bool PostMessage(HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam)
{
  const auto Rec = FindWindow(Wnd);
  if (!Rec)
    return false;
  ThreadQueue& Q = *Rec->Queue;
  std::lock_guard<std::mutex> Lock(Q.M);
  if (!Q.Alive)
    return false;
  Q.Posted.push_back({Wnd, Msg, WParam, LParam});
  WakeLocked(Q);
  return true;
}

intptr_t SendMessage(HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam)
{
  intptr_t Result = 0;
  if (!DoSend(Wnd, Msg, WParam, LParam, INFINITE, &Result))
    return 0;
  return Result;
}

bool SendMessageTimeout(HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam, uint32_t Timeout, intptr_t* Result)
{
  return DoSend(Wnd, Msg, WParam, LParam, Timeout, Result);
}

void PostQuitMessage(int32_t ExitCode) { SetQuit(CurrentQueue(), ExitCode); }

void PostQuitMessageToMainThread(int32_t ExitCode) { SetQuit(*MainQueue(), ExitCode); }

// ----------------------------------------------------------------- pumps

uint32_t PumpOneMessage(bool RemoveQuit)
{
  ThreadQueue& Q = CurrentQueue();
  PumpFrame Frame(Q);
  ServeIncoming(Q);

  PostedMessage M;
  std::shared_ptr<WindowRec> Rec;
  if (TakePosted(Q, M, Rec)) {
    CallHandler(*Rec, M.Msg, M.WParam, M.LParam);
    return MessageCode(M);
  }
  {
    std::lock_guard<std::mutex> Lock(Q.M);
    if (Q.QuitPending) {
      if (RemoveQuit)
        Q.QuitPending = false;
      return WM_QUIT;
    }
  }
  if (QAbstractEventDispatcher* D = QAbstractEventDispatcher::instance())
    if (D->processEvents(QEventLoop::AllEvents))
      return QtEventsPumped;
  return 0;
}

bool WaitMessageOrTimeout(uint32_t Timeout)
{
  ThreadQueue& Q = CurrentQueue();
  PumpFrame Frame(Q);
  const bool Forever = Timeout == INFINITE;
  const auto Deadline = Clock::now() + std::chrono::milliseconds(Forever ? 0 : Timeout);
  const auto PendingLocked = [&] { return Q.PendingLocked() || (Q.IsMain && SynchronizePending()); };

  QAbstractEventDispatcher* D = QAbstractEventDispatcher::instance();
  std::unique_ptr<QTimer> Timer;
  bool TimerFired = false;
  for (;;) {
    if (ServeIncoming(Q))
      return true;
    {
      std::unique_lock<std::mutex> Lock(Q.M);
      if (PendingLocked())
        return true;
      if (!D) {
        // No Qt loop on this thread: the queue's condition is all there is
        // to wait for.
        if (Forever) {
          Q.CV.wait(Lock, PendingLocked);
          continue;
        }
        if (!Q.CV.wait_until(Lock, Deadline, PendingLocked))
          return false;
        continue;
      }
    }
    // Qt path: block in Qt's dispatcher; a message of this layer wakes it
    // through the pump event, the time-out through a timer.
    const auto Now = Clock::now();
    if (!Forever && Now >= Deadline)
      return false;
    if (!Forever && (!Timer || !Timer->isActive())) {
      if (!Timer) {
        Timer = std::make_unique<QTimer>();
        Timer->setSingleShot(true);
        Timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(Timer.get(), &QTimer::timeout, [&TimerFired] { TimerFired = true; });
      }
      const auto Left = std::chrono::ceil<std::chrono::milliseconds>(Deadline - Now).count();
      TimerFired = false;
      Timer->start(static_cast<int>(std::min<int64_t>(Left, INT32_MAX)));
    }
    const bool Processed = D->processEvents(QEventLoop::WaitForMoreEvents);
    // Our own timer is no news; the deadline is checked at the top, so a
    // timer that fires a little early just waits again.
    if (TimerFired)
      continue;
    if (Processed) {
      ServeIncoming(Q);
      return true;
    }
  }
}

bool ProcessPendingMessages()
{
  ThreadQueue& Q = CurrentQueue();
  PumpFrame Frame(Q);
  ServeIncoming(Q);
  HandlePostedOnEntry(Q);
  // A pass through Qt's events costs a system call and the dispatcher's
  // bookkeeping, several microseconds: a sample loop that pumps after every
  // sample would spend a third of its time there. This layer's own messages
  // and synchronised calls are served on every call; Qt's events (input,
  // paint, timers) at most once a millisecond, which no one can see.
  const auto Now = std::chrono::steady_clock::now();
  if (Now - Q.LastQtPass >= QtPassInterval()) {
    if (QAbstractEventDispatcher* D = QAbstractEventDispatcher::instance())
      D->processEvents(QEventLoop::AllEvents);
    Q.LastQtPass = std::chrono::steady_clock::now();
  }
  ServeIncoming(Q);
  std::lock_guard<std::mutex> Lock(Q.M);
  return Q.QuitPending;
}

bool MessagesWaiting()
{
  ThreadQueue& Q = CurrentQueue();
  {
    std::lock_guard<std::mutex> Lock(Q.M);
    if (Q.PendingLocked())
      return true;
  }
  if (Q.IsMain && SynchronizePending())
    return true;
  return QAbstractEventDispatcher::instance() && std::chrono::steady_clock::now() - Q.LastQtPass >= QtPassInterval();
}

void SetQtPassIntervalForTests(int64_t Microseconds)
{
  gQtPassIntervalUs = Microseconds < 0 ? DefaultQtPassIntervalUs : Microseconds;
}

void AttachQueueToQtLoop()
{
  ThreadQueue& Q = CurrentQueue();
  EnsurePump(Q);
  std::lock_guard<std::mutex> Lock(Q.M);
  if (Q.PendingLocked())
    WakeLocked(Q);
}

void WaitServingSends(const std::function<bool()>& Ready)
{
  ThreadQueue& Q = CurrentQueue();
  for (;;) {
    ServeIncoming(Q);
    std::unique_lock<std::mutex> Lock(Q.M);
    if (Ready())
      return;
    Q.CV.wait(Lock, [&] { return Ready() || !Q.Sent.empty() || (Q.IsMain && SynchronizePending()); });
  }
}

void WakeMainThread()
{
  static const std::shared_ptr<ThreadQueue> Main = MainQueue();
  WakeUnlocked(*Main);
}

// ---- Registered names ------------------------------------------------------------

namespace {

struct TNameTable {
  std::mutex Lock;
  std::vector<String> Names; // number 0xC000 + index
};

TNameTable& Names()
{
  static TNameTable T;
  return T;
}

uint32_t RegisterName(const String& Name)
{
  constexpr uint32_t First = 0xC000, Last = 0xFFFE;
  if (Name.isEmpty())
    return 0;
  TNameTable& T = Names();
  std::lock_guard<std::mutex> Guard(T.Lock);
  for (size_t I = 0; I < T.Names.size(); ++I)
    if (T.Names[I].compare(Name, Qt::CaseInsensitive) == 0)
      return First + static_cast<uint32_t>(I);
  if (First + T.Names.size() > Last)
    return 0;
  T.Names.push_back(Name);
  return First + static_cast<uint32_t>(T.Names.size() - 1);
}

} // namespace

uint32_t RegisterWindowMessage(const String& Name) { return RegisterName(Name); }
uint32_t RegisterClipboardFormat(const String& Name) { return RegisterName(Name); }

String RegisteredName(uint32_t Number)
{
  TNameTable& T = Names();
  std::lock_guard<std::mutex> Guard(T.Lock);
  if (Number < 0xC000 || Number - 0xC000 >= T.Names.size())
    return String();
  return T.Names[Number - 0xC000];
}
