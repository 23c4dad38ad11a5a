// "完成升级": backups, replacement, staged copies, the client started and
// the end of the program; and the files that must not be installed (an
// incomplete transfer, a file in use), which the wizard names instead of
// reporting success.
#include "e2e/wizard_e2e.h"

namespace quonel::e2e {
namespace {

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
  ASSERT_TRUE(wizard.WaitForWindow());
  wizard.Press(wizard.NextButton());
  ASSERT_TRUE(wizard.WaitForNextCaption(L"完成升级"));
  wizard.Press(wizard.NextButton());

  const MessageBoxWindow box = wizard.WaitForMessageBox();
  ASSERT_NE(nullptr, box.window);
  EXPECT_EQ(L"恭喜你", box.caption);
  EXPECT_EQ(L"升级成功!", box.text);
  EXPECT_EQ(nullptr, GetWindow(box.window, GW_OWNER));
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
  EXPECT_EQ("same copy", client.Read(L"backup\\same.dat.bak"));
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

TEST(WizardInstall, AnIncompleteOrLockedFileIsKeptStagedAndNamed) {
  ClientInstallation client(UpdateExe());
  LoopbackFileSite site;
  const std::string slow = Content(300 * 1024, 's'), locked = Content(4000, 'k'), last = Content(3000, 'z');
  site.Put("quonel.htm", ManifestText({{L"slow.dat", L"慢文件", ManifestDateTime(Release())},
                                       {L"locked.dat", L"占用的文件", ManifestDateTime(Release())},
                                       {L"last.dat", L"最后的文件", ManifestDateTime(Release())}}));
  site.Put("slow.dat", slow);
  site.Pace("slow.dat", 1024, 25);
  site.Put("locked.dat", locked);
  site.Put("last.dat", last);
  client.WriteFile("slow.dat", "old slow", Installed());
  client.WriteFile("locked.dat", "old locked", Installed());
  client.CopyIn(ClientExe(), L"QuonelClient.exe");
  client.WriteConfig(L"quonel", L"QuonelClient.exe", {{L"本地服务器", Wide(site.Url())}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.WaitForWindow());
  wizard.Press(wizard.NextButton());
  ASSERT_TRUE(WaitFor([&] { return client.Read(L"update\\slow.dat").size() > 0; }, 30000));
  // Aborting an earlier file lets the later ones download; the caption
  // follows the last file.
  wizard.Press(wizard.AbortButton());
  ASSERT_TRUE(wizard.WaitForNextCaption(L"完成升级", 60000));
  const std::vector<FileRow> rows = wizard.Rows();
  ASSERT_EQ(3u, rows.size());
  EXPECT_EQ(kCross, rows[0].stateImage);
  EXPECT_EQ(kTick, rows[1].stateImage);
  EXPECT_EQ(kTick, rows[2].stateImage);
  const std::string partial = client.Read(L"update\\slow.dat");
  ASSERT_LT(partial.size(), slow.size());

  // The client keeps locked.dat open, as a running program does.
  HANDLE inUse = CreateFileW((client.Root() / L"locked.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, inUse);
  wizard.Press(wizard.NextButton());
  const MessageBoxWindow box = wizard.WaitForMessageBox();
  ASSERT_NE(nullptr, box.window);
  EXPECT_NE(L"升级成功!", box.text);
  EXPECT_NE(std::wstring::npos, box.text.find(L"slow.dat")) << Narrow(box.text);
  EXPECT_NE(std::wstring::npos, box.text.find(L"locked.dat")) << Narrow(box.text);
  EXPECT_EQ(std::wstring::npos, box.text.find(L"last.dat")) << Narrow(box.text);
  CloseHandle(inUse);

  EXPECT_EQ("old slow", client.Read(L"slow.dat"));
  EXPECT_EQ(partial, client.Read(L"update\\slow.dat"));
  EXPECT_EQ("old locked", client.Read(L"locked.dat"));
  EXPECT_EQ(locked, client.Read(L"update\\locked.dat"));
  EXPECT_EQ(last, client.Read(L"last.dat"));
  EXPECT_FALSE(client.Exists(L"update\\last.dat"));
  EXPECT_FALSE(ClientStarted(client));

  ASSERT_TRUE(AnswerMessageBox(box, L""));
  DWORD code = 1;
  ASSERT_TRUE(wizard.WaitForExit(code));
  EXPECT_EQ(0u, code);
  EXPECT_TRUE(WaitFor([&] { return ClientStarted(client); }, 30000));
}

}  // namespace
}  // namespace quonel::e2e
