// updmanifest through its command line on real folders: the manifest it
// writes, the releases it refuses, and what --check finds on a server.
#include <gtest/gtest.h>

#include <sstream>

#ifndef _WIN32
#include <sys/time.h>
#endif

#include "gb2312_text.h"
#include "native_text.h"
#include "support/scratch_folder.h"
#include "updmanifest_command.h"

namespace quonel::updmanifest {
namespace {

namespace fs = std::filesystem;
using quonel::testing::ScratchFolder;

struct Outcome {
  int code;
  std::string out, err;
};

Outcome Updmanifest(const std::vector<std::wstring>& arguments) {
  std::ostringstream out, err;
  const int code = RunUpdmanifest(arguments, out, err);
  return {code, out.str(), err.str()};
}

fs::path P(const std::wstring& relative) { return PathFromText(relative); }
std::wstring Text(const fs::path& path) { return PathText(path); }
bool Has(const std::string& text, const std::wstring& part) { return text.find(ConsoleBytes(part)) != std::string::npos; }

const char kAbc[] = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
const char kMap[] = "60be9861750facbfad8758254a2f76c0cfe78d54459a3bc187d49b1401fcd8e8";
const char kEmpty[] = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";

// Quonel.dll, 数据\地图.pak and the empty 数据\空.txt, with display names for two of them.
struct Release {
  ScratchFolder folder;
  Release() {
    folder.Write(P(L"release/Quonel.dll"), "abc");
    folder.Write(P(L"release/数据/地图.pak"), "map");
    folder.Write(P(L"release/数据/空.txt"), "");
    folder.Write(P(L"names.txt"), "\xEF\xBB\xBF# display names\nquonel.dll = \xE6\xA0\xB8\xE5\xBF\x83\xE5\xBA\x93\r\n"
                                  "\xE6\x95\xB0\xE6\x8D\xAE\\\xE5\x9C\xB0\xE5\x9B\xBE.pak=\xE5\x9C\xB0\xE5\x9B\xBE"
                                  "\xE6\x95\xB0\xE6\x8D\xAE\n");
  }
  std::wstring Path(const std::wstring& relative) const { return Text(folder.path() / P(relative)); }
  Outcome Publish(const std::wstring& output) const {
    return Updmanifest({L"--names", Path(L"names.txt"), L"--datetime", L"26/12/7 9:05", L"--output", output, Path(L"release")});
  }
};

TEST(Publishing, WritesEveryFileOfTheReleaseInAStableOrder) {
  const Release release;
  // The manifest inside the release folder (as on a server) does not list itself.
  const std::wstring manifest = release.Path(L"release/quonel.htm");
  const Outcome first = release.Publish(manifest);
  ASSERT_EQ(0, first.code) << first.err;
  const std::string date = "datetime=2026/12/7 9:05:00\r\n";
  const std::string expected =
      std::string("[Quonel.dll]\r\nname=\xBA\xCB\xD0\xC4\xBF\xE2\r\n") + date + "size=3\r\nsha256=" + kAbc + "\r\n" +
      "\r\n[\xCA\xFD\xBE\xDD\\\xB5\xD8\xCD\xBC.pak]\r\nname=\xB5\xD8\xCD\xBC\xCA\xFD\xBE\xDD\r\n" + date +
      "size=3\r\nsha256=" + kMap + "\r\n" +
      "\r\n[\xCA\xFD\xBE\xDD\\\xBF\xD5.txt]\r\nname=\xBF\xD5.txt\r\n" + date + "size=0\r\nsha256=" + kEmpty + "\r\n";
  EXPECT_EQ(expected, release.folder.Read(P(L"release/quonel.htm")));

  // Published again over the earlier manifest, with the date in another form the wizard reads.
  const Outcome second = Updmanifest({L"--names", release.Path(L"names.txt"), L"--datetime", L"2026/12/07 09:05:00",
                                      L"--output", manifest, release.Path(L"release")});
  ASSERT_EQ(0, second.code) << second.err;
  EXPECT_EQ(expected, release.folder.Read(P(L"release/quonel.htm")));
  EXPECT_EQ(0, Updmanifest({L"--check", manifest, release.Path(L"release")}).code);
}

#ifndef _WIN32
// (Under Windows the wizard's end-to-end test reads the tool's dates back.)
TEST(Publishing, DatesAFileByItsLastWriteTimeInTheWizardsTwoSecondSteps) {
  setenv("TZ", "UTC", 1);
  tzset();
  ScratchFolder release;
  release.Write("a.dat", "a");
  const struct timeval times[2] = {{1796634301, 0}, {1796634301, 0}};  // 2026-12-07 09:05:01 UTC
  ASSERT_EQ(0, utimes((release.path() / "a.dat").c_str(), times));
  const Outcome outcome = Updmanifest({Text(release.path())});
  ASSERT_EQ(0, outcome.code) << outcome.err;
  EXPECT_TRUE(Has(outcome.out, L"\r\ndatetime=2026/12/7 9:05:00\r\n")) << outcome.out;
}
#endif

TEST(Publishing, RefusesWhatTheWizardCannotReadBackAndWritesNothing) {
  const Release release;
  release.folder.Write(P(L"release/price€.txt"), "x");
  release.folder.Write(P(L"wrong-names.txt"), "Quonel.dll=\xF0\x9F\x98\x80\nmissing.dll=gone\nno equals sign\n");
#ifndef _WIN32
  // Names a Linux folder can hold and Windows cannot.
  for (const std::wstring name : {L"CON.txt", L"data./x.dat", L"a:b.txt", L"tab\tname", L" lead.txt", L"quonel.DLL"})
    release.folder.Write(P(L"release/" + name), "x");
#endif
  const std::wstring output = release.Path(L"out.htm");
  const Outcome refused =
      Updmanifest({L"--names", release.Path(L"wrong-names.txt"), L"--output", output, release.Path(L"release")});
  EXPECT_EQ(1, refused.code);
  EXPECT_FALSE(fs::exists(P(output)));
  for (const std::wstring part : {L"price€.txt: the name cannot be written in GB2312",
                                  L"Quonel.dll: the display name \"😀\" cannot be written in GB2312",
                                  L"missing.dll is not in the release", L"line 3: no \"=\""})
    EXPECT_TRUE(Has(refused.err, part)) << refused.err;
#ifndef _WIN32
  for (const std::wstring part : {L"CON.txt: the wizard refuses this name: a part of it is a reserved device name",
                                  L"data.\\x.dat: the wizard refuses this name: a part of it is \".\" or \"..\" or ends",
                                  L"a:b.txt: the wizard refuses this name: it contains \":\"",
                                  L"name: the wizard refuses this name: it contains a control character",
                                  L" lead.txt: it begins with a blank",
                                  L"quonel.DLL: the wizard takes it for the same file as Quonel.dll"})
    EXPECT_TRUE(Has(refused.err, part)) << refused.err;
#endif

  ScratchFolder empty;
  const Outcome nothing = Updmanifest({Text(empty.path())});
  EXPECT_EQ(1, nothing.code);
  EXPECT_TRUE(Has(nothing.err, L"the release folder holds no files")) << nothing.err;
  EXPECT_EQ("", nothing.out);
  for (const std::wstring date : {L"2026-12-07", L"9:05"})
    EXPECT_EQ(2, Updmanifest({L"--datetime", date, release.Path(L"release")}).code) << ConsoleBytes(date);
  EXPECT_EQ(2, Updmanifest({L"--check", release.Path(L"absent.htm"), release.Path(L"release")}).code);
}

TEST(Checking, FindsAMissingAShortAndAChangedFile) {
  ScratchFolder server;
  server.Write(P(L"a.dat"), "abcdef");
  server.Write(P(L"b.dat"), "abcdef");
  server.Write(P(L"c.dat"), "abcdef");
  server.Write(P(L"数据/d.dat"), "abcdef");
  const std::wstring manifest = Text(server.path() / "quonel.htm");
  ASSERT_EQ(0, Updmanifest({L"--output", manifest, Text(server.path())}).code);
  const Outcome sound = Updmanifest({L"--check", manifest, Text(server.path())});
  EXPECT_EQ(0, sound.code) << sound.out;
  EXPECT_TRUE(Has(sound.out, L"checked 4 files: all present and equal")) << sound.out;

  fs::remove(server.path() / "a.dat");
  server.Write(P(L"b.dat"), "abc");
  server.Write(P(L"c.dat"), "abcdeF");
#ifndef _WIN32
  // A Linux server serves the name the wizard asks for, "\" and all.
  fs::rename(server.path() / P(L"数据/d.dat"), server.path() / P(L"数据\\d.dat"));
#endif
  const Outcome found = Updmanifest({L"--check", manifest, Text(server.path())});
  EXPECT_EQ(1, found.code);
  EXPECT_TRUE(Has(found.out, L"missing: a.dat\n")) << found.out;
  EXPECT_TRUE(Has(found.out, L"short: b.dat has 3 bytes, the manifest gives 6\n")) << found.out;
  EXPECT_TRUE(Has(found.out, L"changed: c.dat: its SHA-256 is ")) << found.out;
  EXPECT_TRUE(Has(found.out, L"checked 4 files: 3 differences")) << found.out;
}

TEST(Checking, AManifestWrittenByHandIsHeldToWhatTheWizardReads) {
  ScratchFolder server;
  server.Write(P(L"a.dat"), "abc");
  // UTF-8 with its mark, as editors save it; an old manifest without size and digest.
  server.Write(P(L"quonel.htm"), std::string("\xEF\xBB\xBF[a.dat]\nName=a\nSHA256=") + kAbc +
                                     "\nSize= 3 \nDateTime=2026/12/7\n[A.DAT]\n[old.dat]\ndatetime=2026-12-07\n"
                                     "[..\\evil.dll]\n[Update.Journal]\n");
  server.Write(P(L"old.dat"), "x");
  const Outcome found = Updmanifest({L"--check", Text(server.path() / "quonel.htm"), Text(server.path())});
  EXPECT_EQ(1, found.code);
  EXPECT_FALSE(Has(found.out, L"a.dat:")) << found.out;
  EXPECT_TRUE(Has(found.out, L"A.DAT: named twice (as a.dat)")) << found.out;
  EXPECT_TRUE(Has(found.out, L"old.dat: datetime \"2026-12-07\" is not a date the wizard reads")) << found.out;
  EXPECT_TRUE(Has(found.out, L"old.dat: size= is missing")) << found.out;
  EXPECT_TRUE(Has(found.out, L"old.dat: sha256= is missing")) << found.out;
  EXPECT_TRUE(Has(found.out, L"..\\evil.dll: the wizard refuses this name")) << found.out;
  EXPECT_TRUE(Has(found.out, L"Update.Journal: the wizard refuses this name: it would overwrite a file the wizard "
                             L"itself writes: the install journal update\\update.journal"))
      << found.out;
  EXPECT_TRUE(Has(found.out, L"checked 5 files: 6 differences")) << found.out;
}

TEST(Gb2312Text, WritesOnlyWhatEveryChineseWindowsReadsAlike) {
  EXPECT_EQ(std::optional<std::string>("a\xBA\xCB\xD0\xC4\xBF\xE2"), EncodeGb2312(L"a核心库"));
  EXPECT_EQ(L"a核心库", DecodeCodePage936("a\xBA\xCB\xD0\xC4\xBF\xE2"));
  // The euro sign and 爲 exist only in the larger code page, the emoji in none.
  for (const std::wstring text : {L"€", L"爲", L"😀", L"\uE000"})
    EXPECT_FALSE(EncodeGb2312(text)) << ConsoleBytes(text);
}

}  // namespace
}  // namespace quonel::updmanifest
