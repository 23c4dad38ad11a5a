#include <windows.h>

#include "core/win32_owners.h"
#include "net/staged_copy_record.h"

namespace quonel {

std::optional<StagedCopyRecord> LoadStagedCopyRecord(const std::wstring& stagedPath) {
  OwnedFile file(CreateFileW(StagedCopyRecordPath(stagedPath).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  char bytes[8192];
  DWORD read = 0;
  if (!ReadFile(file.Get(), bytes, sizeof bytes, &read, nullptr)) return std::nullopt;
  return ParseStagedCopyRecord(std::string(bytes, read));
}

bool SaveStagedCopyRecord(const std::wstring& stagedPath, const StagedCopyRecord& record) {
  const std::string text = FormatStagedCopyRecord(record);
  OwnedFile file(CreateFileW(StagedCopyRecordPath(stagedPath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

}  // namespace quonel
