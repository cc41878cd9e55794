// The application object and the message loop.
#include "framework/Application.h"

#include "framework/Window.h"

namespace tembori {
namespace {

Application* currentApplication = nullptr;

}  // namespace

Application::Application() : instance_(GetModuleHandleA(nullptr)) {
  currentApplication = this;
}

Application::~Application() {
  if (currentApplication == this) currentApplication = nullptr;
}

Application* Application::Current() {
  return currentApplication;
}

HWND Application::MainWindowHandle() {
  const Window* const mainWindow =
      currentApplication != nullptr ? currentApplication->MainWindow() : nullptr;
  return mainWindow != nullptr ? mainWindow->Handle() : nullptr;
}

int Application::Run(int showCommand) {
  showCommand_ = showCommand;
  if (!InitInstance()) return 0;
  return RunMessageLoop();
}

int Application::RunMessageLoop() {
  MSG message{};
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);  // WM_QUIT
    if (got == -1) return -1;
    if (PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// The target window's hook first, then those of its parents up to the top-level window,
// so that a window sees the keys typed into its child controls.
bool Application::PreTranslate(MSG& message) {
  for (HWND window = message.hwnd; window != nullptr;) {
    Window* const object = Window::FromHandle(window);
    if (object != nullptr && object->PreTranslateMessage(message)) return true;
    if ((GetWindowLongA(window, GWL_STYLE) & WS_CHILD) == 0) break;
    window = GetParent(window);
  }
  return false;
}

}  // namespace tembori
