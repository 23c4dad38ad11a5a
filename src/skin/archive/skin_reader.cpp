#include "skin/archive/skin_reader.h"

#include "core/ascii_case.h"
#include "core/little_endian.h"

#include "skin/archive/lzh.h"

namespace quonel {
namespace {

constexpr size_t kHeaderSize = 16;


}  // namespace

std::vector<std::string> SplitNameList(std::string_view text, size_t maxLines) {
  const size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size() && lines.size() <= maxLines) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

TSkinReader::TSkinReader() : ShowMessage(ShowSkinMessage) {}

void TSkinReader::Clear() {
  version_ = 0;
  name_list_length_ = 0;
  members_.clear();
  data_.clear();
}

bool TSkinReader::ReadArchive(std::string_view compressed) {
  Clear();
  if (compressed.size() < 4) return false;
  const int32_t size = ReadLittleEndianInt32(compressed, 0);
  if (size < 0 || size > TLZH::kMaxDecodedSize) return false;
  std::string decoded = TLZH::Decode(compressed.substr(4), size);
  // A final match may run past the size; those bytes belong to no archive,
  // and a member claiming them would be reading decoder leftovers.
  decoded.resize(static_cast<size_t>(size));
  return Parse(std::move(decoded));
}

bool TSkinReader::Parse(std::string decoded) {
  const std::string_view bytes(decoded);
  if (bytes.size() < kHeaderSize) return false;
  const int32_t version = ReadLittleEndianInt32(bytes, 0);
  const int32_t listLength = ReadLittleEndianInt32(bytes, 4);
  if (version != kSkinArchiveVersion) {
    if (ShowMessage) ShowMessage(kOlderSkinMessage);
    return false;
  }
  if (listLength < 0 || static_cast<size_t>(listLength) > bytes.size() - kHeaderSize) return false;

  // Counting stops past the table's capacity: a list of millions of empty
  // lines must not become millions of strings.
  const std::vector<std::string> names =
      SplitNameList(AsciiLower(bytes.substr(kHeaderSize, listLength)), kMaxMembers);
  if (names.size() > static_cast<size_t>(kMaxMembers)) return false;
  const size_t sizesAt = kHeaderSize + static_cast<size_t>(listLength);
  const size_t contentAt = sizesAt + 4 * names.size();
  if (contentAt > bytes.size()) return false;

  std::vector<TSkinMember> members;
  members.reserve(names.size());
  uint64_t offset = 0;
  const uint64_t contentSize = bytes.size() - contentAt;
  for (size_t i = 0; i < names.size(); ++i) {
    const int32_t memberSize = ReadLittleEndianInt32(bytes, sizesAt + 4 * i);
    // A member must lie wholly inside the decoded data.
    if (memberSize < 0 || offset + static_cast<uint64_t>(memberSize) > contentSize) return false;
    members.push_back({names[i], memberSize, static_cast<uint32_t>(offset)});
    offset += static_cast<uint64_t>(memberSize);
  }

  version_ = version;
  name_list_length_ = listLength;
  members_ = std::move(members);
  decoded.erase(0, contentAt);
  data_ = std::move(decoded);
  return true;
}

std::string TSkinReader::Copy(const TSkinMember& member) const {
  return data_.substr(member.offset, static_cast<size_t>(member.size));
}

std::string TSkinReader::GetMember(std::string_view name) const {
  const std::string wanted = AsciiLower(name);
  for (const TSkinMember& member : members_) {
    if (member.name == wanted) return Copy(member);
  }
  return {};
}

std::string TSkinReader::FindMember(std::string_view text, std::string& name) const {
  for (const TSkinMember& member : members_) {
    if (member.name.find(text) != std::string::npos) {
      name = member.name;
      return Copy(member);
    }
  }
  return {};
}

}  // namespace quonel
