// A release published with updmanifest, read back by the real wizard: the
// tool's manifest of a folder with sub-folders, Chinese names, an empty file
// and a file already installed installs exactly that release; and a manifest
// that an editor saved as UTF-8 with its byte-order mark reads as UTF-8.
#include "core/ansi_text.h"
#include "e2e/wizard_e2e.h"

namespace quonel::e2e {
namespace {

namespace fs = std::filesystem;

std::filesystem::path UpdmanifestExe() { return Wide(HostPath(QUONEL_UPDMANIFEST_EXE)); }

struct ReleaseFile {
  std::wstring section;
  std::string bytes;
  SYSTEMTIME lastWrite;
};

// An installation served by site, with the folder 数据. The wizard creates no
// folders: 数据 exists in the installation and in its staging and backup folders.
void PrepareInstallation(ClientInstallation& client, const LoopbackFileSite& site) {
  for (const fs::path& folder : {fs::path(L"数据"), L"update" / fs::path(L"数据"), L"backup" / fs::path(L"数据")})
    fs::create_directories(client.Root() / folder);
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", Wide(site.Url())}});
}

// "下一步" from the server page; the rows once the run offers "完成升级", none when it does not.
std::vector<FileRow> RunToInstallCaption(WizardSession& wizard) {
  if (!wizard.WaitForWindow()) return {};
  wizard.Press(wizard.NextButton());
  if (!wizard.WaitForNextCaption(L"完成升级")) return {};
  return wizard.Rows();
}

// Pressing "完成升级" and answering "升级成功!" ends the program.
void InstallAndEnd(WizardSession& wizard) {
  wizard.Press(wizard.NextButton());
  const MessageBoxWindow box = wizard.WaitForMessageBox();
  ASSERT_NE(nullptr, box.window);
  EXPECT_EQ(L"升级成功!", box.text);
  ASSERT_TRUE(AnswerMessageBoxWith(box, IDOK));
  DWORD code = 1;
  ASSERT_TRUE(wizard.WaitForExit(code));
  EXPECT_EQ(0u, code);
}

TEST(WizardPublish, TheWizardInstallsExactlyTheReleaseTheToolDescribes) {
  // 说明.txt was written at an odd second: the wizard sees file times in
  // two-second steps, and an installed copy of the same moment is up to date.
  const std::vector<ReleaseFile> release = {
      {L"Quonel.dll", Content(4000, 'q'), Release()},
      {L"数据\\地图.pak", Content(70000, 'm'), Release()},
      {L"数据\\空.txt", "", Release()},
      {L"说明.txt", "readme\r\n", LocalTime(2026, 11, 1, 8, 0, 1)},
  };
  ScratchFolder publisher;
  for (const ReleaseFile& file : release) {
    publisher.Write(L"release" / fs::path(file.section), file.bytes);
    ASSERT_TRUE(SetLastWriteTime(publisher.path() / L"release" / file.section, file.lastWrite));
  }
  publisher.Write(L"names.txt", "Quonel.dll=\xE6\xA0\xB8\xE5\xBF\x83\xE5\xBA\x93\n"
                                "\xE6\x95\xB0\xE6\x8D\xAE/\xE5\x9C\xB0\xE5\x9B\xBE.pak=\xE5\x9C\xB0\xE5\x9B\xBE\n");
  ChildProcess tool(UpdmanifestExe().wstring(), L"--names \"" + (publisher.path() / L"names.txt").wstring() +
                                                    L"\" --output \"" + (publisher.path() / L"quonel.htm").wstring() +
                                                    L"\" \"" + (publisher.path() / L"release").wstring() + L"\"");
  DWORD toolCode = 1;
  ASSERT_TRUE(tool.WaitForExit(60000, toolCode));
  ASSERT_EQ(0u, toolCode);

  LoopbackFileSite site;
  site.Put("quonel.htm", publisher.Read(L"quonel.htm"));
  // The wizard asks for a name in its ANSI code page, "\" and all.
  for (const ReleaseFile& file : release) site.Put(WideToAnsi(file.section), file.bytes);

  ClientInstallation client(UpdateExe());
  PrepareInstallation(client, site);
  client.WriteFile("Quonel.dll", "old library", Installed());
  ASSERT_TRUE(CopyFileW((publisher.path() / L"release" / L"说明.txt").c_str(), (client.Root() / L"说明.txt").c_str(), FALSE));

  WizardSession wizard(client.Exe());
  const std::vector<FileRow> rows = RunToInstallCaption(wizard);
  ASSERT_EQ(4u, rows.size());
  const std::wstring captions[] = {L"核心库", L"地图", L"空.txt", L"说明.txt"};
  const std::wstring verdicts[] = {L"需要升级", L"需要创建", L"需要创建", L"不需更新"};
  const std::wstring dates[] = {L"2026/12/7 9:05:00", L"2026/12/7 9:05:00", L"2026/12/7 9:05:00", L"2026/11/1 8:00:00"};
  const int images[] = {kTick, kTick, kTick, kBalloon};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(captions[i], rows[i].caption) << i;
    EXPECT_EQ(verdicts[i], rows[i].verdict) << i;
    EXPECT_EQ(dates[i], rows[i].date) << i;
    EXPECT_EQ(images[i], rows[i].stateImage) << i;
  }
  EXPECT_EQ(0, site.CountRequests("GET", WideToAnsi(L"说明.txt")));

  InstallAndEnd(wizard);
  for (const ReleaseFile& file : release) {
    EXPECT_TRUE(client.Exists(file.section)) << Narrow(file.section);
    EXPECT_TRUE(file.bytes == client.Read(file.section)) << Narrow(file.section);
  }
  EXPECT_EQ("old library", client.Read(L"backup\\Quonel.dll.bak"));
}

TEST(WizardPublish, AManifestSavedAsUtf8WithItsMarkInstallsItsChineseNamedFile) {
  const std::string map = Content(5000, 'u');
  LoopbackFileSite site;
  site.Put("quonel.htm", "\xEF\xBB\xBF[\xE6\x95\xB0\xE6\x8D\xAE\\\xE5\x9C\xB0\xE5\x9B\xBE.pak]\r\n"
                         "name=\xE5\x9C\xB0\xE5\x9B\xBE\xE6\x95\xB0\xE6\x8D\xAE\r\ndatetime=2026/12/7 9:05:00\r\n");
  site.Put(WideToAnsi(L"数据\\地图.pak"), map);
  ClientInstallation client(UpdateExe());
  PrepareInstallation(client, site);

  WizardSession wizard(client.Exe());
  const std::vector<FileRow> rows = RunToInstallCaption(wizard);
  ASSERT_EQ(1u, rows.size());
  EXPECT_EQ(L"地图数据", rows[0].caption);
  EXPECT_EQ(kTick, rows[0].stateImage);
  // Stored in the Unicode form that the profile functions of every Windows read.
  EXPECT_EQ(std::string("\xFF\xFE[\0", 4), client.Read(L"update\\update.ini").substr(0, 4));

  InstallAndEnd(wizard);
  EXPECT_TRUE(map == client.Read(L"数据\\地图.pak"));
}

}  // namespace
}  // namespace quonel::e2e
