// The detached signature published beside a manifest (`<manifest>.sig`): plain
// ASCII lines "name: value", each ending in LF, in this form:
//
//   quonel-signature: 1
//   key: 16 hex digits            the signing key's id (PublicKeyId)
//   serial: decimal               grows with every release; never accepted lower
//   product: SubSys               the manifest's base name
//   size: decimal                 the manifest's exact length in bytes
//   sha256: 64 hex digits         the manifest's digest
//   expires: 2027-01-31T00:00:00Z optional, UTC
//   signature: 128 hex digits     ECDSA P-256 over SHA-256 of every line above, r then s
//
// The first line comes first and the signature line last; the others in any
// order, each once. Platform-free: the wizard and the publisher's tool both
// read and write it here, and only the crypto differs by platform.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quonel {

using EcdsaP256PublicKey = std::array<uint8_t, 64>;  // X then Y, big-endian
using EcdsaP256Signature = std::array<uint8_t, 64>;  // r then s, big-endian
using Sha256Bytes = std::array<uint8_t, 32>;

// The bound of a signature file, also the bound of its download.
inline constexpr size_t kMaxSignatureFileSize = 16 * 1024;
inline constexpr size_t kMaxSignatureLineLength = 256;

struct ReleaseSignature {
  std::string keyId;  // 16 lower-case hex digits
  uint64_t serial = 0;
  std::string product;
  uint64_t size = 0;
  Sha256Bytes sha256{};
  std::optional<int64_t> expires;  // seconds since 1970-01-01 UTC
  EcdsaP256Signature signature{};
  // The bytes the signature covers: every line before the signature line.
  std::string signedText;
};

struct SignatureReading {
  std::optional<ReleaseSignature> signature;
  std::string problem;  // why there is none, e.g. "line 3: serial appears twice"
};

SignatureReading ReadReleaseSignature(std::string_view bytes);

// The lines a signature covers for these fields (keyId, serial, product,
// size, sha256, expires); append SignatureLine to make the whole file.
std::string SignedLines(const ReleaseSignature& fields);
std::string SignatureLine(const EcdsaP256Signature& signature);

// A public key as config.ini's [trust] and NAME.pub carry it:
// "ecdsa-p256:" and 128 hex digits (X then Y).
std::string PublicKeyLine(const EcdsaP256PublicKey& key);
std::optional<EcdsaP256PublicKey> ParsePublicKeyLine(std::string_view line);
// A key's id: the first 8 bytes of SHA-256 over its 64 bytes, in hex.
std::string PublicKeyId(const Sha256Bytes& digestOfKey);

// "YYYY-MM-DDTHH:MM:SSZ" <-> seconds since 1970 (years 1970 to 9999).
std::optional<int64_t> ParseUtcTime(std::string_view text);
std::string FormatUtcTime(int64_t seconds);

std::string HexBytes(const uint8_t* bytes, size_t count);
// Exactly count bytes from 2 * count hex digits of either case.
bool ParseHexBytes(std::string_view text, uint8_t* bytes, size_t count);

// Why a genuinely signed release is still refused for a product at a
// moment after the highest serial already accepted; "" when accepted.
std::string ReleaseRefusal(const ReleaseSignature& release, std::string_view product, int64_t now,
                           std::optional<uint64_t> highestAcceptedSerial);
// Why manifest bytes are not the ones signed; "" when they are.
std::string ManifestMismatch(const ReleaseSignature& release, uint64_t size, const Sha256Bytes& sha256);

// The record of the highest serial accepted so far and the key that signed
// it: "serial: N" and "key: ID" lines. Absent when the text is not one.
std::string AcceptedReleaseText(uint64_t serial, const std::string& keyId);
std::optional<uint64_t> ReadAcceptedSerial(std::string_view text);

}  // namespace quonel
