#include "net/net_http_client.h"

#include <windows.h>

#include "net/http_body.h"
#include "net/http_exceptions.h"
#include "net/http_request_target.h"
#include "net/http_text.h"

namespace quonel {
namespace {

// Restores a read limit when a block that changed it ends, however it ends.
class ReadTimeoutScope {
 public:
  ReadTimeoutScope(TNetTCPConnection& connection, int timeoutMs)
      : connection_(connection), saved_(connection.ReadTimeout()) {
    connection.SetReadTimeout(timeoutMs);
  }
  ~ReadTimeoutScope() { connection_.SetReadTimeout(saved_); }
  ReadTimeoutScope(const ReadTimeoutScope&) = delete;
  ReadTimeoutScope& operator=(const ReadTimeoutScope&) = delete;

 private:
  TNetTCPConnection& connection_;
  int saved_;
};

int PortNumber(const std::string& text) {
  const std::optional<int32_t> port = ParseInt32(text);
  if (!port || *port < 0 || *port > 65535)
    throw EConvertError(InvalidIntegerMessage(WidenBytes(text)));
  return *port;
}

}  // namespace

std::string TNetProxyConnectionInfo::Authorization() const {
  if (Authentication) return Authentication->Authentication();
  if (!BasicAuthentication || ProxyUsername.empty()) return "";
  TNetBasicAuthentication basic;
  basic.Username = ProxyUsername;
  basic.Password = ProxyPassword;
  return basic.Authentication();
}

// --- the protocol object: reading a response and deciding what follows ---

void TNetHTTPProtocol::ReadHeaderBlock() {
  Response.HeaderLines.Clear();
  try {
    for (;;) {
      std::string line = http_.ReadLn();
      if (line.empty()) break;
      Response.HeaderLines.Add(std::move(line));
    }
  } catch (const ENetConnClosedGracefully&) {
    http_.CloseConnection();
  }
}

void TNetHTTPProtocol::ReadResponseHead() {
  do {
    Response.Clear();
    Response.StatusLine = http_.ReadLn();
    Response.ParseStatusLine();
    ReadHeaderBlock();
    Response.ProcessHeaders();
    if (http_.AllowCookies) {
      if (!http_.cookieManager_) {
        http_.ownCookieManager_ = std::make_unique<TNetCookieManager>();
        http_.cookieManager_ = http_.ownCookieManager_.get();
      }
      http_.cookieManager_->TakeCookies(Response.HeaderLines, http_.url_.Host, http_.url_.Path);
    }
  } while (Response.StatusCode == 100);
}

void TNetHTTPProtocol::ReadContent(TNetStream* stream) {
  // A response to HEAD has no body whatever its headers announce.
  if (Request.Method == hmHead) return;
  ReadResponseBody(http_.InputBuffer(), Response, stream,
                   [this](const std::string& text) { http_.DoStatus(hsStatusText, text); });
}

void TNetHTTPProtocol::DropBody() {
  if (!http_.Connected()) return;
  ReadTimeoutScope limit(http_, 4000);
  try {
    ReadContent(nullptr);
  } catch (const Exception&) {
  }
}

void TNetHTTPProtocol::RaiseProtocolError() {
  TNetMemoryStream body;
  {
    ReadTimeoutScope limit(http_, 2000);
    ReadContent(&body);
  }
  throw ENetHTTPProtocolException(Response.StatusCode, WidenBytes(Response.StatusLine), body.Bytes());
}

bool TNetHTTPProtocol::AuthorisationAllowed(int& retries, const std::function<bool(TNetAuthentication*&)>& handler,
                                            std::unique_ptr<TNetAuthentication>& authentication) {
  if (retries >= http_.AuthRetries || !handler) return false;
  ++retries;
  TNetAuthentication* supplied = authentication.get();
  const bool retry = handler(supplied);
  if (supplied != authentication.get()) authentication.reset(supplied);
  return retry;
}

TNetHTTPStep TNetHTTPProtocol::ProcessResponse() {
  const int code = Response.StatusCode;
  const int kind = code / 100;
  if ((kind == 3 && code != 304) || !Response.Location.empty()) {
    std::string destination = Response.Location;
    TNetHTTPMethod method = Request.Method;
    bool accepted = http_.HandleRedirects;
    if (http_.OnRedirect) http_.OnRedirect(destination, method, accepted);
    if (!accepted) RaiseProtocolError();
    TNetHTTPStep step = TNetHTTPStep::Done;
    if (http_.HandleRedirects && http_.requestCount_ < http_.RedirectMaximum) {
      http_.requestedUrl_ = destination;
      Request.Method = method;
      step = TNetHTTPStep::Retry;
    } else {
      Response.Location = destination;
    }
    DropBody();
    return step;
  }
  if (kind != 2) {
    TNetHTTPStep step = TNetHTTPStep::Retry;
    if (code == 401 || code == 407) {
      const bool proxy = code == 407;
      std::unique_ptr<TNetAuthentication>& authentication =
          proxy ? http_.proxyParams_.Authentication : Request.Authentication;
      if (!AuthorisationAllowed(proxy ? http_.proxyAuthRetries_ : http_.authRetries_,
                                proxy ? http_.OnProxyAuthorization : http_.OnAuthorization, authentication)) {
        authentication.reset();
        RaiseProtocolError();
      }
      // The body of the refused request must not be taken for the next response.
      DropBody();
      http_.authorisationRetry_ = true;
      if (http_.HTTPOptions & hoInProcessAuth) step = TNetHTTPStep::AuthoriseAndRetry;
      return step;
    }
    RaiseProtocolError();
  }
  // A success after which the peer has already gone is not trusted.
  if (!http_.Connected()) return TNetHTTPStep::Undecided;
  if (code != 204) {
    if (http_.maxBodyLength_ < 0 || !Response.BodyStream) {
      ReadContent(Response.BodyStream);
    } else {
      try {
        if (Response.ContentLength > http_.maxBodyLength_)
          throw ENetBodyTooLong(L"The body is longer than " + std::to_wstring(http_.maxBodyLength_) + L" bytes");
        TNetLimitedStream bounded(*Response.BodyStream, Response.BodyStream->Position() + http_.maxBodyLength_);
        ReadContent(&bounded);
      } catch (const ENetBodyTooLong&) {
        // The rest of an overlong body is never read: this connection is done.
        http_.CloseConnection();
        throw;
      }
    }
  }
  return TNetHTTPStep::Done;
}

// --- the component ---

TNetCustomHTTP::TNetCustomHTTP(TComponent* owner)
    : TNetTCPClient(owner), protocol_(std::make_unique<TNetHTTPProtocol>(*this)) {
  Port = 80;
}

TNetCustomHTTP::~TNetCustomHTTP() = default;

void TNetCustomHTTP::SetCookieManager(TNetCookieManager* manager) {
  cookieManager_ = manager;
  if (manager != ownCookieManager_.get()) ownCookieManager_.reset();
}

bool TNetCustomHTTP::KeepAliveAllowed() {
  if (!Connected()) return false;
  const TNetHTTPResponse& response = Response();
  const std::string connection = TrimText(response.Connection);
  const std::string proxyConnection = TrimText(response.ProxyConnection);
  if (ProtocolVersion == pv1_1)
    return !SameTextNoCase(connection, "CLOSE") && !SameTextNoCase(proxyConnection, "CLOSE");
  return SameTextNoCase(connection, "KEEP-ALIVE") || SameTextNoCase(proxyConnection, "KEEP-ALIVE");
}

void TNetCustomHTTP::UseProxy(const ProxyServer& proxy) {
  // Credentials that a proxy accepted are not offered to another one.
  if (proxy.host != proxyParams_.ProxyServer || proxy.port != proxyParams_.ProxyPort ||
      proxy.username != proxyParams_.ProxyUsername)
    proxyParams_.Authentication.reset();
  proxyParams_.ProxyServer = proxy.host;
  proxyParams_.ProxyPort = proxy.port;
  proxyParams_.ProxyUsername = proxy.username;
  proxyParams_.ProxyPassword = proxy.password;
}

void TNetCustomHTTP::OpenForRequest() {
  TNetHTTPRequest& request = Request();
  if (ProxyFor && !url_.Host.empty()) UseProxy(ProxyFor(url_.GetFullURI()));
  const bool encrypted = SameTextNoCase(url_.Protocol, "HTTPS");
  if (proxyParams_.ProxyServer.empty()) {
    const int targetPort = PortNumber(url_.Port);
    if ((!SameTextNoCase(Host, url_.Host) || Port != targetPort) && Connected()) CloseConnection();
    // A kept connection of the other kind cannot carry this request.
    if (Connected() && IOHandler()->Encrypted() != encrypted) CloseConnection();
    Host = url_.Host;
    Port = targetPort;
    // Without a channel of the caller's, the client makes an encrypted one.
    TlsServerName = encrypted ? url_.Host : "";
    TlsTunnel.clear();
    if (encrypted && IOHandler() && !IOHandler()->Encrypted() && !OwnsIOHandler())
      throw ENetIOHandlerPropInvalid(L"IOHandler value is not valid");
    request.ConnectionType = encrypted ? TNetConnectionType::Encrypted : TNetConnectionType::Direct;
  } else {
    // An https address goes through a tunnel to its server (CONNECT): a
    // kept connection is of use only when it is a tunnel to that server.
    const std::string tunnel = encrypted ? url_.Host + ":" + std::to_string(PortNumber(url_.Port)) : "";
    if ((!SameTextNoCase(Host, proxyParams_.ProxyServer) || Port != proxyParams_.ProxyPort ||
         !SameTextNoCase(TlsTunnel, tunnel)) &&
        Connected())
      CloseConnection();
    if (Connected() && IOHandler()->Encrypted() != encrypted) CloseConnection();
    Host = proxyParams_.ProxyServer;
    Port = proxyParams_.ProxyPort;
    TlsServerName = encrypted ? url_.Host : "";
    TlsTunnel = tunnel;
    TlsTunnelAuthorization = encrypted ? proxyParams_.Authorization() : "";
    if (encrypted && IOHandler() && !IOHandler()->Encrypted() && !OwnsIOHandler())
      throw ENetIOHandlerPropInvalid(L"IOHandler value is not valid");
    request.ConnectionType = encrypted ? TNetConnectionType::EncryptedProxy : TNetConnectionType::Proxy;
    if (!encrypted) request.RequestURL = url_.GetFullURI();
  }
  switch (request.ConnectionType) {
    case TNetConnectionType::Direct:
      if (ProtocolVersion == pv1_0 && request.Connection.empty()) request.Connection = "keep-alive";
      break;
    case TNetConnectionType::Proxy:
      if (ProtocolVersion == pv1_0 && request.ProxyConnection.empty()) request.ProxyConnection = "keep-alive";
      break;
    default:
      request.Connection.clear();
      request.ProxyConnection.clear();
  }
  // A connection whose last response was not read to its end (a time-out,
  // an overlong line) would hand its rest to this request as a status line.
  if (Connected() && (!KeepAliveAllowed() || !responseInStep_)) CloseConnection();
  connectedForRequest_ = !Connected();
  if (connectedForRequest_) Connect(ReadTimeout());
}

namespace {

// What a server's close of an idle kept-alive connection looks like to the
// next request: its answer ends, or the connection is reset, before a byte.
bool DroppedWhileIdle(const ENetException& e) {
  if (dynamic_cast<const ENetConnClosedGracefully*>(&e)) return true;
  const auto* socketError = dynamic_cast<const ENetSocketError*>(&e);
  return socketError && (socketError->LastError() == 10053 || socketError->LastError() == 10054 ||
                         socketError->LastError() == 10058);
}

}  // namespace

void TNetCustomHTTP::SendAndReadResponseHead() {
  try {
    SendRequest();
    protocol_->ReadResponseHead();
  } catch (const ENetException& e) {
    // Looking for that close before every request would cost a wait per
    // request; sending once more on a new connection costs nothing until
    // it happens.
    if (connectedForRequest_ || InputBuffer().Buffered() > 0 || !DroppedWhileIdle(e)) throw;
    CloseConnection();
    OpenForRequest();
    SendRequest();
    protocol_->ReadResponseHead();
  }
}

void TNetCustomHTTP::SendRequest() {
  TNetHTTPRequest& request = Request();
  request.ProxyAuthorization = request.ConnectionType == TNetConnectionType::Proxy ? proxyParams_.Authorization() : "";
  request.SetHeaders();
  if (cookieManager_) {
    const std::string cookies =
        cookieManager_->CookieHeader(url_.Host, url_.Path, request.ConnectionType == TNetConnectionType::Encrypted ||
                                                               request.ConnectionType == TNetConnectionType::EncryptedProxy);
    if (!cookies.empty()) request.HeaderLines.SetValue("Cookie", cookies);
  }
  std::string text = BuildRequestText(request, ProtocolVersion);
  if ((request.Method == hmPost || request.Method == hmPut) && request.SourceStream) {
    TNetStream& source = *request.SourceStream;
    source.Seek(0);
    char buffer[32768];
    size_t n;
    while ((n = source.Read(buffer, sizeof buffer)) > 0) text.append(buffer, n);
  }
  Write(text);
}

void TNetCustomHTTP::PerformRequest(TNetHTTPMethod method, const std::string& url, TNetStream* body,
                                    TNetStream* source) {
  const int64_t start = body ? body->Position() : 0;
  authRetries_ = proxyAuthRetries_ = 0;
  requestedUrl_ = url;
  TNetHTTPRequest& request = Request();
  request.Method = method;
  request.SourceStream = source;
  Response().BodyStream = body;
  auto rewind = [&] {
    if (!body) return;
    body->Seek(start);
    body->SetSize(start);
  };
  struct DeadlineScope {
    TNetCustomHTTP& http;
    ~DeadlineScope() { http.SetWaitDeadline(0); }
  } deadlineScope{*this};
  SetWaitDeadline(RequestTimeLimit > 0 ? GetTickCount64() + static_cast<uint64_t>(RequestTimeLimit) : 0);
  try {
    for (bool again = true; again;) {
      ++requestCount_;
      MergeRequestTarget(url_, request, requestedUrl_, request.Method, ProtocolVersion, source ? source->Size() : -1);
      OpenForRequest();
      responseInStep_ = false;
      SendAndReadResponseHead();
      authorisationRetry_ = false;
      const TNetHTTPStep step = protocol_->ProcessResponse();
      responseInStep_ = true;
      switch (step) {
        case TNetHTTPStep::Retry:
          rewind();
          // Counting the attempts of one authorisation is what ends it.
          if (!authorisationRetry_) authRetries_ = proxyAuthRetries_ = 0;
          break;
        case TNetHTTPStep::Done:
          again = false;
          break;
        case TNetHTTPStep::Undecided:
          throw ENetException(L"Undefined situation");
        case TNetHTTPStep::ReadAndRetry:
          responseInStep_ = false;
          protocol_->ReadContent(body);
          responseInStep_ = true;
          rewind();
          authRetries_ = proxyAuthRetries_ = 0;
          break;
        case TNetHTTPStep::AuthoriseAndRetry:
          --requestCount_;
          requestedUrl_ = url;
          break;
      }
    }
  } catch (const ENetWaitAbandoned&) {
    // The caller gave the request up: the rest of its answer is of no use.
    requestCount_ = 0;
    CloseConnection();
    throw;
  } catch (const ENetHTTPProtocolException&) {
    responseInStep_ = true;  // its body was read before it was raised
    requestCount_ = 0;
    if (!KeepAliveAllowed()) CloseConnection();
    throw;
  } catch (...) {
    requestCount_ = 0;
    if (!KeepAliveAllowed()) CloseConnection();
    throw;
  }
  requestCount_ = 0;
  if (!KeepAliveAllowed()) CloseConnection();
}

void TNetCustomHTTP::GetToStream(const std::string& url, TNetStream& stream) {
  PerformRequest(hmGet, url, &stream, nullptr);
}

std::string TNetCustomHTTP::GetText(const std::string& url, int64_t maxBodyLength) {
  struct BoundScope {
    int64_t& bound;
    ~BoundScope() { bound = -1; }
  } scope{maxBodyLength_};
  maxBodyLength_ = maxBodyLength;
  return GetText(url);
}

std::string TNetCustomHTTP::GetText(const std::string& url) {
  TNetMemoryStream stream;
  GetToStream(url, stream);
  return stream.Bytes();
}

}  // namespace quonel
