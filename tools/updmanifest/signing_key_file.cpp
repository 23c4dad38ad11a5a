#include "signing_key_file.h"

namespace quonel::updmanifest {
namespace {

constexpr std::string_view kFirstLine = "quonel-private-key: 1\n";

}  // namespace

std::string SigningKeyText(const SigningKey& key) {
  return std::string(kFirstLine) + "private: " + HexBytes(key.privateKey.data(), key.privateKey.size()) +
         "\npublic: " + PublicKeyLine(key.publicKey) + "\n";
}

std::optional<SigningKey> ReadSigningKeyText(std::string_view text) {
  if (!text.starts_with(kFirstLine)) return std::nullopt;
  text.remove_prefix(kFirstLine.size());
  constexpr std::string_view kPrivate = "private: ", kPublic = "\npublic: ";
  SigningKey key;
  if (!text.starts_with(kPrivate) || text.size() < kPrivate.size() + 64 ||
      !ParseHexBytes(text.substr(kPrivate.size(), 64), key.privateKey.data(), key.privateKey.size()))
    return std::nullopt;
  text.remove_prefix(kPrivate.size() + 64);
  if (!text.starts_with(kPublic)) return std::nullopt;
  text.remove_prefix(kPublic.size());
  const size_t end = text.find('\n');
  if (end == std::string_view::npos || end + 1 != text.size()) return std::nullopt;
  const std::optional<EcdsaP256PublicKey> publicKey = ParsePublicKeyLine(text.substr(0, end));
  if (!publicKey) return std::nullopt;
  key.publicKey = *publicKey;
  return key;
}

}  // namespace quonel::updmanifest
