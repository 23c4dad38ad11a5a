// The wizard against HTTPS servers: a whole update over an encrypted
// channel, and servers whose certificates the platform refuses, each named
// in the log, with nothing fetched and nothing installed.
#include "e2e/wizard_e2e.h"

namespace quonel::e2e {
namespace {

TEST(WizardTls, AFullUpdateFromAnHttpsServer) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  const NewNewerSame files;
  files.Publish(server);
  files.Install(client);
  client.WriteConfig(L"quonel", L"", {{L"加密服务器", server.HttpsUrl()}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"完成升级"));
  wizard.Press(wizard.NextButton());
  const MessageBoxWindow box = wizard.WaitForMessageBox();
  ASSERT_NE(nullptr, box.window);
  EXPECT_EQ(L"升级成功!", box.text);
  AnswerMessageBox(box, L"");
  DWORD code = 1;
  EXPECT_TRUE(wizard.WaitForExit(code));
  EXPECT_EQ(files.fresh, client.Read(L"new.dat"));
  EXPECT_EQ(files.newer, client.Read(L"newer.dat"));
  EXPECT_EQ("same copy", client.Read(L"same.dat"));
  EXPECT_EQ(0, server.Requests("GET", "same.dat"));
}

TEST(WizardTls, RefusedCertificatesFailTheFetchWithTheirReason) {
  NginxFolder server;
  const NewNewerSame files;
  files.Publish(server);
  const struct {
    const char* server;
    const wchar_t* logLine;
  } cases[] = {
      {"https_unknownca", L"localhost的证书未通过检查：颁发机构不受信任 (0x800B0109)"},
      {"https_expired", L"localhost的证书未通过检查：证书已过期或尚未生效 (0x800B0101)"},
      {"https_otherhost", L"localhost的证书未通过检查：证书不是颁发给此服务器名称的 (0x800B010F)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.server);
    ClientInstallation client(UpdateExe());
    files.Install(client);
    client.WriteConfig(L"quonel", L"", {{L"加密服务器", server.HttpsUrl(c.server)}});
    WizardSession wizard(client.Exe());
    ASSERT_TRUE(wizard.WaitForWindow());
    wizard.Press(wizard.NextButton());
    const MessageBoxWindow box = wizard.WaitForMessageBox();
    ASSERT_NE(nullptr, box.window);
    EXPECT_EQ(L"取得升级信息出错！", box.text);
    AnswerMessageBox(box, L"");
    EXPECT_TRUE(wizard.LogHas(c.logLine));
    EXPECT_FALSE(client.Exists(L"new.dat"));
    EXPECT_EQ("old copy", client.Read(L"newer.dat"));
  }
  EXPECT_EQ(0, server.AllRequests());
}

}  // namespace
}  // namespace quonel::e2e
