#include "release_folder.h"

#include <algorithm>

#include "ini_text.h"
#include "native_text.h"

namespace quonel::updmanifest {
namespace fs = std::filesystem;

namespace {

std::wstring SectionOf(const fs::path& relative) {
  std::wstring section;
  for (const fs::path& part : relative) {
    if (!section.empty()) section += L'\\';
    section += PathText(part);
  }
  return section;
}

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ignored;
  return !b.empty() && fs::equivalent(a, b, ignored);
}

}  // namespace

ReleaseFolder ScanReleaseFolder(const fs::path& folder, const fs::path& skip) {
  ReleaseFolder release;
  std::error_code error;
  if (!fs::is_directory(folder, error)) {
    release.problems.push_back(PathText(folder) + L" is not a folder");
    return release;
  }
  fs::recursive_directory_iterator it(folder, error), end;
  for (; !error && it != end; it.increment(error)) {
    const fs::directory_entry& entry = *it;
    const std::wstring section = SectionOf(entry.path().lexically_relative(folder));
    if (entry.is_directory(error)) {
      // Not followed: a link could lead round in a circle or out of the release.
      if (entry.is_symlink(error)) release.problems.push_back(section + L": a link to a folder; copy the folder in");
      continue;
    }
    if (!entry.is_regular_file(error)) {
      release.problems.push_back(section + L": not a regular file");
      continue;
    }
    if (!SameFile(entry.path(), skip) && !SameFile(entry.path(), fs::path(skip) += ".sig"))
      release.files.push_back({section, entry.path()});
  }
  if (error) release.problems.push_back(PathText(folder) + L": the folder cannot be read to its end");
  std::sort(release.files.begin(), release.files.end(), [](const ReleaseFile& a, const ReleaseFile& b) {
    const std::wstring foldedA = FoldedSection(a.section), foldedB = FoldedSection(b.section);
    return foldedA != foldedB ? foldedA < foldedB : a.section < b.section;
  });
  return release;
}

}  // namespace quonel::updmanifest
