// File access through the ANSI file functions.
#include "ical/win32/ICalFileIo.h"

#include <windows.h>

#include "calendar/MonthCalendar.h"
#include "framework/WholeFile.h"
#include "ical/ICalReader.h"

namespace tembori {

ICalFileRead ReadICalFile(const std::string& path, std::string& bytes) {
  switch (ReadWholeFile(path, kMaxICalBytes, bytes)) {
    case WholeFileRead::Ok:
      return ICalFileRead::Ok;
    case WholeFileRead::TooLarge:
      return ICalFileRead::TooLarge;
    default:
      return ICalFileRead::Failed;
  }
}

bool WriteICalFile(const std::string& path, std::string_view bytes) {
  const std::string temporary = path + ".tmp";
  if (WriteNewFile(temporary, bytes) && MoveIntoPlace(temporary, path)) return true;
  DeleteFileA(temporary.c_str());
  return false;
}

std::vector<int> MemoFileYears(const std::string& programDir) {
  // The files come in any order; the years go out in theirs, each once.
  bool found[MaxYear - MinYear + 1] = {};
  WIN32_FIND_DATAA file{};
  const HANDLE search = FindFirstFileA((programDir + "tb*.mem").c_str(), &file);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string_view name = file.cFileName;
      if (name.size() != 10 || (file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
      int year = 0;
      for (std::size_t i = 2; i < 6 && year >= 0; ++i) {
        year = name[i] >= '0' && name[i] <= '9' ? year * 10 + (name[i] - '0') : -1;
      }
      if (year >= MinYear && year <= MaxYear) found[year - MinYear] = true;
    } while (FindNextFileA(search, &file));
    FindClose(search);
  }
  std::vector<int> years;
  for (int year = MinYear; year <= MaxYear; ++year) {
    if (found[year - MinYear]) years.push_back(year);
  }
  return years;
}

}  // namespace tembori
