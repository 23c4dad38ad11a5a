#include "core/conversion.h"

#include <gtest/gtest.h>

#include "core/strings.h"
#include "core/utf8.h"

namespace quonel {
namespace {

TEST(Conversion, IntegersInTheirAcceptedForms) {
  EXPECT_EQ(42, StrToInt(L"42"));
  EXPECT_EQ(-17, StrToInt(L"  -17 "));
  EXPECT_EQ(255, StrToInt(L"$FF"));
  EXPECT_EQ(255, StrToInt(L"0xff"));
  EXPECT_EQ(INT32_MIN, StrToInt(L"-2147483648"));
  EXPECT_EQ(INT64_MIN, StrToInt64(L"-9223372036854775808"));
  EXPECT_EQ(7, StrToIntDef(L"x", 7));
}

TEST(Conversion, RejectedTextRaisesWithTheSystemMessage) {
  for (const wchar_t* bad : {L"", L" ", L"12a", L"-", L"0x", L"2147483648", L"9223372036854775808", L"1 2"}) {
    try {
      StrToInt(std::wstring(bad));
      ADD_FAILURE() << "accepted: " << WideToUtf8(bad);
    } catch (const EConvertError& e) {
      EXPECT_EQ(L"'" + std::wstring(bad) + L"' is not a valid integer value", e.Message());
      EXPECT_STREQ(L"EConvertError", e.ClassName());
    }
  }
  EXPECT_EQ(L"'2026-13-01' is not a valid date and time", InvalidDateTimeMessage(L"2026-13-01"));
}

TEST(Utf8, RoundTripsChineseAndReplacesBrokenBytes) {
  const std::wstring text = L"Quonel加速器升级程序";
  EXPECT_EQ(text, Utf8ToWide(WideToUtf8(text)));
  EXPECT_EQ(L"a\xFFFD" L"b", Utf8ToWide("a\xE5\x8A" "b"));  // truncated sequence
  EXPECT_EQ(L"\xFFFD", Utf8ToWide("\xC0\xAF"));  // an overlong form is one broken sequence
}

}  // namespace
}  // namespace quonel
