// The texts of the settings' failures.
#include "app/MessageBoxReporter.h"

#include <string>

#include "framework/ResourceText.h"
#include "res/ResourceIds.h"

namespace tembori {
namespace {

UINT FailureStringId(SettingsFailure failure) {
  switch (failure) {
    case SettingsFailure::KeyNotCreated:
      return IDS_REGISTRY_OPEN_FAILED;
    case SettingsFailure::ReadFailed:
      return IDS_REGISTRY_READ_FAILED;
    case SettingsFailure::WriteFailed:
      return IDS_REGISTRY_WRITE_FAILED;
    case SettingsFailure::OutOfMemory:
      return IDS_OUT_OF_MEMORY;
  }
  return IDS_OUT_OF_MEMORY;
}

}  // namespace

void MessageBoxReporter::Report(SettingsFailure failure, std::string_view valueName) {
  std::string text = LoadResourceString(FailureStringId(failure)) + std::string(valueName);
  // The values that could not be read have taken their defaults, and loading went on.
  if (failure == SettingsFailure::ReadFailed) {
    text += "\n" + LoadResourceString(IDS_VALUE_REPLACED_BY_DEFAULT);
  }
  ShowMessage(text);
}

}  // namespace tembori
