// Standard controls (buttons, edit fields, up-down controls, combo boxes, labels) as objects with
// their own routing tables: the control's window is taken over when it is created or attached, and
// what the object does not handle goes on to the control's own procedure.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

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
  // The position the control holds; when its buddy's text is no number within the range, the
  // last valid one.
  int Position() const;
};

// A combo box of a dialog template; items carry a number as their data.
class ComboBoxControl : public ChildControl {
 public:
  // Adds the texts at the end in one pass: the storage reserved for all of them first, the
  // control drawn once, after the last. Without item data, which the list would hand to its
  // owner item by item when it is emptied or destroyed. Stops at a text that does not fit
  // into memory; returns how many were added.
  std::size_t AddStrings(const std::vector<std::string>& texts) const;
  int Count() const;
  // The selected item's index, -1 when none is.
  int Selection() const;
  // Selects the item (which also shows its text in the edit field); -1 selects none.
  void Select(int index) const;
  // Empties the list and the edit field.
  void ResetContent() const;
  void LimitText(int maxBytes) const;
};

// A static control: a label, or the sample of a font.
class StaticControl : public ChildControl {
 public:
  void SetText(const std::string& text) const;
  // The control draws its text in `font` from now on; the caller keeps the font alive.
  void SetFont(HFONT font) const;
};

}  // namespace tembori
