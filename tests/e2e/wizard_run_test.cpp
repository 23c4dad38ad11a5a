// Runs of the wizard against real servers: verdicts, row images, the log
// and the caption of a full run; abort and resume; "上一步" and the close
// question during a transfer; the date check's folder; hostile names.
#include <algorithm>

#include "e2e/wizard_e2e.h"

namespace quonel::e2e {
namespace {

bool StartsWith(const std::wstring& text, const std::wstring& start) { return text.rfind(start, 0) == 0; }

uintmax_t SizeOf(const ClientInstallation& client, const std::filesystem::path& relative) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(client.Root() / relative, error);
  return error ? 0 : size;
}

std::wstring AppPath(const ClientInstallation& client) { return client.Root().wstring() + L"\\"; }

TEST(WizardRun, NewNewerAndUnchangedFiles) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  const NewNewerSame files;
  files.Publish(server);
  files.Install(client);
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", server.Url()}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"完成升级"));

  const std::vector<FileRow> rows = wizard.Rows();
  ASSERT_EQ(3u, rows.size());
  const std::wstring verdicts[] = {L"需要创建", L"需要升级", L"不需更新"};
  const int images[] = {kTick, kTick, kBalloon};
  const std::wstring captions[] = {L"新文件", L"较新的文件", L"未变的文件"};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(captions[i], rows[i].caption) << i;
    EXPECT_EQ(verdicts[i], rows[i].verdict) << i;
    EXPECT_EQ(images[i], rows[i].stateImage) << i;
    EXPECT_EQ(images[i], rows[i].image) << i;
  }
  EXPECT_EQ(ManifestDateTime(Release()), rows[0].date);
  EXPECT_EQ(ManifestDateTime(Installed()), rows[2].date);

  for (const wchar_t* name : {L"new.dat", L"newer.dat", L"same.dat"})
    EXPECT_TRUE(wizard.LogHas(L"连接远程文件：" + server.Url() + name)) << Narrow(name);
  EXPECT_TRUE(wizard.LogHas(L"未变的文件文件不需要更新，跳过下载"));
  EXPECT_TRUE(wizard.LogHas(AppPath(client) + L"update\\new.dat文件下载完成"));
  EXPECT_TRUE(wizard.LogHas(AppPath(client) + L"update\\newer.dat文件下载完成"));

  EXPECT_EQ(files.fresh, client.Read(L"update\\new.dat"));
  EXPECT_EQ(files.newer, client.Read(L"update\\newer.dat"));
  EXPECT_FALSE(client.Exists(L"update\\same.dat"));
  EXPECT_EQ(0, server.Requests("HEAD", "same.dat"));
  EXPECT_EQ(0, server.Requests("GET", "same.dat"));
  // A run fills the staging folder only.
  EXPECT_FALSE(client.Exists(L"new.dat"));
  EXPECT_EQ("old copy", client.Read(L"newer.dat"));

  EXPECT_TRUE(wizard.Enabled(wizard.NextButton()));
  EXPECT_TRUE(wizard.Enabled(wizard.PreButton()));
  EXPECT_FALSE(wizard.Enabled(wizard.AbortButton()));
}

// Started from a shortcut whose working folder is elsewhere, the wizard
// still compares the installed files, not whatever lies in that folder.
TEST(WizardRun, TheDateCheckLooksAtTheInstallationWhateverTheWorkingFolder) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  server.Put("a.dat", "a from the server");
  server.Put("quonel.htm", ManifestText({{L"a.dat", L"甲", ManifestDateTime(Installed())},
                                         {L"b.dat", L"乙", ManifestDateTime(Installed())}}));
  client.WriteFile("a.dat", "a", Installed());
  client.WriteFile("b.dat", "b", Installed());
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", server.Url()}});
  const std::filesystem::path elsewhere = client.Scratch() / L"elsewhere";
  std::filesystem::create_directories(elsewhere);

  WizardSession wizard(client.Exe(), elsewhere);
  ASSERT_TRUE(wizard.RunFromServerPage(L"完成升级"));
  const std::vector<FileRow> rows = wizard.Rows();
  ASSERT_EQ(2u, rows.size());
  for (const FileRow& row : rows) {
    EXPECT_EQ(L"不需更新", row.verdict) << Narrow(row.caption);
    EXPECT_EQ(kBalloon, row.stateImage) << Narrow(row.caption);
  }
  EXPECT_EQ(0, server.Requests("HEAD", "a.dat"));
  EXPECT_TRUE(std::filesystem::is_empty(elsewhere));
}

// A date the locale cannot read is that file's red cross; the run goes on
// with the next file, and ends with "继续下载".
TEST(WizardRun, AnUnreadableDateIsARedCrossAndTheRunGoesOn) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  server.Put("b.dat", "b from the server");
  server.Put("quonel.htm", ManifestText({{L"a.dat", L"甲", L"not a date"}, {L"b.dat", L"乙", ManifestDateTime(Release())}}));
  client.WriteFile("a.dat", "a", Installed());
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", server.Url()}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"继续下载"));
  EXPECT_EQ((std::vector<int>{kCross, kTick}), wizard.RowStates());
  EXPECT_TRUE(wizard.LogHas(L"甲文件的日期“not a date”无法识别，跳过下载"));
  EXPECT_EQ(0, server.Requests("HEAD", "a.dat"));
  EXPECT_EQ("b from the server", client.Read(L"update\\b.dat"));
  EXPECT_TRUE(wizard.Enabled(wizard.NextButton()));
  EXPECT_FALSE(wizard.Enabled(wizard.AbortButton()));
}

// A manifest must never make the wizard reach outside its folder.
TEST(WizardRun, SectionNamesThatLeaveTheInstallationAreRefused) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  const std::vector<std::wstring> hostile = {L"..\\evil.dll", L"C:\\quonel-e2e-x", L"\\\\server\\s", L"x.dll:ads",
                                             L"NUL"};
  std::vector<ManifestFile> manifest;
  for (const std::wstring& name : hostile) manifest.push_back({name, L"坏" + name, ManifestDateTime(Release())});
  manifest.push_back({L"good.txt", L"好文件", ManifestDateTime(Release())});
  server.Put("quonel.htm", ManifestText(manifest));
  server.Put("good.txt", "good");
  server.Put("evil.dll", "evil");
  // What an unguarded install pass would take for the staged copy of
  // "..\evil.dll" and put beside the installation.
  client.WriteFile("evil.dll", "staged evil");
  client.WriteFile("x.dll", "installed x", Installed());
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", server.Url()}});
  ASSERT_FALSE(std::filesystem::exists(L"C:\\quonel-e2e-x"));
  const std::vector<std::wstring> before = client.AllFiles();

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"完成升级"));
  const std::vector<FileRow> rows = wizard.Rows();
  ASSERT_EQ(hostile.size() + 1, rows.size());
  const std::vector<std::wstring> log = wizard.LogLines();
  for (size_t i = 0; i < hostile.size(); ++i) {
    EXPECT_EQ(kCross, rows[i].stateImage) << Narrow(hostile[i]);
    EXPECT_FALSE(rows[i].verdict.empty()) << Narrow(hostile[i]);
    // A line says why, naming the file.
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [&](const std::wstring& line) {
      return line.find(hostile[i]) != std::wstring::npos && !StartsWith(line, L"连接远程文件：");
    })) << Narrow(hostile[i]);
  }
  EXPECT_EQ(kTick, rows.back().stateImage);
  // The manifest and the good file's HEAD and GET, nothing else.
  EXPECT_EQ(3, server.AllRequests());

  wizard.Press(wizard.NextButton());
  const MessageBoxWindow box = wizard.WaitForMessageBox();
  ASSERT_NE(nullptr, box.window);
  ASSERT_TRUE(AnswerMessageBox(box, L""));
  DWORD code = 1;
  ASSERT_TRUE(wizard.WaitForExit(code));
  EXPECT_EQ(0u, code);

  std::vector<std::wstring> expected = before;
  expected.push_back(L"app\\good.txt");
  expected.push_back(L"app\\update\\update.ini");
  expected.push_back(L"app\\update\\update.log");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(expected, client.AllFiles());
  EXPECT_EQ("staged evil", client.Read(L"evil.dll"));
  EXPECT_EQ("installed x", client.Read(L"x.dll"));
  EXPECT_EQ("good", client.Read(L"good.txt"));
  EXPECT_FALSE(std::filesystem::exists(L"C:\\quonel-e2e-x"));
}

// A site whose big file trickles until released, so that a test can act
// while it is being transferred.
struct SlowSite {
  LoopbackFileSite site;
  std::string big = Content(300 * 1024, 'b');
  SlowSite(const std::vector<ManifestFile>& manifest) {
    site.Put("quonel.htm", ManifestText(manifest));
    site.Put("big.dat", big);
    site.Pace("big.dat", 1024, 25);
  }
  std::wstring Url() const { return Wide(site.Url()); }
};

TEST(WizardRun, AbortDuringTheLastFileThenResumeThePartialCopy) {
  ClientInstallation client(UpdateExe());
  SlowSite server({{L"first.dat", L"第一个", ManifestDateTime(Release())},
                   {L"big.dat", L"大文件", ManifestDateTime(Release())}});
  const std::string first = Content(2000, 'f');
  server.site.Put("first.dat", first);
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", server.Url()}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.WaitForWindow());
  wizard.Press(wizard.NextButton());
  ASSERT_TRUE(WaitFor([&] { return SizeOf(client, L"update\\big.dat") > 0; }, 30000));
  EXPECT_EQ(L"正下载文件..", wizard.NextCaption());
  EXPECT_FALSE(wizard.Enabled(wizard.NextButton()));
  EXPECT_TRUE(wizard.Enabled(wizard.AbortButton()));
  EXPECT_EQ(kHourglass, wizard.Rows()[1].stateImage);

  wizard.Press(wizard.AbortButton());
  ASSERT_TRUE(wizard.WaitForNextCaption(L"继续下载", 30000));
  std::vector<FileRow> rows = wizard.Rows();
  ASSERT_EQ(2u, rows.size());
  EXPECT_EQ(kTick, rows[0].stateImage);
  EXPECT_EQ(kCross, rows[1].stateImage);
  EXPECT_TRUE(wizard.LogHas(L"已中断下载;"));
  EXPECT_TRUE(wizard.Enabled(wizard.NextButton()));
  EXPECT_FALSE(wizard.Enabled(wizard.AbortButton()));
  const uintmax_t partial = SizeOf(client, L"update\\big.dat");
  ASSERT_GT(partial, 0u);
  ASSERT_LT(partial, server.big.size());
  EXPECT_EQ(server.big.substr(0, partial), client.Read(L"update\\big.dat"));

  // "继续下载" asks for the rest only.
  server.site.Pace("big.dat", 0, 0);
  wizard.Press(wizard.NextButton());
  ASSERT_TRUE(wizard.WaitForNextCaption(L"完成升级", 60000));
  rows = wizard.Rows();
  ASSERT_EQ(2u, rows.size());
  EXPECT_EQ(kTick, rows[0].stateImage);
  EXPECT_EQ(kTick, rows[1].stateImage);
  EXPECT_EQ(server.big, client.Read(L"update\\big.dat"));
  EXPECT_EQ(first, client.Read(L"update\\first.dat"));
  const std::vector<std::string> requests = server.site.Requests();
  EXPECT_TRUE(std::any_of(requests.begin(), requests.end(), [&](const std::string& head) {
    return head.rfind("GET /big.dat ", 0) == 0 && head.find("RANGE: bytes=" + std::to_string(partial) + "-\r\n") != std::string::npos;
  }));
  EXPECT_EQ(2, server.site.CountRequests("GET", "quonel.htm"));
}

TEST(WizardRun, PreviousDuringARunGoesBackAndIgnoresNextUntilTheRunEnds) {
  ClientInstallation client(UpdateExe());
  SlowSite server({{L"big.dat", L"大文件", ManifestDateTime(Release())},
                   {L"later.dat", L"后一个", ManifestDateTime(Release())}});
  const std::string later = Content(200 * 1024, 'l');
  server.site.Put("later.dat", later);
  server.site.Pace("later.dat", 1024, 25);
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", server.Url()}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.WaitForWindow());
  wizard.Press(wizard.NextButton());
  ASSERT_TRUE(WaitFor([&] { return SizeOf(client, L"update\\big.dat") > 0; }, 30000));

  wizard.Press(wizard.PreButton());
  ASSERT_TRUE(WaitFor([&] { return wizard.ServerPageShown(); }, 10000));
  EXPECT_TRUE(wizard.LogHas(L"已中断下载;"));
  EXPECT_EQ(L"下一步", wizard.NextCaption());
  EXPECT_TRUE(wizard.Enabled(wizard.NextButton()));

  // The run goes on with the next file; a press of "下一步" now starts no
  // second run. The list click queued behind it tells when it was handled.
  ASSERT_TRUE(WaitFor([&] { return SizeOf(client, L"update\\later.dat") > 0; }, 30000));
  wizard.Press(wizard.NextButton());
  wizard.ChooseServer(0);
  ASSERT_TRUE(WaitFor([&] { return wizard.SelectedServer() == 0; }, 10000));
  server.site.Pace("later.dat", 0, 0);
  ASSERT_TRUE(wizard.WaitForNextCaption(L"继续下载", 60000));
  EXPECT_TRUE(wizard.ServerPageShown());
  EXPECT_EQ(1, server.site.CountRequests("GET", "quonel.htm"));
  EXPECT_EQ(later, client.Read(L"update\\later.dat"));
  EXPECT_LT(SizeOf(client, L"update\\big.dat"), server.big.size());

  // "继续下载" from the server page runs again and finishes the partial copy.
  server.site.Pace("big.dat", 0, 0);
  wizard.Press(wizard.NextButton());
  ASSERT_TRUE(wizard.WaitForNextCaption(L"完成升级", 60000));
  EXPECT_TRUE(wizard.ProgressPageShown());
  EXPECT_EQ(2, server.site.CountRequests("GET", "quonel.htm"));
  EXPECT_EQ(server.big, client.Read(L"update\\big.dat"));
}

TEST(WizardRun, ClosingDuringADownloadAsksFirst) {
  ClientInstallation client(UpdateExe());
  SlowSite server({{L"big.dat", L"大文件", ManifestDateTime(Release())}});
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", server.Url()}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.WaitForWindow());
  wizard.Press(wizard.NextButton());
  ASSERT_TRUE(WaitFor([&] { return SizeOf(client, L"update\\big.dat") > 0; }, 30000));

  wizard.Close();
  MessageBoxWindow box = wizard.WaitForMessageBox();
  ASSERT_NE(nullptr, box.window);
  EXPECT_EQ(L"信息提示", box.caption);
  EXPECT_EQ(L"正在下载文件，要退出吗？", box.text);
  EXPECT_NE(nullptr, GetDlgItem(box.window, IDYES));
  ASSERT_TRUE(AnswerMessageBoxWith(box, IDNO));
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box.window); }, 10000));
  // No keeps the window and the transfer.
  const uintmax_t seen = SizeOf(client, L"update\\big.dat");
  ASSERT_TRUE(WaitFor([&] { return SizeOf(client, L"update\\big.dat") > seen; }, 30000));
  EXPECT_TRUE(wizard.Running());

  wizard.Close();
  box = wizard.WaitForMessageBox();
  ASSERT_NE(nullptr, box.window);
  EXPECT_EQ(L"正在下载文件，要退出吗？", box.text);
  ASSERT_TRUE(AnswerMessageBoxWith(box, IDYES));
  DWORD code = 1;
  ASSERT_TRUE(wizard.WaitForExit(code, 30000));
  EXPECT_EQ(0u, code);
  EXPECT_LT(SizeOf(client, L"update\\big.dat"), server.big.size());
}

}  // namespace
}  // namespace quonel::e2e
