// --check: a published server folder against its manifest. Every section
// must be a name the wizard accepts with a date it reads and well-formed
// `size` and `sha256`, and its file must be in the folder with that size and
// digest. A file of a sub-folder may lie in the sub-folder or, as a Linux
// server serves the name the wizard asks for, under its section name with
// the "\" in it.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace quonel::updmanifest {

struct CheckReport {
  size_t files = 0;                      // sections checked
  std::vector<std::wstring> differences;  // one line each; none means the folder is sound
};

CheckReport CheckServerFolder(const std::string& manifestBytes, const std::filesystem::path& folder, int currentYear);

}  // namespace quonel::updmanifest
