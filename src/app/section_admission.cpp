#include "app/section_admission.h"

#include "app/section_path_guard.h"
#include "app/wizard_own_files.h"

namespace quonel {

SectionRefusal SectionAdmission::Admit(const std::wstring& section) {
  switch (FindSectionPathFault(section)) {
    case SectionPathFault::None: break;
    case SectionPathFault::WizardFile:
      return {true, false, L"路径无效", section + L"是升级程序自己的文件，拒绝下载和安装"};
    default:
      // A manifest may name any path; only paths inside the installation are ours to write.
      return {true, false, L"路径无效", section + L"不是安装目录内的文件，拒绝下载和安装"};
  }
  // Beyond the limit the backup or the copy's record cannot be written; a
  // file that could only half be installed is not started on.
  if (appPathLength_ + LongestPathBuiltFor(section) >= kPlatformPathLimit ||
      appPathLength_ + LongestFolderBuiltFor(section) >= kPlatformFolderLimit)
    return {true, false, L"路径过长",
            section + L"的路径过长，其备份或下载记录的路径将超过 " + std::to_wstring(kPlatformPathLimit - 1) +
                L" 个字符，拒绝下载和安装"};
  const auto [earlier, fresh] = seen_.emplace(SectionPathKey(section), section);
  if (!fresh)
    return {true, true, L"重复的文件", section + L"与前面的" + earlier->second + L"是同一个文件，跳过下载和安装"};
  return {};
}

}  // namespace quonel
