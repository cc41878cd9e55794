// Loading string-table texts and showing them in message boxes.
#include "framework/ResourceText.h"

#include <string_view>
#include <vector>

#include "framework/Application.h"

namespace tembori {
namespace {

// The entry's text as stored: UTF-16, counted, not terminated. Strings are kept in blocks of
// sixteen, each entry its length followed by its characters.
std::wstring_view StoredString(HINSTANCE instance, UINT stringId) {
  const HRSRC block =
      FindResourceA(instance, MAKEINTRESOURCEA(stringId / 16 + 1), MAKEINTRESOURCEA(6));
  if (block == nullptr) return {};
  const HGLOBAL loaded = LoadResource(instance, block);
  const auto* const data = static_cast<const WCHAR*>(LockResource(loaded));
  const std::size_t units = SizeofResource(instance, block) / sizeof(WCHAR);
  if (data == nullptr) return {};
  std::size_t position = 0;
  for (UINT skipped = 0; skipped < stringId % 16; ++skipped) {
    if (position >= units) return {};
    position += 1 + data[position];
  }
  if (position >= units || data[position] > units - position - 1) return {};
  return std::wstring_view(data + position + 1, data[position]);
}

int ShowMessageOverWindow(HWND owner, const std::string& text, UINT type) {
  const Application* const application = Application::Current();
  const std::string caption = application != nullptr ? application->MessageCaption() : "";
  return MessageBoxA(owner, text.c_str(), caption.empty() ? nullptr : caption.c_str(), type);
}

}  // namespace

std::string LoadResourceString(UINT stringId) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  const std::wstring_view stored = StoredString(instance, stringId);
  if (stored.empty()) return {};
  // LoadStringA cuts a text to its buffer, so the buffer is sized from the stored text.
  const int bytes = WideCharToMultiByte(CP_ACP, 0, stored.data(), static_cast<int>(stored.size()),
                                        nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::vector<char> buffer(static_cast<std::size_t>(bytes) + 1);
  const int copied =
      LoadStringA(instance, stringId, buffer.data(), static_cast<int>(buffer.size()));
  return std::string(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

int ShowMessage(const std::string& text, UINT type) {
  return ShowMessageOverWindow(Application::MainWindowHandle(), text, type);
}

int ShowMessage(UINT stringId, UINT type) {
  return ShowMessage(LoadResourceString(stringId), type);
}

int ShowMessageOver(HWND owner, UINT stringId, UINT type) {
  return ShowMessageOverWindow(owner, LoadResourceString(stringId), type);
}

}  // namespace tembori
