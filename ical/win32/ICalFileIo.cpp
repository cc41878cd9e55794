// File access through the ANSI file functions.
#include "ical/win32/ICalFileIo.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <memory>

#include "calendar/MonthCalendar.h"
#include "ical/ICalReader.h"

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

ICalFileRead ReadICalFile(const std::string& path, std::string& bytes) {
  const FileHandle file =
      Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  if (file == nullptr) return ICalFileRead::Failed;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return ICalFileRead::Failed;
  if (size.QuadPart > static_cast<LONGLONG>(kMaxICalBytes)) return ICalFileRead::TooLarge;
  std::string read(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  if (!read.empty() &&
      (!ReadFile(file.get(), read.data(), static_cast<DWORD>(read.size()), &got, nullptr) ||
       got != read.size())) {
    return ICalFileRead::Failed;
  }
  bytes = std::move(read);
  return ICalFileRead::Ok;
}

bool WriteICalFile(const std::string& path, std::string_view bytes) {
  if (bytes.size() > UINT_MAX) return false;
  const std::string temporary = path + ".tmp";
  {
    const FileHandle file = Open(temporary, GENERIC_WRITE, 0, CREATE_ALWAYS);
    if (file == nullptr) return false;
    DWORD written = 0;
    const bool complete =
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(file.get());
    if (!complete) {
      DeleteFileA(temporary.c_str());
      return false;
    }
  }
  if (!MoveFileExA(temporary.c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(temporary.c_str());
    return false;
  }
  return true;
}

std::vector<int> MemoFileYears(const std::string& programDir) {
  std::vector<int> years;
  WIN32_FIND_DATAA found{};
  const HANDLE search = FindFirstFileA((programDir + "tb*.mem").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return years;
  do {
    const std::string name = found.cFileName;
    if (name.size() != 10 || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    int year = 0;
    for (std::size_t i = 2; i < 6 && year >= 0; ++i) {
      year = name[i] >= '0' && name[i] <= '9' ? year * 10 + (name[i] - '0') : -1;
    }
    if (year >= MinYear && year <= MaxYear) years.push_back(year);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(years.begin(), years.end());
  years.erase(std::unique(years.begin(), years.end()), years.end());
  return years;
}

}  // namespace tembori
