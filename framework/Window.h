// The window object behind an HWND: binding the two for the window's lifetime, dispatching
// its messages through the hooks and the routing table, and default processing for the rest.
#pragma once

#include <windows.h>

#include <memory>
#include <utility>

#include "framework/MessageRouting.h"

namespace tembori {

class Window : public MessageReceiver {
 public:
  ~Window() override;

  HWND Handle() const { return handle_; }

  // The object bound to a window of this program, or null for any other window.
  static Window* FromHandle(HWND window);

  // The one window procedure of every window class this program registers.
  static LRESULT CALLBACK WindowProcedure(HWND handle, UINT id, WPARAM wParam, LPARAM lParam);

  // Gives a window object to its own window: the object is destroyed once the window is gone
  // (after PostNcDestroy). Returns the object, or null when it has no window, in which case
  // it is destroyed at once.
  template <typename Derived>
  static Derived* OwnedByItsWindow(std::unique_ptr<Derived> object) {
    if (object == nullptr || object->Handle() == nullptr) return nullptr;
    Derived* const derived = object.get();
    Window& window = *derived;
    window.ownedBySelf_ = std::move(object);
    return derived;
  }

  // Called by the message loop before a message for this window, or for one of its child
  // windows, is translated and dispatched; true when it has been dealt with here.
  virtual bool PreTranslateMessage(MSG& message);

 protected:
  Window() = default;

  // CreateWindowExA with this object bound from the window's first message on.
  bool Create(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
              int width, int height, HWND parent, HMENU menuOrId);

  // Takes over an existing window (a standard control): its messages come through this
  // object's routing table first and then go to the control's own procedure.
  void Subclass(HWND window);

  // What the window would do without this object: the subclassed control's procedure, or
  // DefWindowProcA.
  virtual LRESULT DefaultProcessing(const Message& message);

  // WM_COMMAND and WM_NOTIFY come here before the routing table; the base versions search
  // it. A command that the main window's table does not handle goes to the application's.
  virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
  virtual bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT& result);

  // A message that a parent passes on to the child control it concerns (WM_DRAWITEM) when
  // its own table has not handled it.
  virtual bool OnReflectedMessage(const Message& message, LRESULT& result);

  // The window has received its last message and is no longer bound to this object.
  virtual void PostNcDestroy() {}

  // The hooks, the table and the reflection to child controls; false when none took it.
  bool Deliver(const Message& message, LRESULT& result);

  // Binding; a dialog binds itself when it receives WM_INITDIALOG. Unbinding gives a
  // subclassed control back to its own procedure.
  void Bind(HWND window);
  void Unbind();
  // Unbinds after WM_NCDESTROY and ends the object's life if it belongs to its window.
  static void FinishDestruction(Window& window);

  // No exception may leave a window procedure through the system's frames: a handler that
  // ran out of memory is reported here, and the result makes the message fail safely
  // (creation is refused, painting is not asked for again).
  static LRESULT ReportOutOfMemory(HWND window, UINT id);

 private:
  LRESULT Dispatch(const Message& message);
  // Takes the object out of this thread's list of bound objects.
  void Unlink();
  bool ReflectToChild(const Message& message, LRESULT& result);

  HWND handle_ = nullptr;
  WNDPROC originalProcedure_ = nullptr;  // set while a standard control is subclassed
  Window* olderBound_ = nullptr;         // the next in this thread's list of bound objects
  std::unique_ptr<Window> ownedBySelf_;
};

}  // namespace tembori
