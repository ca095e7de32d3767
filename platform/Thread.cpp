#include "platform/Thread.h"

#include "platform/Application.h"
#include "platform/Messages.h"
#include "platform/SyncObjs.h"
#include "rtl/Exceptions.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

// ------------------------------------------------------------ thread ids

namespace {

std::atomic<TThreadID> gLastThreadID{0};
thread_local TThreadID tlsThreadID = 0;

} // namespace

TThreadID GetCurrentThreadId()
{
  if (tlsThreadID == 0)
    tlsThreadID = ++gLastThreadID;
  return tlsThreadID;
}

TThreadID MainThreadID()
{
  static const TThreadID Id = GetCurrentThreadId();
  return Id;
}

namespace {
// Fixes the main thread during static initialisation, before any other
// thread can exist to ask first.
[[maybe_unused]] const TThreadID gMainThreadAtStart = MainThreadID();
} // namespace

bool IsMainThread() { return GetCurrentThreadId() == MainThreadID(); }

// ------------------------------------------------------------ Synchronize

namespace {

// A call for the main thread: a Synchronize (Method on the caller's stack,
// the caller waiting for Done) or a queued one (Owned, nobody waiting).
struct SyncRequest {
  const std::function<void()>* Method = nullptr;
  std::exception_ptr Error;
  bool Done = false;
  std::function<void()> Owned;
  // The queued calls of the thread that queued this one, not yet run.
  std::shared_ptr<std::atomic<int32_t>> Waiting;
};

// Per thread: its queued calls that have not run yet.
thread_local std::shared_ptr<std::atomic<int32_t>> tlsQueuedCalls;

std::mutex gSyncLock;
std::condition_variable gSyncDone;
std::deque<SyncRequest*> gSyncQueue;
std::atomic<int32_t> gSyncCount{0};

} // namespace

bool SynchronizePending() { return gSyncCount.load() > 0; }

bool CheckSynchronize()
{
  if (!IsMainThread())
    throw EThread(QStringLiteral("CheckSynchronize called from thread %1, which is NOT the main thread")
                      .arg(GetCurrentThreadId()));
  bool Any = false;
  for (;;) {
    SyncRequest* Req;
    {
      std::lock_guard<std::mutex> Lock(gSyncLock);
      if (gSyncQueue.empty())
        break;
      Req = gSyncQueue.front();
      gSyncQueue.pop_front();
      --gSyncCount;
    }
    Any = true;
    if (!Req->Method) {
      // Queued: nobody waits for it, so its failure is the application's.
      const std::unique_ptr<SyncRequest> Own(Req);
      try {
        Req->Owned();
      } catch (const std::exception& E) {
        HandleApplicationException(E);
      } catch (...) {
        HandleApplicationException(Exception(QStringLiteral("Unknown exception in a queued call")));
      }
      --*Req->Waiting;
      continue;
    }
    try {
      (*Req->Method)();
    } catch (...) {
      Req->Error = std::current_exception();
    }
    {
      std::lock_guard<std::mutex> Lock(gSyncLock);
      Req->Done = true;
    }
    gSyncDone.notify_all();
  }
  return Any;
}

void TThread::Synchronize(const std::function<void()>& Method)
{
  if (IsMainThread()) {
    Method();
    return;
  }
  SyncRequest Req;
  Req.Method = &Method;
  {
    std::lock_guard<std::mutex> Lock(gSyncLock);
    gSyncQueue.push_back(&Req);
    ++gSyncCount;
  }
  WakeMainThread();
  {
    std::unique_lock<std::mutex> Lock(gSyncLock);
    gSyncDone.wait(Lock, [&] { return Req.Done; });
  }
  if (Req.Error)
    std::rethrow_exception(Req.Error);
}

void TThread::Queue(std::function<void()> Method)
{
  if (!tlsQueuedCalls)
    tlsQueuedCalls = std::make_shared<std::atomic<int32_t>>(0);
  auto Req = std::make_unique<SyncRequest>();
  Req->Owned = std::move(Method);
  Req->Waiting = tlsQueuedCalls;
  ++*tlsQueuedCalls;
  {
    std::lock_guard<std::mutex> Lock(gSyncLock);
    gSyncQueue.push_back(Req.release());
    ++gSyncCount;
  }
  WakeMainThread();
}

void TThread::WaitQueued()
{
  if (IsMainThread() || !tlsQueuedCalls || tlsQueuedCalls->load() == 0)
    return;
  // The main thread runs its calls in order: once this one has run, so
  // have all queued before it.
  Synchronize([] {});
}

// ---------------------------------------------------------------- TThread

struct TThread::Impl {
  std::thread Thread;
  TEvent FinishedEvent{true, false};
  // Held by Start until Thread holds the new thread: a thread that frees
  // itself may finish before the std::thread has been stored, and its
  // destructor must find it stored (and the store must not land in a freed
  // object).
  std::mutex StartLock;
  mutable std::mutex NameLock;
  String Name;
};

TThread::TThread() : D(std::make_unique<Impl>()), FThreadID(++gLastThreadID) {}

TThread::~TThread()
{
  if (!D->Thread.joinable())
    return;
  if (D->Thread.get_id() == std::this_thread::get_id()) {
    // FreeOnTerminate: the thread deletes its own object on its way out.
    D->Thread.detach();
    return;
  }
  if (!Finished()) {
    Terminate();
    if (IsMainThread())
      WaitServingSends([this] { return Finished(); });
    else
      D->FinishedEvent.WaitFor(INFINITE);
  }
  D->Thread.join();
}

String TThread::ClassName() const { return QStringLiteral("TThread"); }

void TThread::Start()
{
  if (FStarted)
    throw EThread(QStringLiteral("Cannot call Start on a running or suspended thread"));
  FStarted = true;
  std::lock_guard<std::mutex> Lock(D->StartLock);
  D->Thread = std::thread(&TThread::ThreadProc, this);
}

void TThread::Terminate()
{
  FTerminated = true;
  TerminatedSet();
}

int32_t TThread::WaitFor()
{
  if (!FStarted)
    throw EThread(QStringLiteral("Cannot wait for a thread that was never started"));
  if (FFreeOnTerminate)
    throw EThread(QStringLiteral("Cannot wait for a thread that frees itself on termination"));
  if (GetCurrentThreadId() == FThreadID)
    throw EThread(QStringLiteral("A thread cannot wait for itself"));
  if (IsMainThread())
    WaitServingSends([this] { return Finished(); });
  else
    D->FinishedEvent.WaitFor(INFINITE);
  // Finished is set just before the thread function returns; joining makes
  // sure it has, so the caller may delete the object at once.
  if (D->Thread.joinable())
    D->Thread.join();
  return FReturnValue;
}

uintptr_t TThread::Handle() const
{
  if (!D->Thread.joinable())
    return 0;
  return static_cast<uintptr_t>(D->Thread.native_handle());
}

void TThread::SetPriority(TThreadPriority Value)
{
  FPriority = Value;
  ApplyPriority();
}

String TThread::Name() const
{
  std::lock_guard<std::mutex> Lock(D->NameLock);
  return D->Name;
}

void TThread::SetName(const String& Value)
{
  {
    std::lock_guard<std::mutex> Lock(D->NameLock);
    D->Name = Value;
  }
  if (GetCurrentThreadId() == FThreadID)
    ApplyName();
}

void TThread::ApplyName()
{
  const String Value = Name();
  if (!Value.isEmpty())
    SetCurrentThreadName(Value);
}

void SetCurrentThreadName(const String& Name)
{
  QByteArray Bytes = Name.toUtf8();
  // The kernel keeps 15 bytes; a longer name is refused outright, so it is
  // cut, and not inside a character.
  if (Bytes.size() > 15) {
    qsizetype Cut = 15;
    while (Cut > 0 && (uint8_t(Bytes[Cut]) & 0xC0) == 0x80)
      --Cut;
    Bytes.truncate(Cut);
  }
  pthread_setname_np(pthread_self(), Bytes.constData());
}

void TThread::ApplyPriority()
{
  const int32_t Tid = FKernelThreadID.load();
  if (Tid == 0)
    return;
  static const int NiceOf[] = {19, 10, 5, 0, -5, -10, -20};
  // Best effort: raising priority needs privileges an ordinary process lacks,
  // and a thread at the wrong priority still works.
  (void)setpriority(PRIO_PROCESS, static_cast<id_t>(Tid), NiceOf[FPriority.load()]);
}

void TThread::DoTerminate()
{
  if (OnTerminate)
    Synchronize([this] { OnTerminate(this); });
}

void TThread::ThreadProc(TThread* Self)
{
  {
    std::lock_guard<std::mutex> Wait(Self->D->StartLock);
  }
  tlsThreadID = Self->FThreadID;
  Self->FKernelThreadID = static_cast<int32_t>(gettid());
  Self->ApplyName();
  if (Self->FPriority != tpNormal)
    Self->ApplyPriority();
  try {
    if (!Self->Terminated())
      Self->Execute();
  } catch (...) {
    Self->FFatalException = std::current_exception();
  }
  try {
    Self->DoTerminate();
  } catch (...) {
    if (!Self->FFatalException)
      Self->FFatalException = std::current_exception();
  }
  const bool FreeThread = Self->FFreeOnTerminate;
  if (FreeThread && Self->FFatalException) {
    try {
      std::rethrow_exception(Self->FFatalException);
    } catch (const std::exception& E) {
      HandleApplicationException(E);
    } catch (...) {
      HandleApplicationException(Exception(QStringLiteral("Unknown exception in thread %1").arg(Self->FThreadID)));
    }
  }
  Self->D->FinishedEvent.SetEvent();
  Self->FFinished = true;
  WakeMainThread();
  if (FreeThread)
    delete Self;
}
