// The files of a release folder, each with the section name the wizard
// will know it by: its path relative to the folder with "\" separators.
// A file name that holds "\" (as a Linux server folder names a file of a
// sub-folder, since the wizard puts the section name into the URL
// unchanged) gives the same section as the sub-folder form.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace quonel::updmanifest {

struct ReleaseFile {
  std::wstring section;
  std::filesystem::path path;
};

struct ReleaseFolder {
  std::vector<ReleaseFile> files;  // in the order of the manifest
  std::vector<std::wstring> problems;
};

// Every regular file below folder except `skip` (the manifest being
// written, when it lies inside) and its signature `skip`.sig, ordered by section name without regard to
// ASCII letter case, then exactly: the same folder always gives the same order.
ReleaseFolder ScanReleaseFolder(const std::filesystem::path& folder, const std::filesystem::path& skip);

}  // namespace quonel::updmanifest
