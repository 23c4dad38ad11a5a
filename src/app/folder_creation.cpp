#include "app/folder_creation.h"

#include <windows.h>

namespace quonel {

std::wstring FolderOf(const std::wstring& relativeFile) {
  const size_t cut = relativeFile.find_last_of(L"\\/");
  return cut == std::wstring::npos ? std::wstring() : relativeFile.substr(0, cut);
}

bool CreateFolders(const std::wstring& root, const std::wstring& relativeFolder, std::vector<std::wstring>* created) {
  if (relativeFolder.empty()) return true;
  for (size_t end = 0; end != std::wstring::npos;) {
    end = relativeFolder.find_first_of(L"\\/", end + 1);
    const std::wstring part = relativeFolder.substr(0, end);
    const std::wstring path = root + part;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
      continue;
    }
    if (!CreateDirectoryW(path.c_str(), nullptr)) return false;
    if (created) created->push_back(part);
  }
  return true;
}

}  // namespace quonel
