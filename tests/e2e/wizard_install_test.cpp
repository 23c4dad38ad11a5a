// "完成升级": backups of the replaced files, replacement, staged copies,
// the client started and the end of the program; "中断下载" stopping the
// whole run; an install killed half-way and undone by the next start.
#include <cwchar>

#include "app/update_installer.h"
#include "e2e/wizard_e2e.h"
#include "support/faulty_install_operations.h"

namespace quonel::e2e {
namespace {

using quonel::testing::FaultyInstallOperations;

bool ClientStarted(const ClientInstallation& client) { return client.Exists(L"client_started.txt"); }

TEST(WizardInstall, BacksUpReplacesCleansUpStartsTheClientAndEnds) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  const NewNewerSame files;
  files.Publish(server);
  files.Install(client);
  client.WriteFile("backup\\newer.dat.bak", "an earlier backup");
  client.CopyIn(ClientExe(), L"QuonelClient.exe");
  client.WriteConfig(L"quonel", L"QuonelClient.exe", {{L"本地服务器", server.Url()}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"完成升级"));
  wizard.Press(wizard.NextButton());

  const MessageBoxWindow box = wizard.WaitForMessageBox();
  ASSERT_NE(nullptr, box.window);
  EXPECT_EQ(L"恭喜你", box.caption);
  EXPECT_EQ(L"升级成功!", box.text);
  EXPECT_EQ(wizard.Window(), GetWindow(box.window, GW_OWNER));  // modal: no click can start a second install
  EXPECT_NE(nullptr, GetDlgItem(box.window, IDOK));
  EXPECT_EQ(nullptr, GetDlgItem(box.window, IDCANCEL));
  // Success is told once the files are in place, and before the client starts.
  EXPECT_EQ(L"复制新文件..", wizard.NextCaption());
  EXPECT_FALSE(wizard.Enabled(wizard.NextButton()));
  EXPECT_FALSE(wizard.Enabled(wizard.AbortButton()));
  EXPECT_EQ(files.fresh, client.Read(L"new.dat"));
  EXPECT_EQ(files.newer, client.Read(L"newer.dat"));
  EXPECT_EQ("same copy", client.Read(L"same.dat"));
  EXPECT_EQ("old copy", client.Read(L"backup\\newer.dat.bak"));
  EXPECT_FALSE(client.Exists(L"backup\\same.dat.bak"));  // only replaced files are backed up
  EXPECT_FALSE(client.Exists(L"backup\\new.dat.bak"));
  EXPECT_FALSE(client.Exists(L"update\\new.dat"));
  EXPECT_FALSE(client.Exists(L"update\\newer.dat"));
  EXPECT_FALSE(ClientStarted(client));

  ASSERT_TRUE(AnswerMessageBoxWith(box, IDOK));
  DWORD code = 1;
  ASSERT_TRUE(wizard.WaitForExit(code));
  EXPECT_EQ(0u, code);
  EXPECT_TRUE(WaitFor([&] { return ClientStarted(client); }, 30000));
}

TEST(WizardInstall, AbortStopsTheWholeRunAndOffersNoInstall) {
  ClientInstallation client(UpdateExe());
  LoopbackFileSite site;
  const std::string slow = Content(300 * 1024, 's'), last = Content(3000, 'z');
  site.Put("quonel.htm", ManifestText({{L"slow.dat", L"慢文件", ManifestDateTime(Release())},
                                       {L"last.dat", L"最后的文件", ManifestDateTime(Release())}}));
  site.Put("slow.dat", slow);
  site.Pace("slow.dat", 1024, 25);
  site.Put("last.dat", last);
  client.WriteFile("slow.dat", "old slow", Installed());
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", Wide(site.Url())}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.WaitForWindow());
  wizard.Press(wizard.NextButton());
  ASSERT_TRUE(WaitFor([&] { return client.Read(L"update\\slow.dat").size() > 0; }, 30000));
  wizard.Press(wizard.AbortButton());
  ASSERT_TRUE(wizard.WaitForNextCaption(L"继续下载", 60000));
  const std::vector<FileRow> rows = wizard.Rows();
  ASSERT_EQ(2u, rows.size());
  EXPECT_EQ(kCross, rows[0].stateImage);
  EXPECT_EQ(-1, rows[1].stateImage);  // never reached
  EXPECT_EQ(0, site.CountRequests("HEAD", "last.dat"));
  EXPECT_FALSE(client.Exists(L"update\\last.dat"));
  EXPECT_EQ("old slow", client.Read(L"slow.dat"));
}

// The install is stopped half-way by the unit tests' killer, at a fixed step
// (half the files replaced, the next one backed up only), so the journal it leaves
// is the one a kill at that moment leaves; then the program starts on it.
TEST(WizardInstall, AnInstallKilledHalfWayIsRolledBackByTheNextStart) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  const int kFiles = 8;
  std::vector<InstallEntry> entries;
  for (int i = 0; i < kFiles; ++i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"f%04d.dat", i);
    client.WriteFile(name, "old");
    client.WriteFile(std::wstring(L"update\\") + name, Content(64, static_cast<char>('a' + i)));
    entries.push_back({name, FileOutcome::Downloaded, 64});
  }
  client.WriteFile(L"backup\\.keep", "");
  server.Put("quonel.htm", ManifestText({}));
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", server.Url()}});
  FaultyInstallOperations killer(kFiles + 1, /*kill=*/true);
  ASSERT_THROW(InstallStagedFiles(client.Root().wstring() + L"\\", entries, killer), FaultyInstallOperations::Killed);
  const std::string journal = client.Read(L"update\\update.journal");
  ASSERT_NE(std::string::npos, journal.find("replace"));
  ASSERT_EQ(std::string::npos, journal.find("commit"));

  WizardSession next(client.Exe());
  ASSERT_TRUE(next.WaitForWindow());
  EXPECT_TRUE(next.LogHas(L"上次未完成的安装已撤销"));
  EXPECT_FALSE(client.Exists(L"update\\update.journal"));
  for (const InstallEntry& entry : entries) {
    const int i = static_cast<int>(&entry - entries.data());
    EXPECT_EQ("old", client.Read(entry.name)) << Narrow(entry.name);
    EXPECT_EQ(Content(64, static_cast<char>('a' + i)), client.Read(L"update\\" + entry.name)) << Narrow(entry.name);
  }
}

}  // namespace
}  // namespace quonel::e2e
