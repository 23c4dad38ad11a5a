// SHA-256 through the platform's cryptography: OpenSSL's libcrypto on Linux,
// CNG (bcrypt) on Windows.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace quonel::updmanifest {

class Sha256 {
 public:
  Sha256();  // throws std::runtime_error when the platform offers no SHA-256
  ~Sha256();
  Sha256(const Sha256&) = delete;
  Sha256& operator=(const Sha256&) = delete;

  void Update(const void* data, size_t size);
  std::array<uint8_t, 32> Finish();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// 64 lower-case hex digits.
std::string HexDigest(const std::array<uint8_t, 32>& digest);

// The digest of a whole file, read in blocks; std::runtime_error when it
// cannot be read. size receives the number of bytes hashed.
std::string FileSha256Hex(const std::filesystem::path& path, uint64_t& size);

}  // namespace quonel::updmanifest
