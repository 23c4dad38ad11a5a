// The manifest of a release folder, as the wizard reads it: GB2312 INI text,
// one section per file (its path relative to the folder, "\" separators)
// with `name`, `datetime`, `size` and `sha256`, in a stable order. Nothing is
// written when a file cannot be published as it is.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "manifest_date.h"

namespace quonel::updmanifest {

struct ManifestOptions {
  std::filesystem::path release;
  std::optional<std::string> namesFileBytes;  // the names file's content
  std::optional<LocalDateTime> releaseDate;   // else each file's last-write time
  std::filesystem::path output;               // left out of the release when inside it
};

struct BuiltManifest {
  std::string bytes;  // empty when there are problems
  size_t files = 0;
  std::vector<std::wstring> problems;  // why the release cannot be published
  std::vector<std::wstring> warnings;  // published, but worth a look
};

BuiltManifest BuildManifest(const ManifestOptions& options);

}  // namespace quonel::updmanifest
