// The cost of the update's guarantees, each against a reference in the same run:
//   trust_bench.exe digest URL FOLDER [ROUNDS]  a download of URL with and without
//                                              the SHA-256 check of the copy
//   trust_bench.exe install FOLDER [FILES] [ROUNDS]  the all-or-nothing install
//                                              against copying every file as before
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/digest_follower.h"
#include "core/sha256_digest.h"
#include "app/staged_copy_check.h"
#include "app/update_installer.h"
#include "net/download_test_site.h"
#include "net/staged_copy_record.h"

namespace {

using namespace quonel;
namespace fs = std::filesystem;

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Hands the copy's growth to a follower, as the wizard does.
class FollowingSite : public testing::RecordingSite {
 public:
  TDigestFollower* follower = nullptr;

 protected:
  void StagedCopyGrew(int64_t size) override {
    if (follower) follower->Grew(size);
  }
};

int Digest(const std::wstring& url, const fs::path& folder, int rounds) {
  FollowingSite site;
  const std::wstring local = (folder / L"digest.bin").wstring();
  auto fresh = [&] {
    DeleteFileW(local.c_str());
    DeleteFileW(StagedCopyRecordPath(local).c_str());
  };
  fresh();
  if (!site.DownloadFile(url, local, "bench")) return std::fprintf(stderr, "bench: the download failed\n"), 1;
  ExpectedContent expected;
  expected.sha256 = Sha256OfFile(local);
  const std::string release = ReleaseDescription(L"bench", expected);
  std::vector<double> plain, verified;
  for (int round = 0; round < rounds; ++round) {
    fresh();
    plain.push_back(Seconds([&] { site.DownloadFile(url, local, release); }));
    fresh();
    bool ok = false;
    verified.push_back(Seconds([&] {
      TDigestFollower follower(local);
      site.follower = &follower;
      const bool downloaded = site.DownloadFile(url, local, release);
      site.follower = nullptr;
      ok = downloaded && VerifyStagedCopy(local, expected, release, &follower).verified;
    }));
    if (!ok) return std::fprintf(stderr, "bench: the verified download failed\n"), 1;
  }
  fresh();
  const double d = Median(plain), v = Median(verified);
  std::printf("download with the SHA-256 check: %.2f s against %.2f s without (median of %d): +%.1f%% (target <= 15%%)\n",
              v, d, rounds, (v / d - 1) * 100);
  return 0;
}

void WriteBytes(const fs::path& path, size_t size, char seed) {
  fs::create_directories(path.parent_path());
  std::string bytes(size, seed);
  FILE* file = _wfopen(path.c_str(), L"wb");
  fwrite(bytes.data(), 1, bytes.size(), file);
  fclose(file);
}

// An installation with `files` installed files of which every one has a
// newer staged copy, as the bench release has.
std::vector<InstallEntry> Lay(const fs::path& app, int files) {
  fs::remove_all(app);
  fs::create_directories(app / L"update");
  fs::create_directories(app / L"backup");
  std::vector<InstallEntry> entries;
  for (int i = 0; i < files; ++i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"d%02d\\f%04d.dat", i % 20, i);
    fs::create_directories(app / L"backup" / fs::path(name).parent_path());
    WriteBytes(app / name, 16 * 1024, 'o');
    WriteBytes(app / L"update" / name, 16 * 1024, 'n');
    entries.push_back({name, FileOutcome::Downloaded, 16 * 1024});
  }
  return entries;
}

// How the install worked before: every file copied to backup\, every staged
// copy copied over its installed file and then deleted.
void CopyingInstall(const std::wstring& app, const std::vector<InstallEntry>& entries) {
  for (const InstallEntry& entry : entries)
    CopyFileW((app + entry.name).c_str(), (app + L"backup\\" + entry.name + L".bak").c_str(), FALSE);
  for (const InstallEntry& entry : entries) {
    const std::wstring staged = app + L"update\\" + entry.name;
    if (CopyFileW(staged.c_str(), (app + entry.name).c_str(), FALSE)) DeleteFileW(staged.c_str());
  }
}

int Install(const fs::path& folder, int files, int rounds) {
  const fs::path app = folder / L"install";
  const std::wstring appPath = app.wstring() + L"\\";
  std::vector<double> copying, journaled;
  for (int round = 0; round < rounds; ++round) {
    std::vector<InstallEntry> entries = Lay(app, files);
    copying.push_back(Seconds([&] { CopyingInstall(appPath, entries); }));
    entries = Lay(app, files);
    bool applied = false;
    journaled.push_back(Seconds([&] { applied = InstallStagedFiles(appPath, entries).applied; }));
    if (!applied) return std::fprintf(stderr, "bench: the install was not applied\n"), 1;
  }
  fs::remove_all(app);
  const double c = Median(copying), j = Median(journaled);
  std::printf("all-or-nothing install of %d files: %.3f s against %.3f s copying (median of %d): %.2fx (target <= 1.3x)\n",
              files, j, c, rounds, j / c);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 4 && std::wstring(argv[1]) == L"digest") return Digest(argv[2], argv[3], argc > 4 ? _wtoi(argv[4]) : 5);
  if (argc >= 3 && std::wstring(argv[1]) == L"install")
    return Install(argv[2], argc > 3 ? _wtoi(argv[3]) : 2000, argc > 4 ? _wtoi(argv[4]) : 5);
  std::fprintf(stderr, "usage: trust_bench digest URL FOLDER [ROUNDS] | install FOLDER [FILES] [ROUNDS]\n");
  return 2;
}
