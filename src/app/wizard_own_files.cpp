#include "app/wizard_own_files.h"

#include <algorithm>

#include "app/section_path_guard.h"

namespace quonel {
namespace {

const size_t kFolderPrefix = 7;  // "update\" and "backup\"
const size_t kBackupSuffix = 4;  // ".bak"

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

const WizardOwnFile* WizardOwnFileHitBy(const std::wstring& section) {
  const std::wstring key = SectionPathKey(section);
  for (const WizardOwnFile& own : kWizardOwnFiles) {
    const std::wstring name = own.name;
    bool hit = false;
    switch (own.place) {
      case WizardFilePlace::Folder: hit = key == name || key.starts_with(name + L"\\"); break;
      case WizardFilePlace::StagingFile: hit = key == name; break;
      case WizardFilePlace::StagingSuffix: hit = EndsWith(key, name); break;
    }
    if (hit) return &own;
  }
  return nullptr;
}

size_t LongestPathBuiltFor(const std::wstring& section) {
  size_t longestSuffix = kBackupSuffix;
  for (const WizardOwnFile& own : kWizardOwnFiles)
    if (own.place == WizardFilePlace::StagingSuffix) longestSuffix = std::max(longestSuffix, std::wstring(own.name).size());
  return kFolderPrefix + section.size() + longestSuffix;
}

size_t LongestFolderBuiltFor(const std::wstring& section) {
  const size_t separator = section.find_last_of(L"\\/");
  return kFolderPrefix + (separator == std::wstring::npos ? 0 : separator);
}

}  // namespace quonel
