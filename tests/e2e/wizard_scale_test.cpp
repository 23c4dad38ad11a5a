// A client of twenty thousand files, all up to date: the run ends with
// "完成升级" while the window answers throughout, update\update.log holds
// the whole run although the window's log keeps only its end, and a second
// run stops at "中断下载".
#include <fstream>
#include <sstream>

#include "core/utf8.h"
#include "e2e/wizard_e2e.h"

namespace quonel::e2e {
namespace {

const int kFiles = 20000;
const std::wstring kUpToDate = L"文件不需要更新，跳过下载";

// The last block of update.log (one per program start and per run).
std::wstring LastLogBlock(const ClientInstallation& client) {
  std::ifstream file(client.Root() / L"update" / L"update.log", std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  const std::string text = bytes.str();
  const size_t last = text.rfind("==== ");
  return Utf8ToWide(last == std::string::npos ? std::string() : text.substr(last));
}

size_t Count(const std::wstring& text, const std::wstring& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

// Pings the window until the Next button reads `caption`; false when a
// ping is not answered within seconds (the window stalls) or no ping fell
// inside the run. Each ping that lands during the run may call `during`.
bool AnswersUntil(const WizardSession& wizard, const std::wstring& caption, const std::function<void()>& during = {}) {
  int pingsDuringRun = 0;
  for (;;) {
    const std::wstring now = wizard.NextCaption();
    if (now == caption) return pingsDuringRun > 0;
    DWORD_PTR ignored;
    if (!SendMessageTimeoutW(wizard.Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored)) {
      ADD_FAILURE() << "the window did not answer within 5 s";
      return false;
    }
    if (now == L"正下载文件..") {
      ++pingsDuringRun;
      if (during) during();
    }
    if (!wizard.Running()) return false;
  }
}

TEST(WizardScale, TwentyThousandUpToDateFilesEndInstallableWithAnAnsweringWindowAndStopOnAbort) {
  ClientInstallation client(UpdateExe());
  std::vector<ManifestFile> manifest;
  for (int i = 0; i < kFiles; ++i) {
    wchar_t name[40];
    swprintf(name, 40, L"data\\%02d\\part-%05d.pak", i % 50, i);
    client.WriteFile(name, "installed", Installed());
    manifest.push_back({name, std::wstring(L"部件") + std::to_wstring(i), ManifestDateTime(Installed())});
  }
  LoopbackFileSite site;
  site.Put("quonel.htm", ManifestText(manifest));
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", Wide(site.Url())}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.WaitForWindow());
  wizard.Press(wizard.NextButton());
  ASSERT_TRUE(AnswersUntil(wizard, L"完成升级"));

  const std::wstring run = LastLogBlock(client);
  EXPECT_EQ(static_cast<size_t>(kFiles), Count(run, kUpToDate));
  EXPECT_EQ(static_cast<size_t>(kFiles), Count(run, L"连接远程文件："));
  EXPECT_EQ(1u, Count(run, L"部件19999" + kUpToDate));
  // The window keeps the end of the log, not all forty thousand entries.
  const std::vector<std::wstring> shown = wizard.LogLines();
  ASSERT_FALSE(shown.empty());
  EXPECT_LT(shown.size(), 10000u);
  EXPECT_EQ(L"部件19999" + kUpToDate, shown.back());

  // A second run, stopped by "中断下载" once it is under way.
  wizard.Press(wizard.PreButton());
  ASSERT_TRUE(WaitFor([&] { return wizard.ServerPageShown(); }, 30000));
  wizard.Press(wizard.NextButton());
  bool pressed = false;
  ASSERT_TRUE(AnswersUntil(wizard, L"继续下载", [&] {
    if (!pressed && wizard.Enabled(wizard.AbortButton())) pressed = (wizard.Press(wizard.AbortButton()), true);
  }));
  const std::wstring stopped = LastLogBlock(client);
  EXPECT_LT(Count(stopped, kUpToDate), static_cast<size_t>(kFiles));
  EXPECT_EQ(1u, Count(stopped, L"已中断下载;"));
  EXPECT_FALSE(wizard.Enabled(wizard.AbortButton()));

  wizard.Close();
  DWORD code;
  EXPECT_TRUE(wizard.WaitForExit(code));
}

}  // namespace
}  // namespace quonel::e2e
