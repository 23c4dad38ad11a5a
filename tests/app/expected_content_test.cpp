// The manifest's optional size= and sha256= keys and the release text a
// staged copy records.
#include "app/expected_content.h"

#include <gtest/gtest.h>

namespace quonel {
namespace {

const std::wstring kAbc = L"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

TEST(ExpectedContent, ReadsBothKeysInEitherCaseAndNamesAnUnreadableOne) {
  ExpectedContent expected = ReadExpectedContent(L" 5000 ", L"BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD");
  EXPECT_EQ(5000, expected.size);
  ASSERT_TRUE(expected.sha256);
  EXPECT_EQ(std::string(kAbc.begin(), kAbc.end()), Sha256Hex(*expected.sha256));
  EXPECT_TRUE(expected.unreadableKey.empty());

  expected = ReadExpectedContent(L"", L"");
  EXPECT_FALSE(expected.size);
  EXPECT_FALSE(expected.sha256);
  EXPECT_TRUE(expected.unreadableKey.empty());

  EXPECT_EQ(L"size", ReadExpectedContent(L"-1", L"").unreadableKey);
  EXPECT_EQ(L"size", ReadExpectedContent(L"12 kB", kAbc).unreadableKey);
  EXPECT_EQ(L"sha256", ReadExpectedContent(L"", kAbc.substr(1)).unreadableKey);
  EXPECT_EQ(L"sha256", ReadExpectedContent(L"", kAbc.substr(1) + L"g").unreadableKey);
}

TEST(ExpectedContent, ReleaseTextTellsReleasesOfTheSameLengthApart) {
  const ExpectedContent sized = ReadExpectedContent(L"5000", L"");
  const ExpectedContent hashed = ReadExpectedContent(L"5000", kAbc);
  EXPECT_NE(ReleaseDescription(L"2026/12/7 9:05:00", sized), ReleaseDescription(L"2026/12/8 9:05:00", sized));
  EXPECT_NE(ReleaseDescription(L"2026/12/7 9:05:00", sized), ReleaseDescription(L"2026/12/7 9:05:00", hashed));
  // Recorded beside every staged copy: another spelling of the same release
  // would start every recorded copy over.
  EXPECT_EQ("2026/12/7 9:05 下午|5000|" + std::string(kAbc.begin(), kAbc.end()),
            ReleaseDescription(L"2026/12/7 9:05 下午", hashed));
}

}  // namespace
}  // namespace quonel
