#include <windows.h>

#include "file_time.h"

namespace quonel::updmanifest {

// The same steps as the wizard's own file-age query, so that both agree to the second.
std::optional<LocalDateTime> FileLastWriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  FILETIME local;
  WORD dosDate, dosTime;
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToDosDateTime(&local, &dosDate, &dosTime))
    return std::nullopt;
  return LocalDateTime{(dosDate >> 9) + 1980, (dosDate >> 5) & 15, dosDate & 31,
                       dosTime >> 11,         (dosTime >> 5) & 63, (dosTime & 31) * 2};
}

int CurrentLocalYear() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now.wYear;
}

}  // namespace quonel::updmanifest
