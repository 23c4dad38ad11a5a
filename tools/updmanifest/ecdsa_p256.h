// The publisher's side of ECDSA P-256 through the platform's cryptography:
// OpenSSL's libcrypto on Linux, CNG on Windows. A signature made by either
// verifies in the other and in the wizard. Failures throw std::runtime_error.
#pragma once
#include <array>
#include <cstdint>

#include "net/release_signature.h"

namespace quonel::updmanifest {

using EcdsaP256PrivateKey = std::array<uint8_t, 32>;  // the scalar d, big-endian

struct SigningKey {
  EcdsaP256PrivateKey privateKey{};
  EcdsaP256PublicKey publicKey{};
};

SigningKey GenerateSigningKey();
EcdsaP256Signature SignDigest(const SigningKey& key, const Sha256Bytes& digest);
bool SignatureValid(const EcdsaP256PublicKey& key, const Sha256Bytes& digest, const EcdsaP256Signature& signature);

}  // namespace quonel::updmanifest
