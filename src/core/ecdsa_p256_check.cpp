#include "core/ecdsa_p256_check.h"

#include <cstring>

#include "core/exception.h"
#include "core/win32_owners.h"

namespace quonel {
namespace {

struct CryptKeyTraits {
  using Handle = BCRYPT_KEY_HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { BCryptDestroyKey(handle); }
};
using OwnedCryptKey = OwnedHandle<CryptKeyTraits>;

}  // namespace

bool EcdsaP256SignatureValid(const std::array<uint8_t, 64>& publicKey, const std::array<uint8_t, 32>& digest,
                             const std::array<uint8_t, 64>& signature) {
  BCRYPT_ALG_HANDLE rawAlgorithm = nullptr;
  if (BCryptOpenAlgorithmProvider(&rawAlgorithm, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0) < 0)
    throw Exception(L"ECDSA P-256 is not available");
  const OwnedCryptAlgorithm algorithm(rawAlgorithm);
  // BCRYPT_ECCPUBLIC_BLOB: the header, then X and Y.
  unsigned char blob[sizeof(BCRYPT_ECCKEY_BLOB) + 64];
  BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, 32};
  std::memcpy(blob, &header, sizeof header);
  std::memcpy(blob + sizeof header, publicKey.data(), publicKey.size());
  BCRYPT_KEY_HANDLE rawKey = nullptr;
  if (BCryptImportKeyPair(algorithm.Get(), nullptr, BCRYPT_ECCPUBLIC_BLOB, &rawKey, blob, sizeof blob, 0) < 0)
    return false;
  const OwnedCryptKey key(rawKey);
  return BCryptVerifySignature(key.Get(), nullptr, const_cast<PUCHAR>(digest.data()), static_cast<ULONG>(digest.size()),
                               const_cast<PUCHAR>(signature.data()), static_cast<ULONG>(signature.size()), 0) >= 0;
}

}  // namespace quonel
