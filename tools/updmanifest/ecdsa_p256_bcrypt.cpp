#include <windows.h>

#include <bcrypt.h>

#include <cstring>
#include <stdexcept>
#include <vector>

#include "core/ecdsa_p256_check.h"
#include "core/exception.h"
#include "core/win32_owners.h"
#include "ecdsa_p256.h"

namespace quonel::updmanifest {
namespace {

struct CryptKeyTraits {
  using Handle = BCRYPT_KEY_HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { BCryptDestroyKey(handle); }
};
using OwnedCryptKey = OwnedHandle<CryptKeyTraits>;

void Require(NTSTATUS status, const char* what) {
  if (status < 0) throw std::runtime_error(std::string("CNG: ") + what + " failed");
}

OwnedCryptAlgorithm OpenP256() {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  Require(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0), "opening ECDSA P-256");
  return OwnedCryptAlgorithm(algorithm);
}

}  // namespace

SigningKey GenerateSigningKey() {
  const OwnedCryptAlgorithm algorithm = OpenP256();
  BCRYPT_KEY_HANDLE raw = nullptr;
  Require(BCryptGenerateKeyPair(algorithm.Get(), &raw, 256, 0), "generating a key");
  const OwnedCryptKey key(raw);
  Require(BCryptFinalizeKeyPair(key.Get(), 0), "generating a key");
  // BCRYPT_ECCPRIVATE_BLOB: the header, X, Y, d.
  unsigned char blob[sizeof(BCRYPT_ECCKEY_BLOB) + 96];
  ULONG length = 0;
  Require(BCryptExportKey(key.Get(), nullptr, BCRYPT_ECCPRIVATE_BLOB, blob, sizeof blob, &length, 0), "exporting a key");
  if (length != sizeof blob) throw std::runtime_error("CNG: exported an unexpected key blob");
  SigningKey result;
  std::memcpy(result.publicKey.data(), blob + sizeof(BCRYPT_ECCKEY_BLOB), 64);
  std::memcpy(result.privateKey.data(), blob + sizeof(BCRYPT_ECCKEY_BLOB) + 64, 32);
  SecureZeroMemory(blob, sizeof blob);
  return result;
}

EcdsaP256Signature SignDigest(const SigningKey& key, const Sha256Bytes& digest) {
  const OwnedCryptAlgorithm algorithm = OpenP256();
  unsigned char blob[sizeof(BCRYPT_ECCKEY_BLOB) + 96];
  const BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PRIVATE_P256_MAGIC, 32};
  std::memcpy(blob, &header, sizeof header);
  std::memcpy(blob + sizeof header, key.publicKey.data(), 64);
  std::memcpy(blob + sizeof header + 64, key.privateKey.data(), 32);
  BCRYPT_KEY_HANDLE raw = nullptr;
  const NTSTATUS imported = BCryptImportKeyPair(algorithm.Get(), nullptr, BCRYPT_ECCPRIVATE_BLOB, &raw, blob, sizeof blob, 0);
  SecureZeroMemory(blob, sizeof blob);
  Require(imported, "importing the private key");
  const OwnedCryptKey owned(raw);
  // The size query is not asked: some implementations answer it wrongly.
  EcdsaP256Signature signature{};
  ULONG length = 0;
  Require(BCryptSignHash(owned.Get(), nullptr, const_cast<PUCHAR>(digest.data()), static_cast<ULONG>(digest.size()),
                         signature.data(), static_cast<ULONG>(signature.size()), &length, 0),
          "signing");
  if (length != signature.size()) throw std::runtime_error("CNG: the signature has an unexpected length");
  return signature;
}

bool SignatureValid(const EcdsaP256PublicKey& key, const Sha256Bytes& digest, const EcdsaP256Signature& signature) {
  try {
    return EcdsaP256SignatureValid(key, digest, signature);
  } catch (const Exception&) {
    throw std::runtime_error("the platform offers no ECDSA P-256");
  }
}

}  // namespace quonel::updmanifest
