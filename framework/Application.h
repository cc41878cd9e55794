// The application object: the program's one instance, its main window and its message loop.
// Commands that the main window's own table does not handle reach the application's table.
#pragma once

#include <windows.h>

#include <string>

#include "framework/MessageRouting.h"

namespace tembori {

class Window;

class Application : public MessageReceiver {
 public:
  ~Application() override;

  // The application object of this process, or null before it is constructed.
  static Application* Current();

  HINSTANCE Instance() const { return instance_; }

  // How the main window is to be shown first (the entry point's show command).
  int ShowCommand() const { return showCommand_; }

  // Destroying the main window ends the message loop.
  Window* MainWindow() const { return mainWindow_; }
  void SetMainWindow(Window* window) { mainWindow_ = window; }
  // The current application's main window, or null when there is none: the owner of the
  // program's dialogs and message boxes.
  static HWND MainWindowHandle();

  // The caption of the program's message boxes, and what is shown when memory runs out in a
  // message handler: texts of the program, which the window layer does not know. Empty:
  // the system's caption, and no message.
  virtual std::string MessageCaption() const { return {}; }
  virtual std::string OutOfMemoryText() const { return {}; }

  // Starts the program; false ends it at once.
  virtual bool InitInstance() = 0;

  // InitInstance, then the message loop until the main window is destroyed; the result is
  // the process's exit code.
  int Run(int showCommand);

  // The message loop alone: gets, pre-translates and dispatches messages until WM_QUIT and
  // returns its exit code.
  int RunMessageLoop();

 protected:
  Application();

 private:
  static bool PreTranslate(MSG& message);

  HINSTANCE instance_;
  int showCommand_ = SW_SHOWNORMAL;
  Window* mainWindow_ = nullptr;
};

}  // namespace tembori
