#pragma once
// Worker threads and the hand-over of calls to the main thread.
//
// Synchronize queues a call for the main thread and blocks the worker until
// it has run; Queue queues one without waiting. The main thread runs queued calls in every place it pumps:
// Qt's event loop (Application->Run), TApplication::ProcessMessages,
// PumpOneMessage, WaitMessageOrTimeout, and TThread::WaitFor, which therefore
// cannot deadlock with a worker that synchronises while being waited for.
#include "platform/Events.h"
#include "rtl/Object.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <utility>

// Small process-unique numbers, handed out per thread on first use; the
// thread that ran the program's static initialisation is the main thread.
using TThreadID = uint32_t;
TThreadID GetCurrentThreadId();
TThreadID MainThreadID();
bool IsMainThread();

enum TThreadPriority : uint8_t {
  tpIdle,
  tpLowest,
  tpLower,
  tpNormal,
  tpHigher,
  tpHighest,
  tpTimeCritical,
};

class TEvent;

// A thread object. A C++ constructor cannot start the thread safely (Execute
// would run before the derived part exists), so a TThread is always created
// suspended: call Start(), or create it with NewRunningThread<T>(...).
//
// Deleting a thread object that is still running first asks it to terminate
// and waits for it; the derived class must therefore keep everything Execute
// touches alive until then, or the owner calls Terminate and WaitFor itself.
// With FreeOnTerminate the thread deletes its object once Execute returns;
// nobody else may delete or wait for it.
class TThread : public TObject {
public:
  TThread();
  ~TThread() override;
  String ClassName() const override;

  void Start();
  // Sets Terminated; Execute is expected to look at it and return.
  void Terminate();
  bool Terminated() const { return FTerminated.load(); }
  // Blocks until Execute has returned and gives ReturnValue. On the main
  // thread it keeps serving Synchronize requests and cross-thread
  // SendMessage calls meanwhile. Raises EThread for a thread never started,
  // a FreeOnTerminate thread, or a wait from inside the thread itself.
  int32_t WaitFor();

  bool Started() const { return FStarted; }
  bool Finished() const { return FFinished.load(); }
  bool FreeOnTerminate() const { return FFreeOnTerminate.load(); }
  void SetFreeOnTerminate(bool Value) { FFreeOnTerminate = Value; }
  int32_t ReturnValue() const { return FReturnValue.load(); }
  TThreadID ThreadID() const { return FThreadID; }
  // Identity of the system thread; 0 before Start.
  uintptr_t Handle() const;
  // Accepted at any time; applied as far as the system lets an unprivileged
  // process (lowering always works, raising usually does not).
  TThreadPriority Priority() const { return FPriority.load(); }
  void SetPriority(TThreadPriority Value);
  // The name the system shows for the thread (ps -L, top -H, a debugger,
  // /proc/<pid>/task/*/comm), cut to the 15 bytes the kernel keeps. Given
  // before Start it is the thread's from its first instruction; given later
  // it takes effect at once only when the thread names itself.
  String Name() const;
  void SetName(const String& Value);
  // The exception that ended Execute, if any. A FreeOnTerminate thread hands
  // it to the application's exception handler instead, since nobody could
  // look at it afterwards.
  std::exception_ptr FatalException() const { return FFatalException; }

  // Runs on the main thread through Synchronize after Execute has returned.
  TNotifyEvent OnTerminate;

  // Runs Method on the main thread and returns when it has run there; an
  // exception it raises is raised again here. On the main thread it just
  // calls Method.
  static void Synchronize(const std::function<void()>& Method);
  // Hands Method to the main thread and returns at once; the main thread
  // runs it at its next pump (also when queued from the main thread
  // itself), in one order with every other queued or synchronised call.
  // An exception it raises goes to the application's exception handler.
  static void Queue(std::function<void()> Method);
  // A worker waits until every call it queued has run on the main thread
  // (serving nothing meanwhile); at once when there is none, and on the
  // main thread.
  static void WaitQueued();

protected:
  virtual void Execute() = 0;
  virtual void TerminatedSet() {}
  void SetReturnValue(int32_t Value) { FReturnValue = Value; }

private:
  struct Impl;
  static void ThreadProc(TThread* Self);
  void ApplyPriority();
  // The calling thread takes Name.
  void ApplyName();
  void DoTerminate();

  std::unique_ptr<Impl> D;
  TThreadID FThreadID;
  bool FStarted = false;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  std::atomic<bool> FFreeOnTerminate{false};
  std::atomic<int32_t> FReturnValue{0};
  std::atomic<int32_t> FKernelThreadID{0};
  // Atomic with FKernelThreadID: a priority set just as the thread starts is
  // seen either by the setter (the thread is known) or by the thread itself.
  std::atomic<TThreadPriority> FPriority{tpNormal};
  std::exception_ptr FFatalException;
};

// The stand-in for creating a thread running: constructs T and starts it.
template <class T, class... A>
T* NewRunningThread(A&&... Args)
{
  T* Thread = new T(std::forward<A>(Args)...);
  Thread->Start();
  return Thread;
}

// Names the calling thread for the system (see TThread::SetName); for
// threads that are not TThreads.
void SetCurrentThreadName(const String& Name);

// Runs every queued Synchronize call; main thread only (EThread otherwise).
// Returns whether any call ran.
bool CheckSynchronize();
// Whether a worker waits in Synchronize; cheap, any thread.
bool SynchronizePending();
