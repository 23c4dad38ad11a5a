// The platform readers the wizard relies on: INI text in code page 936 and
// the two-second last-write time of installed files.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/file_age.h"
#include "app/ini_file.h"
#include "app/regional_settings.h"
#include "support/scratch_folder.h"

namespace quonel {
namespace {

using testing::ScratchFolder;

TEST(IniFile, ReadsGb2312SectionsKeysAndValuesInFileOrder) {
  ScratchFolder folder;
  // [update] 电信=http://a/x=1 ; B=http://b/
  folder.Write("config.ini",
               "[config]\r\nSubSys = quonel \r\n[update]\r\n\xB5\xE7\xD0\xC5=http://a/x=1\r\n"
               "B=http://b/\r\n[data\\\xBC\xD3.dll]\r\nname=x\r\n");
  TIniFile ini(folder.WithSeparator() + L"config.ini");
  EXPECT_EQ(L"quonel", ini.ReadString(L"CONFIG", L"subsys", L""));
  EXPECT_EQ(L"fallback", ini.ReadString(L"config", L"exe", L"fallback"));
  EXPECT_EQ((std::vector<std::wstring>{L"电信=http://a/x=1", L"B=http://b/"}),
            ini.ReadSectionValues(L"update"));
  EXPECT_EQ((std::vector<std::wstring>{L"config", L"update", L"data\\加.dll"}), ini.ReadSections());
  EXPECT_TRUE(TIniFile(folder.WithSeparator() + L"missing.ini").ReadSections().empty());
}

TEST(FileAge, GivesLocalTimeInTwoSecondStepsAndNothingForFolders) {
  ScratchFolder folder;
  folder.Write("a.txt", "x");
  folder.Write("sub/b.txt", "y");
  const std::wstring file = folder.WithSeparator() + L"a.txt";
  HANDLE handle = CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, handle);
  SYSTEMTIME local = {2026, 12, 1, 7, 9, 5, 7, 0};  // 9:05:07 local
  FILETIME localTime, utc;
  SystemTimeToFileTime(&local, &localTime);
  LocalFileTimeToFileTime(&localTime, &utc);
  SetFileTime(handle, nullptr, nullptr, &utc);
  CloseHandle(handle);

  EXPECT_EQ(TDateTime::Encode(2026, 12, 7, 9, 5, 6), FileAge(file));
  EXPECT_FALSE(FileAge(folder.WithSeparator() + L"sub"));
  EXPECT_FALSE(FileAge(folder.WithSeparator() + L"none.txt"));
  EXPECT_FALSE(FileAge(folder.WithSeparator() + L"*.txt"));
}

TEST(RegionalSettings, ChineseSettingsReadTheDocumentedForm) {
  const DateFormatSettings settings = UserDateFormatSettings();
  EXPECT_EQ(DateOrder::YearMonthDay, settings.order);
  EXPECT_EQ(TDateTime::Encode(2026, 12, 7, 9, 5, 0), TryStrToDateTime(L"2026/12/7 9:05:00", settings));
}

}  // namespace
}  // namespace quonel
