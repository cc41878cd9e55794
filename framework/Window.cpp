// Binding window objects to their windows and dispatching their messages.
#include "framework/Window.h"

#include <string>

#include "framework/Application.h"
#include "framework/MemoryExhaustion.h"
#include "framework/ResourceText.h"

namespace tembori {
namespace {

// The objects bound to windows, newest first, linked through the objects themselves. Kept
// here rather than in a window property, which the system may look up in another process
// (Wine's server) on every message; rather than in GWLP_USERDATA, so that no other window's
// data is ever taken for one of ours. A few dozen windows at most. The program makes all its
// windows on its one thread, so plain statics do: thread-locals would cost an emulated-TLS
// lookup on every message.
Window* newestBound = nullptr;

// The object whose window CreateWindowExA is making: it binds itself to the first message
// of a window that has no object yet, which comes before WM_NCCREATE.
Window* windowBeingCreated = nullptr;

}  // namespace

Window::~Window() {
  if (handle_ == nullptr) return;
  // The window outlives its object here: it must not reach the object any more.
  const HWND window = handle_;
  Unbind();
  DestroyWindow(window);
}

Window* Window::FromHandle(HWND window) {
  if (window == nullptr) return nullptr;
  Window* object = newestBound;
  while (object != nullptr && object->handle_ != window) object = object->olderBound_;
  return object;
}

LRESULT CALLBACK Window::WindowProcedure(HWND handle, UINT id, WPARAM wParam, LPARAM lParam) {
  Window* window = FromHandle(handle);
  if (window == nullptr && windowBeingCreated != nullptr) {
    window = windowBeingCreated;
    windowBeingCreated = nullptr;
    window->Bind(handle);
  }
  if (window == nullptr) return DefWindowProcA(handle, id, wParam, lParam);
  const LRESULT result = UnlessMemoryRunsOut(
      [&] {
        return window->Dispatch(Message{id, wParam, lParam});
      },
      [&] { return ReportOutOfMemory(handle, id); });
  if (id == WM_NCDESTROY) FinishDestruction(*window);
  return result;
}

bool Window::PreTranslateMessage(MSG&) {
  return false;
}

bool Window::Create(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menuOrId) {
  windowBeingCreated = this;
  const HWND created = CreateWindowExA(exStyle, className, title, style, x, y, width, height,
                                       parent, menuOrId, GetModuleHandleA(nullptr), nullptr);
  windowBeingCreated = nullptr;
  return created != nullptr;
}

void Window::Subclass(HWND window) {
  if (window == nullptr) return;
  Bind(window);
  originalProcedure_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProcedure)));
}

LRESULT Window::DefaultProcessing(const Message& message) {
  if (originalProcedure_ != nullptr) {
    return CallWindowProcA(originalProcedure_, handle_, message.id, message.wParam, message.lParam);
  }
  return DefWindowProcA(handle_, message.id, message.wParam, message.lParam);
}

bool Window::OnCommand(WPARAM wParam, LPARAM lParam) {
  const Message message{WM_COMMAND, wParam, lParam};
  LRESULT ignored = 0;
  if (HandleByTable(message, ignored)) return true;
  Application* const application = Application::Current();
  return application != nullptr && application->MainWindow() == this &&
         application->HandleByTable(message, ignored);
}

bool Window::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  return HandleByTable(Message{WM_NOTIFY, wParam, lParam}, result);
}

bool Window::OnReflectedMessage(const Message&, LRESULT&) {
  return false;
}

bool Window::Deliver(const Message& message, LRESULT& result) {
  switch (message.id) {
    case WM_COMMAND:
      result = 0;
      return OnCommand(message.wParam, message.lParam);
    case WM_NOTIFY:
      return OnNotify(message.wParam, message.lParam, result);
    default:
      return HandleByTable(message, result) || ReflectToChild(message, result);
  }
}

LRESULT Window::Dispatch(const Message& message) {
  // A handler may destroy the window and with it this object: nothing here touches the
  // object after its handler has returned.
  LRESULT result = 0;
  if (Deliver(message, result)) return result;
  return DefaultProcessing(message);
}

void Window::Bind(HWND window) {
  Unlink();
  handle_ = window;
  olderBound_ = newestBound;
  newestBound = this;
}

void Window::Unlink() {
  for (Window** link = &newestBound; *link != nullptr; link = &(*link)->olderBound_) {
    if (*link == this) {
      *link = olderBound_;
      return;
    }
  }
}

void Window::Unbind() {
  Unlink();
  if (originalProcedure_ != nullptr &&
      GetWindowLongPtrA(handle_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&WindowProcedure)) {
    SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalProcedure_));
  }
  Application* const application = Application::Current();
  if (application != nullptr && application->MainWindow() == this) {
    application->SetMainWindow(nullptr);
  }
  handle_ = nullptr;
  originalProcedure_ = nullptr;
}

void Window::FinishDestruction(Window& window) {
  Application* const application = Application::Current();
  const bool mainWindow = application != nullptr && application->MainWindow() == &window;
  window.Unbind();
  if (mainWindow) PostQuitMessage(0);
  window.PostNcDestroy();
  // Taken out of the object before it dies, so that the object is never destroyed twice.
  const std::unique_ptr<Window> ownedBySelf = std::move(window.ownedBySelf_);
}

LRESULT Window::ReportOutOfMemory(HWND window, UINT id) {
  const Application* const application = Application::Current();
  const std::string text = application != nullptr ? application->OutOfMemoryText() : "";
  if (!text.empty()) ShowMessage(text);
  switch (id) {
    case WM_NCCREATE:
      return FALSE;
    case WM_CREATE:
      return -1;
    case WM_PAINT:
      ValidateRect(window, nullptr);
      return 0;
    default:
      return 0;
  }
}

bool Window::ReflectToChild(const Message& message, LRESULT& result) {
  HWND child = nullptr;
  if (message.id == WM_DRAWITEM && message.wParam != 0 && message.lParam != 0) {
    child = reinterpret_cast<const DRAWITEMSTRUCT*>(message.lParam)->hwndItem;
  }
  Window* const target = FromHandle(child);
  return target != nullptr && target != this && target->OnReflectedMessage(message, result);
}

}  // namespace tembori
