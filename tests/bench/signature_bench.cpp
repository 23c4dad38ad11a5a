// What checking a signed manifest adds to its fetch: a SECTIONS-section
// manifest fetched from a loopback server unsigned (no key trusted) and
// signed (a key trusted: the .sig, its check, the bounded fetch and the
// digest), the median of ROUNDS each; the check alone, without network; and
// the parts of the difference that are not the check.
//   signature_bench.exe [SECTIONS] [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/accepted_release_store.h"
#include "app/verified_manifest_fetch.h"
#include "core/ecdsa_p256_check.h"
#include "core/sha256_digest.h"
#include "ecdsa_p256.h"
#include "sha256.h"
#include "support/loopback_file_site.h"

namespace {

using namespace quonel;

double Milliseconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

Sha256Bytes Digest(const std::string& bytes) {
  updmanifest::Sha256 sha;
  sha.Update(bytes.data(), bytes.size());
  return sha.Finish();
}

std::string Manifest(int sections) {
  std::string text;
  const std::string digest(64, 'a');
  for (int i = 0; i < sections; ++i)
    text += "[data\\file" + std::to_string(i) + ".dat]\r\nname=file " + std::to_string(i) +
            "\r\ndatetime=2026/12/7 9:05:00\r\nsize=123456\r\nsha256=" + digest + "\r\n\r\n";
  return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int sections = argc > 1 ? _wtoi(argv[1]) : 5000;
  const int rounds = argc > 2 ? _wtoi(argv[2]) : 31;
  const std::string manifest = Manifest(sections);
  const updmanifest::SigningKey key = updmanifest::GenerateSigningKey();
  ReleaseSignature release;
  release.keyId = KeyIdOf(key.publicKey);
  release.serial = 1;
  release.product = "quonel";
  release.size = manifest.size();
  release.sha256 = Digest(manifest);
  const std::string lines = SignedLines(release);
  const std::string signature = lines + SignatureLine(updmanifest::SignDigest(key, Digest(lines)));

  testing::LoopbackFileSite site;
  site.Put("quonel.htm", manifest);
  site.Put("quonel.htm.sig", signature);
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"signature_bench_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);

  ManifestTrust none, trusted;
  trusted.keys.push_back({release.keyId, key.publicKey});
  TNetHTTP client(nullptr);
  const std::string url = site.Url("quonel.htm");
  std::vector<double> plain, signedFetch, checkAlone, record, sigOnly;
  for (int i = 0; i < rounds; ++i) {
    plain.push_back(Milliseconds([&] { FetchVerifiedManifest(client, url, none, "quonel", folder); }));
    signedFetch.push_back(Milliseconds([&] {
      if (!FetchVerifiedManifest(client, url, trusted, "quonel", folder).verified) std::exit(1);
    }));
    record.push_back(Milliseconds([&] { RecordAcceptedRelease(folder + L"x", 1, release.keyId); }));
    sigOnly.push_back(Milliseconds([&] { client.GetText(url + ".sig", 16384); }));
    checkAlone.push_back(Milliseconds([&] {
      const SignatureReading reading = ReadReleaseSignature(signature);
      TSha256 sha;
      sha.Update(reading.signature->signedText.data(), reading.signature->signedText.size());
      const Sha256Digest linesDigest = sha.Finish();
      TSha256 whole;
      whole.Update(manifest.data(), manifest.size());
      whole.Finish();
      if (!EcdsaP256SignatureValid(key.publicKey, linesDigest, reading.signature->signature)) std::exit(1);
    }));
  }
  client.CloseConnection();
  DeleteFileW((folder + L"accepted_release.txt").c_str());
  DeleteFileW((folder + L"xaccepted_release.txt").c_str());
  RemoveDirectoryW(folder.c_str());
  std::printf("signed manifest: %d sections, %zu bytes, median of %d rounds\n", sections, manifest.size(), rounds);
  std::printf("  fetch unsigned      %7.2f ms\n", Median(plain));
  std::printf("  fetch signed        %7.2f ms\n", Median(signedFetch));
  std::printf("  added by signature  %7.2f ms  (target <= 5 ms)\n", Median(signedFetch) - Median(plain));
  std::printf("  of which: the .sig request alone %7.2f ms, recording a new serial %7.2f ms\n", Median(sigOnly),
              Median(record));
  std::printf("  check alone         %7.2f ms  (parse, two SHA-256, ECDSA P-256)\n", Median(checkAlone));
  return 0;
}
