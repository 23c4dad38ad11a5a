// What a careless or hostile manifest or server, a second click or an
// earlier install that could not be undone must never do: move one file
// twice, overwrite the wizard's own files, install a copy as long as an error
// page, start the client on a mix of old and new files, or say nothing
// changed when something did.
#include <atomic>

#include "e2e/wizard_e2e.h"

namespace quonel::e2e {
namespace {

bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

// Presses "完成升级" and answers the box; returns its text (empty without one).
std::wstring InstallAndAnswer(WizardSession& wizard, HWND* owner = nullptr) {
  wizard.Press(wizard.NextButton());
  const MessageBoxWindow box = wizard.WaitForMessageBox();
  if (!box.window) return L"";
  if (owner) *owner = GetWindow(box.window, GW_OWNER);
  AnswerMessageBox(box, L"");
  DWORD code = 1;
  wizard.WaitForExit(code);
  return box.text;
}

TEST(WizardSafety, TwoNamesOfOneFileAreOneFileAndTheFirstWins) {
  ClientInstallation client(UpdateExe());
  LoopbackFileSite site;
  const std::string a = Content(3000, 'a'), otherA = Content(4000, 'A'), x = Content(2000, 'x');
  site.Put("a.dll", a);
  site.Put("A.DLL", otherA);
  site.Put("sub\\x.dll", x);
  site.Put("sub/x.dll", Content(2500, 'y'));
  site.Put("quonel.htm", ManifestText({{L"a.dll", L"甲", ManifestDateTime(Release())},
                                       {L"A.DLL", L"甲二", ManifestDateTime(Release())},
                                       {L"sub\\x.dll", L"乙", ManifestDateTime(Release())},
                                       {L"sub/x.dll", L"乙二", ManifestDateTime(Release())}}));
  client.WriteFile("a.dll", "old a", Installed());
  client.WriteFile("sub\\x.dll", "old x", Installed());
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", Wide(site.Url())}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"完成升级"));
  EXPECT_EQ((std::vector<int>{kTick, kCross, kTick, kCross}), wizard.RowStates());
  EXPECT_TRUE(wizard.LogHas(L"A.DLL与前面的a.dll是同一个文件，跳过下载和安装"));
  EXPECT_EQ(0, site.CountRequests("GET", "A.DLL"));
  EXPECT_EQ(0, site.CountRequests("GET", "sub/x.dll"));

  const std::wstring text = InstallAndAnswer(wizard);
  EXPECT_TRUE(Contains(text, L"A.DLL（重复的文件）")) << Narrow(text);
  EXPECT_TRUE(Contains(text, L"sub/x.dll（重复的文件）")) << Narrow(text);
  EXPECT_EQ(a, client.Read(L"a.dll"));
  EXPECT_EQ("old a", client.Read(L"backup\\a.dll.bak"));
  EXPECT_EQ(x, client.Read(L"sub\\x.dll"));
  EXPECT_EQ("old x", client.Read(L"backup\\sub\\x.dll.bak"));
}

TEST(WizardSafety, NamesOfTheWizardsOwnFilesAreRefusedInAnyLetterCase) {
  ClientInstallation client(UpdateExe());
  LoopbackFileSite site;
  const std::string good = Content(3000, 'g');
  const std::vector<std::wstring> own = {L"update.ini", L"UPDATE.JOURNAL", L"good.dat.Origin", L"Update\\good.dat",
                                         L"backup/good.dat.bak"};
  std::vector<ManifestFile> manifest = {{L"good.dat", L"好文件", ManifestDateTime(Release())}};
  site.Put("good.dat", good);
  for (const std::wstring& name : own) {
    manifest.push_back({name, L"坏" + name, ManifestDateTime(Release())});
    site.Put(Narrow(name), "what a hostile server sends");
  }
  const std::string manifestText = ManifestText(manifest);
  site.Put("quonel.htm", manifestText);
  client.WriteFile("good.dat", "old good", Installed());
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", Wide(site.Url())}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"完成升级"));
  const std::vector<FileRow> rows = wizard.Rows();
  ASSERT_EQ(own.size() + 1, rows.size());
  EXPECT_EQ(kTick, rows[0].stateImage);
  for (size_t i = 0; i < own.size(); ++i) {
    EXPECT_EQ(kCross, rows[i + 1].stateImage) << Narrow(own[i]);
    EXPECT_TRUE(wizard.LogHas(own[i] + L"是升级程序自己的文件，拒绝下载和安装")) << Narrow(own[i]);
  }
  // Only the manifest and good.dat were fetched; the stored manifest is the fetched one.
  EXPECT_EQ(3u, site.Requests().size());
  EXPECT_EQ(manifestText + "\r\n", client.Read(L"update\\update.ini"));

  const std::wstring text = InstallAndAnswer(wizard);
  EXPECT_TRUE(Contains(text, L"UPDATE.JOURNAL（路径无效）")) << Narrow(text);
  EXPECT_EQ(good, client.Read(L"good.dat"));
  EXPECT_EQ("old good", client.Read(L"backup\\good.dat.bak"));
}

// HEAD and GET answered differently: a HEAD refused with an empty error
// page, and a cache's stale HEAD length against the GET's real one.
TEST(WizardSafety, AHeadLengthThatIsNotTheFilesFailsTheTransfer) {
  const std::string body = Content(5000, 'b');
  const std::string manifest = ManifestText({{L"refused.dat", L"拒绝HEAD", ManifestDateTime(Release())},
                                             {L"stale.dat", L"过时长度", ManifestDateTime(Release())}});
  std::atomic<int> staleGets{0};
  LoopbackServer server([&](ScriptedConnection& c) {
    const std::string head = c.ReadRequestHead();
    const bool isHead = head.rfind("HEAD ", 0) == 0;
    const std::string close = "Connection: close\r\n";
    if (head.find(" /quonel.htm ") != std::string::npos) {
      c.Send("HTTP/1.1 200 OK\r\n" + close + "Content-Length: " + std::to_string(manifest.size()) + "\r\n\r\n" +
             manifest);
    } else if (isHead && head.find(" /refused.dat ") != std::string::npos) {
      c.Send("HTTP/1.1 405 Method Not Allowed\r\n" + close + "Content-Length: 0\r\n\r\n");
    } else if (isHead) {
      c.Send("HTTP/1.1 200 OK\r\n" + close + "Content-Length: 160\r\n\r\n");
    } else {
      if (head.find(" /stale.dat ") != std::string::npos) ++staleGets;
      c.Send("HTTP/1.1 206 Partial Content\r\n" + close + "Content-Range: bytes 0-4999/5000\r\nContent-Length: 5000\r\n\r\n" +
             body);
    }
    c.Close();
  });
  ClientInstallation client(UpdateExe());
  client.WriteFile("refused.dat", "old r", Installed());
  client.WriteFile("stale.dat", "old s", Installed());
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", Wide(server.Url("/"))}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"继续下载"));
  EXPECT_EQ((std::vector<int>{kCross, kCross}), wizard.RowStates());
  EXPECT_TRUE(wizard.LogHas(L"refused.dat服务器对 HEAD 请求的回答不是 200（405），文件长度不可知，取消下载"));
  EXPECT_TRUE(wizard.LogHas(L"stale.dat服务器所示文件长度前后不一，取消下载"));
  EXPECT_EQ(2, staleGets.load());  // asked again once before giving up
  EXPECT_EQ("old r", client.Read(L"refused.dat"));
  EXPECT_EQ("old s", client.Read(L"stale.dat"));
}

// An install that could not be undone: a.dat is the new copy, its backup
// the old one, and a program holds a.dat open so that it cannot move back.
TEST(WizardSafety, AnInstallLeftMixedIsToldAndBlocksEveryRunUntilItIsUndone) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  server.Put("b.dat", Content(2000, 'b'));
  server.Put("quonel.htm", ManifestText({{L"b.dat", L"乙", ManifestDateTime(Release())}}));
  client.WriteFile("a.dat", "new a");
  client.WriteFile("backup\\a.dat.bak", "old a");
  const std::string journal = "backup\ta.dat\nreplace\ta.dat\n";
  client.WriteFile("update\\update.journal", journal);
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", server.Url()}});
  HANDLE inUse =
      CreateFileW((client.Root() / L"a.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, inUse);
  {
    WizardSession wizard(client.Exe());
    ASSERT_TRUE(wizard.WaitForWindow());
    for (const char* when : {"at the start", "at a run"}) {
      if (std::string(when) == "at a run") wizard.Press(wizard.NextButton());
      const MessageBoxWindow box = wizard.WaitForMessageBox();
      ASSERT_NE(nullptr, box.window) << when;
      EXPECT_EQ(wizard.Window(), GetWindow(box.window, GW_OWNER)) << when;
      EXPECT_TRUE(Contains(box.text, L"    a.dat\r\n")) << Narrow(box.text);
      EXPECT_TRUE(Contains(box.text, L"新旧文件混杂")) << Narrow(box.text);
      AnswerMessageBox(box, L"");
      ASSERT_TRUE(WaitFor([&] { return !IsWindow(box.window); }, 10000)) << when;
    }
    EXPECT_TRUE(wizard.ServerPageShown());
    wizard.Close();
    DWORD code = 1;
    ASSERT_TRUE(wizard.WaitForExit(code));
  }
  // Nothing was fetched beside the mix, and the journal is kept.
  EXPECT_EQ(0, server.AllRequests());
  EXPECT_EQ(journal, client.Read(L"update\\update.journal"));
  CloseHandle(inUse);

  WizardSession next(client.Exe());
  ASSERT_TRUE(next.WaitForWindow());
  EXPECT_TRUE(next.LogHas(L"上次未完成的安装已撤销"));
  EXPECT_EQ("old a", client.Read(L"a.dat"));
  EXPECT_EQ("new a", client.Read(L"update\\a.dat"));
  EXPECT_FALSE(client.Exists(L"update\\update.journal"));
}

// Killed after it had installed a new Update.exe: the next start (the new
// program) undoes that install, which moves its own image back to update\.
TEST(WizardSafety, TheUndoneWizardCanStillUpdateItself) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  const std::string newUpdater = client.Read(L"Update.exe") + "a later build";
  server.Put("Update.exe", newUpdater);
  server.Put("quonel.htm", ManifestText({{L"Update.exe", L"升级程序", ManifestDateTime(Release())}}));
  client.WriteFile("backup\\Update.exe.bak", "the old updater", Installed());
  client.WriteFile("update\\update.journal", "backup\tUpdate.exe\nreplace\tUpdate.exe\n");
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", server.Url()}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"完成升级"));
  EXPECT_TRUE(wizard.LogHas(L"上次未完成的安装已撤销"));
  ASSERT_EQ(1u, wizard.Rows().size());
  EXPECT_EQ(kTick, wizard.Rows()[0].stateImage);
  EXPECT_EQ(L"升级成功!", InstallAndAnswer(wizard));
  EXPECT_EQ(newUpdater, client.Read(L"Update.exe"));
  EXPECT_EQ("the old updater", client.Read(L"backup\\Update.exe.bak"));
}

}  // namespace
}  // namespace quonel::e2e
