// The HTTP/1.1 client component the wizard fetches its manifest with: a GET
// (or another method) through one kept-alive connection, a response decision
// that raises on every non-success, cookies kept across requests.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "net/http_cookies.h"
#include "net/http_headers.h"
#include "net/http_stream.h"
#include "net/http_uri.h"
#include "net/net_http_tcp.h"
#include "net/proxy_server.h"
#include "core/persistent.h"

namespace quonel {

enum TNetHTTPOption : unsigned { hoInProcessAuth = 1, hoKeepOrigProtocol = 2, hoForceEncodeParams = 4 };
using TNetHTTPOptions = unsigned;  // a set of TNetHTTPOption bits

// The steps of the request loop after a response.
enum class TNetHTTPStep { Retry = 0, Done = 1, Undecided = 2, ReadAndRetry = 3, AuthoriseAndRetry = 4 };

class TNetProxyConnectionInfo : public TPersistent {
 public:
  const wchar_t* ClassName() const override { return L"TNetProxyConnectionInfo"; }
  std::string ProxyServer, ProxyUsername, ProxyPassword;
  int ProxyPort = 0;
  bool BasicAuthentication = false;
  // Set by an OnProxyAuthorization handler; takes the place of Basic.
  std::unique_ptr<TNetAuthentication> Authentication;
  // "Proxy-Authorization" value, "" when none applies.
  std::string Authorization() const;
};

class TNetCustomHTTP;

class TNetHTTPProtocol {
 public:
  explicit TNetHTTPProtocol(TNetCustomHTTP& http) : http_(http) {}
  // The response decision; raises the protocol error where the response fails.
  TNetHTTPStep ProcessResponse();
  // Reads the status line and header block (skipping status 100) and takes cookies.
  void ReadResponseHead();
  // Reads the body into the response's stream (dropped without one).
  void ReadContent(TNetStream* stream);
  [[noreturn]] void RaiseProtocolError();

  TNetHTTPRequest Request;
  TNetHTTPResponse Response;

 private:
  void ReadHeaderBlock();
  // Reads and drops any body with a 4000 ms limit, ignoring errors.
  void DropBody();
  bool AuthorisationAllowed(int& retries, const std::function<bool(TNetAuthentication*&)>& handler,
                            std::unique_ptr<TNetAuthentication>& authentication);

  TNetCustomHTTP& http_;
};

class TNetCustomHTTP : public TNetTCPClient {
 public:
  explicit TNetCustomHTTP(TComponent* owner);
  ~TNetCustomHTTP() override;
  const wchar_t* ClassName() const override { return L"TNetCustomHTTP"; }

  // The whole body of a successful GET, byte for byte; raises on every failure.
  std::string GetText(const std::string& url);
  // The same, refusing with ENetBodyTooLong a success whose body is longer
  // than maxBodyLength: an announced length at once, any other body at the
  // first byte beyond the bound. The connection is closed then.
  std::string GetText(const std::string& url, int64_t maxBodyLength);
  void GetToStream(const std::string& url, TNetStream& stream);
  void Head(const std::string& url) { PerformRequest(hmHead, url, nullptr, nullptr); }
  void PerformRequest(TNetHTTPMethod method, const std::string& url, TNetStream* body, TNetStream* source);
  bool IsConnected() { return Connected(); }
  void CloseConnection() { Disconnect(); }
  // Whether the connection may stay open after the last response.
  bool KeepAliveAllowed();

  TNetHTTPRequest& Request() { return protocol_->Request; }
  TNetHTTPResponse& Response() { return protocol_->Response; }
  int ResponseCode() const { return protocol_->Response.StatusCode; }
  const std::string& ResponseText() const { return protocol_->Response.StatusLine; }
  TNetURI& URL() { return url_; }
  TNetProxyConnectionInfo& ProxyParams() { return proxyParams_; }
  // A store set here is not freed by the client; without one the client
  // creates its own on the first response when AllowCookies is on.
  TNetCookieManager* CookieManager() const { return cookieManager_; }
  void SetCookieManager(TNetCookieManager* manager);

  bool AllowCookies = true;
  TNetHTTPOptions HTTPOptions = hoForceEncodeParams;
  int RedirectMaximum = 15;
  bool HandleRedirects = false;
  TNetHTTPProtocolVersion ProtocolVersion = pv1_1;
  int AuthRetries = 3;
  // A bound on the whole of one PerformRequest in ms (connects, every read,
  // retries and redirects included); 0: only each wait is bounded.
  int RequestTimeLimit = 0;

  // When set, asked for the proxy of every request's address (redirects
  // included); it replaces ProxyParams' server, port and credentials.
  ProxyResolver ProxyFor;

  // (destination, method, accepted): may change the destination and method and decide.
  std::function<void(std::string& destination, TNetHTTPMethod& method, bool& accepted)> OnRedirect;
  // Supplies credentials (may create the authentication object); true to retry.
  std::function<bool(TNetAuthentication*& authentication)> OnAuthorization, OnProxyAuthorization;

 private:
  friend class TNetHTTPProtocol;
  void OpenForRequest();
  void UseProxy(const ProxyServer& proxy);
  void SendRequest();
  // Sends the request and reads the answer's head; a kept-alive connection
  // that the server closed while idle is replaced once.
  void SendAndReadResponseHead();

  std::unique_ptr<TNetHTTPProtocol> protocol_;
  TNetURI url_;
  TNetProxyConnectionInfo proxyParams_;
  TNetCookieManager* cookieManager_ = nullptr;
  std::unique_ptr<TNetCookieManager> ownCookieManager_;
  int requestCount_ = 0;
  int authRetries_ = 0, proxyAuthRetries_ = 0;
  std::string requestedUrl_;  // the URL of the current pass of the loop
  bool responseInStep_ = true;  // the last response was read to its end
  bool authorisationRetry_ = false;  // the pass ends in a retry with new credentials
  bool connectedForRequest_ = false;  // OpenForRequest made a new connection
  int64_t maxBodyLength_ = -1;  // bound of a success's body; -1: none
};

class TNetHTTP : public TNetCustomHTTP {
 public:
  using TNetCustomHTTP::TNetCustomHTTP;
  const wchar_t* ClassName() const override { return L"TNetHTTP"; }
};

}  // namespace quonel
