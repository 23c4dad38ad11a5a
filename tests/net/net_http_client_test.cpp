// The HTTP client against scripted loopback peers: what the wizard sees of
// odd, broken and silent servers.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

#include "net/net_http_client.h"
#include "net/net_http_wizard_settings.h"
#include "net/net_http_test_support.h"
#include "support/loopback_server.h"

namespace quonel::testing {
namespace {

class HttpClientTest : public ::testing::Test {
 protected:
  HttpClientTest() {
    ApplyWizardHTTPSettings(http);
    http.SetReadTimeout(1000);  // the stored 5000 ms has its own test below
  }
  // A peer that answers every request on a connection with the same reply.
  static LoopbackServer::Script Answer(std::string reply) {
    return [reply](ScriptedConnection& c) {
      while (!c.ReadRequestHead().empty()) c.Send(reply);
    };
  }
  TNetHTTP http{nullptr};
};

// A peer that answers every request with the same reply and keeps each
// request head it received.
class RecordingPeer {
 public:
  explicit RecordingPeer(std::string reply) : reply_(std::move(reply)) {}
  LoopbackServer::Script Script() {
    return [this](ScriptedConnection& c) {
      for (std::string head; !(head = c.ReadRequestHead()).empty();) {
        {
          std::lock_guard<std::mutex> lock(mutex_);
          heads_.push_back(head);
        }
        c.Send(reply_);
      }
    };
  }
  std::vector<std::string> Heads() {
    std::lock_guard<std::mutex> lock(mutex_);
    return heads_;
  }

 private:
  std::string reply_;
  std::mutex mutex_;
  std::vector<std::string> heads_;
};

TEST_F(HttpClientTest, SendsTheManifestRequestAndKeepsTheConnection) {
  RecordingPeer peer("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n[a]\r\nb=1\r\n");
  LoopbackServer server(peer.Script());
  EXPECT_EQ("[a]\r\nb=1\r\n", http.GetText(server.Url("/dir/name.htm")));
  EXPECT_TRUE(http.IsConnected());
  EXPECT_EQ("[a]\r\nb=1\r\n", http.GetText(server.Url("/dir/other.htm")));
  EXPECT_EQ(1, server.connectionCount());
  const std::vector<std::string> heads = peer.Heads();
  ASSERT_EQ(2u, heads.size());
  EXPECT_EQ("GET /dir/name.htm HTTP/1.1\r\n"
            "Content-Type: text/html\r\n"
            "Host: 127.0.0.1:" + std::to_string(server.port()) + "\r\n"
            "Accept: text/html, */*\r\n"
            "User-Agent: Mozilla/3.0 (compatible; Quonel Updater)\r\n\r\n",
            heads[0]);
  http.CloseConnection();
  EXPECT_FALSE(http.IsConnected());
}

TEST_F(HttpClientTest, ConnectionCloseLeavesTheClientNotConnected) {
  LoopbackServer server(Answer("HTTP/1.1 200 OK\r\nConnection: Close\r\nContent-Length: 2\r\n\r\nok"));
  EXPECT_EQ("ok", http.GetText(server.Url("/a")));
  EXPECT_FALSE(http.IsConnected());
  EXPECT_EQ("ok", http.GetText(server.Url("/a")));
  EXPECT_EQ(2, server.connectionCount());
}

TEST_F(HttpClientTest, APeerThatClosedAKeptConnectionIsNoticedBeforeTheNextRequest) {
  Signal closed;
  LoopbackServer server([&](ScriptedConnection& c) {
    c.ReadRequestHead();
    c.Send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
    c.Close();
    closed.Set();
  });
  EXPECT_EQ("ok", http.GetText(server.Url("/a")));
  // Over the loopback the close is queued at the client once closesocket returned.
  ASSERT_TRUE(closed.Wait());
  EXPECT_EQ("ok", http.GetText(server.Url("/a")));
  EXPECT_EQ(2, server.connectionCount());
}

TEST_F(HttpClientTest, StatusHundredIsSkipped) {
  LoopbackServer server(Answer("HTTP/1.1 100 Continue\r\nX-A: 1\r\n\r\n"
                               "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello"));
  EXPECT_EQ("hello", http.GetText(server.Url("/")));
  EXPECT_EQ(200, http.ResponseCode());
}

TEST_F(HttpClientTest, EveryNonSuccessAndEveryLocationRaisesWithTheStatusLine) {
  struct Case {
    std::string reply, statusLine;
    int code;
  };
  const Case cases[] = {
      {"HTTP/1.1 200 OK\r\nLocation: /elsewhere\r\nContent-Length: 4\r\n\r\nbody", "HTTP/1.1 200 OK", 200},
      {"HTTP/1.1 302 Found\r\nLocation: /x\r\nContent-Length: 4\r\n\r\nbody", "HTTP/1.1 302 Found", 302},
      {"HTTP/1.1 404 Not Found\r\nContent-Length: 4\r\n\r\nbody", "HTTP/1.1 404 Not Found", 404},
      {"HTTP/1.1 401 Unauthorized\r\nContent-Length: 4\r\n\r\nbody", "HTTP/1.1 401 Unauthorized", 401},
      {"garbage\r\nContent-Length: 4\r\n\r\nbody", "garbage", -1},
  };
  for (const Case& c : cases) {
    LoopbackServer server(Answer(c.reply));
    const Failure failure = FailureOf([&] { http.GetText(server.Url("/m.htm")); });
    EXPECT_EQ(L"ENetHTTPProtocolException", failure.className) << c.statusLine;
    EXPECT_EQ(std::wstring(c.statusLine.begin(), c.statusLine.end()), failure.message);
    EXPECT_EQ(c.code, failure.replyCode);
    EXPECT_EQ("body", failure.bodyText);
    http.CloseConnection();
  }
}

TEST_F(HttpClientTest, ChunkedBodiesLoseTheirFramingAndKeepTheConnectionInStep) {
  LoopbackServer server(Answer("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                               "4;ext=1\r\n[a]\n\r\n7 \r\nname=x\n\r\n0\r\nX-Checksum: 1\r\n\r\n"));
  EXPECT_EQ("[a]\nname=x\n", http.GetText(server.Url("/")));
  EXPECT_EQ("[a]\nname=x\n", http.GetText(server.Url("/")));
  EXPECT_EQ(1, server.connectionCount());
}

TEST_F(HttpClientTest, StatusNotificationsOfOneClosingRequest) {
  LoopbackServer server(Answer("HTTP/1.1 200 OK\r\nConnection: close\r\nTransfer-Encoding: chunked\r\n\r\n"
                               "2\r\nok\r\n0\r\n\r\n"));
  std::vector<std::string> seen;
  int disconnected = 0;
  http.OnStatus = [&](TNetStatus status, const std::string& text) {
    seen.push_back(std::to_string(status) + " " + text);
  };
  http.OnDisconnected = [&] { ++disconnected; };
  // "localhost" needs no lookup, so there is no hsResolving.
  EXPECT_EQ("ok", http.GetText("http://LocalHost:" + std::to_string(server.port()) + "/"));
  EXPECT_EQ((std::vector<std::string>{"1 127.0.0.1", "2 LocalHost", "5 Chunk Started", "3 ", "4 "}), seen);
  EXPECT_EQ(1, disconnected);
}

// Paths the wizard's settings never take, kept working for other callers.
TEST_F(HttpClientTest, FollowedRedirectAndAuthorisationRetry) {
  LoopbackServer server([](ScriptedConnection& c) {
    for (std::string head; !(head = c.ReadRequestHead()).empty();) {
      if (head.rfind("GET /old ", 0) == 0)
        c.Send("HTTP/1.1 302 Found\r\nLocation: /new\r\nContent-Length: 5\r\n\r\nmoved");
      else if (head.find("Authorization: Basic dTpw\r\n") == std::string::npos)
        c.Send("HTTP/1.1 401 Unauthorized\r\nContent-Length: 4\r\n\r\nwho?");
      else
        c.Send("HTTP/1.1 200 OK\r\nContent-Length: 7\r\n\r\nwelcome");
    }
  });
  http.HandleRedirects = true;
  int asked = 0;
  http.OnAuthorization = [&](TNetAuthentication*& authentication) {
    ++asked;
    auto* basic = new TNetBasicAuthentication();
    basic->Username = "u";
    basic->Password = "p";
    authentication = basic;
    return true;
  };
  EXPECT_EQ("welcome", http.GetText(server.Url("/old")));
  EXPECT_EQ(1, asked);
  EXPECT_EQ(1, server.connectionCount());

  // A handler that keeps supplying wrong credentials is asked AuthRetries times.
  http.Request().Authentication.reset();
  http.OnAuthorization = [&](TNetAuthentication*&) { return ++asked, true; };
  asked = 0;
  const Failure failure = FailureOf([&] { http.GetText(server.Url("/new")); });
  EXPECT_EQ(L"HTTP/1.1 401 Unauthorized", failure.message);
  EXPECT_EQ("who?", failure.bodyText);
  EXPECT_EQ(3, asked);
}

TEST_F(HttpClientTest, ShortBodyBeforeCloseIsKeptWithoutError) {
  LoopbackServer server([](ScriptedConnection& c) {
    c.ReadRequestHead();
    c.Send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + std::string(600, 'x'));
    c.Close();
  });
  EXPECT_EQ(std::string(600, 'x'), http.GetText(server.Url("/")));
  EXPECT_FALSE(http.IsConnected());
}

TEST_F(HttpClientTest, OverflowingContentLengthReadsUntilClose) {
  LoopbackServer server([](ScriptedConnection& c) {
    c.ReadRequestHead();
    // 2^32 + 3 would wrap to 3 and cut the body.
    c.Send("HTTP/1.1 200 OK\r\nContent-Length: 4294967299\r\n\r\n0123456789");
    c.Close();
  });
  EXPECT_EQ("0123456789", http.GetText(server.Url("/")));
}

TEST_F(HttpClientTest, SilentPeerEndsInReadTimeout) {
  http.SetReadTimeout(300);
  LoopbackServer server([](ScriptedConnection& c) {
    c.ReadRequestHead();
    c.Send("HTTP/1.1 200 OK\r\n\r\npartial");
    c.HoldUntilServerStops();
  });
  const Failure failure = FailureOf([&] { http.GetText(server.Url("/")); });
  EXPECT_EQ(L"ENetReadTimeout", failure.className);
  EXPECT_EQ(L"Read Timeout", failure.message);
  EXPECT_GE(failure.elapsedMs, 280u);  // never early; how late is the machine's load
}

TEST_F(HttpClientTest, AConnectionLeftMidResponseIsNotReused) {
  Signal gaveUp, staleSent;
  LoopbackServer server([&](ScriptedConnection& c) {
    c.ReadRequestHead();
    if (c.index() == 0) {
      c.Send("HTTP/1.1 200 OK\r\nContent-Length: 20\r\n\r\nfirst");
      // The rest arrives after the client gave up: it must not be taken for
      // the status line of the next request.
      gaveUp.Wait();
      c.Send("HTTP/1.1 500 Stale\r\n\r\n");
      staleSent.Set();
      c.HoldUntilServerStops();
    } else {
      c.Send("HTTP/1.1 200 OK\r\nContent-Length: 6\r\n\r\nsecond");
      c.HoldUntilServerStops();
    }
  });
  http.SetReadTimeout(200);
  EXPECT_EQ(L"Read Timeout", FailureOf([&] { http.GetText(server.Url("/")); }).message);
  EXPECT_TRUE(http.IsConnected());  // still open, as the wizard's close question expects
  gaveUp.Set();
  ASSERT_TRUE(staleSent.Wait());
  EXPECT_EQ("second", http.GetText(server.Url("/")));
  EXPECT_EQ(2, server.connectionCount());
}

TEST_F(HttpClientTest, TheStoredReadTimeoutIsFiveSeconds) {
  ApplyWizardHTTPSettings(http);
  EXPECT_EQ(5000, http.ReadTimeout());
}

TEST_F(HttpClientTest, OverlongHeaderLine) {
  LoopbackServer server(Answer("HTTP/1.1 200 OK\r\nX-Long: " + std::string(16400, 'a') + "\r\n\r\n"));
  const Failure failure = FailureOf([&] { http.GetText(server.Url("/")); });
  EXPECT_EQ(L"ENetReadLnMaxLineLengthExceeded", failure.className);
  EXPECT_EQ(L"Max line length exceeded.", failure.message);
}

TEST_F(HttpClientTest, HeaderBlockEndedByCloseIsAnUndefinedSituation) {
  LoopbackServer server([](ScriptedConnection& c) {
    c.ReadRequestHead();
    c.Send("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n");
    c.Close();
  });
  const Failure failure = FailureOf([&] { http.GetText(server.Url("/")); });
  EXPECT_EQ(L"ENetException", failure.className);
  EXPECT_EQ(L"Undefined situation", failure.message);
  EXPECT_FALSE(http.IsConnected());
}

// A server that answers an https address in plain HTTP is refused by the
// handshake; its answer is never taken for a response.
TEST_F(HttpClientTest, HttpsToAPlainServerFailsInTheHandshake) {
  LoopbackServer server([](ScriptedConnection& c) {
    c.Send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
    c.HoldUntilServerStops();
  });
  const Failure failure =
      FailureOf([&] { http.GetText("https://localhost:" + std::to_string(server.port()) + "/m.htm"); });
  EXPECT_EQ(L"ETlsError", failure.className);
  EXPECT_FALSE(http.IsConnected());
  EXPECT_EQ(1, server.connectionCount());
}

TEST_F(HttpClientTest, CookiesAreStoredMatchedAndSent) {
  RecordingPeer peer("HTTP/1.1 200 OK\r\nSet-Cookie: session=abc; path=/\r\n"
                     "Set-Cookie: deep=1; path=/dir/\r\nSet-Cookie: foreign=1; domain=example.com\r\n"
                     "Content-Length: 0\r\n\r\n");
  LoopbackServer server(peer.Script());
  http.GetText(server.Url("/dir/a.htm"));
  http.GetText(server.Url("/dir/b.htm"));
  http.GetText(server.Url("/top.htm"));
  const std::vector<std::string> heads = peer.Heads();
  ASSERT_EQ(3u, heads.size());
  EXPECT_EQ(std::string::npos, heads[0].find("Cookie:"));
  EXPECT_NE(std::string::npos, heads[1].find("\r\nCookie: deep=1; session=abc\r\n")) << heads[1];
  EXPECT_NE(std::string::npos, heads[2].find("\r\nCookie: session=abc\r\n")) << heads[2];
  EXPECT_EQ(std::string::npos, heads[2].find("foreign"));
}

TEST_F(HttpClientTest, UnresolvableHostAndRefusedConnection) {
  const Failure unknown = FailureOf([&] { http.GetText("http://quonel-nohost.invalid/m.htm"); });
  EXPECT_EQ(L"ENetSocketError", unknown.className);
  EXPECT_EQ(L"Socket Error # 11001\r\nHost not found.", unknown.message);

  int closedPort;
  {
    LoopbackServer gone(Answer(""));
    closedPort = gone.port();
  }
  const Failure refused = FailureOf([&] { http.GetText("http://127.0.0.1:" + std::to_string(closedPort) + "/"); });
  EXPECT_EQ(L"ENetConnectException", refused.className);
  EXPECT_EQ(L"Socket Error # 10061\r\nConnection refused.", refused.message);
  EXPECT_FALSE(http.IsConnected());
}

TEST_F(HttpClientTest, ConnectThatNeverCompletesTimesOutAfterTheReadTimeout) {
  LoopbackServer listener(Answer(""), 1, /*accepts=*/false);
  const FullListenQueue queue(listener.port());
  ASSERT_TRUE(queue.full()) << "the listen queue never filled";
  http.SetReadTimeout(600);
  const Failure failure = FailureOf([&] { http.GetText(listener.Url("/m.htm")); });
  EXPECT_EQ(L"ENetConnectTimeout", failure.className);
  EXPECT_EQ(L"Connect timed out.", failure.message);
  EXPECT_GE(failure.elapsedMs, 550u);  // never early; how late is the machine's load
  EXPECT_FALSE(http.IsConnected());
}

// A server that answers one byte at a time never lets a single read time
// out; the bound on the whole request is what ends it.
TEST_F(HttpClientTest, ATricklingAnswerIsCutByTheBoundOnTheWholeRequest) {
  const std::string reply = "HTTP/1.1 200 OK\r\nContent-Length: 60\r\n\r\n" + std::string(60, 'x');
  LoopbackServer server([reply](ScriptedConnection& c) {
    c.ReadRequestHead();
    for (char byte : reply)
      if (!c.Send(std::string(1, byte)) || !c.Pause(20)) return;
    c.HoldUntilServerStops();
  });
  http.RequestTimeLimit = 500;
  const Failure failure = FailureOf([&] { http.GetText(server.Url("/m.htm")); });
  EXPECT_EQ(L"ENetReadTimeout", failure.className);

  // The bound is per request: the next one has its own.
  http.RequestTimeLimit = 60000;
  EXPECT_EQ(std::string(60, 'x'), http.GetText(server.Url("/m.htm")));
}

// With a wait pump every wait runs the pump; the pump may close the
// connection (the wizard's "上一步") or give the wait up (the close box),
// during a connect that hangs and during a silent answer alike.
TEST_F(HttpClientTest, AWaitPumpRunsDuringEveryWaitAndMayCloseOrGiveUp) {
  LoopbackServer silent([](ScriptedConnection& c) {
    c.ReadRequestHead();
    c.HoldUntilServerStops();
  });
  LoopbackServer deaf(Answer(""), 1, /*accepts=*/false);
  const FullListenQueue queue(deaf.port());
  ASSERT_TRUE(queue.full()) << "the listen queue never filled";
  http.SetReadTimeout(0);  // only the pump ends these waits

  for (const std::string& url : {silent.Url("/m.htm"), deaf.Url("/m.htm")}) {
    int pumps = 0;
    http.WaitPump = [&] {
      if (++pumps == 3) http.CloseConnection();
      return true;
    };
    Failure failure = FailureOf([&] { http.GetText(url); });
    EXPECT_EQ(L"ENetClosedSocket", failure.className) << url;
    EXPECT_EQ(L"Disconnected.", failure.message) << url;
    EXPECT_EQ(3, pumps) << url;
    EXPECT_FALSE(http.IsConnected()) << url;

    pumps = 0;
    http.WaitPump = [&] { return ++pumps < 3; };
    failure = FailureOf([&] { http.GetText(url); });
    EXPECT_EQ(L"ENetWaitAbandoned", failure.className) << url;
    EXPECT_EQ(3, pumps) << url;
    EXPECT_FALSE(http.IsConnected()) << url;
  }
}

// A long body that keeps arriving is no wait, but the window must still be
// served while it comes in: data every few ms never lets a receive time out.
TEST_F(HttpClientTest, AWaitPumpRunsWhileABodyKeepsArriving) {
  constexpr int kChunks = 150;
  LoopbackServer trickle([](ScriptedConnection& c) {
    c.ReadRequestHead();
    c.Send("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(kChunks * 1024) + "\r\n\r\n");
    for (int i = 0; i < kChunks && c.Send(std::string(1024, 't')); ++i) Sleep(2);
  });
  int pumps = 0;
  http.WaitPump = [&] { return ++pumps > 0; };
  EXPECT_EQ(static_cast<size_t>(kChunks * 1024), http.GetText(trickle.Url("/big.htm")).size());
  // The body took at least 300 ms: a pump every 15 ms is some twenty.
  EXPECT_GE(pumps, 5);
}

}  // namespace
}  // namespace quonel::testing

namespace quonel::testing {
namespace {

TEST_F(HttpClientTest, ABoundedGetRefusesALongerBodyWithoutReadingItToItsEnd) {
  // An endless body without a length: refused at the bound, and the connection dropped.
  LoopbackServer endless([](ScriptedConnection& c) {
    c.ReadRequestHead();
    c.Send("HTTP/1.1 200 OK\r\n\r\n");
    while (c.Send(std::string(1024, 'e'))) {
    }
  });
  EXPECT_EQ(L"ENetBodyTooLong", FailureOf([&] { http.GetText(endless.Url("/"), 4096); }).className);
  EXPECT_FALSE(http.IsConnected());

  // An announced length above the bound is refused before any body byte:
  // no waiting for a body the peer never sends.
  http.SetReadTimeout(5000);
  LoopbackServer announced([](ScriptedConnection& c) {
    c.ReadRequestHead();
    c.Send("HTTP/1.1 200 OK\r\nContent-Length: 4097\r\n\r\n");
    c.HoldUntilServerStops();
  });
  EXPECT_EQ(L"ENetBodyTooLong", FailureOf([&] { http.GetText(announced.Url("/"), 4096); }).className);

  // Exactly the bound is accepted, and the bound ends with the call.
  LoopbackServer exact(Answer("HTTP/1.1 200 OK\r\nContent-Length: 4096\r\n\r\n" + std::string(4096, 'x')));
  EXPECT_EQ(4096u, http.GetText(exact.Url("/"), 4096).size());
  EXPECT_EQ(4096u, http.GetText(exact.Url("/")).size());
}

}  // namespace
}  // namespace quonel::testing
