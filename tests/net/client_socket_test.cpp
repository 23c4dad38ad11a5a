// The blocking client socket against scripted peers on loopback.
#include "net/client_socket.h"

#include <winsock2.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>

#include "net/socket_error.h"
#include "net/win_socket_stream.h"
#include "support/loopback_server.h"

namespace quonel {
namespace {

using testing::LoopbackServer;
using testing::RefusingLoopbackPort;
using testing::ScriptedConnection;

struct BlockingClient {
  explicit BlockingClient(int port, const std::string& host = "127.0.0.1") {
    socket.SetClientType(ctBlocking);
    socket.SetHost(host);
    socket.SetPort(port);
    socket.OnConnect = [this](TComponent*, TCustomWinSocket*) { ++connects; };
    socket.OnDisconnect = [this](TComponent*, TCustomWinSocket*) { ++disconnects; };
  }
  TClientSocket socket{nullptr};
  int connects = 0;
  int disconnects = 0;
};

std::wstring RaisedMessage(const std::function<void()>& action) {
  try {
    action();
  } catch (const ESocketError& error) {
    return error.Message();
  }
  return L"(nothing raised)";
}

TEST(ClientSocket, ActivatingTwiceConnectsOnceAndClosingTwiceIsHarmless) {
  LoopbackServer server([](ScriptedConnection& c) { c.WaitForClientClose(); });
  BlockingClient client(server.port());
  client.socket.SetActive(true);
  client.socket.SetActive(true);
  EXPECT_TRUE(client.socket.Active());
  EXPECT_TRUE(client.socket.Connection()->IsConnected());
  client.socket.SetActive(false);
  client.socket.SetActive(false);
  EXPECT_FALSE(client.socket.Active());
  EXPECT_EQ(1, client.connects);
  EXPECT_EQ(1, client.disconnects);
  // The component is reused for every file: it opens again after a close.
  client.socket.SetActive(true);
  EXPECT_TRUE(client.socket.Active());
  client.socket.SetActive(false);
  EXPECT_EQ(2, client.connects);
}

TEST(ClientSocket, PropertiesChangeOnlyWhileInactive) {
  LoopbackServer server([](ScriptedConnection& c) { c.WaitForClientClose(); });
  BlockingClient client(server.port(), "LocalHost");
  client.socket.SetActive(true);
  ASSERT_TRUE(client.socket.Active());
  client.socket.SetHost("localhost");  // same name in other case: nothing
  client.socket.SetPort(server.port());
  EXPECT_EQ("LocalHost", client.socket.Host());
  const std::wstring expected = L"Can't change value while socket is active";
  EXPECT_EQ(expected, RaisedMessage([&] { client.socket.SetPort(server.port() + 1); }));
  EXPECT_EQ(expected, RaisedMessage([&] { client.socket.SetHost("example.invalid"); }));
  EXPECT_EQ(expected, RaisedMessage([&] { client.socket.SetAddress("127.0.0.2"); }));
  EXPECT_EQ(expected, RaisedMessage([&] { client.socket.SetClientType(ctNonBlocking); }));
  EXPECT_EQ(L"Socket already open",
            RaisedMessage([&] { client.socket.Connection()->OpenConnection("", "127.0.0.1", "", 1, true); }));
  EXPECT_TRUE(client.socket.Active());
  client.socket.SetActive(false);
  client.socket.SetPort(server.port() + 1);
  EXPECT_EQ(server.port() + 1, client.socket.Port());
}

TEST(ClientSocket, FailedConnectsRaiseWithConnectAndLeaveItInactive) {
  // A name that cannot resolve: its 70-character label is refused before any
  // query leaves the machine.
  BlockingClient unresolved(80, std::string(70, 'a') + ".invalid");
  const std::wstring lookup = RaisedMessage([&] { unresolved.socket.SetActive(true); });
  EXPECT_EQ(0u, lookup.find(L"Windows socket error: ")) << lookup;
  EXPECT_NE(std::wstring::npos, lookup.find(L"(10049), on API 'connect'")) << lookup;
  EXPECT_FALSE(unresolved.socket.Active());
  EXPECT_FALSE(unresolved.socket.Connection()->IsConnected());

  BlockingClient refused(RefusingLoopbackPort());
  const std::wstring refusal = RaisedMessage([&] { refused.socket.SetActive(true); });
  EXPECT_NE(std::wstring::npos, refusal.find(L"(10061), on API 'connect'")) << refusal;
  EXPECT_FALSE(refused.socket.Active());
  EXPECT_EQ(0, refused.connects);

  BlockingClient nowhere(80, "");
  EXPECT_EQ(L"No address specified", RaisedMessage([&] { nowhere.socket.SetActive(true); }));
  EXPECT_FALSE(nowhere.socket.Active());
}

// With a wait pump (the wizard's downloads) a name is looked up on a thread
// of its own; the address it finds, or fails to find, is the same.
TEST(ClientSocket, APumpedLookupFindsTheNameOrFailsAsTheDirectOne) {
  LoopbackServer server([](ScriptedConnection& c) { c.WaitForClientClose(); });
  BlockingClient named(server.port(), "LocalHost");
  int pumps = 0;
  named.socket.Connection()->SetWaitPump([&pumps] { return ++pumps > 0; });
  named.socket.SetActive(true);
  EXPECT_TRUE(named.socket.Active());
  EXPECT_EQ(htonl(INADDR_LOOPBACK), named.socket.Connection()->PeerAddress());
  named.socket.SetActive(false);

  BlockingClient unresolved(80, std::string(70, 'a') + ".invalid");
  unresolved.socket.Connection()->SetWaitPump([&pumps] { return ++pumps > 0; });
  const std::wstring lookup = RaisedMessage([&] { unresolved.socket.SetActive(true); });
  EXPECT_NE(std::wstring::npos, lookup.find(L"(10049), on API 'connect'")) << lookup;
  EXPECT_FALSE(unresolved.socket.Active());
}

TEST(ClientSocket, AddressIsUsedWhenThereIsNoHost) {
  LoopbackServer server([](ScriptedConnection& c) { c.WaitForClientClose(); });
  BlockingClient client(server.port(), "");
  client.socket.SetAddress("127.0.0.1");
  client.socket.SetActive(true);
  EXPECT_TRUE(client.socket.Active());
  EXPECT_EQ(htonl(INADDR_LOOPBACK), client.socket.Connection()->PeerAddress());
  EXPECT_EQ(server.port(), client.socket.Connection()->PeerPort());
}

TEST(ClientSocket, OnlyTheBlockingModeIsBuilt) {
  LoopbackServer server([](ScriptedConnection& c) { c.WaitForClientClose(1000); });
  TClientSocket socket(nullptr);
  EXPECT_EQ(ctNonBlocking, socket.ClientType());
  socket.SetAddress("127.0.0.1");
  socket.SetPort(server.port());
  EXPECT_EQ(L"Socket must be in blocking mode", RaisedMessage([&] { socket.SetActive(true); }));
  EXPECT_EQ(L"Socket must be in blocking mode",
            RaisedMessage([&] { TWinSocketStream stream(*socket.Connection(), 100); }));
  EXPECT_FALSE(socket.Active());
}

TEST(ClientSocket, PeerCloseLeavesItConnectedAndReadsGiveZero) {
  LoopbackServer server([](ScriptedConnection& c) {
    c.ReadUntil("go");
    c.Send("abc");
    c.Close();
  });
  BlockingClient client(server.port());
  client.socket.SetActive(true);
  TClientWinSocket& connection = *client.socket.Connection();
  EXPECT_EQ(2, connection.SendString("go"));
  TWinSocketStream stream(connection, 5000);
  ASSERT_TRUE(stream.WaitReadable(5000));
  // The waiting count is reported without consuming anything.
  for (int i = 0; i < 200 && connection.ReceiveBytes(nullptr, -1) < 3; ++i) stream.WaitReadable(10);
  EXPECT_EQ(3, connection.ReceiveBytes(nullptr, -1));
  EXPECT_EQ(3, connection.ReceiveBytes(nullptr, -1));
  char buffer[16] = {};
  EXPECT_EQ(3, connection.ReceiveBytes(buffer, sizeof buffer));
  EXPECT_EQ(std::string("abc"), buffer);

  EXPECT_TRUE(stream.WaitReadable(5000));
  EXPECT_EQ(0, stream.Read(buffer, 1));
  EXPECT_EQ(0, connection.ReceiveBytes(buffer, sizeof buffer));
  EXPECT_TRUE(client.socket.Active());
  EXPECT_TRUE(connection.IsConnected());
}

TEST(ClientSocket, SilentPeerTimesOutWithoutAnException) {
  LoopbackServer server([](ScriptedConnection& c) { c.HoldUntilServerStops(); });
  BlockingClient client(server.port());
  client.socket.SetActive(true);
  TWinSocketStream stream(*client.socket.Connection(), 300);
  const DWORD before = GetTickCount();
  EXPECT_FALSE(stream.WaitReadable(300));
  EXPECT_GE(GetTickCount() - before, 250u);  // never early; how late is the machine's load
  EXPECT_TRUE(client.socket.Active());
}

TEST(ClientSocket, TimedOutStreamReadIsCancelledBeforeItReturns) {
  HANDLE timedOut = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  LoopbackServer server([&](ScriptedConnection& c) {
    WaitForSingleObject(timedOut, 10000);
    c.Send("xyz");
    c.HoldUntilServerStops();
  });
  BlockingClient client(server.port());
  client.socket.SetActive(true);
  TClientWinSocket& connection = *client.socket.Connection();
  char first[4] = {'-', '-', '-', '-'};
  {
    TWinSocketStream stream(connection, 200);
    EXPECT_EQ(0, stream.Read(first, 3));
  }
  SetEvent(timedOut);
  // Had the read stayed pending it would swallow "xyz" into `first`.
  TWinSocketStream waiter(connection, 5000);
  ASSERT_TRUE(waiter.WaitReadable(5000));
  char second[8] = {};
  int got = 0;
  for (int i = 0; i < 100 && got < 3; ++i) {
    got += connection.ReceiveBytes(second + got, 3 - got);
    if (got < 3) waiter.WaitReadable(50);
  }
  EXPECT_EQ(std::string("xyz"), second);
  EXPECT_EQ(0, std::memcmp(first, "----", 4));
  CloseHandle(timedOut);
}

TEST(ClientSocket, SendStringOfNothingOrWhenClosedReturnsZero) {
  LoopbackServer server([](ScriptedConnection& c) { c.WaitForClientClose(); });
  BlockingClient client(server.port());
  EXPECT_EQ(0, client.socket.Connection()->SendString("HEAD / HTTP/1.1\r\n"));
  client.socket.SetActive(true);
  EXPECT_EQ(0, client.socket.Connection()->SendString(""));
  char buffer[4];
  client.socket.SetActive(false);
  EXPECT_EQ(0, client.socket.Connection()->ReceiveBytes(buffer, 4));
}

TEST(ClientSocket, ReceiveFailureClosesThenRaisesUnlessOnErrorClearsTheCode) {
  auto resetAfterRequest = [](ScriptedConnection& c) {
    c.ReadUntil("go");
    c.Reset();
  };
  LoopbackServer server(resetAfterRequest);
  char buffer[16];
  {
    BlockingClient client(server.port());
    client.socket.SetActive(true);
    client.socket.Connection()->SendString("go");
    const std::wstring message =
        RaisedMessage([&] { client.socket.Connection()->ReceiveBytes(buffer, sizeof buffer); });
    EXPECT_NE(std::wstring::npos, message.find(L"on API 'recv'")) << message;
    EXPECT_FALSE(client.socket.Active());
    EXPECT_EQ(1, client.disconnects);
  }
  {
    BlockingClient client(server.port());
    TErrorEvent seen = eeGeneral;
    client.socket.OnError = [&](TComponent*, TCustomWinSocket*, TErrorEvent event, int32_t& code) {
      seen = event;
      code = 0;
    };
    client.socket.SetActive(true);
    client.socket.Connection()->SendString("go");
    EXPECT_EQ(-1, client.socket.Connection()->ReceiveBytes(buffer, sizeof buffer));
    EXPECT_EQ(eeReceive, seen);
    EXPECT_FALSE(client.socket.Active());
  }
}

}  // namespace
}  // namespace quonel
