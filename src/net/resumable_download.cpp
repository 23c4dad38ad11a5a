#include "net/resumable_download.h"

#include "core/ansi_text.h"

#include <winsock.h>
#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "net/download_amount_text.h"
#include "net/download_header_block.h"
#include "net/download_plan.h"
#include "net/download_repaint_throttle.h"
#include "net/download_requests.h"
#include "net/download_response.h"
#include "net/download_route.h"
#include "net/redirect_rule.h"
#include "net/download_url.h"
#include "net/staged_copy_record.h"
#include "net/win_socket_stream.h"
#include "core/exception.h"
#include "core/win32_owners.h"

namespace quonel {
namespace {

// Every wait of a transfer ends after this long: a connect, a header block,
// a silence in the body.
const uint64_t kConnectTimeoutMs = 60000;
const uint64_t kHeaderTimeoutMs = 60000;
const uint64_t kBodyStallMs = 60000;
// Large enough that a fast transfer is not limited by per-call costs (under
// Wine every receive is a round trip to its server). The platform's receive
// buffer is left to its own tuning: a fixed size, even of two blocks, was
// measured slower than what the platform grows it to.
const int kBlockSize = 1024 * 1024;
// Between blocks the window's messages are looked at this often: under Wine
// every look is a round trip to its server and a poll of the display.
const uint64_t kPumpIntervalMs = 15;

// Thrown when the abort flag ends the transfer before its body.
class TransferAborted : public Exception {
 public:
  TransferAborted() : Exception(L"the transfer was aborted") {}
};

std::wstring LocaleText(LCTYPE type, const wchar_t* fallback) {
  wchar_t buffer[16] = {};
  return GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 16) > 0 ? buffer : fallback;
}

DigitGrouping LocaleDigitGrouping() {
  return ParseDigitGrouping(LocaleText(LOCALE_SGROUPING, L"3;0"), LocaleText(LOCALE_STHOUSAND, L","));
}

// A failure of the local disk, reported as such rather than as the server's.
class ELocalFileError : public Exception {
 public:
  using Exception::Exception;
};

// The server's lengths cannot be trusted: the HEAD did not answer 200, or
// the GET's total differed from it twice. Keeping that many bytes would make
// a short copy look complete. The message is the log's reason.
class ELengthUntrusted : public Exception {
 public:
  using Exception::Exception;
};

// The staged copy: opened or created for reading and writing, written only at
// its end.
class StagedFile {
 public:
  explicit StagedFile(const std::wstring& path)
      : handle_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {
    LARGE_INTEGER size = {};
    LARGE_INTEGER end = {};
    if (!handle_ || !GetFileSizeEx(handle_.Get(), &size) ||
        !SetFilePointerEx(handle_.Get(), LARGE_INTEGER{}, &end, FILE_END)) {
      throw ELocalFileError(L"the staged copy cannot be opened");
    }
    size_ = size.QuadPart;
  }

  int64_t Size() const { return size_; }
  void Append(const char* bytes, int64_t count) {
    DWORD written = 0;
    if (count > 0 && (!WriteFile(handle_.Get(), bytes, static_cast<DWORD>(count), &written, nullptr) ||
                      written != count)) {
      throw ELocalFileError(L"the staged copy cannot be written");
    }
    size_ += count;
  }
  // Drops every byte: the copy starts again from zero.
  void Truncate() {
    LARGE_INTEGER start = {};
    if (!SetFilePointerEx(handle_.Get(), start, nullptr, FILE_BEGIN) || !SetEndOfFile(handle_.Get()))
      throw ELocalFileError(L"the staged copy cannot be emptied");
    size_ = 0;
  }
  void Close() { handle_.Reset(); }

 private:
  OwnedFile handle_;
  int64_t size_ = 0;
};

// After a GET answer to a resume of a recorded copy: true when the copy must
// start again from zero, because the server sent the whole file (its
// If-Range no longer matched) or a full length other than the HEAD's (the
// file changed between the two requests).
bool MustStartOver(const ResponseHeaders& head, const ResponseHeaders& get, int64_t startPos) {
  const std::optional<ContentRange>& range = get.range;
  if (range && range->full && head.contentLength && *range->full != *head.contentLength) return true;
  return startPos > 0 && !get.hasContentRange;
}

// One receive that waits, then whatever else has arrived meanwhile: a proxy
// hands a body on in small pieces, and each piece would otherwise cost a
// write, a digest step and a progress update of its own.
int ReceiveBlock(TCustomWinSocket& connection, std::vector<char>& buffer) {
  const int capacity = static_cast<int>(buffer.size());
  int got = connection.ReceiveBytes(buffer.data(), capacity);
  while (got > 0 && got < capacity && connection.ReceiveBytes(nullptr, -1) > 0) {
    const int more = connection.ReceiveBytes(buffer.data() + got, capacity - got);
    if (more <= 0) break;  // the close or the fault shows again at the next receive
    got += more;
  }
  return got;
}

}  // namespace

uint64_t TDownloadSite::TickCountMs() { return GetTickCount64(); }

void TDownloadSite::Reconnect() {
  DownSocket->SetActive(false);
  WaitAtMost(kConnectTimeoutMs);
  DownSocket->SetActive(true);
  if (!tlsTunnel_.empty()) OpenTunnel();
  if (!tlsServerName_.empty()) DownSocket->Connection()->StartTls(tlsServerName_);
}

bool TDownloadSite::KeepWaiting() {
  ProcessMessages();
  return !AbortFlag && TickCountMs() < waitDeadline_;
}

void TDownloadSite::WaitAtMost(uint64_t ms) { waitDeadline_ = TickCountMs() + ms; }

// True after the block's empty line; false when the block ended without it.
bool TDownloadSite::ReadHeaderBlock(ResponseHeaders& headers) {
  if (!DownSocket->Active() || AbortFlag) return false;
  WaitAtMost(kHeaderTimeoutMs);
  return ReadDownloadHeaderBlock(*DownSocket->Connection(), headers);
}

bool TDownloadSite::DownloadFile(const std::wstring& url, const std::wstring& localPath) {
  return Transfer(url, localPath, nullptr);
}

bool TDownloadSite::DownloadFile(const std::wstring& url, const std::wstring& localPath,
                                 const std::string& release) {
  return Transfer(url, localPath, &release);
}

bool TDownloadSite::Transfer(const std::wstring& url, const std::wstring& localPath, const std::string* release) {
  RangeOK = false;
  AbortFlag = false;
  bool result = false;
  // Set first, so that every log line of this call names this file.
  UrlPath = GetUrlPath(url);
  UrlHost = GetUrlHost(url);
  RepaintThrottle throttle;
  RepaintThrottle pumpThrottle(kPumpIntervalMs);
  std::unique_ptr<StagedFile> file;
  // No wait of this transfer may freeze the window; the socket is shared
  // with whoever comes next, so the pump leaves with this call.
  struct PumpScope {
    TClientSocket* socket;
    ~PumpScope() {
      if (socket) socket->Connection()->SetWaitPump(nullptr);
    }
  } pumpScope{DownSocket};
  try {
    if (!DownSocket) throw Exception(L"no download socket");
    DownSocket->Connection()->SetWaitPump([this] { return KeepWaiting(); });
    file = std::make_unique<StagedFile>(localPath);
    StartPos = file->Size();
    StagedCopyGrew(StartPos);
    TransferTarget target;
    AimAt(WideToAnsi(url), target);

    ResponseHeaders head;
    ResponseHeaders get;
    bool blockEnded = false;
    // A recorded copy that turns out stale is started over once, HEAD included.
    for (int attempt = 0;; ++attempt) {
      head = ResponseHeaders{};
      const bool headEnded = HeadFollowingRedirects(target, head);
      if (AbortFlag) throw TransferAborted();
      if (!headEnded && !head.status) throw Exception(L"the HEAD got no answer");
      if (!DownloadPlan::HeadAnswered(head))
        throw ELengthUntrusted(L"服务器对 HEAD 请求的回答不是 200（" +
                               (head.status ? std::to_wstring(*head.status) : std::wstring(L"无状态行")) +
                               L"），文件长度不可知，取消下载");

      std::string ifRange;
      if (release) {
        const StagedCopyRecord record{*release, head.contentLength.value_or(-1), head.lastModified, head.etag};
        const std::optional<StagedCopyRecord> recorded = LoadStagedCopyRecord(localPath);
        if (StartPos > 0 && recorded != record) {
          file->Truncate();
          StartPos = 0;
          StagedCopyGrew(0);
        }
        if (recorded != record && !SaveStagedCopyRecord(localPath, record))
          throw ELocalFileError(L"the staged copy's record cannot be written");
        if (StartPos > 0) ifRange = IfRangeValidator(record);
      }

      Reconnect();
      DownSocket->Connection()->SendString(
          RouteRequest(BuildGetRequest(target.path, target.host, StartPos, ifRange), target.route));
      get = ResponseHeaders{};
      blockEnded = ReadHeaderBlock(get);
      const bool lengthsAgree = DownloadPlan::LengthsAgree(head.contentLength, get);
      if (attempt > 0 || AbortFlag || (lengthsAgree && !(release && MustStartOver(head, get, StartPos)))) break;
      if (!release) continue;  // asked again; a copy without a record is only ever continued
      file->Truncate();
      StartPos = 0;
      StagedCopyGrew(0);
    }
    if (!AbortFlag && !DownloadPlan::LengthsAgree(head.contentLength, get))
      throw ELengthUntrusted(L"服务器所示文件长度前后不一，取消下载");
    RangeOK = get.hasContentRange;
    // Without its empty line nobody knows where the body starts.
    if (!blockEnded && !AbortFlag) throw Exception(L"the header block did not end");

    const DownloadPlan plan(head.contentLength, StartPos, get);
    const int64_t bodyLength = plan.BodyLength().value_or(0);
    const DigitGrouping grouping = LocaleDigitGrouping();
    std::vector<char> buffer(kBlockSize);
    int64_t received = 0;
    bool done = false;
    while (!done && DownSocket->Active() && !AbortFlag && RangeOK) {
      switch (plan.Next(file->Size(), received)) {
        case DownloadPlan::Step::Complete:
          result = true;
          LogLine(localPath + L"文件下载完成\r\n");
          done = true;
          continue;
        case DownloadPlan::Step::NotAppendable:
          done = true;
          continue;
        case DownloadPlan::Step::BodyDelivered:
          LogLine(UrlPath + L"实际收到文件长度大于服务器标识长度，跳过下载\r\n");
          done = true;
          continue;
        case DownloadPlan::Step::Receive:
          break;
      }
      WaitAtMost(kBodyStallMs);
      const int got = ReceiveBlock(*DownSocket->Connection(), buffer);
      if (got < 0) {
        // The wait was given up: by the abort, or by a server that went silent.
        if (AbortFlag || !DownSocket->Active()) break;
        throw Exception(L"the server stopped sending");
      }
      if (got == 0) throw Exception(L"the server closed the connection");
      const int64_t keep = plan.BytesToKeep(file->Size(), received, got);
      file->Append(buffer.data(), keep);
      received += keep;
      StagedCopyGrew(file->Size());
      ShowDownloadAmount(DownloadAmountText(bodyLength, received, grouping), bodyLength, received);
      const uint64_t now = TickCountMs();
      if (throttle.Changed(now)) RepaintProgressPage();
      if (pumpThrottle.Changed(now)) ProcessMessages();
    }
    if (throttle.FinalPaintPending()) RepaintProgressPage();
    file->Close();
    DownSocket->SetActive(false);
    return result;
  } catch (const Exception& failure) {
    if (file) file->Close();
    if (throttle.FinalPaintPending()) RepaintProgressPage();
    // A half-read answer is of no use to the next transfer.
    try {
      if (DownSocket) DownSocket->SetActive(false);
    } catch (const Exception&) {
    }
    // An abort is the user's doing, not the server's: it has its own line.
    if (AbortFlag) {
    } else if (dynamic_cast<const ERedirectRefused*>(&failure)) {
      LogLine(UrlPath + L"的重定向无法跟随（" + failure.Message() + L"），取消下载\r\n");
    } else if (const auto* refused = dynamic_cast<const ETlsError*>(&failure)) {
      // Never a fall back to plain HTTP: the reason is logged and the file skipped.
      LogLine(refused->Message() + L"\r\n");
      LogLine(UrlPath + L"服务器连接失败，取消下载\r\n");
    } else if (dynamic_cast<const ELocalFileError*>(&failure)) {
      LogLine(localPath + L"本地文件无法写入，取消下载\r\n");
    } else if (dynamic_cast<const ELengthUntrusted*>(&failure)) {
      LogLine(UrlPath + failure.Message() + L"\r\n");
    } else {
      LogLine(UrlPath + L"服务器连接失败，取消下载\r\n");
    }
    return false;
  }
}

}  // namespace quonel
