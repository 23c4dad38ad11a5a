// SHA-256 through the platform's own cryptography (CNG): a running digest
// fed block by block, and the digest of a whole file.
#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "core/win32_owners.h"

namespace quonel {

using Sha256Digest = std::array<unsigned char, 32>;

class TSha256 {
 public:
  TSha256();  // raises Exception when the platform has no SHA-256
  void Update(const void* bytes, size_t count);
  Sha256Digest Finish();

 private:
  OwnedCryptAlgorithm algorithm_;
  OwnedCryptHash hash_;
};

// Absent when the file cannot be read to its end.
std::optional<Sha256Digest> Sha256OfFile(const std::wstring& path);

}  // namespace quonel
