// What the wizard guarantees whatever the network, the server or the release
// engineer does: only verified files are installed, an install is all or
// nothing (also when the wizard is killed in the middle), the run ends with
// "完成升级" only when every file is verified, and manifests are read whole.
#include <algorithm>
#include <cwchar>
#include <map>

#include "e2e/wizard_e2e.h"

namespace quonel::e2e {
namespace {

// Later than the program under test was built (its copy keeps the build's time).
SYSTEMTIME Later() { return LocalTime(2036, 1, 1, 10, 0, 0); }

// Every file of the installation outside update\ (relative name -> bytes).
std::map<std::wstring, std::string> Installation(const ClientInstallation& client) {
  std::map<std::wstring, std::string> files;
  for (const std::wstring& name : client.AllFiles()) {
    if (name.rfind(L"app\\update\\", 0) == 0 || name == L"app\\client_started.txt") continue;
    if (name.rfind(L"app\\", 0) == 0) files[name] = client.Read(name.substr(4));
  }
  return files;
}

// Runs, then presses "完成升级" and returns the install box's text; the
// wizard has ended when it returns.
std::wstring RunAndInstall(WizardSession& wizard) {
  if (!wizard.WaitForWindow()) return L"no window";
  wizard.Press(wizard.NextButton());
  if (!wizard.WaitForNextCaption(L"完成升级")) return L"no install offered: " + wizard.NextCaption();
  wizard.Press(wizard.NextButton());
  const MessageBoxWindow box = wizard.WaitForMessageBox();
  if (!box.window) return L"no box";
  AnswerMessageBox(box, L"");
  DWORD code = 1;
  wizard.WaitForExit(code);
  return box.text;
}

TEST(WizardTrust, LeftoverCopiesOfUpToDateFilesAreNotInstalledAndNewFoldersAreMade) {
  ClientInstallation client(UpdateExe());
  // The loopback site serves the name with its "\" as it is sent.
  LoopbackFileSite site;
  const NewNewerSame files;
  files.Install(client);
  const std::string plugin = Content(700, 'p');
  site.Put("newer.dat", files.newer);
  site.Put("plugins\\extra\\x.dat", plugin);
  site.Put("quonel.htm", ManifestText({{L"newer.dat", L"较新的文件", ManifestDateTime(Release())},
                                       {L"same.dat", L"未变的文件", ManifestDateTime(Installed())},
                                       {L"plugins\\extra\\x.dat", L"插件", ManifestDateTime(Release())}}));
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", Wide(site.Url())}});
  // Neither update\ nor backup\ exists yet, and a partial copy of an
  // up-to-date file lies where update\ will be.
  std::filesystem::remove_all(client.Root() / L"update");
  std::filesystem::remove_all(client.Root() / L"backup");
  client.WriteFile("update\\same.dat", "a leftover");

  WizardSession wizard(client.Exe());
  EXPECT_EQ(L"升级成功!", RunAndInstall(wizard));
  EXPECT_EQ("same copy", client.Read(L"same.dat"));
  EXPECT_EQ("a leftover", client.Read(L"update\\same.dat"));
  EXPECT_EQ(files.newer, client.Read(L"newer.dat"));
  EXPECT_EQ("old copy", client.Read(L"backup\\newer.dat.bak"));
  EXPECT_FALSE(client.Exists(L"backup\\same.dat.bak"));
  EXPECT_EQ(plugin, client.Read(L"plugins\\extra\\x.dat"));
}

TEST(WizardTrust, CopiesOfAnOlderReleaseAreNeverContinuedOrInstalled) {
  ClientInstallation client(UpdateExe());
  LoopbackFileSite site;
  // Release one: b.dat arrives whole, a.dat is cut short by "中断下载".
  const std::string a1 = Content(300 * 1024, '1'), b1 = Content(4000, 'b');
  site.Put("b.dat", b1);
  site.Put("a.dat", a1);
  site.Pace("a.dat", 1024, 25);
  site.Put("quonel.htm", ManifestText({{L"b.dat", L"乙", ManifestDateTime(Release())},
                                       {L"a.dat", L"甲", ManifestDateTime(Release())}}));
  client.WriteFile("a.dat", "installed a", Installed());
  client.WriteFile("b.dat", "installed b", Installed());
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", Wide(site.Url())}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.WaitForWindow());
  wizard.Press(wizard.NextButton());
  ASSERT_TRUE(WaitFor([&] { return client.Read(L"update\\a.dat").size() > 0; }, 30000));
  wizard.Press(wizard.AbortButton());
  ASSERT_TRUE(wizard.WaitForNextCaption(L"继续下载"));
  ASSERT_EQ(b1, client.Read(L"update\\b.dat"));
  const size_t partial = client.Read(L"update\\a.dat").size();
  ASSERT_LT(partial, a1.size());

  // Release two: both files change, b.dat keeping its length.
  const std::string a2 = Content(a1.size(), '2'), b2 = Content(b1.size(), 'B');
  site.Put("a.dat", a2);
  site.Put("b.dat", b2);
  site.Pace("a.dat", 0, 0);
  site.Put("quonel.htm", ManifestText({{L"b.dat", L"乙", ManifestDateTime(Later())},
                                       {L"a.dat", L"甲", ManifestDateTime(Later())}}));
  wizard.Press(wizard.NextButton());
  ASSERT_TRUE(wizard.WaitForNextCaption(L"完成升级"));
  wizard.Press(wizard.NextButton());
  const MessageBoxWindow box = wizard.WaitForMessageBox();
  ASSERT_NE(nullptr, box.window);
  EXPECT_EQ(L"升级成功!", box.text);
  AnswerMessageBox(box, L"");
  DWORD code = 1;
  ASSERT_TRUE(wizard.WaitForExit(code));
  EXPECT_EQ(a2, client.Read(L"a.dat"));
  EXPECT_EQ(b2, client.Read(L"b.dat"));
  const std::vector<std::string> requests = site.Requests();
  // Run two fetched a.dat from zero again: no splice of two releases.
  EXPECT_EQ(2, std::count_if(requests.begin(), requests.end(), [](const std::string& head) {
              return head.rfind("GET /a.dat ", 0) == 0 && head.find("RANGE: bytes=0-\r\n") != std::string::npos;
            }));
  EXPECT_FALSE(std::any_of(requests.begin(), requests.end(), [&](const std::string& head) {
    return head.rfind("GET /a.dat ", 0) == 0 && head.find("RANGE: bytes=" + std::to_string(partial) + "-") != std::string::npos;
  }));
}

TEST(WizardTrust, ADigestMismatchInstallsNothingAndOffersNoInstall) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  const std::string good = Content(3000, 'g');
  server.Put("good.dat", good);
  server.Put("bad.dat", "what a broken mirror serves");
  const std::wstring wrongDigest(64, L'0');
  server.Put("quonel.htm", ManifestText({{L"good.dat", L"好文件", ManifestDateTime(Release()), L"size=3000\r\n"},
                                         {L"bad.dat", L"坏文件", ManifestDateTime(Release()),
                                          L"sha256=" + wrongDigest + L"\r\n"}}));
  client.WriteFile("bad.dat", "installed bad", Installed());
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", server.Url()}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"继续下载"));
  EXPECT_EQ((std::vector<int>{kTick, kCross}), wizard.RowStates());
  const std::wstring staged = client.Root().wstring() + L"\\update\\bad.dat";
  EXPECT_TRUE(wizard.LogHas(staged + L"文件校验失败：SHA-256 校验值不符，重新下载"));
  EXPECT_TRUE(wizard.LogHas(staged + L"文件校验失败：SHA-256 校验值不符，不予安装"));
  EXPECT_EQ(2, server.Requests("GET", "bad.dat"));
  EXPECT_FALSE(client.Exists(L"update\\bad.dat"));
  EXPECT_EQ("installed bad", client.Read(L"bad.dat"));
}

// A size= that is no size, and a staged copy whose folder cannot be made
// (update\sub is a file): each gets its cross and its log line, nothing of
// it is fetched or touched, and the good file after them still comes.
TEST(WizardTrust, AFileThatCannotBeCheckedOrStagedIsNeitherFetchedNorTouched) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  const std::string good = Content(2000, 'g');
  server.Put("odd.dat", "never fetched");
  server.Put("sub/deep.dat", "never fetched");
  server.Put("good.dat", good);
  server.Put("quonel.htm", ManifestText({{L"odd.dat", L"怪文件", ManifestDateTime(Release()), L"size=12 kB\r\n"},
                                         {L"sub\\deep.dat", L"深文件", ManifestDateTime(Release())},
                                         {L"good.dat", L"好文件", ManifestDateTime(Release())}}));
  client.WriteFile("odd.dat", "installed odd", Installed());
  client.WriteFile("update\\sub", "a file where a folder should be");
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", server.Url()}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"继续下载"));
  EXPECT_EQ((std::vector<int>{kCross, kCross, kTick}), wizard.RowStates());
  EXPECT_TRUE(wizard.LogHas(L"怪文件文件的 size 值无法识别，跳过下载"));
  EXPECT_TRUE(wizard.LogHas(client.Root().wstring() + L"\\update\\sub\\deep.dat本地文件无法写入，取消下载"));
  EXPECT_EQ(0, server.Requests("GET", "odd.dat"));
  EXPECT_EQ(0, server.Requests("GET", "sub/deep.dat"));
  EXPECT_FALSE(client.Exists(L"update\\odd.dat"));
  EXPECT_EQ("installed odd", client.Read(L"odd.dat"));
  EXPECT_EQ("a file where a folder should be", client.Read(L"update\\sub"));
  EXPECT_EQ(good, client.Read(L"update\\good.dat"));
}

TEST(WizardTrust, AFailedFileFollowedByAGoodOneEndsWithContinue) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  const std::string good = Content(2000, 'g');
  server.Put("good.dat", good);
  server.Put("quonel.htm", ManifestText({{L"missing.dat", L"缺失的文件", ManifestDateTime(Release())},
                                         {L"good.dat", L"好文件", ManifestDateTime(Release())}}));
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", server.Url()}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"继续下载"));
  EXPECT_EQ((std::vector<int>{kCross, kTick}), wizard.RowStates());
  EXPECT_EQ(good, client.Read(L"update\\good.dat"));
  EXPECT_TRUE(wizard.Enabled(wizard.NextButton()));
}

TEST(WizardTrust, AFileInUseLeavesTheInstallationAsItWasAndALaterRunInstallsEverything) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  const NewNewerSame files;
  files.Publish(server);
  files.Install(client);
  client.CopyIn(ClientExe(), L"QuonelClient.exe");
  client.WriteConfig(L"quonel", L"QuonelClient.exe", {{L"本地服务器", server.Url()}});
  const auto before = Installation(client);

  HANDLE inUse =
      CreateFileW((client.Root() / L"newer.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, inUse);
  {
    WizardSession wizard(client.Exe());
    const std::wstring text = RunAndInstall(wizard);
    EXPECT_NE(std::wstring::npos, text.find(L"newer.dat")) << Narrow(text);
    EXPECT_NE(std::wstring::npos, text.find(L"没有任何更改")) << Narrow(text);
  }
  CloseHandle(inUse);
  // The client is started as it was.
  EXPECT_TRUE(WaitFor([&] { return client.Exists(L"client_started.txt"); }, 30000));
  EXPECT_EQ(before, Installation(client));
  EXPECT_EQ(files.fresh, client.Read(L"update\\new.dat"));
  EXPECT_EQ(files.newer, client.Read(L"update\\newer.dat"));

  WizardSession again(client.Exe());
  EXPECT_EQ(L"升级成功!", RunAndInstall(again));
  EXPECT_EQ(files.fresh, client.Read(L"new.dat"));
  EXPECT_EQ(files.newer, client.Read(L"newer.dat"));
  EXPECT_EQ("old copy", client.Read(L"backup\\newer.dat.bak"));
}

TEST(WizardTrust, TheUpdaterUpdatesItselfAndNamesWithBlanksAreFetched) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  const std::string newUpdater = client.Read(L"Update.exe") + "a later build";
  const std::string blank = Content(1500, ' ');
  server.Put("Update.exe", newUpdater);
  server.Put("my file.dat", blank);
  server.Put("100%.dat", "percent");
  server.Put("quonel.htm", ManifestText({{L"Update.exe", L"升级程序", ManifestDateTime(Later())},
                                         {L"my file.dat", L"带空格的文件", ManifestDateTime(Release())},
                                         {L"100%.dat", L"百分号", ManifestDateTime(Release())}}));
  const std::string oldUpdater = client.Read(L"Update.exe");
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", server.Url()}});

  WizardSession wizard(client.Exe());
  EXPECT_EQ(L"升级成功!", RunAndInstall(wizard));
  EXPECT_EQ(newUpdater, client.Read(L"Update.exe"));
  EXPECT_EQ(oldUpdater, client.Read(L"backup\\Update.exe.bak"));
  EXPECT_EQ(blank, client.Read(L"my file.dat"));
  EXPECT_EQ("percent", client.Read(L"100%.dat"));
  EXPECT_EQ(1, server.Requests("GET", "my%20file.dat"));
  EXPECT_EQ(1, server.Requests("GET", "100%25.dat"));
}

TEST(WizardTrust, EmptyHtmlOrShortManifestsAreFailedFetches) {
  LoopbackServer shortBody([](ScriptedConnection& c) {
    c.ReadRequestHead();
    c.Send("HTTP/1.1 200 OK\r\nContent-Length: 4000\r\n\r\n[a.dat]\r\nname=a\r\n");
    c.Close();
  });
  NginxFolder empty, html;
  empty.Put("quonel.htm", "");
  html.Put("quonel.htm", "<html><head><title>Login</title></head><body>Please log in</body></html>");
  for (const std::wstring& url : {empty.Url(), html.Url(), Wide(shortBody.Url("/"))}) {
    ClientInstallation client(UpdateExe());
    client.WriteConfig(L"quonel", L"", {{L"本地服务器", url}});
    WizardSession wizard(client.Exe());
    ASSERT_TRUE(wizard.WaitForWindow());
    wizard.Press(wizard.NextButton());
    const MessageBoxWindow box = wizard.WaitForMessageBox();
    ASSERT_NE(nullptr, box.window) << Narrow(url);
    EXPECT_EQ(L"取得升级信息出错！", box.text) << Narrow(url);
    AnswerMessageBox(box, L"");
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box.window); }, 10000));
    EXPECT_EQ(L"下一步", wizard.NextCaption()) << Narrow(url);
    EXPECT_EQ(1u, wizard.Rows().size()) << Narrow(url);
  }
}

TEST(WizardTrust, AManifestOfFiveThousandFilesIsReadWhole) {
  ClientInstallation client(UpdateExe());
  LoopbackFileSite site;
  std::vector<ManifestFile> manifest;
  for (int i = 0; i < 5000; ++i) {
    wchar_t name[64];
    std::swprintf(name, 64, L"data\\section-%05d.dat", i);
    client.WriteFile(name, "", Installed());
    manifest.push_back({name, std::wstring(L"文件") + std::to_wstring(i), ManifestDateTime(Installed())});
  }
  site.Put("quonel.htm", ManifestText(manifest));
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", Wide(site.Url())}});
  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"完成升级", 300000));
  const std::vector<FileRow> rows = wizard.Rows();
  ASSERT_EQ(5000u, rows.size());
  EXPECT_EQ(L"文件4999", rows.back().caption);
  EXPECT_EQ(kBalloon, rows.back().stateImage);
  EXPECT_EQ(1, site.CountRequests("GET", "quonel.htm"));
  EXPECT_EQ(1u, site.Requests().size());
}

}  // namespace
}  // namespace quonel::e2e
