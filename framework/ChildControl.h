// Standard controls (buttons, edit fields, up-down controls) as objects with their own
// routing tables: the control's window is taken over when it is created or attached, and
// what the object does not handle goes on to the control's own procedure.
#pragma once

#include <windows.h>

#include "framework/Window.h"

namespace tembori {

class ChildControl : public Window {
 public:
  // Creates the control with no text as a child of `parent` and takes it over.
  bool Create(DWORD exStyle, const char* className, DWORD style, const RECT& rect, HWND parent,
              int controlId);

  // Takes over an existing control, for instance one of a dialog template.
  void Attach(HWND control) { Subclass(control); }
};

class ButtonControl : public ChildControl {
 protected:
  // An owner-drawn button paints itself here when its parent receives WM_DRAWITEM for it.
  virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;

  bool OnReflectedMessage(const Message& message, LRESULT& result) override;
};

class EditControl : public ChildControl {
 public:
  void LimitText(int maxBytes) const;
};

class UpDownControl : public ChildControl {
 public:
  void SetBuddy(HWND buddy) const;
  void SetRange(int lower, int upper) const;
  void SetPosition(int position) const;
};

}  // namespace tembori
