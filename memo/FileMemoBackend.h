// Memos in memo files: one file per year, tb<year>.mem in the program's directory, a section
// per month, a key per day and the month's map as a profile record. Values are read through
// the profile functions; a save writes the whole file again beside the old one and puts it in
// the old one's place in one step, so that a save cut short at any moment leaves the old file.
#pragma once

#include <string>
#include <string_view>

#include "memo/MemoBackend.h"
#include "memo/ProfileFile.h"

namespace tembori {

class FileMemoBackend : public MemoBackend {
 public:
  explicit FileMemoBackend(ProfileFile& files) : files_(files) {}

  // The directory of the memo files, with its trailing backslash; empty leaves the choice
  // of directory to the profile functions (the Windows directory).
  void SetDirectory(std::string directory) { directory_ = std::move(directory); }

  std::string Text(int year, int month, int day) override;
  StoredMap Map(int year, int month) override;
  bool PrepareEdit(int, int) override { return true; }
  MemoSaveResult Write(int year, int month, const std::vector<DayText>& texts,
                       const MapChange& change, DayMask& written) override;
  std::string Name(int year) const override;

 private:
  ProfileFile& files_;
  std::string directory_;
};

}  // namespace tembori
