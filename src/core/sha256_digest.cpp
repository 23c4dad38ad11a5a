#include "core/sha256_digest.h"

#include <vector>

#include "core/exception.h"

namespace quonel {
namespace {

bool Succeeded(NTSTATUS status) { return status >= 0; }

}  // namespace

TSha256::TSha256() {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  if (!Succeeded(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0)))
    throw Exception(L"SHA-256 is not available");
  algorithm_.Reset(algorithm);
  BCRYPT_HASH_HANDLE hash = nullptr;
  if (!Succeeded(BCryptCreateHash(algorithm_.Get(), &hash, nullptr, 0, nullptr, 0, 0)))
    throw Exception(L"SHA-256 is not available");
  hash_.Reset(hash);
}

void TSha256::Update(const void* bytes, size_t count) {
  const auto* at = static_cast<const unsigned char*>(bytes);
  while (count > 0) {
    const ULONG part = static_cast<ULONG>(std::min<size_t>(count, 1u << 30));
    if (!Succeeded(BCryptHashData(hash_.Get(), const_cast<PUCHAR>(at), part, 0)))
      throw Exception(L"SHA-256 failed");
    at += part;
    count -= part;
  }
}

Sha256Digest TSha256::Finish() {
  Sha256Digest digest{};
  if (!Succeeded(BCryptFinishHash(hash_.Get(), digest.data(), static_cast<ULONG>(digest.size()), 0)))
    throw Exception(L"SHA-256 failed");
  return digest;
}

std::optional<Sha256Digest> Sha256OfFile(const std::wstring& path) {
  OwnedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return std::nullopt;
  try {
    TSha256 sha;
    std::vector<unsigned char> block(1 << 20);
    for (;;) {
      DWORD read = 0;
      if (!ReadFile(file.Get(), block.data(), static_cast<DWORD>(block.size()), &read, nullptr)) return std::nullopt;
      if (read == 0) break;
      sha.Update(block.data(), read);
    }
    return sha.Finish();
  } catch (const Exception&) {
    return std::nullopt;
  }
}

}  // namespace quonel
