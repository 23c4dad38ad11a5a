// Signed manifests end to end: with a publisher key in config.ini the
// wizard installs a release only when its manifest carries a good signature
// of that key, for its product, not expired and not older than a release it
// accepted; anything else is a failed fetch that downloads nothing.
#include <optional>

#include "e2e/wizard_e2e.h"
#include "ecdsa_p256.h"
#include "sha256.h"

namespace quonel::e2e {
namespace {

using updmanifest::SigningKey;

std::string Sha256Hex(const std::string& bytes) {
  updmanifest::Sha256 sha;
  sha.Update(bytes.data(), bytes.size());
  return updmanifest::HexDigest(sha.Finish());
}

Sha256Bytes Digest(const std::string& bytes) {
  updmanifest::Sha256 sha;
  sha.Update(bytes.data(), bytes.size());
  return sha.Finish();
}

// A publisher's key pair, made with the platform's CNG as updmanifest.exe makes it.
struct Publisher {
  SigningKey key = updmanifest::GenerateSigningKey();
  std::string Id() const {
    return PublicKeyId(Digest(std::string(reinterpret_cast<const char*>(key.publicKey.data()), 64)));
  }
  std::wstring PublicLine() const { return Wide(PublicKeyLine(key.publicKey)); }
  std::string Sign(const std::string& manifest, uint64_t serial, const std::string& product = "quonel",
                   std::optional<int64_t> expires = std::nullopt) const {
    ReleaseSignature release;
    release.keyId = Id();
    release.serial = serial;
    release.product = product;
    release.size = manifest.size();
    release.sha256 = Digest(manifest);
    release.expires = expires;
    const std::string lines = SignedLines(release);
    return lines + SignatureLine(updmanifest::SignDigest(key, Digest(lines)));
  }
};

void TrustKey(ClientInstallation& client, const Publisher& publisher) {
  client.WriteFile("config.ini", client.Read("config.ini") + WideToAnsi(L"\r\n[trust]\r\n发布者=" + publisher.PublicLine() + L"\r\n"));
}

std::wstring DigestLines(const std::string& bytes) {
  return L"size=" + std::to_wstring(bytes.size()) + L"\r\nsha256=" + Wide(Sha256Hex(bytes)) + L"\r\n";
}

TEST(WizardSignature, ASignedReleaseInstallsButNotItsSectionWithoutADigest) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  const Publisher publisher;
  const std::string fresh = Content(3000, 'n');
  server.Put("new.dat", fresh);
  server.Put("bare.dat", "bytes no digest covers");
  const std::string manifest = ManifestText({{L"new.dat", L"新文件", ManifestDateTime(Release()), DigestLines(fresh)},
                                             {L"bare.dat", L"无校验文件", ManifestDateTime(Release())}});
  server.Put("quonel.htm", manifest);
  server.Put("quonel.htm.sig", publisher.Sign(manifest, 100));
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", server.Url()}});
  TrustKey(client, publisher);

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"完成升级"));
  EXPECT_TRUE(wizard.LogHas(L"升级信息签名验证通过：序号 100，密钥 " + Wide(publisher.Id())));
  EXPECT_TRUE(wizard.LogHas(L"bare.dat没有 sha256 校验值，签名不能担保它的内容，拒绝下载和安装"));
  EXPECT_EQ((std::vector<int>{kTick, kCross}), wizard.RowStates());
  wizard.Press(wizard.NextButton());
  const MessageBoxWindow box = wizard.WaitForMessageBox();
  ASSERT_NE(nullptr, box.window);
  AnswerMessageBox(box, L"");
  DWORD code = 1;
  ASSERT_TRUE(wizard.WaitForExit(code));
  EXPECT_EQ(fresh, client.Read(L"new.dat"));
  EXPECT_FALSE(client.Exists(L"bare.dat"));
  EXPECT_EQ(0, server.Requests("GET", "bare.dat"));
  EXPECT_EQ("serial: 100\nkey: " + publisher.Id() + "\n", client.Read(L"update\\accepted_release.txt"));
}

TEST(WizardSignature, EveryFlawOfASignedManifestFailsTheFetchAndFetchesNoFile) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  const Publisher publisher, stranger;
  const std::string fresh = Content(3000, 'n');
  server.Put("new.dat", fresh);
  const std::string manifest =
      ManifestText({{L"new.dat", L"新文件", ManifestDateTime(Release()), DigestLines(fresh)}});
  server.Put("quonel.htm", manifest);
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", server.Url()}});
  TrustKey(client, publisher);
  // A release with serial 50 was accepted before.
  const std::string accepted = "serial: 50\nkey: " + publisher.Id() + "\n";
  client.WriteFile("update\\accepted_release.txt", accepted);

  std::string flipped = manifest;
  flipped[flipped.size() / 2] ^= 0x20;
  std::string forged = publisher.Sign(manifest, 60);
  forged.replace(forged.find("serial: 60"), 10, "serial: 70");
  const struct {
    std::string manifest, signature;  // an empty signature is not published
    std::string reason;
  } flaws[] = {
      {manifest, "", "no signature at " + Narrow(server.Url()) + "quonel.htm.sig (HTTP/1.1 404 Not Found)"},
      {flipped, publisher.Sign(manifest, 60), "the manifest's SHA-256 differs from the signed one"},
      {manifest + "[more.dat]\r\n", publisher.Sign(manifest, 60),
       "the manifest is longer than the signed " + std::to_string(manifest.size()) + " bytes"},
      {manifest, stranger.Sign(manifest, 60), "the signing key " + stranger.Id() + " is not trusted"},
      {manifest, forged, "the signature does not match the manifest's signed lines and key " + publisher.Id()},
      {manifest, publisher.Sign(manifest, 49), "serial 49 is older than the accepted serial 50"},
      {manifest, publisher.Sign(manifest, 60, "quonel", 1000000000), "the signature expired at 2001-09-09T01:46:40Z"},
      {manifest, publisher.Sign(manifest, 60, "other"), "the signature is for the product \"other\", not \"quonel\""},
  };
  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.WaitForWindow());
  for (const auto& flaw : flaws) {
    SCOPED_TRACE(flaw.reason);
    server.Put("quonel.htm", flaw.manifest);
    if (!flaw.signature.empty()) server.Put("quonel.htm.sig", flaw.signature);
    // After a failed fetch the Next button stays enabled and fetches again.
    wizard.Press(wizard.NextButton());
    const MessageBoxWindow box = wizard.WaitForMessageBox();
    ASSERT_NE(nullptr, box.window);
    EXPECT_EQ(L"取得升级信息出错！", box.text);
    EXPECT_TRUE(wizard.LogHas(L"升级信息未通过验证：" + Wide(flaw.reason)));
    AnswerMessageBox(box, L"");
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box.window); }, 10000));
    EXPECT_EQ(1u, wizard.Rows().size());
  }
  EXPECT_EQ(0, server.Requests("GET", "new.dat"));
  EXPECT_EQ(0, server.Requests("HEAD", "new.dat"));
  EXPECT_FALSE(client.Exists(L"new.dat"));
  EXPECT_FALSE(client.Exists(L"update\\new.dat"));
  EXPECT_EQ(accepted, client.Read(L"update\\accepted_release.txt"));
  wizard.Kill();
}

}  // namespace
}  // namespace quonel::e2e
