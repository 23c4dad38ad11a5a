// A staged copy counts as complete only when it is the verified file of this
// run's release: the platform's SHA-256, the manifest's size, the record.
#include "app/staged_copy_check.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "app/digest_follower.h"
#include "core/sha256_digest.h"
#include "net/staged_copy_record.h"
#include "support/scratch_folder.h"

namespace quonel {
namespace {

using testing::ScratchFolder;

TEST(Sha256, MatchesTheStandardVectorsFedWholeOrInPieces) {
  ScratchFolder folder;
  folder.Write("abc", "abc");
  folder.Write("empty", "");
  EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad",
            Sha256Hex(*Sha256OfFile(folder.WithSeparator() + L"abc")));
  EXPECT_EQ("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855",
            Sha256Hex(*Sha256OfFile(folder.WithSeparator() + L"empty")));
  EXPECT_FALSE(Sha256OfFile(folder.WithSeparator() + L"missing"));
  // A million "a", fed across block boundaries.
  TSha256 sha;
  const std::string block(1000, 'a');
  for (int i = 0; i < 1000; ++i) sha.Update(block.data(), block.size());
  EXPECT_EQ("cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0", Sha256Hex(sha.Finish()));
}

TEST(Sha256, AFollowerHashesAGrowingCopyAndStartsOverWithIt) {
  ScratchFolder folder;
  const std::wstring path = folder.WithSeparator() + L"copy.bin";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  auto append = [&](const std::string& bytes) {
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  };
  TDigestFollower follower(path);
  int64_t size = 0;
  for (int i = 0; i < 5; ++i) {
    append(std::string(700 * 1024, static_cast<char>('a' + i)));
    follower.Grew(size += 700 * 1024);
  }
  // The copy starts again from zero with other bytes.
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  SetEndOfFile(file);
  follower.Grew(0);
  size = 0;
  for (int i = 0; i < 3; ++i) {
    append(std::string(900 * 1024, static_cast<char>('x' + i)));
    follower.Grew(size += 900 * 1024);
  }
  CloseHandle(file);
  const std::optional<Sha256Digest> followed = follower.Finish(size);
  ASSERT_TRUE(followed);
  EXPECT_EQ(Sha256Hex(*Sha256OfFile(path)), Sha256Hex(*followed));
}

class StagedCopyCheck : public ::testing::Test {
 protected:
  std::wstring Path() const { return folder.WithSeparator() + L"a.dat"; }
  void Stage(const std::string& bytes, int64_t recordedSize, const std::string& release) {
    folder.Write("a.dat", bytes);
    ASSERT_TRUE(SaveStagedCopyRecord(Path(), {release, recordedSize, "", ""}));
  }
  ScratchFolder folder;
};

TEST_F(StagedCopyCheck, WithoutManifestKeysTheRecordedLengthAndReleaseDecide) {
  const ExpectedContent none;
  const std::string release = ReleaseDescription(L"2026/12/7 9:05:00", none);
  Stage("abc", 3, release);
  CopyVerdict verdict = VerifyStagedCopy(Path(), none, release);
  EXPECT_TRUE(verdict.verified);
  EXPECT_EQ(3, verdict.size);
  // Short of the server's length, or a copy of another release.
  Stage("ab", 3, release);
  EXPECT_FALSE(VerifyStagedCopy(Path(), none, release).verified);
  Stage("abc", 3, ReleaseDescription(L"2026/12/6 9:05:00", none));
  EXPECT_FALSE(VerifyStagedCopy(Path(), none, release).verified);
  Stage("abc", -1, release);
  EXPECT_FALSE(VerifyStagedCopy(Path(), none, release).verified);
  folder.Write("a.dat.origin", "damaged");
  EXPECT_FALSE(VerifyStagedCopy(Path(), none, release).verified);
}

TEST_F(StagedCopyCheck, TheManifestsSizeAndDigestOutrankTheServer) {
  const ExpectedContent good =
      ReadExpectedContent(L"3", L"BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD");
  const std::string release = ReleaseDescription(L"2026/12/7 9:05:00", good);
  Stage("abc", 3, release);
  EXPECT_TRUE(VerifyStagedCopy(Path(), good, release).verified);

  Stage("abd", 3, release);
  CopyVerdict verdict = VerifyStagedCopy(Path(), good, release);
  EXPECT_FALSE(verdict.verified);
  EXPECT_NE(std::wstring::npos, verdict.failedCheck.find(L"SHA-256")) << verdict.failedCheck;

  // The server says 4 and sent 4; the manifest says 3.
  Stage("abcd", 4, release);
  verdict = VerifyStagedCopy(Path(), good, release);
  EXPECT_FALSE(verdict.verified);
  EXPECT_NE(std::wstring::npos, verdict.failedCheck.find(L"大小")) << verdict.failedCheck;
}

}  // namespace
}  // namespace quonel
