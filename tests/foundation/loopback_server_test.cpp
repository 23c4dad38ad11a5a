// The scripted peer that the network tests use for faults.
#include "support/loopback_server.h"

#include <gtest/gtest.h>

namespace quonel::testing {
namespace {

SOCKET ConnectTo(int port) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  return s;
}

std::string ReadToEnd(SOCKET s) {
  std::string text;
  char buffer[1024];
  int got;
  while ((got = recv(s, buffer, sizeof buffer, 0)) > 0) text.append(buffer, got);
  return text;
}

TEST(LoopbackServer, ScriptReadsTheRequestAndAnswers) {
  std::string head;
  LoopbackServer server([&](ScriptedConnection& c) {
    head = c.ReadRequestHead();
    c.Send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
    c.Close();
  });
  SOCKET s = ConnectTo(server.port());
  const std::string request = "GET /x HTTP/1.1\r\nHost: a\r\n\r\n";
  send(s, request.data(), static_cast<int>(request.size()), 0);
  EXPECT_EQ("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok", ReadToEnd(s));
  closesocket(s);
  EXPECT_EQ(request, head);
  EXPECT_EQ(1, server.connectionCount());
}

// A script that holds a silent connection must not keep the test from ending.
TEST(LoopbackServer, HeldConnectionEndsWithTheServer) {
  SOCKET s;
  Signal holding;
  {
    LoopbackServer server([&](ScriptedConnection& c) {
      holding.Set();
      c.HoldUntilServerStops();
    });
    s = ConnectTo(server.port());
    EXPECT_EQ("http://127.0.0.1:" + std::to_string(server.port()) + "/a", server.Url("/a"));
    // The script holds this very connection: nothing to read, not closed.
    ASSERT_TRUE(holding.Wait());
    EXPECT_EQ(1, server.connectionCount());
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(s, &readable);
    timeval now = {0, 0};
    EXPECT_EQ(0, select(0, &readable, nullptr, nullptr, &now));
  }
  EXPECT_EQ("", ReadToEnd(s));
  closesocket(s);
}

}  // namespace
}  // namespace quonel::testing
