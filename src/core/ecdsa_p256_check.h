// ECDSA P-256 signature checks through the platform's CNG: the wizard's
// only way to decide that a publisher signed something.
#pragma once
#include <array>
#include <cstdint>

namespace quonel {

// publicKey: X then Y (big-endian, 32 bytes each); signature: r then s;
// digest: the SHA-256 of the signed bytes. False for a bad signature and
// for a key that is no point of the curve; raises Exception only when the
// platform has no P-256.
bool EcdsaP256SignatureValid(const std::array<uint8_t, 64>& publicKey, const std::array<uint8_t, 32>& digest,
                             const std::array<uint8_t, 64>& signature);

}  // namespace quonel
