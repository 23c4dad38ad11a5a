#include "app/stored_manifest.h"

#include <gtest/gtest.h>

namespace quonel {
namespace {

TEST(StoredManifest, AnAnsiBodyIsStoredAsItCameWithOneLineEnd) {
  const std::string gb2312 = "[\xBA\xCB.dll]\r\nname=\xBA\xCB\xD0\xC4\r\n";
  EXPECT_EQ(gb2312 + "\r\n", StoredManifestBytes(gb2312));
  EXPECT_EQ("\r\n", StoredManifestBytes(""));
  // A mark only counts at the very start.
  EXPECT_EQ(" \xEF\xBB\xBF[a]\r\n", StoredManifestBytes(" \xEF\xBB\xBF[a]"));
}

TEST(StoredManifest, AUtf8BodyWithItsMarkIsStoredAsUtf16WithItsMark) {
  // "[核.dll]" and an emoji outside the basic plane, which needs a surrogate pair.
  const std::string body = "\xEF\xBB\xBF[\xE6\xA0\xB8.dll]\nname=\xF0\x9F\x98\x80";
  const std::string expected = std::string("\xFF\xFE", 2) + std::string("[\0", 2) + std::string("\x38\x68", 2) +
                               std::string(".\0d\0l\0l\0]\0\n\0", 12) + std::string("n\0a\0m\0e\0=\0", 10) +
                               std::string("\x3D\xD8\x00\xDE", 4) + std::string("\r\0\n\0", 4);
  EXPECT_EQ(expected, StoredManifestBytes(body));
  EXPECT_EQ(std::string("\xFF\xFE\r\0\n\0", 6), StoredManifestBytes("\xEF\xBB\xBF"));
}

}  // namespace
}  // namespace quonel
