#include "app/section_path_guard.h"

#include <gtest/gtest.h>

namespace quonel {
namespace {

TEST(SectionPathGuard, AcceptsRelativePathsBelowTheApplicationFolder) {
  for (const wchar_t* name : {L"Quonel.exe", L"data\\maps\\world.dat", L"data/skin.bin", L"加速器.dll",
                              L".hidden", L"a..b\\c", L"update\\update.ini", L"CONFIG.ini", L"com10.txt"})
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

}  // namespace
}  // namespace quonel
