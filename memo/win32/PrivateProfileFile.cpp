// The memo files over GetPrivateProfileStringA for reading and the file functions for saving.
#include "memo/win32/PrivateProfileFile.h"

#include <windows.h>

#include <vector>

#include "framework/WholeFile.h"
#include "settings/StoreValues.h"

namespace tembori {
namespace {

// The profile functions take a name without a directory from the Windows directory; so do
// the file functions here, so that both see the same file.
std::string FullName(const std::string& file) {
  if (file.find_first_of("\\/:") != std::string::npos) return file;
  char windows[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return file;
  return std::string(windows, length) + "\\" + file;
}

// Held in a vector: a wide string would bring the library's whole instantiation of it along.
using WideText = std::vector<wchar_t>;

WideText Wide(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  WideText wide(static_cast<std::size_t>(length > 0 ? length : 0));
  if (!wide.empty()) MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string Utf8(const WideText& wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (!text.empty()) {
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
  }
  return text;
}

}  // namespace

std::string PrivateProfileFile::GetString(std::string_view file, std::string_view section,
                                          std::string_view key) {
  const std::string fileName(file), sectionName(section), keyName(key);
  // The reader cuts a value to its buffer without saying so: a value that fills the buffer
  // is read again with a larger one, up to a bound that no memo comes near.
  for (DWORD size = 256;; size *= 2) {
    std::vector<char> buffer(size);
    const DWORD copied = GetPrivateProfileStringA(sectionName.c_str(), keyName.c_str(), "",
                                                  buffer.data(), size, fileName.c_str());
    if (copied + 1 < size || size >= kMaxStoredTextBytes) {
      return std::string(buffer.data(), copied < size ? copied : size - 1);
    }
  }
}

ProfileFile::ReadResult PrivateProfileFile::ReadAll(const std::string& file, std::string& bytes) {
  switch (ReadWholeFile(FullName(file), 0x7FFFFFFF, bytes)) {
    case WholeFileRead::Ok:
      return ReadResult::Ok;
    case WholeFileRead::NotFound:
      return ReadResult::NotFound;
    default:
      return ReadResult::Failed;
  }
}

bool PrivateProfileFile::WriteNew(const std::string& file, std::string_view bytes) {
  return WriteNewFile(FullName(file), bytes);
}

bool PrivateProfileFile::Replace(const std::string& from, const std::string& to) {
  return MoveIntoPlace(FullName(from), FullName(to));
}

void PrivateProfileFile::Remove(const std::string& file) {
  DeleteFileA(FullName(file).c_str());
}

std::string PrivateProfileFile::AnsiToUtf8(std::string_view text) {
  return Utf8(Wide(CP_ACP, text));
}

std::string PrivateProfileFile::Utf16ToUtf8(std::string_view bytes) {
  WideText wide(bytes.size() / 2);
  for (std::size_t i = 0; i < wide.size(); ++i) {
    wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  return Utf8(wide);
}

std::string PrivateProfileFile::Utf8ToUtf16(std::string_view text) {
  std::string bytes;
  for (const wchar_t c : Wide(CP_UTF8, text)) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>((c >> 8) & 0xFF);
  }
  return bytes;
}

}  // namespace tembori
