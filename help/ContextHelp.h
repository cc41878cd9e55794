// What the program's windows ask of help: the help file at its default topic, and the short
// pop-up text of one control of the settings sheet. The windows hold a ContextHelp and never
// reach the HTML Help control themselves; tests can hand them one of their own.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace tembori {

class ContextHelp {
 public:
  virtual ~ContextHelp() = default;

  // Opens the help file at its default topic, owned by no window; false when help is not
  // available.
  virtual bool ShowContents() = 0;
  // Shows the pop-up topic of `control` beside it; false when help is not available.
  virtual bool ShowPopup(HWND control) = 0;

  // A WM_HELP request: the pop-up of the item it is for.
  bool ShowPopup(const HELPINFO& request) {
    return ShowPopup(static_cast<HWND>(request.hItemHandle));
  }
};

// Help from "tembori.chm" through the HTML Help control.
class HtmlContextHelp : public ContextHelp {
 public:
  // The program's directory (with its trailing backslash, or empty when unknown), where the
  // help file is looked for first.
  void SetProgramDir(std::string programDir) { programDir_ = std::move(programDir); }

  bool ShowContents() override;
  bool ShowPopup(HWND control) override;
  using ContextHelp::ShowPopup;

  // The help file in the program's directory when it is there; otherwise its bare name,
  // which the viewer looks for from the current directory.
  std::string HelpFile() const;

 private:
  std::string programDir_;
};

}  // namespace tembori
