// Lays members out as a decompressed skin archive (version 20000) and packs
// it; the reverse of what the program's TSkinReader does.
#pragma once
#include <string>
#include <vector>

namespace quonel::skinpack {

struct MemberFile {
  std::string name;
  std::string bytes;
};

// Header, CR LF name list, size table, contents.
std::string LayOutArchive(const std::vector<MemberFile>& members);
// LayOutArchive, compressed: what a skin file holds.
std::string PackArchive(const std::vector<MemberFile>& members);

}  // namespace quonel::skinpack
