// The wizard while a server keeps it waiting: the window goes on answering,
// closing it works, and "中断下载" ends the transfer that is waiting.
#include <algorithm>

#include "e2e/wizard_e2e.h"

namespace quonel::e2e {
namespace {

// The window answers a message at once when its thread is pumping; a
// frozen one would not within the bound.
bool Answers(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &result) != 0;
}

// The manifest trickles one byte every two seconds: a fetch that would last
// half an hour (and is bounded at a minute). Meanwhile the window answers,
// and the close box asks its question and ends the program.
TEST(WizardWait, AManifestServerSendingOneByteEveryTwoSecondsLeavesTheWindowAnsweringAndClosable) {
  ClientInstallation client(UpdateExe());
  LoopbackFileSite site;
  site.Put("quonel.htm", ManifestText({{L"a.dat", L"甲", ManifestDateTime(Release())}}) + std::string(900, ';'));
  site.Pace("quonel.htm", 1, 2000);
  client.WriteConfig(L"quonel", L"", {{L"慢服务器", Wide(site.Url())}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.WaitForWindow());
  wizard.Press(wizard.NextButton());
  ASSERT_TRUE(WaitFor([&] { return site.CountRequests("GET", "quonel.htm") == 1; }, 30000));
  ASSERT_TRUE(WaitFor([&] { return wizard.ProgressPageShown(); }, 10000));
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(Answers(wizard.Window())) << i;

  wizard.Close();
  const MessageBoxWindow box = wizard.WaitForMessageBox(20000);
  ASSERT_NE(nullptr, box.window);
  EXPECT_EQ(L"正在下载文件，要退出吗？", box.text);
  ASSERT_TRUE(AnswerMessageBoxWith(box, IDYES));
  DWORD code = 1;
  ASSERT_TRUE(wizard.WaitForExit(code, 20000));
  EXPECT_EQ(0u, code);
  EXPECT_EQ(0, site.CountRequests("HEAD", "a.dat"));
}

// A file server that accepts the request and never answers. "中断下载"
// pressed while the wizard waits for the answer ends that transfer, as an
// abort: a cross, no GET, no failure line; the run ends for a new try.
TEST(WizardWait, AFileServerThatNeverAnswersLeavesTheAbortWorkingOnThatTransfer) {
  ClientInstallation client(UpdateExe());
  LoopbackFileSite site;
  const std::string first = Content(4000, 'f');
  site.Put("first.dat", first);
  site.Put("silent.dat", "never sent");
  site.Silence("silent.dat");
  site.Put("quonel.htm", ManifestText({{L"first.dat", L"第一个", ManifestDateTime(Release())},
                                       {L"silent.dat", L"无回音", ManifestDateTime(Release())}}));
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", Wide(site.Url())}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.WaitForWindow());
  wizard.Press(wizard.NextButton());
  ASSERT_TRUE(WaitFor([&] { return site.CountRequests("HEAD", "silent.dat") == 1; }, 30000));
  EXPECT_TRUE(Answers(wizard.Window()));
  EXPECT_TRUE(wizard.Enabled(wizard.AbortButton()));

  wizard.Press(wizard.AbortButton());
  ASSERT_TRUE(wizard.WaitForNextCaption(L"继续下载", 20000));
  EXPECT_EQ((std::vector<int>{kTick, kCross}), wizard.RowStates());
  EXPECT_EQ(first, client.Read(L"update\\first.dat"));
  EXPECT_EQ(0, site.CountRequests("GET", "silent.dat"));
  EXPECT_TRUE(wizard.LogHas(L"已中断下载;"));
  const std::vector<std::wstring> log = wizard.LogLines();
  EXPECT_FALSE(std::any_of(log.begin(), log.end(), [](const std::wstring& line) {
    return line.find(L"服务器连接失败") != std::wstring::npos;
  }));
  EXPECT_TRUE(wizard.Enabled(wizard.NextButton()));
}

}  // namespace
}  // namespace quonel::e2e
