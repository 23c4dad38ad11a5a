#include "app/section_path_guard.h"

#include "app/section_admission.h"

#include <gtest/gtest.h>

#include <vector>

namespace quonel {
namespace {

TEST(SectionPathGuard, AcceptsRelativePathsBelowTheApplicationFolder) {
  for (const wchar_t* name : {L"Quonel.exe", L"data\\maps\\world.dat", L"data/skin.bin", L"加速器.dll",
                              L".hidden", L"a..b\\c", L"CONFIG.ini", L"com10.txt", L"sub\\update.ini",
                              L"updates\\x.dat", L"backup.txt", L"x.origins", L"Update.exe"})
    EXPECT_TRUE(IsSafeSectionPath(name)) << std::string(name, name + wcslen(name));
}

TEST(SectionPathGuard, RefusesEverythingThatCanLeaveIt) {
  for (const wchar_t* name :
       {L"", L"..\\evil.dll", L"data\\..\\..\\evil.dll", L"../evil.dll", L"data/..", L"..",
        L"C:\\Windows\\evil.dll", L"C:evil.dll", L"\\Windows\\evil.dll", L"/etc/passwd",
        L"\\\\server\\share\\evil.dll", L"\\\\?\\C:\\evil.dll", L"Quonel.exe:stream",
        L"Quonel.exe::$DATA", L"NUL", L"con.txt", L"data\\aux", L"COM1", L"lpt9.log", L"CONIN$",
        L"data\\\\file", L"data\\", L"file.", L"file ", L"... \\x", L"a*b", L"a?b", L"a|b",
        L"a\tb", L"a<b>"})
    EXPECT_FALSE(IsSafeSectionPath(name)) << std::string(name, name + wcslen(name));
}

TEST(SectionPathGuard, NamesTheFirstReasonForARefusal) {
  const struct {
    const wchar_t* name;
    SectionPathFault fault;
  } cases[] = {{L"", SectionPathFault::Empty},
               {L"\\\\server\\share\\x", SectionPathFault::Rooted},
               {L"data\\\\x", SectionPathFault::EmptyComponent},
               {L"data\\..\\x", SectionPathFault::DotOrBlankEnding},
               {L"x.dll:ads", SectionPathFault::Colon},
               {L"data\\Nul.txt", SectionPathFault::DeviceName},
               {L"a?b", SectionPathFault::Wildcard},
               {L"a\tb", SectionPathFault::ControlCharacter},
               {L"data\\加速器.dll", SectionPathFault::None}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.fault, FindSectionPathFault(c.name)) << static_cast<int>(c.fault);
    EXPECT_EQ(c.fault == SectionPathFault::None, IsSafeSectionPath(c.name));
  }
}

// The stored manifest, the journal, the copies' records and everything in
// update\ and backup\ are the wizard's, whatever letter case names them.
TEST(SectionPathGuard, RefusesTheWizardsOwnFilesAndSaysWhichOne) {
  for (const wchar_t* name : {L"update.ini", L"Update.Journal", L"a.dll.ORIGIN", L"sub/x.origin", L"x.running",
                              L"update", L"UPDATE\\a.dll", L"Backup/a.dll.bak", L"backup"})
    EXPECT_EQ(SectionPathFault::WizardFile, FindSectionPathFault(name)) << std::string(name, name + wcslen(name));
  EXPECT_NE(std::string::npos, SectionPathRefusalText(L"UPDATE.INI").find("update\\update.ini"));
}

TEST(SectionPathKey, NamesOfOneFileShareOneKey) {
  const std::vector<std::vector<std::wstring>> same = {
      {L"a.dll", L"A.DLL"}, {L"sub\\x.dll", L"sub/x.dll", L"SUB//X.dll"}, {L"\uFF21.dat", L"\uFF41.DAT"},
      {L"\u0394\u0416.dat", L"\u03B4\u0436.dat"}, {L"\u0401.dat", L"\u0451.dat"}};
  for (const auto& names : same)
    for (const std::wstring& name : names) EXPECT_EQ(SectionPathKey(names[0]), SectionPathKey(name));
  EXPECT_NE(SectionPathKey(L"a.dll"), SectionPathKey(L"b.dll"));
  EXPECT_NE(SectionPathKey(L"\u52a0.dll"), SectionPathKey(L"\u52a1.dll"));
}

TEST(SectionAdmission, TheFirstNameOfAFileWinsAndOverlongPathsAreRefused) {
  SectionAdmission admission(100);
  EXPECT_FALSE(admission.Admit(L"sub\\A.dll").refused);
  const SectionRefusal again = admission.Admit(L"SUB/a.DLL");
  EXPECT_TRUE(again.refused && again.duplicate);
  EXPECT_EQ(L"SUB/a.DLL与前面的sub\\A.dll是同一个文件，跳过下载和安装", again.logText);
  EXPECT_TRUE(admission.Admit(L"..\\a.dll").refused);
  // 100 + "update\\" + name + ".running" must stay below 260 characters.
  EXPECT_FALSE(admission.Admit(std::wstring(144, L'n')).refused);
  const SectionRefusal longName = admission.Admit(std::wstring(145, L'm'));
  EXPECT_TRUE(longName.refused && !longName.duplicate);
  EXPECT_EQ(L"路径过长", longName.verdict);
  // CreateDirectory wants room for a short name below the folder.
  EXPECT_TRUE(admission.Admit(std::wstring(141, L'd') + L"\\f").refused);
  EXPECT_FALSE(admission.Admit(std::wstring(140, L'd') + L"\\f").refused);
}

}  // namespace
}  // namespace quonel
