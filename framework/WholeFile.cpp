// Whole files over CreateFileA, ReadFile, WriteFile and MoveFileExA.
#include "framework/WholeFile.h"

#include <windows.h>

#include <memory>

namespace tembori {
namespace {

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

FileHandle Open(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  const HANDLE handle = CreateFileA(path.c_str(), access, share, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

}  // namespace

WholeFileRead ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
  const FileHandle file = Open(
      path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
  if (file == nullptr) {
    return GetLastError() == ERROR_FILE_NOT_FOUND ? WholeFileRead::NotFound : WholeFileRead::Failed;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return WholeFileRead::Failed;
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes ||
      size.QuadPart > static_cast<LONGLONG>(MAXDWORD)) {
    return WholeFileRead::TooLarge;
  }
  std::string read(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  if (!read.empty() &&
      (!ReadFile(file.get(), read.data(), static_cast<DWORD>(read.size()), &got, nullptr) ||
       got != read.size())) {
    return WholeFileRead::Failed;
  }
  bytes = std::move(read);
  return WholeFileRead::Ok;
}

bool WriteNewFile(const std::string& path, std::string_view bytes) {
  if (bytes.size() > MAXDWORD) return false;
  FileHandle file = Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
  if (file == nullptr) return false;
  DWORD written = 0;
  if (!bytes.empty() &&
      (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
       written != bytes.size())) {
    return false;
  }
  // Closing can still report a failed write.
  return FlushFileBuffers(file.get()) != FALSE && CloseHandle(file.release()) != FALSE;
}

bool MoveIntoPlace(const std::string& from, const std::string& to) {
  // A reader of the old file (another copy's profile functions) holds it for a moment.
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) return false;
    Sleep(25);
  }
  return false;
}

}  // namespace tembori
