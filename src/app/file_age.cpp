#include "app/file_age.h"

#include <windows.h>

namespace quonel {

std::optional<TDateTime> FileAge(const std::wstring& path) {
  // A wildcard in the name would match some other file.
  if (path.find_first_of(L"*?") != std::wstring::npos) return std::nullopt;
  // One query of the file's attributes: a directory search costs a run of
  // tens of thousands of files far more.
  WIN32_FILE_ATTRIBUTE_DATA found;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &found)) return std::nullopt;
  if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  FILETIME local;
  WORD dosDate, dosTime;
  if (!FileTimeToLocalFileTime(&found.ftLastWriteTime, &local) ||
      !FileTimeToDosDateTime(&local, &dosDate, &dosTime))
    return std::nullopt;
  return TDateTime::Encode((dosDate >> 9) + 1980, (dosDate >> 5) & 15, dosDate & 31, dosTime >> 11,
                           (dosTime >> 5) & 63, (dosTime & 31) * 2);
}

}  // namespace quonel
