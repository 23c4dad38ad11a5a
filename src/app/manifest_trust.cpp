#include "app/manifest_trust.h"

#include <sstream>

#include "app/ini_file.h"
#include "compiled_trust_keys.h"
#include "core/ansi_text.h"
#include "core/sha256_digest.h"

namespace quonel {
namespace {

void AddKey(ManifestTrust& trust, const std::wstring& name, const std::string& line) {
  const std::optional<EcdsaP256PublicKey> key = ParsePublicKeyLine(line);
  if (!key) {
    trust.unusableKeys.push_back(name + L": not an \"ecdsa-p256:\" key line");
    return;
  }
  trust.keys.push_back({KeyIdOf(*key), *key});
}

}  // namespace

std::string KeyIdOf(const EcdsaP256PublicKey& key) {
  TSha256 sha;
  sha.Update(key.data(), key.size());
  const Sha256Digest digest = sha.Finish();
  Sha256Bytes bytes{};
  std::copy(digest.begin(), digest.end(), bytes.begin());
  return PublicKeyId(bytes);
}

ManifestTrust LoadManifestTrust(const std::wstring& configPath) {
  ManifestTrust trust;
  // Keys built into the program stay trusted whatever config.ini says.
  std::istringstream compiled(kCompiledTrustKeys);
  for (std::string line; std::getline(compiled, line);)
    if (line.find_first_not_of(" \r") != std::string::npos) AddKey(trust, L"(built in)", line);
  const TIniFile config(configPath);
  for (const std::wstring& name : config.ReadSection(L"trust"))
    AddKey(trust, name, WideToAnsi(config.ReadString(L"trust", name, L"")));
  return trust;
}

}  // namespace quonel
