#include <windows.h>
#include <bcrypt.h>

#include <stdexcept>

#include "core/win32_owners.h"
#include "sha256.h"

namespace quonel::updmanifest {

struct Sha256::State {
  OwnedCryptAlgorithm algorithm;
  OwnedCryptHash hash;
};

namespace {

bool Succeeded(NTSTATUS status) { return status >= 0; }

}  // namespace

Sha256::Sha256() : state_(std::make_unique<State>()) {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  if (!Succeeded(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0)))
    throw std::runtime_error("the platform offers no SHA-256");
  state_->algorithm.Reset(algorithm);
  // The hash object's memory is the provider's own (Windows 7 and later).
  BCRYPT_HASH_HANDLE hash = nullptr;
  if (!Succeeded(BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0)))
    throw std::runtime_error("SHA-256 cannot be started");
  state_->hash.Reset(hash);
}

Sha256::~Sha256() = default;

void Sha256::Update(const void* data, size_t size) {
  const auto* at = static_cast<const uint8_t*>(data);
  while (size > 0) {
    const ULONG chunk = size > 0x40000000 ? 0x40000000 : static_cast<ULONG>(size);
    if (!Succeeded(BCryptHashData(state_->hash.Get(), const_cast<PUCHAR>(at), chunk, 0)))
      throw std::runtime_error("SHA-256 failed");
    at += chunk;
    size -= chunk;
  }
}

std::array<uint8_t, 32> Sha256::Finish() {
  std::array<uint8_t, 32> digest{};
  if (!Succeeded(BCryptFinishHash(state_->hash.Get(), digest.data(), static_cast<ULONG>(digest.size()), 0)))
    throw std::runtime_error("SHA-256 failed");
  return digest;
}

}  // namespace quonel::updmanifest
