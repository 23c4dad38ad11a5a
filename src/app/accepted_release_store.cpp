#include "app/accepted_release_store.h"

#include <windows.h>

#include "core/exception.h"
#include "core/win32_owners.h"
#include "net/release_signature.h"

namespace quonel {

std::optional<uint64_t> ReadHighestAcceptedSerial(const std::wstring& updateFolder) {
  const std::wstring path = updateFolder + kAcceptedReleaseFileName;
  OwnedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    throw Exception(L"the accepted release record cannot be opened");
  }
  char bytes[256];
  DWORD read = 0;
  if (!ReadFile(file.Get(), bytes, sizeof bytes, &read, nullptr))
    throw Exception(L"the accepted release record cannot be read");
  const std::optional<uint64_t> serial = ReadAcceptedSerial(std::string_view(bytes, read));
  if (!serial) throw Exception(L"the accepted release record " + path + L" is damaged");
  return serial;
}

void RecordAcceptedRelease(const std::wstring& updateFolder, uint64_t serial, const std::string& keyId) {
  const std::wstring path = updateFolder + kAcceptedReleaseFileName;
  const std::wstring next = updateFolder + kAcceptedReleaseNewFileName;
  const std::string text = AcceptedReleaseText(serial, keyId);
  {
    OwnedFile file(CreateFileW(next.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size() || !FlushFileBuffers(file.Get()))
      throw Exception(L"the accepted release record cannot be written");
  }
  if (!MoveFileExW(next.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    throw Exception(L"the accepted release record cannot be replaced");
}

}  // namespace quonel
