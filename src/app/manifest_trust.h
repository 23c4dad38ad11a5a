// The publisher keys the wizard trusts: the [trust] section of config.ini
// (any key name, each value one public-key line as `updmanifest keygen`
// prints it) and the keys built into the program. Any key at all makes the
// manifest fetch strict: nothing unsigned or wrongly signed is accepted.
#pragma once
#include <string>
#include <vector>

#include "net/release_signature.h"

namespace quonel {

struct TrustedKey {
  std::string id;  // PublicKeyId of the key
  EcdsaP256PublicKey key{};
};

struct ManifestTrust {
  std::vector<TrustedKey> keys;
  // [trust] entries that are not a public-key line ("name: why"). They still
  // make the fetch strict: a mistyped key must not switch verification off.
  std::vector<std::wstring> unusableKeys;
  bool Strict() const { return !keys.empty() || !unusableKeys.empty(); }
};

ManifestTrust LoadManifestTrust(const std::wstring& configPath);
// The key id of a public key, through the platform's SHA-256.
std::string KeyIdOf(const EcdsaP256PublicKey& key);

}  // namespace quonel
