#include <sys/stat.h>
#include <time.h>

#include "file_time.h"
#include "native_text.h"

namespace quonel::updmanifest {
namespace {

std::optional<LocalDateTime> LocalTimeOf(time_t moment) {
  struct tm local {};
  if (!localtime_r(&moment, &local)) return std::nullopt;
  // The platform's file-age query counts in two-second steps from 1980 to 2107.
  if (local.tm_year + 1900 < 1980 || local.tm_year + 1900 > 2107) return std::nullopt;
  return LocalDateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                       local.tm_hour,        local.tm_min,     local.tm_sec / 2 * 2};
}

}  // namespace

std::optional<LocalDateTime> FileLastWriteTime(const std::wstring& path) {
  struct stat status {};
  if (stat(PathFromText(path).c_str(), &status) != 0) return std::nullopt;
  return LocalTimeOf(status.st_mtime);
}

int CurrentLocalYear() {
  const time_t now = time(nullptr);
  struct tm local {};
  localtime_r(&now, &local);
  return local.tm_year + 1900;
}

}  // namespace quonel::updmanifest
