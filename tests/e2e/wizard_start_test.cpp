// The wizard from its start to the manifest: the server list of config.ini,
// the server a run uses, the manifest fetch's failure box and stored copy,
// and the close questions when nothing is being downloaded.
#include "e2e/wizard_e2e.h"

#include <tlhelp32.h>

#include "core/win32_owners.h"

namespace quonel::e2e {
namespace {

const wchar_t kFetchError[] = L"取得升级信息出错！";

std::wstring FocusedWindow(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return WindowText(info.hwndFocus);
}

// Whether the process has loaded the DLL (a lower-case file name).
bool HasLoaded(DWORD processId, const std::wstring& dll) {
  const OwnedFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
  if (!snapshot) return false;
  MODULEENTRY32W module = {};
  module.dwSize = sizeof module;
  bool found = false;
  for (BOOL more = Module32FirstW(snapshot.Get(), &module); more && !found;
       more = Module32NextW(snapshot.Get(), &module))
    found = _wcsicmp(module.szModule, dll.c_str()) == 0;
  return found;
}

// Answers the box and waits until the program has taken the answer.
void Answer(const MessageBoxWindow& box, int button) {
  ASSERT_TRUE(AnswerMessageBoxWith(box, button));
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box.window); }, 10000));
}

TEST(WizardStart, ListsTheServersInOrderAndRunsAgainstTheFirstUntilOneIsChosen) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  server.Put("s1/quonel.htm", ManifestText({{L"readme.txt", L"第一服务器的文件", ManifestDateTime(Installed())}}));
  server.Put("s2/quonel.htm", ManifestText({{L"readme.txt", L"第二服务器的文件", ManifestDateTime(Installed())}}));
  client.WriteFile("readme.txt", "installed", Installed());
  client.WriteConfig(L"quonel", L"",
                     {{L"电信服务器", server.Url("s1")}, {L"网通服务器", server.Url("s2/")},
                      {L"备用服务器", L"http://127.0.0.1:1/a=b"}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.WaitForWindow());
  EXPECT_EQ((std::vector<std::wstring>{L"电信服务器", L"网通服务器", L"备用服务器"}), wizard.Servers());
  EXPECT_EQ(-1, wizard.SelectedServer());
  EXPECT_EQ(server.Url("s1"), wizard.ServerAddress());
  EXPECT_TRUE(wizard.ServerPageShown());
  EXPECT_FALSE(wizard.Enabled(wizard.PreButton()));
  EXPECT_EQ(L"下一步", wizard.NextCaption());
  EXPECT_TRUE(wizard.Enabled(wizard.NextButton()));
  EXPECT_FALSE(wizard.Enabled(wizard.AbortButton()));
  EXPECT_TRUE(WaitFor([&] { return FocusedWindow(wizard.Window()) == L"下一步"; }, 5000));
  // The network stack is loaded by the first run, not before the window appears.
  EXPECT_FALSE(HasLoaded(wizard.ProcessId(), L"ws2_32.dll"));

  // No choice: the first server, with one "/" appended that stays.
  wizard.Press(wizard.NextButton());
  ASSERT_TRUE(wizard.WaitForNextCaption(L"完成升级"));
  ASSERT_EQ(1u, wizard.Rows().size());
  EXPECT_EQ(L"第一服务器的文件", wizard.Rows()[0].caption);
  EXPECT_EQ(server.Url("s1/"), wizard.ServerAddress());
  EXPECT_EQ(1, server.Requests("GET", "s1/quonel.htm"));
  EXPECT_TRUE(HasLoaded(wizard.ProcessId(), L"ws2_32.dll"));

  wizard.Press(wizard.PreButton());
  ASSERT_TRUE(WaitFor([&] { return wizard.ServerPageShown(); }, 10000));
  EXPECT_EQ(L"下一步", wizard.NextCaption());
  EXPECT_FALSE(wizard.Enabled(wizard.PreButton()));
  EXPECT_TRUE(wizard.LogHas(L"已中断下载;"));

  // A value with "=" keeps everything after the first "="; choosing a
  // server again gives the same address.
  wizard.ChooseServer(2);
  EXPECT_TRUE(WaitFor([&] { return wizard.ServerAddress() == L"http://127.0.0.1:1/a=b"; }, 5000));
  wizard.ChooseServer(1);
  EXPECT_TRUE(WaitFor([&] { return wizard.ServerAddress() == server.Url("s2/"); }, 5000));
  wizard.ChooseServer(0);
  wizard.ChooseServer(1);
  ASSERT_TRUE(WaitFor([&] { return wizard.SelectedServer() == 1; }, 5000));
  EXPECT_EQ(server.Url("s2/"), wizard.ServerAddress());

  wizard.Press(wizard.NextButton());
  // "上一步" cleared UpdateReady; this run's last file needs no update, so
  // it offers the update all the same.
  ASSERT_TRUE(wizard.WaitForNextCaption(L"完成升级"));
  ASSERT_EQ(1u, wizard.Rows().size());
  EXPECT_EQ(L"第二服务器的文件", wizard.Rows()[0].caption);
  EXPECT_EQ(1, server.Requests("GET", "s2/quonel.htm"));

  // Closing with "完成升级" shown asks the second question; No keeps the window.
  wizard.Close();
  MessageBoxWindow box = wizard.WaitForMessageBox();
  ASSERT_NE(nullptr, box.window);
  EXPECT_EQ(L"信息提示", box.caption);
  EXPECT_EQ(L"文件下载已经完成，但并没有更新文件，要退出吗？", box.text);
  EXPECT_EQ(wizard.Window(), GetWindow(box.window, GW_OWNER));
  Answer(box, IDNO);
  DWORD code = 0;
  EXPECT_FALSE(wizard.WaitForExit(code, 1000));
  EXPECT_TRUE(IsWindowVisible(wizard.Window()));

  wizard.Close();
  box = wizard.WaitForMessageBox();
  ASSERT_NE(nullptr, box.window);
  EXPECT_EQ(L"文件下载已经完成，但并没有更新文件，要退出吗？", box.text);
  Answer(box, IDYES);
  ASSERT_TRUE(wizard.WaitForExit(code));
  EXPECT_EQ(0u, code);
}

TEST(WizardStart, WithoutConfigTheWindowOpensAndTheFetchFailureIsReported) {
  ClientInstallation client(UpdateExe());
  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.WaitForWindow());
  EXPECT_TRUE(wizard.Servers().empty());
  EXPECT_EQ(L"", wizard.ServerAddress());

  wizard.Press(wizard.NextButton());
  const MessageBoxWindow box = wizard.WaitForMessageBox();
  ASSERT_NE(nullptr, box.window);
  EXPECT_EQ(L"错误提示", box.caption);
  EXPECT_EQ(kFetchError, box.text);
  EXPECT_EQ(wizard.Window(), GetWindow(box.window, GW_OWNER));
  EXPECT_NE(nullptr, GetDlgItem(box.window, IDOK));
  EXPECT_EQ(nullptr, GetDlgItem(box.window, IDNO));
  // The program's boxes are taken over by its skin engine once they are active.
  EXPECT_TRUE(WaitFor([&] { return SendMessageW(box.window, 0x3523, 0, 0) == 1; }, 10000)) << "skinned";
  // While the box is up the run waits on the progress page with its one row.
  EXPECT_TRUE(wizard.ProgressPageShown());
  Answer(box, IDOK);

  ASSERT_TRUE(WaitFor([&] { return wizard.Enabled(wizard.NextButton()); }, 10000));
  const std::vector<FileRow> rows = wizard.Rows();
  ASSERT_EQ(1u, rows.size());
  EXPECT_EQ(L"分析文件升级信息...", rows[0].caption);
  EXPECT_EQ(kHourglass, rows[0].stateImage);
  EXPECT_EQ(L"下一步", wizard.NextCaption());
  EXPECT_TRUE(wizard.Enabled(wizard.PreButton()));
  EXPECT_FALSE(wizard.Enabled(wizard.AbortButton()));
  EXPECT_FALSE(client.Exists(L"update\\update.ini"));

  // Nothing downloading, nothing to install: the window closes without a question.
  wizard.Close();
  DWORD code = 1;
  bool asked = false;
  ASSERT_TRUE(WaitFor(
      [&] {
        if (FindMessageBox(wizard.ProcessId()).window) asked = true;
        return asked || !wizard.Running();
      },
      30000));
  EXPECT_FALSE(asked);
  ASSERT_TRUE(wizard.WaitForExit(code));
  EXPECT_EQ(0u, code);
}

// The picked server has no manifest: the next server of config.ini gives
// its own, which replaces an older, longer stored copy completely.
TEST(WizardStart, AServerWithoutAManifestFallsBackToTheNextAndItsManifestIsStored) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  const std::string manifest =
      ManifestText({{L"a.txt", L"甲", ManifestDateTime(Installed())}, {L"b.txt", L"乙", ManifestDateTime(Installed())}});
  server.Put("good/quonel.htm", manifest);
  client.WriteFile("a.txt", "a", Installed());
  client.WriteFile("b.txt", "b", Installed());
  client.WriteFile("update\\update.ini", std::string(4096, 'x'));
  client.WriteConfig(L"quonel", L"", {{L"空服务器", server.Url("missing/")}, {L"好服务器", server.Url("good/")}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"完成升级"));
  EXPECT_EQ(nullptr, FindMessageBox(wizard.ProcessId()).window);
  EXPECT_EQ(manifest + "\r\n", client.Read(L"update\\update.ini"));
  EXPECT_EQ(1, server.Requests("GET", "missing/quonel.htm"));
  EXPECT_TRUE(wizard.LogHas(L"升级信息来自服务器“好服务器”：" + server.Url("good/")));
  const std::vector<FileRow> rows = wizard.Rows();
  ASSERT_EQ(2u, rows.size());
  EXPECT_EQ(L"甲", rows[0].caption);
  EXPECT_EQ(L"乙", rows[1].caption);
}

}  // namespace
}  // namespace quonel::e2e
