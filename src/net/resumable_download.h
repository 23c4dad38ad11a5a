// The resumable file download of the wizard: a HEAD for the full length and a
// ranged GET from the staged copy's size, spoken by hand over the blocking
// client socket, appending to the staged copy block by block while the window
// shows the amount and stays responsive.
//
// The wizard form derives from TDownloadSite: it holds the shared state under
// the names the form uses and supplies the effects on its window.
#pragma once
#include <cstdint>
#include <string>

#include <set>

#include "net/client_socket.h"
#include "net/proxy_server.h"

namespace quonel {

struct ResponseHeaders;
struct TransferTarget;

class TDownloadSite {
 public:
  virtual ~TDownloadSite() = default;

  // True when the staged copy at localPath is complete; false when the
  // transfer did not finish (failure, abort, no usable range). The copy stays
  // on disk in every outcome and the next call continues it.
  bool DownloadFile(const std::wstring& url, const std::wstring& localPath);
  // The same for a copy that must belong to one release, which `release`
  // describes (the caller's manifest data). The record beside the copy
  // (StagedCopyRecord) says what it is a copy of: the copy is continued, with
  // If-Range, only when the release and the HEAD's description still match;
  // otherwise, or when the server answers the whole file or a full length
  // other than the HEAD's, it starts again from zero.
  bool DownloadFile(const std::wstring& url, const std::wstring& localPath, const std::string& release);

  // Appends a text (ending in CR LF) to the hidden log.
  virtual void LogLine(const std::wstring& text) = 0;

  // The shared state of the wizard's transfers.
  TClientSocket* DownSocket = nullptr;  // blocking; owned by the application object
  std::wstring UrlPath;
  std::wstring UrlHost;
  bool RangeOK = false;    // the GET answer carried a Content-Range line
  bool AbortFlag = false;  // set by the abort action while messages are pumped
  int64_t StartPos = 0;    // the staged copy's size when the transfer started
  // The proxy of each address; without one every transfer goes direct.
  ProxyResolver ProxyFor;

 protected:
  // After every block: the amount label's text and the gauge's maximum and
  // progress. Must only store the values; painting is RepaintProgressPage's.
  virtual void ShowDownloadAmount(const std::wstring& amountText, int64_t gaugeMaximum,
                                  int64_t gaugeProgress) = 0;
  // Paints the progress page now (at most about 30 times a second, and once
  // more at the end when the last numbers are not painted yet).
  virtual void RepaintProgressPage() = 0;
  // Processes every pending window message (abort, "上一步", the close box).
  // Called between blocks (at most every ~15 ms) and during every wait of
  // the transfer: the connects, the header blocks and the body.
  virtual void ProcessMessages() = 0;
  // The staged copy now holds size bytes: called when the transfer opens it,
  // after every block written, and with 0 when it starts again from zero.
  virtual void StagedCopyGrew(int64_t /*size*/) {}
  // A monotonic clock in milliseconds.
  virtual uint64_t TickCountMs();

 private:
  bool Transfer(const std::wstring& url, const std::wstring& localPath, const std::string* release);
  bool ReadHeaderBlock(ResponseHeaders& headers);
  void Reconnect();
  // The download socket's wait pump: the window's messages, then whether
  // the wait may go on (no abort, the deadline of WaitAtMost not passed).
  bool KeepWaiting();
  void WaitAtMost(uint64_t ms);
  // Aims the socket and the requests at url: its origin or its proxy.
  void AimAt(const std::string& url, TransferTarget& target);
  // The HEAD of target, following redirects (the target ends at the final
  // address, whose answer head holds) and answering a proxy's Basic
  // challenge once; ReadHeaderBlock's result for the last answer.
  bool HeadFollowingRedirects(TransferTarget& target, ResponseHeaders& head);
  // Asks the proxy just connected for a tunnel to tlsTunnel_; raises when it
  // refuses, so that an https transfer never goes on in plain text.
  void OpenTunnel();

  uint64_t waitDeadline_ = 0;
  std::set<std::string> basicProxies_;  // proxies that asked for Basic credentials
  std::string tlsServerName_;  // not empty: the transfer's connections encrypt
  // Not empty ("host:port"): the connection reaches a proxy, which is asked
  // for a tunnel to this server (CONNECT) before the handshake.
  std::string tlsTunnel_;
  std::string tlsTunnelAuthorization_;
};

}  // namespace quonel
