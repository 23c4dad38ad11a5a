// The staged copy's record and the request target of a file name.
#include "net/staged_copy_record.h"

#include <gtest/gtest.h>

#include "net/request_target_encoding.h"

namespace quonel {
namespace {

TEST(StagedCopyRecord, RoundTripsAndRejectsEveryDamagedForm) {
  const StagedCopyRecord record{"2026/12/7 9:05:00|5000|", 5000, "Mon, 07 Dec 2026 09:05:00 GMT", "\"6570-1388\""};
  const std::string text = FormatStagedCopyRecord(record);
  EXPECT_EQ(record, ParseStagedCopyRecord(text));
  // A record cut anywhere (the program killed while writing it) is no record.
  for (size_t cut = 0; cut < text.size(); ++cut) EXPECT_FALSE(ParseStagedCopyRecord(text.substr(0, cut))) << cut;
  EXPECT_FALSE(ParseStagedCopyRecord(text + "more\n"));
  std::string badSize = text;
  badSize.replace(badSize.find("5000\n"), 4, "50x0");
  EXPECT_FALSE(ParseStagedCopyRecord(badSize));
  // Line breaks inside a value cannot forge another field.
  const StagedCopyRecord forged{"a\nsize=1", -1, "", ""};
  const auto parsed = ParseStagedCopyRecord(FormatStagedCopyRecord(forged));
  ASSERT_TRUE(parsed);
  EXPECT_EQ("asize=1", parsed->release);
  EXPECT_EQ(-1, parsed->size);
}

TEST(StagedCopyRecord, IfRangePrefersAStrongETagThenTheDate) {
  EXPECT_EQ("\"abc\"", IfRangeValidator({"r", 1, "Mon, 07 Dec 2026 09:05:00 GMT", "\"abc\""}));
  EXPECT_EQ("Mon, 07 Dec 2026 09:05:00 GMT", IfRangeValidator({"r", 1, "Mon, 07 Dec 2026 09:05:00 GMT", "W/\"abc\""}));
  EXPECT_EQ("", IfRangeValidator({"r", 1, "", "W/\"abc\""}));
}

TEST(RequestTarget, EncodesWhatCannotStandInARequestLineAndNothingElse) {
  EXPECT_EQ("data\\maps.pak", PercentEncodeTarget("data\\maps.pak"));
  EXPECT_EQ("a-b_c~d.e+f(1)!$&'=,;@[]/x", PercentEncodeTarget("a-b_c~d.e+f(1)!$&'=,;@[]/x"));
  EXPECT_EQ("my%20file.dat", PercentEncodeTarget("my file.dat"));
  EXPECT_EQ("100%25.dat", PercentEncodeTarget("100%.dat"));
  EXPECT_EQ("%22%23%3C%3E%5E%60%7B%7C%7D%7F%09", PercentEncodeTarget("\"#<>^`{|}\x7f\t"));
  // GB2312 bytes of "地图" keep their values, encoded.
  EXPECT_EQ("%B5%D8%CD%BC.pak", PercentEncodeTarget("\xB5\xD8\xCD\xBC.pak"));
}

}  // namespace
}  // namespace quonel
