// The resumable download against scripted peers: the requests it sends, how
// it reads the answers, and every way a server can misbehave.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "download_test_site.h"
#include "net/staged_copy_record.h"
#include "support/loopback_server.h"

namespace quonel::testing {
namespace {

const std::wstring kFailed = L"服务器连接失败，取消下载\r\n";

std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
  return bytes;
}

int64_t RangeStart(const std::string& request) {
  const size_t at = request.find("RANGE: bytes=");
  return at == std::string::npos ? -1 : std::stoll(request.substr(at + 13));
}

std::string PartialHead(int64_t first, int64_t size) {
  return "HTTP/1.1 206 Partial Content\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
         std::to_string(size - first) + "\r\nContent-Range: bytes " + std::to_string(first) + "-" +
         std::to_string(size - 1) + "/" + std::to_string(size) + "\r\n\r\n";
}

// A peer that answers the HEAD with headHead and the GET through getAnswer,
// which receives the requested start; it keeps the connection like nginx.
class ScriptedFileServer {
 public:
  using GetAnswer = std::function<void(ScriptedConnection&, int64_t start)>;
  ScriptedFileServer(std::string headHead, GetAnswer getAnswer)
      : headHead_(std::move(headHead)), getAnswer_(std::move(getAnswer)),
        server_([this](ScriptedConnection& c) { Serve(c); }) {}

  std::string Url(const std::string& path) const { return server_.Url(path); }
  int port() const { return server_.port(); }
  std::vector<std::string> Requests() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }

 private:
  void Serve(ScriptedConnection& c) {
    const std::string request = c.ReadRequestHead();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      requests_.push_back(request);
    }
    if (request.rfind("HEAD ", 0) == 0) {
      c.Send(headHead_);
      // A head cut short is followed by a close.
      if (headHead_.size() < 4 || headHead_.compare(headHead_.size() - 4, 4, "\r\n\r\n") != 0) {
        c.Close();
      } else {
        c.WaitForClientClose();
      }
    } else if (request.rfind("GET ", 0) == 0) {
      getAnswer_(c, RangeStart(request));
    }
  }

  std::string headHead_;
  GetAnswer getAnswer_;
  std::mutex mutex_;
  std::vector<std::string> requests_;
  LoopbackServer server_;  // last: its threads stop before the rest goes
};

ScriptedFileServer::GetAnswer ServePartial(const std::string& file) {
  return [file](ScriptedConnection& c, int64_t start) {
    c.Send(PartialHead(start, static_cast<int64_t>(file.size())) + file.substr(static_cast<size_t>(start)));
    c.WaitForClientClose();
  };
}

std::string HeadWithLength(size_t size) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(size) + "\r\nAccept-Ranges: bytes\r\n\r\n";
}

class DownloadFault : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    local = DownloadTestDir() + L"\\" + Wide(info->name()) + L".dat";
    DeleteFileW(local.c_str());
  }
  bool Download(const std::string& url) { return site.DownloadFile(Wide(url), local); }

  RecordingSite site;
  std::wstring local;
};

TEST_F(DownloadFault, ResumeSendsBothRequestsByteForByteWithThePortInTheHostLine) {
  const std::string file = Pattern(5000);
  WriteBinaryFile(local, file.substr(0, 1000));
  ScriptedFileServer server(HeadWithLength(file.size()), ServePartial(file));
  const std::string host = "127.0.0.1:" + std::to_string(server.port());

  ASSERT_TRUE(Download(server.Url("/files/a.dat")));
  EXPECT_EQ(file, ReadBinaryFile(local));
  const auto requests = server.Requests();
  ASSERT_EQ(2u, requests.size());
  const std::string agent =
      "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; .NET CLR 1.0.3705)\r\n";
  EXPECT_EQ("HEAD /files/a.dat HTTP/1.1\r\nPragma: no-cache\r\nCache-Control: no-cache\r\n" + agent +
                "Host: " + host + "\r\n\r\n",
            requests[0]);
  EXPECT_EQ("GET /files/a.dat HTTP/1.1\r\nAccept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n" +
                agent + "RANGE: bytes=1000-\r\nHost: " + host + "\r\n\r\n",
            requests[1]);
  EXPECT_EQ(1000, site.StartPos);
  EXPECT_EQ(L"files/a.dat", site.UrlPath);
  EXPECT_EQ(Wide(host), site.UrlHost);
  EXPECT_EQ(std::vector<std::wstring>{local + L"文件下载完成\r\n"}, site.log);
  // The GET's own numbers, grouped as the zh_CN locale groups them.
  EXPECT_EQ(L"共 4,000 字节，已下载 4,000 字节", site.label);
  EXPECT_EQ(site.label, site.paintedLabel);
  EXPECT_EQ(4000, site.gaugeMaximum);
  EXPECT_EQ(4000, site.gaugeProgress);
  EXPECT_FALSE(site.socket.Active());
}

TEST_F(DownloadFault, ServerThatIgnoresTheRangeGivesFalseAndWritesNothing) {
  const std::string file = Pattern(3000);
  ScriptedFileServer server(HeadWithLength(file.size()), [&](ScriptedConnection& c, int64_t) {
    c.Send(HeadWithLength(file.size()) + file);
    c.WaitForClientClose();
  });
  EXPECT_FALSE(Download(server.Url("/a.dat")));
  EXPECT_FALSE(site.RangeOK);
  EXPECT_EQ(0, FileSize(local));
  EXPECT_TRUE(site.log.empty());
}

TEST_F(DownloadFault, HeadLengthCountsInAnyCaseAndIsNeverTakenAsZeroWhenMissing) {
  const std::string file = Pattern(6000);
  for (const std::string& lengthLine : {std::string("content-length: 6000\r\n"),
                                        std::string("Content-Length:6000\r\n"), std::string()}) {
    DeleteFileW(local.c_str());
    site.log.clear();
    ScriptedFileServer server("HTTP/1.1 200 OK\r\n" + lengthLine + "\r\n", ServePartial(file));
    EXPECT_TRUE(Download(server.Url("/a.dat"))) << lengthLine;
    EXPECT_EQ(file, ReadBinaryFile(local)) << lengthLine;
    EXPECT_EQ(std::vector<std::wstring>{local + L"文件下载完成\r\n"}, site.log);
  }
}

TEST_F(DownloadFault, UnknownFullLengthNeverDeclaresTheCopyComplete) {
  // No length on HEAD, and a GET answer that tells neither the full length
  // nor a Content-Length: the bytes are kept, but nobody knows they are all.
  const std::string file = Pattern(10);
  ScriptedFileServer server("HTTP/1.1 200 OK\r\n\r\n", [&](ScriptedConnection& c, int64_t) {
    c.Send("HTTP/1.1 206 Partial Content\r\nContent-Range: bytes 0-9/*\r\n\r\n" + file);
    c.WaitForClientClose();
  });
  EXPECT_FALSE(Download(server.Url("/a.dat")));
  EXPECT_EQ(file, ReadBinaryFile(local));
  EXPECT_EQ(std::vector<std::wstring>{L"a.dat实际收到文件长度大于服务器标识长度，跳过下载\r\n"}, site.log);
}

TEST_F(DownloadFault, ServerClosingInTheMiddleOfTheBodyEndsWithFailure) {
  const std::string file = Pattern(5000);
  ScriptedFileServer server(HeadWithLength(file.size()), [&](ScriptedConnection& c, int64_t start) {
    c.Send(PartialHead(start, 5000) + file.substr(0, 2000));
    c.Close();
  });
  EXPECT_FALSE(Download(server.Url("/d/a.dat")));
  EXPECT_EQ(file.substr(0, 2000), ReadBinaryFile(local));
  EXPECT_EQ(std::vector<std::wstring>{L"d/a.dat" + kFailed}, site.log);
  EXPECT_FALSE(site.socket.Active());

  // The next call continues from what stayed on disk.
  site.log.clear();
  ScriptedFileServer good(HeadWithLength(file.size()), ServePartial(file));
  EXPECT_TRUE(Download(good.Url("/d/a.dat")));
  EXPECT_EQ(2000, site.StartPos);
  EXPECT_EQ(file, ReadBinaryFile(local));
}

TEST_F(DownloadFault, HeaderBlockEndsWhenTheServerClosesWithoutItsEmptyLine) {
  const std::string file = Pattern(3000);
  // HEAD: lines, then a close; the block ends and the GET goes on.
  ScriptedFileServer headCut("HTTP/1.1 200 OK\r\nContent-Length: 3000\r\nX-Cut: y", ServePartial(file));
  EXPECT_TRUE(Download(headCut.Url("/a.dat")));
  EXPECT_EQ(file, ReadBinaryFile(local));

  // GET: without the empty line nobody knows where the body begins.
  DeleteFileW(local.c_str());
  site.log.clear();
  ScriptedFileServer getCut(HeadWithLength(file.size()), [&](ScriptedConnection& c, int64_t) {
    c.Send("HTTP/1.1 206 Partial Content\r\nContent-Range: bytes 0-2999/3000\r\n" + file.substr(0, 5));
    c.Close();
  });
  EXPECT_FALSE(Download(getCut.Url("/a.dat")));
  EXPECT_EQ(0, FileSize(local));
  EXPECT_EQ(std::vector<std::wstring>{L"a.dat" + kFailed}, site.log);
}

TEST_F(DownloadFault, GetWithoutContentLengthReadsUntilTheFullLengthOrTheClose) {
  const std::string file = Pattern(300000);
  const std::string head = "HTTP/1.1 206 Partial Content\r\nContent-Range: bytes 0-299999/300000\r\n\r\n";
  // The whole body on a connection that stays open: done at the full length.
  ScriptedFileServer kept(HeadWithLength(file.size()), [&](ScriptedConnection& c, int64_t) {
    c.Send(head + file);
    c.WaitForClientClose();
  });
  EXPECT_TRUE(Download(kept.Url("/a.dat")));
  EXPECT_EQ(file, ReadBinaryFile(local));
  EXPECT_EQ(L"共 300,000 字节，已下载 300,000 字节", site.label);

  // Part of it, then a close: never success for bytes that did not come.
  DeleteFileW(local.c_str());
  site.log.clear();
  ScriptedFileServer cut("HTTP/1.1 200 OK\r\n\r\n", [&](ScriptedConnection& c, int64_t) {
    c.Send(head + file.substr(0, 1000));
    c.Close();
  });
  EXPECT_FALSE(Download(cut.Url("/a.dat")));
  EXPECT_EQ(1000, FileSize(local));
  EXPECT_EQ(std::vector<std::wstring>{L"a.dat" + kFailed}, site.log);
}

TEST_F(DownloadFault, BodyLengthEqualToStartPosDoesNotCompleteAShortCopy) {
  const std::string file = Pattern(2000);
  WriteBinaryFile(local, file.substr(0, 1000));
  ScriptedFileServer server(HeadWithLength(file.size()), ServePartial(file));
  EXPECT_TRUE(Download(server.Url("/a.dat")));
  EXPECT_EQ(file, ReadBinaryFile(local));
  EXPECT_EQ(std::vector<std::wstring>{local + L"文件下载完成\r\n"}, site.log);
}

TEST_F(DownloadFault, ServerSendingMoreThanTheFullLengthCannotGrowTheCopy) {
  const std::string file = Pattern(1000);
  ScriptedFileServer server(HeadWithLength(file.size()), [&](ScriptedConnection& c, int64_t start) {
    c.Send(PartialHead(start, 1000) + file + Pattern(700));
    c.WaitForClientClose();
  });
  EXPECT_TRUE(Download(server.Url("/a.dat")));
  EXPECT_EQ(file, ReadBinaryFile(local));
}

TEST_F(DownloadFault, RangeAtAnotherOffsetOrUnsatisfiableAddsNothing) {
  const std::string file = Pattern(2000);
  WriteBinaryFile(local, file.substr(0, 1000));
  ScriptedFileServer wrongOffset(HeadWithLength(file.size()), [&](ScriptedConnection& c, int64_t) {
    c.Send(PartialHead(0, 2000) + file);
    c.WaitForClientClose();
  });
  EXPECT_FALSE(Download(wrongOffset.Url("/a.dat")));
  EXPECT_TRUE(site.RangeOK);
  EXPECT_EQ(file.substr(0, 1000), ReadBinaryFile(local));
  EXPECT_TRUE(site.log.empty());

  const std::string page = "<html><body>416 Requested Range Not Satisfiable</body></html>";
  ScriptedFileServer unsatisfied("HTTP/1.1 200 OK\r\n\r\n", [&](ScriptedConnection& c, int64_t) {
    c.Send("HTTP/1.1 416 Requested Range Not Satisfiable\r\nContent-Length: " +
           std::to_string(page.size()) + "\r\nContent-Range: bytes */2000\r\n\r\n" + page);
    c.WaitForClientClose();
  });
  EXPECT_FALSE(Download(unsatisfied.Url("/a.dat")));
  EXPECT_EQ(file.substr(0, 1000), ReadBinaryFile(local));
  EXPECT_TRUE(site.log.empty());
}

TEST_F(DownloadFault, AmountFollowsEveryBlockButPaintsAndPumpsAreThrottledAndEndOnTheLastNumbers) {
  const std::string file = Pattern(40 << 20);
  ScriptedFileServer server(HeadWithLength(file.size()), ServePartial(file));
  // A millisecond per reading, and each block reads the clock at least once:
  // a paint per 33 ms of it at most, a look at the window per 15 at least.
  site.countingClock = true;
  ASSERT_TRUE(Download(server.Url("/a.dat")));
  EXPECT_EQ(file, ReadBinaryFile(local));
  ASSERT_GE(site.amounts, 40);
  EXPECT_GE(site.clockMs, static_cast<uint64_t>(site.amounts));
  EXPECT_LE(site.paints, site.clockMs / 33 + 2);
  EXPECT_GE(site.pumps, site.amounts / 15);
  EXPECT_LT(site.pumps, site.amounts);
  EXPECT_EQ(L"共 41,943,040 字节，已下载 41,943,040 字节", site.label);
  EXPECT_EQ(site.label, site.paintedLabel);
}

TEST_F(DownloadFault, AbortFromAPumpedMessageStopsAStalledBody) {
  const std::string file = Pattern(5000);
  const HWND window = site.window;
  ScriptedFileServer server(HeadWithLength(file.size()), [&](ScriptedConnection& c, int64_t start) {
    c.Send(PartialHead(start, 5000) + file.substr(0, 1000));
    PostMessageW(window, WM_APP, 0, 0);  // the abort button, pressed during the body
    c.HoldUntilServerStops();
  });
  EXPECT_FALSE(Download(server.Url("/a.dat")));
  EXPECT_TRUE(site.AbortFlag);
  EXPECT_EQ(file.substr(0, 1000), ReadBinaryFile(local));
  EXPECT_TRUE(site.log.empty());
  EXPECT_FALSE(site.socket.Active());
}

// The waits before the body pump the window too: an abort pressed while a
// connect hangs or a server sits on the request ends that transfer at once,
// as an abort (no failure line), and the next transfer is not hit by it.
TEST_F(DownloadFault, AbortDuringAHangingConnectOrASilentHeaderWaitEndsThatTransferOnly) {
  LoopbackServer deaf([](ScriptedConnection&) {}, 1, /*accepts=*/false);
  const FullListenQueue queue(deaf.port());
  ASSERT_TRUE(queue.full()) << "the listen queue never filled";
  PostMessageW(site.window, WM_APP, 0, 0);  // handled by the first pump of the connect
  EXPECT_FALSE(Download(deaf.Url("/c/a.dat")));
  EXPECT_TRUE(site.AbortFlag);
  EXPECT_GE(site.pumps, 1);
  EXPECT_TRUE(site.log.empty());
  EXPECT_FALSE(site.socket.Active());

  const HWND window = site.window;
  LoopbackServer silent([window](ScriptedConnection& c) {
    c.ReadRequestHead();
    PostMessageW(window, WM_APP, 0, 0);  // pressed while the answer is awaited
    c.HoldUntilServerStops();
  });
  site.pumps = 0;
  EXPECT_FALSE(Download(silent.Url("/s/a.dat")));
  EXPECT_TRUE(site.AbortFlag);
  EXPECT_GE(site.pumps, 1);
  EXPECT_TRUE(site.log.empty());
  EXPECT_EQ(1, silent.connectionCount()) << "no GET after an aborted HEAD";
  EXPECT_FALSE(site.socket.Active());

  const std::string file = Pattern(3000);
  ScriptedFileServer good(HeadWithLength(file.size()), ServePartial(file));
  EXPECT_TRUE(Download(good.Url("/a.dat")));
  EXPECT_EQ(file, ReadBinaryFile(local));
}

// Each wait gives up after 60 s of the site's clock, the only one it reads:
// a connect that hangs, a server silent after a request (every request the
// transfer makes waits its own 60 s), a body that stalls.
TEST_F(DownloadFault, EveryWaitGivesUpAfterSixtySecondsOfTheSiteClock) {
  const uint64_t kStep = 4000;  // one reading per wait slice: 15 slices a limit
  const uint64_t kLimit = 60000;
  site.countingClock = true;
  site.clockStepMs = kStep;
  LoopbackServer deaf([](ScriptedConnection&) {}, 1, /*accepts=*/false);
  const FullListenQueue queue(deaf.port());
  ASSERT_TRUE(queue.full()) << "the listen queue never filled";
  EXPECT_FALSE(Download(deaf.Url("/c/a.dat")));
  EXPECT_EQ(std::vector<std::wstring>{L"c/a.dat" + kFailed}, site.log);
  EXPECT_GE(site.clockMs, kLimit);
  EXPECT_LE(site.clockMs, kLimit + 3 * kStep);

  LoopbackServer silent([](ScriptedConnection& c) {
    c.ReadRequestHead();
    c.HoldUntilServerStops();
  });
  site.log.clear();
  site.clockMs = 0;
  EXPECT_FALSE(Download(silent.Url("/s/a.dat")));
  EXPECT_EQ(std::vector<std::wstring>{L"s/a.dat" + kFailed}, site.log);
  const uint64_t requests = static_cast<uint64_t>(silent.connectionCount());
  ASSERT_GE(requests, 1u);
  EXPECT_GE(site.clockMs, requests * kLimit);
  EXPECT_LE(site.clockMs, requests * (kLimit + 3 * kStep));

  const std::string file = Pattern(5000);
  ScriptedFileServer stalling(HeadWithLength(file.size()), [&](ScriptedConnection& c, int64_t start) {
    c.Send(PartialHead(start, 5000) + file.substr(0, 1000));
    c.HoldUntilServerStops();
  });
  site.log.clear();
  EXPECT_FALSE(Download(stalling.Url("/b/a.dat")));
  EXPECT_EQ(std::vector<std::wstring>{L"b/a.dat" + kFailed}, site.log);
  EXPECT_EQ(file.substr(0, 1000), ReadBinaryFile(local));
  EXPECT_GE(site.clockMs - site.clockAtLastAmount, kLimit);
  EXPECT_LE(site.clockMs - site.clockAtLastAmount, kLimit + 3 * kStep);
}

// A header block that arrives byte by byte, with the body's first bytes in
// the same packet as its empty line, and a body that pauses for several of
// the waits' slices: every header line counts, and not one body byte is lost
// to the header reading or to a slice that ended without data.
TEST_F(DownloadFault, HeaderBlockInPiecesAndBodyInTheSamePacketAsItsEnd) {
  const std::string file = Pattern(5000);
  ScriptedFileServer server(HeadWithLength(file.size()), [&](ScriptedConnection& c, int64_t start) {
    const std::string head = PartialHead(start, 5000);
    for (size_t i = 0; i + 1 < head.size(); ++i) c.Send(head.substr(i, 1));
    c.Send(head.substr(head.size() - 1) + file.substr(0, 1000));
    c.Pause(300);
    c.Send(file.substr(1000));
    c.WaitForClientClose();
  });
  ASSERT_TRUE(Download(server.Url("/a.dat")));
  EXPECT_EQ(file, ReadBinaryFile(local));
  EXPECT_EQ(L"共 5,000 字节，已下载 5,000 字节", site.label);
}

TEST_F(DownloadFault, ConnectFailuresAndBadAddressesTakeTheFailurePath) {
  const std::string unresolved = "http://" + std::string(70, 'a') + ".invalid/u/a.dat";
  EXPECT_FALSE(Download(unresolved));
  LoopbackServer closed([](ScriptedConnection&) {});
  const int port = closed.port();
  EXPECT_FALSE(Download("http://127.0.0.1:1/r/a.dat"));
  EXPECT_FALSE(Download("http://127.0.0.1:99999/p/a.dat"));
  EXPECT_FALSE(Download("http://127.0.0.1:" + std::to_string(port) + "/c/a.dat"));
  EXPECT_EQ((std::vector<std::wstring>{L"u/a.dat" + kFailed, L"r/a.dat" + kFailed, L"p/a.dat" + kFailed,
                                       L"c/a.dat" + kFailed}),
            site.log);
}

TEST_F(DownloadFault, WithoutADownloadSocketTheTransferFailsAndLogsIt) {
  site.DownSocket = nullptr;
  EXPECT_FALSE(Download("http://127.0.0.1:1/s/a.dat"));
  EXPECT_EQ(std::vector<std::wstring>{L"s/a.dat" + kFailed}, site.log);
}

TEST_F(DownloadFault, StagedCopyThatCannotBeCreatedIsReportedAsALocalFailure) {
  ScriptedFileServer server(HeadWithLength(10), ServePartial(Pattern(10)));
  const std::wstring path = DownloadTestDir() + L"\\missing\\a.dat";
  EXPECT_FALSE(site.DownloadFile(Wide(server.Url("/n/a.dat")), path));
  EXPECT_EQ(std::vector<std::wstring>{path + L"本地文件无法写入，取消下载\r\n"}, site.log);
  EXPECT_TRUE(server.Requests().empty());
}

TEST_F(DownloadFault, ContentLengthThatIsNoNumberFails) {
  ScriptedFileServer server("HTTP/1.1 200 OK\r\nContent-Length: 12abc\r\n\r\n", ServePartial(Pattern(10)));
  EXPECT_FALSE(Download(server.Url("/a.dat")));
  EXPECT_EQ(std::vector<std::wstring>{L"a.dat" + kFailed}, site.log);
}

// A copy recorded for a release: resumed only for the same release and file.
class RecordedCopy : public DownloadFault {
 protected:
  const std::string file = Pattern(5000);
  const std::string lastModified = "Mon, 07 Dec 2026 09:05:00 GMT";
  std::string Head() const {
    return "HTTP/1.1 200 OK\r\nContent-Length: 5000\r\nLast-Modified: " + lastModified +
           "\r\nETag: \"e1\"\r\n\r\n";
  }
  void StagePartial(const std::optional<StagedCopyRecord>& record) {
    WriteBinaryFile(local, file.substr(0, 1000));
    DeleteFileW(StagedCopyRecordPath(local).c_str());
    if (record) {
      ASSERT_TRUE(SaveStagedCopyRecord(local, *record));
    }
  }
};

TEST_F(RecordedCopy, ResumesWithIfRangeOnlyWhenReleaseAndServerFileAreTheSame) {
  const StagedCopyRecord same{"r1", 5000, lastModified, "\"e1\""};
  struct Case {
    std::optional<StagedCopyRecord> record;
    int64_t start;
  } cases[] = {{same, 1000},
               {StagedCopyRecord{"r0", 5000, lastModified, "\"e1\""}, 0},  // an older release
               {StagedCopyRecord{"r1", 5000, lastModified, "\"e0\""}, 0},  // the server's file changed
               {std::nullopt, 0}};                                          // nobody knows what it is
  for (const Case& c : cases) {
    StagePartial(c.record);
    ScriptedFileServer server(Head(), ServePartial(file));
    EXPECT_TRUE(site.DownloadFile(Wide(server.Url("/a.dat")), local, "r1")) << c.start;
    EXPECT_EQ(file, ReadBinaryFile(local)) << c.start;
    const auto requests = server.Requests();
    ASSERT_EQ(2u, requests.size());
    EXPECT_EQ(c.start, RangeStart(requests[1]));
    EXPECT_EQ(c.start > 0, requests[1].find("If-Range: \"e1\"\r\n") != std::string::npos) << requests[1];
    EXPECT_EQ(same, LoadStagedCopyRecord(local));
  }
}

TEST_F(RecordedCopy, AWholeFileAnswerOrAChangedLengthStartsOverFromZero) {
  // The server's If-Range no longer matches: it answers the whole file.
  StagePartial(StagedCopyRecord{"r1", 5000, lastModified, "\"e1\""});
  const std::string other = Pattern(5000).replace(0, 1000, std::string(1000, 'x'));
  ScriptedFileServer whole(Head(), [&](ScriptedConnection& c, int64_t start) {
    if (start > 0) {
      c.Send(HeadWithLength(other.size()) + other);
    } else {
      c.Send(PartialHead(0, 5000) + other);
    }
    c.WaitForClientClose();
  });
  EXPECT_TRUE(site.DownloadFile(Wide(whole.Url("/a.dat")), local, "r1"));
  EXPECT_EQ(other, ReadBinaryFile(local));
  auto requests = whole.Requests();
  ASSERT_EQ(4u, requests.size());
  EXPECT_EQ(1000, RangeStart(requests[1]));
  EXPECT_EQ(0, RangeStart(requests[3]));

  // The file grew between the HEAD and the GET: the range names another total.
  StagePartial(StagedCopyRecord{"r1", 5000, lastModified, "\"e1\""});
  const std::string grown = Pattern(6000);
  std::atomic<int> heads{0};
  LoopbackServer changing([&](ScriptedConnection& c) {
    const std::string request = c.ReadRequestHead();
    if (request.rfind("HEAD ", 0) == 0) {
      c.Send(heads++ == 0 ? Head() : HeadWithLength(grown.size()));
    } else {
      const int64_t start = RangeStart(request);
      c.Send(PartialHead(start, 6000) + grown.substr(static_cast<size_t>(start)));
    }
    c.WaitForClientClose();
  });
  EXPECT_TRUE(site.DownloadFile(Wide(changing.Url("/a.dat")), local, "r1"));
  EXPECT_EQ(grown, ReadBinaryFile(local));
  EXPECT_EQ(2, heads.load());
  EXPECT_EQ(6000, LoadStagedCopyRecord(local)->size);
}

}  // namespace
}  // namespace quonel::testing
