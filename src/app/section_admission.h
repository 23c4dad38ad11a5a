// Which sections of one manifest a run may fetch and install. A name is
// refused when it could leave the application folder, would overwrite one of
// the wizard's own files, or makes a path longer than Windows opens; and a
// name that denotes a file an earlier section already names (another letter
// case, "/" for "\") is that file again: the first section wins, and nothing
// is ever fetched into or moved from one staged copy twice.
#pragma once
#include <cstddef>
#include <map>
#include <string>

namespace quonel {

struct SectionRefusal {
  bool refused = false;
  bool duplicate = false;  // another name of an earlier section's file
  std::wstring verdict;    // the row's "本地状态"
  std::wstring logText;    // why, naming the section (no line end)
};

class SectionAdmission {
 public:
  // appPathLength: the application folder's path with its final "\".
  explicit SectionAdmission(size_t appPathLength = 0) : appPathLength_(appPathLength) {}
  // Decides for the sections in manifest order; each name is asked once.
  SectionRefusal Admit(const std::wstring& section);

 private:
  size_t appPathLength_;
  std::map<std::wstring, std::wstring> seen_;  // key -> the first section of that file
};

// Paths the platform opens without the "\\?\" form are shorter than this.
inline constexpr size_t kPlatformPathLimit = 260;
// CreateDirectory leaves room for an 8.3 name below the folder.
inline constexpr size_t kPlatformFolderLimit = 248;

}  // namespace quonel
