// TSkinReader: decompresses a skin archive once, keeps its member table and
// hands out members by name. The archive is input like any other: a damaged
// or hostile one loads nothing and never reads outside what was decoded.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quonel {

inline constexpr int32_t kSkinArchiveVersion = 20000;
inline constexpr const wchar_t* kOlderSkinMessage =
    L"This is Older Skin File\rPlease update to new version !";

struct TSkinMember {
  std::string name;  // lower case
  int32_t size = 0;
  uint32_t offset = 0;  // within the content area
};

class TSkinReader {
 public:
  // The member table's capacity: an archive listing more is refused.
  static constexpr int kMaxMembers = 1001;

  TSkinReader();

  // compressed: the 4-byte decoded size T, then the LZHUF bit stream.
  // False when the archive is of another version (after the version message)
  // or is damaged beyond use (silently); the reader then holds no members.
  bool ReadArchive(std::string_view compressed);

  // The bytes of the first member whose name equals name in lower case;
  // empty when there is none.
  std::string GetMember(std::string_view name) const;
  // The first member whose (lower-case) name contains text, which must itself
  // be lower case. name receives the member's name; it is left alone when
  // nothing matches.
  std::string FindMember(std::string_view text, std::string& name) const;

  const std::vector<TSkinMember>& Members() const { return members_; }
  int MemberCount() const { return static_cast<int>(members_.size()); }
  int32_t Version() const { return version_; }
  int32_t NameListLength() const { return name_list_length_; }
  // Everything after the size table: the members' contents in list order.
  const std::string& Data() const { return data_; }

  // Shows the version message; a message box on Windows. Tests replace it.
  std::function<void(const std::wstring&)> ShowMessage;

 private:
  bool Parse(std::string decoded);
  std::string Copy(const TSkinMember& member) const;
  void Clear();

  int32_t version_ = 0;
  int32_t name_list_length_ = 0;
  std::vector<TSkinMember> members_;
  std::string data_;
};

// The lines of a name list as a line splitter sees them: CR, LF and CR LF
// each end a line, a NUL ends the text, a final terminator adds no line.
// Stops after maxLines + 1 lines, enough to tell that there are too many.
std::vector<std::string> SplitNameList(std::string_view text, size_t maxLines = SIZE_MAX);

// The platform's way of telling the user (a message box on Windows).
void ShowSkinMessage(const std::wstring& text);

}  // namespace quonel
