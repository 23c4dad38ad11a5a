#include "net/release_signature.h"

#include <charconv>
#include <vector>

namespace quonel {
namespace {

constexpr std::string_view kFormatLine = "quonel-signature: 1";
constexpr size_t kMaxProductLength = 200;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decimal digits only, no sign, no blanks, no leading zero, within 63 bits.
std::optional<uint64_t> ParseDecimal(std::string_view text) {
  if (text.empty() || text.size() > 19 || (text.size() > 1 && text[0] == '0')) return std::nullopt;
  uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value > INT64_MAX) return std::nullopt;
  return value;
}

bool PrintableAscii(std::string_view text) {
  for (const char c : text)
    if (c < 0x20 || c > 0x7E) return false;
  return true;
}

int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

bool LeapYear(int64_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

// Fills one field from its value; returns the problem, "" when read.
std::string ReadField(std::string_view name, std::string_view value, ReleaseSignature& out) {
  if (name == "key") {
    uint8_t id[8];
    if (value.size() != 16 || !ParseHexBytes(value, id, sizeof id)) return "key is not 16 hex digits";
    out.keyId = HexBytes(id, sizeof id);
  } else if (name == "serial") {
    const std::optional<uint64_t> serial = ParseDecimal(value);
    if (!serial) return "serial is not a decimal number";
    out.serial = *serial;
  } else if (name == "product") {
    if (value.empty() || value.size() > kMaxProductLength || value.find(' ') != std::string_view::npos)
      return "product is empty, too long or has a blank";
    out.product = value;
  } else if (name == "size") {
    const std::optional<uint64_t> size = ParseDecimal(value);
    if (!size) return "size is not a decimal number";
    out.size = *size;
  } else if (name == "sha256") {
    if (value.size() != 64 || !ParseHexBytes(value, out.sha256.data(), out.sha256.size()))
      return "sha256 is not 64 hex digits";
  } else if (name == "expires") {
    out.expires = ParseUtcTime(value);
    if (!out.expires) return "expires is not a time like 2027-01-31T00:00:00Z";
  } else if (name == "signature") {
    if (value.size() != 128 || !ParseHexBytes(value, out.signature.data(), out.signature.size()))
      return "signature is not 128 hex digits";
  } else {
    return "unknown field \"" + std::string(name) + "\"";
  }
  return "";
}

}  // namespace

SignatureReading ReadReleaseSignature(std::string_view bytes) {
  SignatureReading reading;
  auto fail = [&](size_t lineNumber, const std::string& problem) {
    reading.problem = lineNumber ? "line " + std::to_string(lineNumber) + ": " + problem : problem;
    return reading;
  };
  if (bytes.empty()) return fail(0, "the signature file is empty");
  if (bytes.size() > kMaxSignatureFileSize) return fail(0, "the signature file is longer than 16 KiB");
  if (bytes.back() != '\n') return fail(0, "the signature file does not end with a line feed");

  ReleaseSignature release;
  std::vector<std::string_view> seen;
  size_t lineNumber = 0;
  for (size_t at = 0; at < bytes.size();) {
    const size_t end = bytes.find('\n', at);
    const std::string_view line = bytes.substr(at, end - at);
    ++lineNumber;
    if (line.size() > kMaxSignatureLineLength) return fail(lineNumber, "the line is too long");
    if (!PrintableAscii(line)) return fail(lineNumber, "the line holds a byte that is not printable ASCII");
    if (lineNumber == 1) {
      if (line != kFormatLine) return fail(1, "not a signature file of format 1");
      at = end + 1;
      continue;
    }
    const size_t colon = line.find(": ");
    if (colon == std::string_view::npos || colon == 0) return fail(lineNumber, "not a \"name: value\" line");
    const std::string_view name = line.substr(0, colon);
    for (const std::string_view earlier : seen)
      if (earlier == name) return fail(lineNumber, std::string(name) + " appears twice");
    seen.push_back(name);
    const std::string problem = ReadField(name, line.substr(colon + 2), release);
    if (!problem.empty()) return fail(lineNumber, problem);
    if (name == "signature") {
      if (end + 1 != bytes.size()) return fail(lineNumber, "the signature line is not the last line");
      release.signedText = bytes.substr(0, at);
    }
    at = end + 1;
  }
  for (const char* required : {"key", "serial", "product", "size", "sha256", "signature"}) {
    bool present = false;
    for (const std::string_view name : seen) present = present || name == required;
    if (!present) return fail(0, std::string("the field ") + required + " is missing");
  }
  reading.signature = std::move(release);
  return reading;
}

std::string SignedLines(const ReleaseSignature& fields) {
  std::string text = std::string(kFormatLine) + "\n";
  text += "key: " + fields.keyId + "\n";
  text += "serial: " + std::to_string(fields.serial) + "\n";
  text += "product: " + fields.product + "\n";
  text += "size: " + std::to_string(fields.size) + "\n";
  text += "sha256: " + HexBytes(fields.sha256.data(), fields.sha256.size()) + "\n";
  if (fields.expires) text += "expires: " + FormatUtcTime(*fields.expires) + "\n";
  return text;
}

std::string SignatureLine(const EcdsaP256Signature& signature) {
  return "signature: " + HexBytes(signature.data(), signature.size()) + "\n";
}

std::string PublicKeyLine(const EcdsaP256PublicKey& key) { return "ecdsa-p256:" + HexBytes(key.data(), key.size()); }

std::optional<EcdsaP256PublicKey> ParsePublicKeyLine(std::string_view line) {
  constexpr std::string_view kPrefix = "ecdsa-p256:";
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  if (!line.starts_with(kPrefix)) return std::nullopt;
  line.remove_prefix(kPrefix.size());
  EcdsaP256PublicKey key{};
  if (line.size() != 128 || !ParseHexBytes(line, key.data(), key.size())) return std::nullopt;
  return key;
}

std::string PublicKeyId(const Sha256Bytes& digestOfKey) { return HexBytes(digestOfKey.data(), 8); }

std::optional<int64_t> ParseUtcTime(std::string_view text) {
  // YYYY-MM-DDTHH:MM:SSZ
  if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':' || text[19] != 'Z')
    return std::nullopt;
  auto number = [&](size_t at, size_t length) -> int {
    int value = 0;
    for (size_t i = at; i < at + length; ++i) {
      if (text[i] < '0' || text[i] > '9') return -1;
      value = value * 10 + (text[i] - '0');
    }
    return value;
  };
  const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
  const int hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1970 || month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 59)
    return std::nullopt;
  if (day > kDays[month - 1] + (month == 2 && LeapYear(year) ? 1 : 0)) return std::nullopt;
  return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 86400 + hour * 3600 +
         minute * 60 + second;
}

std::string FormatUtcTime(int64_t seconds) {
  const int64_t days = seconds / 86400;
  int64_t rest = seconds % 86400;
  // civil from days
  const int64_t z = days + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(z - era * 146097);
  const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned mp = (5 * dayOfYear + 2) / 153;
  const unsigned day = dayOfYear - (153 * mp + 2) / 5 + 1;
  const unsigned month = mp < 10 ? mp + 3 : mp - 9;
  const int64_t year = static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2);
  char text[32];
  snprintf(text, sizeof text, "%04lld-%02u-%02uT%02lld:%02lld:%02lldZ", static_cast<long long>(year), month, day,
           static_cast<long long>(rest / 3600), static_cast<long long>(rest / 60 % 60),
           static_cast<long long>(rest % 60));
  return text;
}

std::string HexBytes(const uint8_t* bytes, size_t count) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(count * 2);
  for (size_t i = 0; i < count; ++i) {
    hex += kDigits[bytes[i] >> 4];
    hex += kDigits[bytes[i] & 15];
  }
  return hex;
}

bool ParseHexBytes(std::string_view text, uint8_t* bytes, size_t count) {
  if (text.size() != count * 2) return false;
  for (size_t i = 0; i < count; ++i) {
    const int high = HexValue(text[2 * i]), low = HexValue(text[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    bytes[i] = static_cast<uint8_t>(high << 4 | low);
  }
  return true;
}

std::string ReleaseRefusal(const ReleaseSignature& release, std::string_view product, int64_t now,
                           std::optional<uint64_t> highestAcceptedSerial) {
  if (release.product != product)
    return "the signature is for the product \"" + release.product + "\", not \"" + std::string(product) + "\"";
  if (release.expires && *release.expires <= now)
    return "the signature expired at " + FormatUtcTime(*release.expires);
  if (highestAcceptedSerial && release.serial < *highestAcceptedSerial)
    return "serial " + std::to_string(release.serial) + " is older than the accepted serial " +
           std::to_string(*highestAcceptedSerial);
  return "";
}

std::string ManifestMismatch(const ReleaseSignature& release, uint64_t size, const Sha256Bytes& sha256) {
  if (size != release.size)
    return "the manifest has " + std::to_string(size) + " bytes, the signature names " + std::to_string(release.size);
  if (sha256 != release.sha256) return "the manifest's SHA-256 differs from the signed one";
  return "";
}

std::string AcceptedReleaseText(uint64_t serial, const std::string& keyId) {
  return "serial: " + std::to_string(serial) + "\nkey: " + keyId + "\n";
}

std::optional<uint64_t> ReadAcceptedSerial(std::string_view text) {
  if (!text.starts_with("serial: ")) return std::nullopt;
  const size_t end = text.find('\n');
  if (end == std::string_view::npos) return std::nullopt;
  return ParseDecimal(text.substr(8, end - 8));
}

}  // namespace quonel
