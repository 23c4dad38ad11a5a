// The wizard on the networks users have: the system's proxy, a proxy that
// asks for credentials, a host the proxy is bypassed for, servers that
// refuse, are busy or serve a portal's page, a file missing on the server
// that answered, and redirects - with real tinyproxy and nginx peers.
#include <winsock2.h>

#include "e2e/wizard_e2e.h"
#include "support/loopback_server.h"
#include "support/proxy_fixture.h"

namespace quonel::e2e {
namespace {

// config.ini in ASCII: the servers in order, then any further sections.
void WriteConfig(ClientInstallation& client, const std::vector<std::pair<std::string, std::wstring>>& servers,
                 const std::string& more = "") {
  std::string text = "[config]\r\nSubSys=quonel\r\nexe=\r\n[update]\r\n";
  for (const auto& [name, address] : servers) text += name + "=" + Narrow(address) + "\r\n";
  client.WriteFile("config.ini", text + more);
}

int CountContaining(const std::vector<std::string>& lines, const std::string& needle) {
  int count = 0;
  for (const std::string& line : lines) count += line.find(needle) != std::string::npos;
  return count;
}

bool LogContains(const WizardSession& wizard, const std::wstring& part) {
  for (const std::wstring& line : wizard.LogLines())
    if (line.find(part) != std::wstring::npos) return true;
  return false;
}

struct WinsockScope {
  WinsockScope() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~WinsockScope() { WSACleanup(); }
};

TEST(WizardNetwork, TheSystemProxyCarriesTheManifestAndEveryTransfer) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  const NewNewerSame files;
  files.Publish(server);
  files.Install(client);
  WriteConfig(client, {{"local", server.Url()}});
  const std::string proxy = "127.0.0.1:" + std::to_string(TinyproxyPort("open"));
  SystemProxyScope systemProxy(proxy, "<local>");

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"完成升级"));
  EXPECT_TRUE(files.fresh == client.Read(L"update\\new.dat"));
  EXPECT_TRUE(files.newer == client.Read(L"update\\newer.dat"));
  EXPECT_TRUE(wizard.LogHas(L"取得升级信息：" + server.Url() + L"quonel.htm（经代理服务器 " + Wide(proxy) + L"）"));

  // Through a plain proxy the request line carries the whole address.
  const std::string origin = Narrow(server.Url());
  for (const std::string& request : {"GET " + origin + "quonel.htm", "HEAD " + origin + "new.dat",
                                     "GET " + origin + "new.dat", "HEAD " + origin + "newer.dat",
                                     "GET " + origin + "newer.dat"})
    EXPECT_TRUE(WaitForTinyproxyRequest("open", request)) << request;
  // Every request nginx saw for this folder came through the proxy.
  EXPECT_EQ(server.AllRequests(), CountContaining(TinyproxyRequests("open"), origin));
}

TEST(WizardNetwork, AProxyAskingForCredentialsGetsThoseOfConfigIni) {
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  const NewNewerSame files;
  files.Publish(server);
  files.Install(client);
  WriteConfig(client, {{"local", server.Url()}},
              "[proxy]\r\nserver=quonel:proxy-secret@127.0.0.1:" + std::to_string(TinyproxyPort("auth")) + "\r\n");

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"完成升级"));
  EXPECT_TRUE(files.fresh == client.Read(L"update\\new.dat"));
  EXPECT_TRUE(files.newer == client.Read(L"update\\newer.dat"));
  const std::string origin = Narrow(server.Url());
  ASSERT_TRUE(WaitForTinyproxyRequest("auth", "GET " + origin + "newer.dat"));
  // The manifest's first request was refused with 407 and asked again with
  // the credentials; nginx saw only the second.
  EXPECT_EQ(2, CountContaining(TinyproxyRequests("auth"), "GET " + origin + "quonel.htm"));
  EXPECT_EQ(1, server.Requests("GET", "quonel.htm"));
  EXPECT_EQ(1, server.Requests("GET", "new.dat"));
}

TEST(WizardNetwork, AHostInTheBypassListIsReachedDirectly) {
  WinsockScope winsock;
  ClientInstallation client(UpdateExe());
  NginxFolder server;
  const NewNewerSame files;
  files.Publish(server);
  files.Install(client);
  WriteConfig(client, {{"local", server.Url()}});
  // The proxy refuses every connection: only a direct road leads anywhere.
  SystemProxyScope systemProxy("127.0.0.1:" + std::to_string(RefusingLoopbackPort()), "*.example;127.0.0.*");

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"完成升级"));
  EXPECT_TRUE(wizard.LogHas(L"取得升级信息：" + server.Url() + L"quonel.htm（直接连接）"));
  EXPECT_TRUE(files.fresh == client.Read(L"update\\new.dat"));
}

// The picked server refuses, the next is busy, the next serves a portal's
// page; the fourth answers, but lacks one file, which comes from the fifth,
// whose manifest is the same.
TEST(WizardNetwork, FailingServersFallBackToTheNextAndAMissingFileToAnIdenticalMirror) {
  WinsockScope winsock;
  ClientInstallation client(UpdateExe());
  LoopbackFileSite busy;
  busy.Answer("quonel.htm", 503, "Retry-After: 20\r\n");
  NginxFolder portal, good, copy;
  portal.Put("quonel.htm", "<html><body>Please log in to the hotel network</body></html>");
  const NewNewerSame files;
  files.Publish(good);
  files.Publish(copy);
  std::filesystem::remove(std::filesystem::path(Wide(NginxDocumentRoot())) /
                          Narrow(good.Url()).substr(Narrow(good.Url()).find("/e2e-") + 1) / "new.dat");
  files.Install(client);
  const std::wstring refused = L"http://127.0.0.1:" + std::to_wstring(RefusingLoopbackPort()) + L"/";
  WriteConfig(client, {{"refused", refused}, {"busy", Wide(busy.Url())}, {"portal", portal.Url()},
                       {"good", good.Url()}, {"copy", copy.Url()}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"完成升级"));
  EXPECT_TRUE(files.fresh == client.Read(L"update\\new.dat"));
  EXPECT_TRUE(files.newer == client.Read(L"update\\newer.dat"));
  for (const std::wstring& failed : {refused, Wide(busy.Url()), portal.Url()})
    EXPECT_TRUE(LogContains(wizard, L"服务器 " + failed + L" 未能提供升级信息")) << Narrow(failed);
  EXPECT_TRUE(wizard.LogHas(L"升级信息来自服务器“good”：" + good.Url()));
  EXPECT_TRUE(wizard.LogHas(L"改从服务器 " + copy.Url() + L" 下载 new.dat"));
  // Each failing server was asked once; the mirror only for what it was needed for.
  EXPECT_EQ(1, busy.CountRequests("GET", "quonel.htm"));
  EXPECT_EQ(1, copy.Requests("GET", "quonel.htm"));
  EXPECT_EQ(0, copy.Requests("GET", "newer.dat"));
  EXPECT_EQ(1, good.Requests("GET", "newer.dat"));
}

// A manifest that redirects to itself fails after five hops and the next
// server is asked; there the manifest and a file moved to another path, and
// a file that redirects to itself fails with its own log line.
TEST(WizardNetwork, RedirectsAreFollowedFiveHopsAndLoopsFailCleanly) {
  ClientInstallation client(UpdateExe());
  LoopbackFileSite looping, moved;
  looping.Answer("quonel.htm", 301, "Location: /quonel.htm\r\n");
  const std::string fresh = Content(4000, 'r');
  moved.Answer("quonel.htm", 302, "Location: /v2/quonel.htm\r\n");
  moved.Put("v2/quonel.htm", ManifestText({{L"new.dat", L"新文件", ManifestDateTime(Release())},
                                           {L"loop.dat", L"循环", ManifestDateTime(Release())}}));
  moved.Answer("new.dat", 302, "Location: v2/new.dat\r\n");
  moved.Put("v2/new.dat", fresh);
  moved.Answer("loop.dat", 307, "Location: http://" + moved.Url().substr(7, moved.Url().find('/', 7) - 7) +
                                    "/loop.dat\r\n");
  WriteConfig(client, {{"looping", Wide(looping.Url())}, {"moved", Wide(moved.Url())}});

  WizardSession wizard(client.Exe());
  ASSERT_TRUE(wizard.RunFromServerPage(L"继续下载"));
  EXPECT_EQ(6, looping.CountRequests("GET", "quonel.htm"));
  EXPECT_TRUE(LogContains(wizard, L"服务器 " + Wide(looping.Url()) + L" 未能提供升级信息（more than 5 redirects）"));
  EXPECT_TRUE(fresh == client.Read(L"update\\new.dat"));
  EXPECT_EQ((std::vector<int>{kTick, kCross}), wizard.RowStates());
  EXPECT_TRUE(wizard.LogHas(L"loop.dat的重定向无法跟随（more than 5 redirects），取消下载"));
  EXPECT_EQ(6, moved.CountRequests("HEAD", "loop.dat"));
  EXPECT_EQ(0, moved.CountRequests("GET", "loop.dat"));
}

}  // namespace
}  // namespace quonel::e2e
