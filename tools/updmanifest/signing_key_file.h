// The publisher's key files. NAME.key holds the private key in our own
// plain form and is readable by its owner only:
//   quonel-private-key: 1
//   private: 64 hex digits     the scalar d
//   public: ecdsa-p256:...     the public-key line
// NAME.pub holds the public-key line alone, as config.ini's [trust] takes it.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "ecdsa_p256.h"

namespace quonel::updmanifest {

std::string SigningKeyText(const SigningKey& key);
std::optional<SigningKey> ReadSigningKeyText(std::string_view text);

// Creates a new file readable and writable by its owner only; throws
// std::runtime_error when it exists already or cannot be written.
void WriteOwnerOnlyFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace quonel::updmanifest
