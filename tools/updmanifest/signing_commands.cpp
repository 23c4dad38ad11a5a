#include "signing_commands.h"

#include <chrono>
#include <fstream>
#include <sstream>

#include "native_text.h"
#include "net/release_signature.h"
#include "sha256.h"
#include "signing_key_file.h"

namespace quonel::updmanifest {
namespace {

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
  std::ifstream file(PathFromText(path), std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return bytes.str();
}

Sha256Bytes DigestOf(std::string_view bytes) {
  Sha256 sha;
  sha.Update(bytes.data(), bytes.size());
  return sha.Finish();
}

int64_t SecondsSince1970() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

int Fail(std::ostream& err, const std::wstring& text, int code) {
  err << "updmanifest: " << ConsoleBytes(text) << "\n";
  return code;
}

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::optional<uint64_t> Decimal(const std::wstring& text, uint64_t maximum) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  uint64_t value = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - L'0');
  }
  if (value > maximum) return std::nullopt;
  return value;
}

// The product a manifest's file name implies: quonel.htm -> quonel.
std::string DefaultProduct(const std::wstring& manifestPath) {
  std::wstring name = PathText(PathFromText(manifestPath).filename());
  if (name.size() > 4) {
    std::wstring suffix = name.substr(name.size() - 4);
    for (wchar_t& c : suffix) c = static_cast<wchar_t>(towlower(c));
    if (suffix == L".htm") name.resize(name.size() - 4);
  }
  return std::string(name.begin(), name.end());
}

bool PrintableProduct(const std::string& product) {
  if (product.empty() || product.size() > 200) return false;
  for (const char c : product)
    if (c <= 0x20 || c > 0x7E) return false;
  return true;
}

}  // namespace

bool TakeSigningOption(const std::vector<std::wstring>& arguments, size_t& i, SigningOptions& options,
                       std::wstring& problem) {
  const std::wstring& option = arguments[i];
  if (option != L"--serial" && option != L"--expires" && option != L"--product") return false;
  if (i + 1 >= arguments.size()) {
    problem = option + L" needs a value";
    return true;
  }
  const std::wstring& value = arguments[++i];
  if (option == L"--serial") {
    options.serial = Decimal(value, INT64_MAX);
    if (!options.serial) problem = L"--serial takes a decimal number";
  } else if (option == L"--expires") {
    const std::optional<uint64_t> days = Decimal(value, 36500);
    if (!days || *days == 0) problem = L"--expires takes a number of days from 1 to 36500";
    else options.expiresDays = static_cast<int64_t>(*days);
  } else {
    bool ascii = true;
    for (const wchar_t c : value) ascii = ascii && c <= 0x7E;
    options.product = std::string(value.begin(), value.end());
    if (!ascii || !PrintableProduct(*options.product))
      problem = L"--product takes a name of printable ASCII without blanks";
  }
  return true;
}

int GenerateKeyFiles(const std::wstring& name, std::ostream& err) {
  try {
    const SigningKey key = GenerateSigningKey();
    WriteOwnerOnlyFile(PathFromText(name + L".key"), SigningKeyText(key));
    std::ofstream pub(PathFromText(name + L".pub"), std::ios::binary | std::ios::trunc);
    pub << PublicKeyLine(key.publicKey) << "\n";
    pub.close();
    if (!pub) return Fail(err, name + L".pub cannot be written", 1);
    std::string id = PublicKeyId(DigestOf(std::string_view(reinterpret_cast<const char*>(key.publicKey.data()), 64)));
    err << "updmanifest: wrote " << ConsoleBytes(name) << ".key (private, keep it offline) and "
        << ConsoleBytes(name) << ".pub (key " << id << ")\n";
    return 0;
  } catch (const std::exception& e) {
    return Fail(err, Wide(e.what()), 1);
  }
}

int SignManifest(const std::wstring& keyPath, const std::wstring& manifestPath, const SigningOptions& options,
                 std::ostream& err) {
  const std::optional<std::string> keyText = ReadFileBytes(keyPath);
  if (!keyText) return Fail(err, L"the key " + keyPath + L" cannot be read", 2);
  const std::optional<SigningKey> key = ReadSigningKeyText(*keyText);
  if (!key) return Fail(err, keyPath + L" is not a private key written by updmanifest keygen", 1);
  const std::optional<std::string> manifest = ReadFileBytes(manifestPath);
  if (!manifest) return Fail(err, L"the manifest " + manifestPath + L" cannot be read", 2);
  try {
    ReleaseSignature release;
    release.keyId =
        PublicKeyId(DigestOf(std::string_view(reinterpret_cast<const char*>(key->publicKey.data()), 64)));
    const int64_t now = SecondsSince1970();
    release.serial = options.serial ? *options.serial : static_cast<uint64_t>(now);
    release.product = options.product ? *options.product : DefaultProduct(manifestPath);
    if (!PrintableProduct(release.product))
      return Fail(err, L"the product \"" + manifestPath + L"\" implies is not printable ASCII: give --product", 1);
    release.size = manifest->size();
    release.sha256 = DigestOf(*manifest);
    if (options.expiresDays) release.expires = now + *options.expiresDays * 86400;
    const std::string signedLines = SignedLines(release);
    const EcdsaP256Signature signature = SignDigest(*key, DigestOf(signedLines));
    // A key file whose halves do not belong together would sign what nobody can check.
    if (!SignatureValid(key->publicKey, DigestOf(signedLines), signature))
      return Fail(err, keyPath + L": its public key does not check its own signature", 1);
    std::ofstream file(PathFromText(manifestPath + L".sig"), std::ios::binary | std::ios::trunc);
    file << signedLines << SignatureLine(signature);
    file.close();
    if (!file) return Fail(err, manifestPath + L".sig cannot be written", 1);
    err << "updmanifest: wrote " << ConsoleBytes(manifestPath) << ".sig: product " << release.product << ", serial "
        << release.serial << ", key " << release.keyId
        << (release.expires ? ", expires " + FormatUtcTime(*release.expires) : std::string()) << "\n";
    return 0;
  } catch (const std::exception& e) {
    return Fail(err, Wide(e.what()), 1);
  }
}

int VerifyManifest(const std::wstring& publicKeyPath, const std::wstring& manifestPath, std::ostream& out,
                   std::ostream& err) {
  const std::optional<std::string> keyText = ReadFileBytes(publicKeyPath);
  if (!keyText) return Fail(err, L"the public key " + publicKeyPath + L" cannot be read", 2);
  const std::optional<EcdsaP256PublicKey> key = ParsePublicKeyLine(*keyText);
  if (!key) return Fail(err, publicKeyPath + L" is not a public-key line", 1);
  const std::optional<std::string> manifest = ReadFileBytes(manifestPath);
  const std::optional<std::string> signatureText = ReadFileBytes(manifestPath + L".sig");
  if (!manifest) return Fail(err, L"the manifest " + manifestPath + L" cannot be read", 1);
  if (!signatureText) return Fail(err, manifestPath + L".sig cannot be read", 1);
  try {
    const SignatureReading reading = ReadReleaseSignature(*signatureText);
    if (!reading.signature) return Fail(err, manifestPath + L".sig: " + Wide(reading.problem), 1);
    const ReleaseSignature& release = *reading.signature;
    const std::string keyId =
        PublicKeyId(DigestOf(std::string_view(reinterpret_cast<const char*>(key->data()), key->size())));
    if (release.keyId != keyId)
      return Fail(err, L"signed by key " + Wide(release.keyId) + L", not by " + Wide(keyId), 1);
    if (!SignatureValid(*key, DigestOf(release.signedText), release.signature))
      return Fail(err, L"the signature does not match its lines and the key", 1);
    const std::string mismatch = ManifestMismatch(release, manifest->size(), DigestOf(*manifest));
    if (!mismatch.empty()) return Fail(err, Wide(mismatch), 1);
    if (release.expires && *release.expires <= SecondsSince1970())
      return Fail(err, L"the signature expired at " + Wide(FormatUtcTime(*release.expires)), 1);
    out << "verified: product " << release.product << ", serial " << release.serial << ", key " << release.keyId
        << (release.expires ? ", expires " + FormatUtcTime(*release.expires) : std::string()) << "\n";
    return 0;
  } catch (const std::exception& e) {
    return Fail(err, Wide(e.what()), 1);
  }
}

}  // namespace quonel::updmanifest
