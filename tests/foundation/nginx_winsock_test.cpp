// The network tests' peer: a real nginx on loopback, reached from a Windows
// program through Winsock under Wine.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/nginx_fixture.h"

namespace quonel::testing {
namespace {

class WinsockSession {
 public:
  WinsockSession() { WSAStartup(MAKEWORD(2, 2), &data_); }
  ~WinsockSession() { WSACleanup(); }

 private:
  WSADATA data_;
};

std::string HttpGet(int port, const std::string& path) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  std::string reply;
  if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    const std::string request =
        "GET " + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    send(s, request.data(), static_cast<int>(request.size()), 0);
    char buffer[4096];
    int got;
    while ((got = recv(s, buffer, sizeof buffer, 0)) > 0) reply.append(buffer, got);
  }
  closesocket(s);
  return reply;
}

TEST(NginxFixture, ServesAFileThroughWinsock) {
  const int port = NginxPort();
  ASSERT_GT(port, 0) << "the nginx fixture did not start";
  const std::string body = "quonel fixture check\n";
  FILE* file = std::fopen((NginxDocumentRoot() + "\\smoke.txt").c_str(), "wb");
  ASSERT_TRUE(file);
  std::fwrite(body.data(), 1, body.size(), file);
  std::fclose(file);

  WinsockSession session;
  const std::string reply = HttpGet(port, "/smoke.txt");
  EXPECT_EQ(0u, reply.rfind("HTTP/1.1 200 OK\r\n", 0)) << reply;
  ASSERT_GE(reply.size(), body.size());
  EXPECT_EQ(body, reply.substr(reply.size() - body.size()));
  EXPECT_NE(std::string::npos, reply.find("Content-Length: 21\r\n"));

  EXPECT_EQ(0u, HttpGet(port, "/missing.txt").rfind("HTTP/1.1 404", 0));
}

}  // namespace
}  // namespace quonel::testing
