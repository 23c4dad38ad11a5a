#include "skin_archive_writer.h"

#include "core/little_endian.h"

#include <cstdint>
#include <stdexcept>

#include "lzh_encoder.h"
#include "skin/archive/skin_reader.h"

namespace quonel::skinpack {
namespace {

void AppendInt32(std::string& out, int64_t value) {
  if (value < INT32_MIN || value > INT32_MAX) throw std::length_error("archive field beyond 32 bits");
  AppendLittleEndian32(out, static_cast<uint32_t>(static_cast<int32_t>(value)));
}

}  // namespace

std::string LayOutArchive(const std::vector<MemberFile>& members) {
  if (members.size() > static_cast<size_t>(TSkinReader::kMaxMembers)) {
    throw std::length_error("more members than a skin archive may list");
  }
  std::string names;
  for (const MemberFile& member : members) {
    if (member.name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
      throw std::invalid_argument("member name with a line break: " + member.name);
    }
    names += member.name + "\r\n";
  }
  std::string out;
  AppendInt32(out, kSkinArchiveVersion);
  AppendInt32(out, static_cast<int64_t>(names.size()));
  AppendInt32(out, 0);  // reserved
  AppendInt32(out, 0);
  out += names;
  for (const MemberFile& member : members) AppendInt32(out, static_cast<int64_t>(member.bytes.size()));
  for (const MemberFile& member : members) out += member.bytes;
  return out;
}

std::string PackArchive(const std::vector<MemberFile>& members) { return LzhEncode(LayOutArchive(members)); }

}  // namespace quonel::skinpack
