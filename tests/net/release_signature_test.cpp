// The signature file's reader and the checks on a signed release: what a
// hostile or broken .sig can contain is refused with a reason, and a good
// one reads back exactly what was written.
#include <gtest/gtest.h>

#include "net/release_signature.h"

namespace quonel {
namespace {

ReleaseSignature Fields() {
  ReleaseSignature fields;
  fields.keyId = "0123456789abcdef";
  fields.serial = 1796685733;
  fields.product = "quonel";
  fields.size = 4096;
  fields.sha256.fill(0xAB);
  fields.expires = *ParseUtcTime("2027-01-31T00:00:00Z");
  fields.signature.fill(0x5C);
  return fields;
}

std::string Text(const ReleaseSignature& fields) { return SignedLines(fields) + SignatureLine(fields.signature); }

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

TEST(ReleaseSignatureReader, ReadsBackWhatWasWrittenAndCoversEveryLineButTheLast) {
  const ReleaseSignature fields = Fields();
  const SignatureReading reading = ReadReleaseSignature(Text(fields));
  ASSERT_TRUE(reading.signature) << reading.problem;
  const ReleaseSignature& read = *reading.signature;
  EXPECT_EQ(fields.keyId, read.keyId);
  EXPECT_EQ(fields.serial, read.serial);
  EXPECT_EQ("quonel", read.product);
  EXPECT_EQ(4096u, read.size);
  EXPECT_EQ(fields.sha256, read.sha256);
  EXPECT_EQ(fields.expires, read.expires);
  EXPECT_EQ(fields.signature, read.signature);
  EXPECT_EQ(SignedLines(fields), read.signedText);

  // Without an expiry, and with the middle fields in another order.
  ReleaseSignature lasting = Fields();
  lasting.expires.reset();
  const std::string reordered = Replace(Replace(Text(lasting), "serial: 1796685733\n", ""), "size: 4096\n",
                                        "size: 4096\nserial: 1796685733\n");
  const SignatureReading second = ReadReleaseSignature(reordered);
  ASSERT_TRUE(second.signature) << second.problem;
  EXPECT_FALSE(second.signature->expires);
  EXPECT_EQ(1796685733u, second.signature->serial);
}

TEST(ReleaseSignatureReader, RefusesMissingMalformedDuplicatedAndOverlongInput) {
  const std::string good = Text(Fields());
  const struct {
    std::string text, problem;
  } cases[] = {
      {"", "the signature file is empty"},
      {good.substr(0, good.size() - 1), "does not end with a line feed"},
      {Replace(good, "quonel-signature: 1", "quonel-signature: 2"), "line 1: not a signature file of format 1"},
      {Replace(good, "key: 0123456789abcdef\n", ""), "the field key is missing"},
      {Replace(good, "serial: 1796685733\n", ""), "the field serial is missing"},
      {Replace(good, "product: quonel\n", ""), "the field product is missing"},
      {Replace(good, "size: 4096\n", ""), "the field size is missing"},
      {Replace(good, "sha256: ", "sha: "), "unknown field \"sha\""},
      {good.substr(0, good.rfind("signature: ")), "the field signature is missing"},
      {Replace(good, "key: 0123456789abcdef", "key: 0123456789abcdeg"), "line 2: key is not 16 hex digits"},
      {Replace(good, "serial: 1796685733", "serial: -1"), "serial is not a decimal number"},
      {Replace(good, "serial: 1796685733", "serial: 99999999999999999999"), "serial is not a decimal number"},
      {Replace(good, "size: 4096", "size: 04096"), "size is not a decimal number"},
      {Replace(good, "product: quonel", "product: quo nel"), "product is empty, too long or has a blank"},
      {Replace(good, "sha256: ab", "sha256: "), "sha256 is not 64 hex digits"},
      {Replace(good, "2027-01-31T00:00:00Z", "2027-02-30T00:00:00Z"), "expires is not a time"},
      {Replace(good, "signature: 5c", "signature: "), "signature is not 128 hex digits"},
      {Replace(good, "size: 4096\n", "size: 4096\nsize: 4096\n"), "line 6: size appears twice"},
      {Replace(good, "product: quonel", "product:quonel"), "not a \"name: value\" line"},
      {Replace(good, "\nkey:", "\r\nkey:"), "line 1: the line holds a byte that is not printable ASCII"},
      {good + "key: 0123456789abcdef\n", "the signature line is not the last line"},
      {Replace(good, "product: quonel", "product: " + std::string(300, 'q')), "line 4: the line is too long"},
      {good + std::string(kMaxSignatureFileSize, '\n'), "longer than 16 KiB"},
  };
  for (const auto& c : cases) {
    const SignatureReading reading = ReadReleaseSignature(c.text);
    EXPECT_FALSE(reading.signature) << c.problem;
    EXPECT_NE(std::string::npos, reading.problem.find(c.problem)) << reading.problem << " / wanted " << c.problem;
  }
}

TEST(ReleaseAcceptance, RefusesAnotherProductAnExpiryAndALowerSerialOnly) {
  const ReleaseSignature release = Fields();
  const int64_t before = *release.expires - 1;
  EXPECT_EQ("", ReleaseRefusal(release, "quonel", before, std::nullopt));
  // The same release fetched again is fine; only an older one is a rollback.
  EXPECT_EQ("", ReleaseRefusal(release, "quonel", before, release.serial));
  EXPECT_EQ("serial 1796685733 is older than the accepted serial 1796685734",
            ReleaseRefusal(release, "quonel", before, release.serial + 1));
  EXPECT_EQ("the signature expired at 2027-01-31T00:00:00Z", ReleaseRefusal(release, "quonel", before + 1, {}));
  EXPECT_EQ("the signature is for the product \"quonel\", not \"Quonel\"", ReleaseRefusal(release, "Quonel", 0, {}));

  Sha256Bytes other = release.sha256;
  EXPECT_EQ("", ManifestMismatch(release, 4096, other));
  EXPECT_EQ("the manifest has 4095 bytes, the signature names 4096", ManifestMismatch(release, 4095, other));
  other[31] ^= 1;
  EXPECT_EQ("the manifest's SHA-256 differs from the signed one", ManifestMismatch(release, 4096, other));
}

TEST(ReleaseSignatureText, KeysTimesAndTheAcceptedRecordRoundTrip) {
  EcdsaP256PublicKey key{};
  for (size_t i = 0; i < key.size(); ++i) key[i] = static_cast<uint8_t>(i * 37);
  EXPECT_EQ(key, ParsePublicKeyLine(" " + PublicKeyLine(key) + "\r\n"));
  EXPECT_FALSE(ParsePublicKeyLine(PublicKeyLine(key).substr(0, 100)));
  EXPECT_FALSE(ParsePublicKeyLine("ecdsa-p384:" + PublicKeyLine(key).substr(11)));

  EXPECT_EQ(0, ParseUtcTime("1970-01-01T00:00:00Z"));
  EXPECT_EQ(951782400, ParseUtcTime("2000-02-29T00:00:00Z"));
  EXPECT_FALSE(ParseUtcTime("2100-02-29T00:00:00Z"));
  EXPECT_FALSE(ParseUtcTime("2027-01-31 00:00:00Z"));
  for (const int64_t t : {int64_t{0}, int64_t{951782400}, int64_t{1796685733}, int64_t{253402300799}})
    EXPECT_EQ(t, ParseUtcTime(FormatUtcTime(t)));

  EXPECT_EQ(1796685733u, ReadAcceptedSerial(AcceptedReleaseText(1796685733, "0123456789abcdef")));
  EXPECT_FALSE(ReadAcceptedSerial("serial: 12"));
  EXPECT_FALSE(ReadAcceptedSerial("serial: x\n"));
}

}  // namespace
}  // namespace quonel
