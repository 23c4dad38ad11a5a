// The blue skin as a form stores it in SkinStream: the archive's length as
// four little-endian bytes, then the archive. The archive file is named by
// QUONEL_BLUE_SKIN, a definition of each test target that reads it.
#pragma once
#include <cstdint>
#include <string>

#include "support/test_paths.h"

namespace quonel::testing {

inline std::string StoredBlueSkin() {
  const std::string archive = ReadTextFile(QUONEL_BLUE_SKIN);
  const auto n = static_cast<uint32_t>(archive.size());
  return std::string{static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16),
                     static_cast<char>(n >> 24)} +
         archive;
}

}  // namespace quonel::testing
