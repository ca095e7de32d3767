#pragma once
// The application object: the program's message loop, its quit flag and its
// last-resort exception handler, over Qt's application object.
//
// main() creates the Qt application (QApplication for the GUI), then one
// TApplication on the main thread; the constructor makes it the global
// `Application`. Forms are created owned by it and freed with it, before the
// global is cleared, so they may still pump and report through it.
#include "platform/Component.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

class TApplication : public TComponent {
public:
  explicit TApplication(TComponent* AOwner = nullptr);
  ~TApplication() override;
  String ClassName() const override;

  // The message loop: Qt's event loop (which also handles this layer's
  // messages) until the quit message arrives; without a Qt application
  // object, this layer's own loop. Returns at once when already terminated.
  void Run();
  // Sets Terminated and posts the quit message to the main thread; any
  // thread may call it.
  void Terminate();
  bool Terminated() const;
  // Handles everything pending on the calling thread once (messages, Qt
  // events, sends, Synchronize requests); a pending quit message sets
  // Terminated and stays queued for the loop.
  void ProcessMessages();

  // Last-resort handler: EAbort is silent; otherwise OnException when set,
  // else ShowException. From another thread the message is handed to the main
  // thread to show (headless: logged at once).
  void HandleException(const std::exception& E);
  // A message box in a GUI session; a line "<Title>: <message>" on stderr when
  // headless (no QApplication, or the offscreen or minimal platform). The
  // message gets a closing full stop when it ends in a letter or digit.
  void ShowException(const std::exception& E);

  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }

  TExceptionEvent OnException;

private:
  struct Impl;
  void ShowMessageText(const String& Text);
  std::unique_ptr<Impl> D;
  String FTitle;
};

extern TApplication* Application;

// The handler every layer hands an exception to that it may not let escape
// (message handlers, timers, worker threads): Application->HandleException
// when an application object exists, otherwise the stderr line. Any thread.
void HandleApplicationException(const std::exception& E);
// No screen to show a window on: offscreen or minimal platform, or no GUI
// application at all.
bool IsHeadless();
