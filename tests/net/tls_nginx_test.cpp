// Both clients over HTTPS against nginx on loopback with the tests' own CA
// trusted in the Wine prefix: bodies of many records, kept connections,
// ranges, the redirect from plain HTTP, and the three refused certificates.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "download_test_site.h"
#include "net/net_http_client.h"
#include "net/net_http_test_support.h"
#include "net/net_http_wizard_settings.h"
#include "net/tls_session.h"
#include "core/ansi_text.h"
#include "support/loopback_server.h"
#include "support/nginx_fixture.h"
#include "support/test_paths.h"

namespace quonel::testing {
namespace {

// Bytes in which no block of 16 KiB repeats another, so that a record lost,
// doubled or reordered shows.
std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  uint32_t state = 12345;
  for (char& c : bytes) {
    state = state * 1103515245u + 12345u;
    c = static_cast<char>(state >> 16);
  }
  return bytes;
}

void Serve(const std::string& name, const std::string& bytes) {
  FILE* file = std::fopen((NginxDocumentRoot() + "\\" + name).c_str(), "wb");
  ASSERT_TRUE(file);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::string HttpsUrl(const std::string& server, const std::string& path) {
  return "https://localhost:" + std::to_string(NginxTlsPort(server)) + path;
}

// nginx's connection serials for the requests of path, in order.
std::vector<std::string> LoggedConnections(const std::string& path) {
  std::vector<std::string> result;
  std::istringstream log(NginxAccessLog());
  for (std::string line; std::getline(log, line);) {
    if (line.find("\"GET " + path + " ") == std::string::npos) continue;
    std::istringstream fields(line.substr(line.rfind('"') + 1));
    std::string status, bytes, connection;
    fields >> status >> bytes >> connection;
    result.push_back(connection);
  }
  return result;
}

class TlsNginxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GT(NginxTlsPort("https"), 0) << "the nginx fixture did not start";
    ApplyWizardHTTPSettings(http);
  }
  TNetHTTP http{nullptr};
};

TEST_F(TlsNginxTest, ClientReadsBodiesOfManyRecordsOverOneKeptConnection) {
  const std::string big = Pattern(3 * 1024 * 1024 + 17);
  Serve("tls_big.bin", big);
  int pumps = 0;
  http.WaitPump = [&pumps] { return ++pumps, true; };
  EXPECT_TRUE(http.GetText(HttpsUrl("https", "/tls_big.bin")) == big);
  EXPECT_TRUE(http.IsConnected());
  EXPECT_TRUE(http.GetText(HttpsUrl("https", "/tls_big.bin")) == big);
  const std::vector<std::string> connections = LoggedConnections("/tls_big.bin");
  ASSERT_EQ(2u, connections.size());
  EXPECT_EQ(connections[0], connections[1]);
  // The same client then speaks plain HTTP to the plain server, as before.
  Serve("tls_plain.htm", "plain");
  EXPECT_EQ("plain", http.GetText("http://127.0.0.1:" + std::to_string(NginxPort()) + "/tls_plain.htm"));
}

TEST_F(TlsNginxTest, PlainAddressRedirectingToHttpsIsFollowed) {
  Serve("tls_moved.htm", "[a.exe]\r\n");
  http.HandleRedirects = true;
  std::string body;
  const Failure failure = FailureOf(
      [&] { body = http.GetText("http://127.0.0.1:" + std::to_string(NginxPort()) + "/to-https/tls_moved.htm"); });
  EXPECT_FALSE(failure.raised) << WideToAnsi(failure.className + L": " + failure.message);
  EXPECT_EQ("[a.exe]\r\n", body);
  EXPECT_TRUE(http.IOHandler() && http.IOHandler()->Encrypted());
}

TEST_F(TlsNginxTest, DownloadResumesOverHttps) {
  const std::string body = Pattern(2 * 1024 * 1024 + 5);
  Serve("tls_resume.bin", body);
  RecordingSite site;
  const std::wstring local = DownloadTestDir() + L"\\tls_resume.bin";
  WriteBinaryFile(local, body.substr(0, 300001));
  ASSERT_TRUE(site.DownloadFile(Wide(HttpsUrl("https", "/tls_resume.bin")), local));
  EXPECT_EQ(300001, site.StartPos);
  EXPECT_TRUE(ReadBinaryFile(local) == body);
  EXPECT_NE(std::string::npos, NginxAccessLog().find("\"GET /tls_resume.bin HTTP/1.1\" 206 " +
                                                      std::to_string(body.size() - 300001)));
  DeleteFileW(local.c_str());
}

// Through a proxy the client asks for a tunnel to the server and checks
// the server's certificate, not the proxy's, inside it.
TEST_F(TlsNginxTest, HttpsThroughAProxyTravelsInATunnel) {
  const int proxyPort = std::atoi(ReadTextFile(FixturesDir() + "\\tinyproxy\\open\\port").c_str());
  ASSERT_GT(proxyPort, 0) << "the tinyproxy fixture did not start";
  Serve("tls_proxied.htm", "[b.exe]\r\n");
  http.ProxyParams().ProxyServer = "127.0.0.1";
  http.ProxyParams().ProxyPort = proxyPort;
  EXPECT_EQ("[b.exe]\r\n", http.GetText(HttpsUrl("https", "/tls_proxied.htm")));
  EXPECT_EQ("[b.exe]\r\n", http.GetText(HttpsUrl("https", "/tls_proxied.htm")));
  const std::string proxyLog = ReadTextFile(FixturesDir() + "\\tinyproxy\\open\\access.log");
  EXPECT_NE(std::string::npos,
            proxyLog.find("CONNECT localhost:" + std::to_string(NginxTlsPort("https")) + " HTTP/1.1"));
  // The second request went through the kept tunnel.
  const std::vector<std::string> connections = LoggedConnections("/tls_proxied.htm");
  ASSERT_EQ(2u, connections.size());
  EXPECT_EQ(connections[0], connections[1]);
  // The file download takes a tunnel of its own through the same proxy.
  RecordingSite site;
  site.ProxyFor = [proxyPort](const std::string&) {
    ProxyServer proxy;
    proxy.host = "127.0.0.1";
    proxy.port = proxyPort;
    return proxy;
  };
  const std::wstring local = DownloadTestDir() + L"\\tls_proxied.htm";
  DeleteFileW(local.c_str());
  ASSERT_TRUE(site.DownloadFile(Wide(HttpsUrl("https", "/tls_proxied.htm")), local));
  EXPECT_EQ("[b.exe]\r\n", ReadBinaryFile(local));
  DeleteFileW(local.c_str());
  const std::string connect = "CONNECT localhost:" + std::to_string(NginxTlsPort("https")) + " HTTP/1.1";
  auto connects = [&] {
    const std::string log = ReadTextFile(FixturesDir() + "\\tinyproxy\\open\\access.log");
    int count = 0;
    for (size_t at = log.find(connect); at != std::string::npos; at = log.find(connect, at + 1)) ++count;
    return count;
  };
  // tinyproxy may write its line a moment after it opened the tunnel.
  for (int tries = 0; tries < 200 && connects() < 2; ++tries) Sleep(50);
  EXPECT_LE(2, connects());
  try {
    http.GetText(HttpsUrl("https_otherhost", "/tls_proxied.htm"));
    ADD_FAILURE() << "fetched over a refused certificate";
  } catch (const ETlsCertificateError& e) {
    EXPECT_EQ(TTlsCertificateProblem::WrongHost, e.Problem());
  }
}

// Each bad certificate fails both clients with its own reason in the log
// line, and the download writes nothing.
TEST_F(TlsNginxTest, BadCertificatesAreRefusedWithTheirReason) {
  Serve("tls_refused.htm", "secret");
  const struct {
    const char* server;
    TTlsCertificateProblem problem;
  } cases[] = {{"https_unknownca", TTlsCertificateProblem::Untrusted},
               {"https_expired", TTlsCertificateProblem::Expired},
               {"https_otherhost", TTlsCertificateProblem::WrongHost}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.server);
    try {
      http.GetText(HttpsUrl(c.server, "/tls_refused.htm"));
      ADD_FAILURE() << "fetched over a refused certificate";
    } catch (const ETlsCertificateError& e) {
      EXPECT_EQ(c.problem, e.Problem());
    }
    EXPECT_FALSE(http.IsConnected());

    RecordingSite site;
    const std::wstring local = DownloadTestDir() + L"\\tls_refused.htm";
    DeleteFileW(local.c_str());
    EXPECT_FALSE(site.DownloadFile(Wide(HttpsUrl(c.server, "/tls_refused.htm")), local));
    EXPECT_EQ(0, FileSize(local));
    ASSERT_EQ(2u, site.log.size());
    EXPECT_NE(std::wstring::npos, site.log[0].find(TlsCertificateProblemText(c.problem))) << site.log[0];
    EXPECT_EQ(L"tls_refused.htm服务器连接失败，取消下载\r\n", site.log[1]);
    DeleteFileW(local.c_str());
  }
  EXPECT_EQ(std::string::npos, NginxAccessLog().find("/tls_refused.htm"));
}

// A server that accepts and then says nothing: the handshake waits in
// slices with the pump called, and the pump ends it.
TEST_F(TlsNginxTest, SilentServerLeavesTheHandshakeToThePump) {
  LoopbackServer silent([](ScriptedConnection& connection) { connection.HoldUntilServerStops(); });
  int pumps = 0;
  http.WaitPump = [&pumps] { return ++pumps < 5; };
  const Failure failure = FailureOf([&] { http.GetText("https://localhost:" + std::to_string(silent.port()) + "/"); });
  EXPECT_EQ(L"ENetWaitAbandoned", failure.className);
  EXPECT_EQ(5, pumps);

  RecordingSite site;
  PostMessageW(site.window, WM_APP, 0, 0);  // the abort, pumped during the handshake
  const std::wstring local = DownloadTestDir() + L"\\tls_silent.bin";
  EXPECT_FALSE(site.DownloadFile(Wide("https://localhost:" + std::to_string(silent.port()) + "/x"), local));
  EXPECT_TRUE(site.AbortFlag);
  EXPECT_GT(site.pumps, 0);
  DeleteFileW(local.c_str());
}

}  // namespace
}  // namespace quonel::testing
