#include "app/verified_manifest_fetch.h"

#include <windows.h>

#include "app/accepted_release_store.h"
#include "core/ansi_text.h"
#include "core/ecdsa_p256_check.h"
#include "core/sha256_digest.h"
#include "net/http_exceptions.h"

namespace quonel {
namespace {

[[noreturn]] void Refuse(const std::string& reason) { throw EManifestRefused(AnsiToWide(reason)); }

int64_t SecondsSince1970() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const uint64_t ticks = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  return static_cast<int64_t>(ticks / 10000000 - 11644473600ull);
}

Sha256Bytes Sha256Of(const std::string& bytes) {
  TSha256 sha;
  sha.Update(bytes.data(), bytes.size());
  const Sha256Digest digest = sha.Finish();
  Sha256Bytes result{};
  std::copy(digest.begin(), digest.end(), result.begin());
  return result;
}

FetchedManifest FetchUnsigned(TNetHTTP& client, const std::string& manifestUrl) {
  FetchedManifest fetched;
  fetched.body = client.GetText(manifestUrl);
  // A body cut short is part of a manifest, and would drop its last files.
  if (client.Response().HasContentLength() &&
      fetched.body.size() < static_cast<size_t>(client.Response().ContentLength))
    throw Exception(L"The manifest ended before its length");
  return fetched;
}

ReleaseSignature FetchSignature(TNetHTTP& client, const std::string& signatureUrl) {
  std::string bytes;
  try {
    bytes = client.GetText(signatureUrl, kMaxSignatureFileSize);
  } catch (const ENetHTTPProtocolException& e) {
    Refuse("no signature at " + signatureUrl + " (" + WideToAnsi(e.Message()) + ")");
  } catch (const ENetBodyTooLong&) {
    Refuse("the signature " + signatureUrl + " is longer than 16 KiB");
  }
  SignatureReading reading = ReadReleaseSignature(bytes);
  if (!reading.signature) Refuse("the signature " + signatureUrl + " cannot be read: " + reading.problem);
  return std::move(*reading.signature);
}

void CheckSignedBy(const ReleaseSignature& release, const ManifestTrust& trust) {
  for (const TrustedKey& key : trust.keys) {
    if (key.id != release.keyId) continue;
    if (!EcdsaP256SignatureValid(key.key, Sha256Of(release.signedText), release.signature))
      Refuse("the signature does not match the manifest's signed lines and key " + release.keyId);
    return;
  }
  Refuse("the signing key " + release.keyId + " is not trusted");
}

}  // namespace

FetchedManifest FetchVerifiedManifest(TNetHTTP& client, const std::string& manifestUrl, const ManifestTrust& trust,
                                      const std::string& product, const std::wstring& updateFolder) {
  if (!trust.Strict()) return FetchUnsigned(client, manifestUrl);

  const ReleaseSignature release = FetchSignature(client, manifestUrl + ".sig");
  CheckSignedBy(release, trust);
  std::optional<uint64_t> highest;
  try {
    highest = ReadHighestAcceptedSerial(updateFolder);
  } catch (const Exception& e) {
    Refuse(WideToAnsi(e.Message()));
  }
  const std::string refusal = ReleaseRefusal(release, product, SecondsSince1970(), highest);
  if (!refusal.empty()) Refuse(refusal);

  FetchedManifest fetched;
  try {
    fetched.body = client.GetText(manifestUrl, static_cast<int64_t>(release.size));
  } catch (const ENetBodyTooLong&) {
    Refuse("the manifest is longer than the signed " + std::to_string(release.size) + " bytes");
  }
  const std::string mismatch = ManifestMismatch(release, fetched.body.size(), Sha256Of(fetched.body));
  if (!mismatch.empty()) Refuse(mismatch);
  // The same release fetched again changes nothing worth a flushed write.
  if (highest != release.serial) RecordAcceptedRelease(updateFolder, release.serial, release.keyId);
  fetched.verified = true;
  fetched.serial = release.serial;
  fetched.keyId = release.keyId;
  return fetched;
}

}  // namespace quonel
