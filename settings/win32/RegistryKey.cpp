// Opening and creating registry keys into owned handles.
#include "settings/win32/RegistryKey.h"

namespace tembori {

LONG OpenRegistryKey(HKEY root, const char* path, REGSAM access, RegistryKey& key) {
  key.Reset();
  HKEY opened = nullptr;
  const LONG error = RegOpenKeyExA(root, path, 0, access, &opened);
  if (error == ERROR_SUCCESS) key.Reset(opened);
  return error;
}

LONG CreateRegistryKey(HKEY root, const char* path, REGSAM access, RegistryKey& key,
                       bool* createdNew) {
  key.Reset();
  // The class parameter is not const in every SDK's declaration, so it gets its own copy.
  char keyClass[] = "Application Per-User Data";
  HKEY created = nullptr;
  DWORD disposition = 0;
  const LONG error = RegCreateKeyExA(root, path, 0, keyClass, REG_OPTION_NON_VOLATILE, access,
                                     nullptr, &created, &disposition);
  if (error != ERROR_SUCCESS) return error;
  key.Reset(created);
  if (createdNew != nullptr) *createdNew = disposition == REG_CREATED_NEW_KEY;
  return error;
}

}  // namespace tembori
