// The face name inside a font record, read and written: the field holds at most 31 bytes
// and a terminator, and a longer name is cut on a whole double-byte character.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tembori {

std::string FaceNameOf(const LOGFONTA& font);
// Replaces the record's face name with `face`, cut to fit.
void SetFaceName(LOGFONTA& font, std::string_view face);

}  // namespace tembori
