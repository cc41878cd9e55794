// Help from the compiled help file.
#include "help/ContextHelp.h"

#include "help/HtmlHelpLoader.h"
#include "help/PopupTopics.h"

namespace tembori {
namespace {

constexpr char kHelpFileName[] = "tembori.chm";
constexpr char kPopupTopicsInFile[] = "::/tembori_pop_hlp.txt";

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

std::string HtmlContextHelp::HelpFile() const {
  if (!programDir_.empty()) {
    std::string beside = programDir_ + kHelpFileName;
    if (IsFile(beside)) return beside;
  }
  return kHelpFileName;
}

bool HtmlContextHelp::ShowContents() {
  return CallHtmlHelp(nullptr, HelpFile().c_str(), kHelpDisplayTopic, 0) != nullptr;
}

bool HtmlContextHelp::ShowPopup(HWND control) {
  const std::string topics = HelpFile() + kPopupTopicsInFile;
  return CallHtmlHelp(control, topics.c_str(), kHelpPopupForControl,
                      reinterpret_cast<DWORD_PTR>(PopupTopicTable())) != nullptr;
}

}  // namespace tembori
