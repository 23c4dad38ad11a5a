// The HTTP client against a real nginx on loopback: bodies, keep-alive seen
// from nginx's own connection counter, closes and error statuses.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "net/net_http_client.h"
#include "net/net_http_test_support.h"
#include "net/net_http_wizard_settings.h"
#include "support/nginx_fixture.h"
#include "support/nginx_log.h"

namespace quonel::testing {
namespace {

void WriteServedFile(const std::string& relative, const std::string& bytes) {
  std::string path = NginxDocumentRoot() + "\\" + relative;
  for (char& c : path)
    if (c == '/') c = '\\';
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_TRUE(file) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::string Url(const std::string& path) { return "http://127.0.0.1:" + std::to_string(NginxPort()) + path; }

// The connection serial and request number nginx logged for each request of path.
std::vector<std::pair<std::string, int>> LoggedConnections(const std::string& path) {
  std::vector<std::pair<std::string, int>> result;
  std::istringstream log(NginxAccessLogSettled());
  for (std::string line; std::getline(log, line);) {
    if (line.find("\"GET " + path + " ") == std::string::npos) continue;
    std::istringstream fields(line.substr(line.rfind('"') + 1));
    int status, bytes, requestNumber;
    std::string connection;
    fields >> status >> bytes >> connection >> requestNumber;
    result.emplace_back(connection, requestNumber);
  }
  return result;
}

class HttpNginxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GT(NginxPort(), 0) << "the nginx fixture did not start";
    ApplyWizardHTTPSettings(http);
  }
  TNetHTTP http{nullptr};
};

TEST_F(HttpNginxTest, TwoGetsTravelOverOneKeptConnection) {
  const std::string manifest = "[Quonel.exe]\r\nname=Quonel\r\ndatetime=2026-12-01 10:00:00\r\n";
  WriteServedFile("keepalive.htm", manifest);
  EXPECT_EQ(manifest, http.GetText(Url("/keepalive.htm")));
  EXPECT_TRUE(http.IsConnected());
  EXPECT_EQ(manifest, http.GetText(Url("/keepalive.htm")));
  http.CloseConnection();
  EXPECT_FALSE(http.IsConnected());

  const auto logged = LoggedConnections("/keepalive.htm");
  ASSERT_EQ(2u, logged.size());
  EXPECT_EQ(logged[0].first, logged[1].first);
  EXPECT_EQ(logged[0].second + 1, logged[1].second);
}

TEST_F(HttpNginxTest, ConnectionCloseLeavesTheClientNotConnected) {
  CreateDirectoryA((NginxDocumentRoot() + "\\close").c_str(), nullptr);
  WriteServedFile("close/m.htm", "closing");
  EXPECT_EQ("closing", http.GetText(Url("/close/m.htm")));
  EXPECT_FALSE(http.IsConnected());
}

TEST_F(HttpNginxTest, NotFoundAndRedirectRaiseWithTheStatusLine) {
  const Failure missing = FailureOf([&] { http.GetText(Url("/no-such-manifest.htm")); });
  EXPECT_EQ(L"ENetHTTPProtocolException", missing.className);
  EXPECT_EQ(L"HTTP/1.1 404 Not Found", missing.message);
  EXPECT_EQ(404, missing.replyCode);
  EXPECT_NE(std::string::npos, missing.bodyText.find("404 Not Found"));
  // The error body was read, so the connection stays usable.
  EXPECT_TRUE(http.IsConnected());

  const Failure moved = FailureOf([&] { http.GetText(Url("/redirect")); });
  EXPECT_EQ(L"ENetHTTPProtocolException", moved.className);
  EXPECT_EQ(L"HTTP/1.1 302 Moved Temporarily", moved.message);
  EXPECT_EQ(302, moved.replyCode);
}

TEST_F(HttpNginxTest, LargeBodyArrivesByteForByte) {
  std::string large(3 * 1024 * 1024 + 17, '\0');
  unsigned state = 12345;
  for (char& c : large) {
    state = state * 1103515245 + 12345;
    c = static_cast<char>(state >> 16);
  }
  WriteServedFile("large.bin", large);
  const std::string body = http.GetText(Url("/large.bin"));
  ASSERT_EQ(large.size(), body.size());
  EXPECT_TRUE(body == large);
}

}  // namespace
}  // namespace quonel::testing
