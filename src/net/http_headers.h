// The request and response objects of the HTTP client: entity fields, the
// request's and the response's own fields, reading them from header lines
// and writing them into header lines.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "net/http_authentication.h"
#include "net/http_date.h"
#include "net/http_header_list.h"
#include "core/persistent.h"

namespace quonel {

class TNetStream;

enum TNetHTTPMethod { hmHead = 0, hmGet, hmPost, hmOptions, hmTrace, hmPut, hmDelete, hmConnect };
enum TNetHTTPProtocolVersion { pv1_0 = 0, pv1_1 = 1 };
enum TNetMaxLineAction { maException = 0, maSplit = 1 };

// How a request travels (the program only ever uses direct).
enum class TNetConnectionType { Direct = 0, Encrypted = 1, Proxy = 2, EncryptedProxy = 3 };

inline constexpr char kDefaultContentType[] = "text/html";
inline constexpr char kDefaultAccept[] = "text/html, */*";
inline constexpr char kDefaultUserAgent[] = "Mozilla/3.0 (compatible; Quonel Updater)";

class TNetEntityHeaderInfo {
 public:
  TNetEntityHeaderInfo() { TNetEntityHeaderInfo::Clear(); }
  virtual ~TNetEntityHeaderInfo() = default;
  // Slot order: read the fields from HeaderLines, write them into HeaderLines, clear.
  virtual void ProcessHeaders();
  virtual void SetHeaders();
  virtual void Clear();

  bool HasContentLength() const { return ContentLength >= 0; }

  std::string CacheControl;
  TNetHeaderList HeaderLines{1024};
  std::string Connection, ContentEncoding, ContentLanguage;
  int32_t ContentLength = -1;
  int64_t ContentRangeEnd = 0, ContentRangeStart = 0;
  std::string ContentType, ContentVersion;
  TNetHeaderList CustomHeaders{1024};
  NetDateTime Date = 0, Expires = 0, LastModified = 0;
  std::string Pragma;
};

class TNetRequestHeaderInfo : public TNetEntityHeaderInfo {
 public:
  TNetRequestHeaderInfo() { TNetRequestHeaderInfo::Clear(); }
  void ProcessHeaders() override;
  void SetHeaders() override;
  void Clear() override;

  std::string Accept, AcceptCharSet, AcceptEncoding, AcceptLanguage, Expect, From, Password, Referer,
      UserAgent, Username, Host, ProxyConnection;
  bool BasicAuthentication = false;
  std::unique_ptr<TNetAuthentication> Authentication;
  // Set by the client from its proxy settings; written after "Authorization".
  std::string ProxyAuthorization;
};

// Persistent so that a stored form can give the client's request settings
// by name ("Request.UserAgent"); the response is never stored.
class TNetHTTPRequest : public TNetRequestHeaderInfo, public TPersistent {
 public:
  const wchar_t* ClassName() const override { return L"TNetHTTPRequest"; }

  std::string RequestURL;
  TNetHTTPMethod Method = hmGet;
  TNetStream* SourceStream = nullptr;
  TNetConnectionType ConnectionType = TNetConnectionType::Direct;
};

class TNetResponseHeaderInfo : public TNetEntityHeaderInfo {
 public:
  void ProcessHeaders() override;
  void Clear() override;

  std::string Location, Server, ProxyConnection;
  TNetHeaderList WWWAuthenticate{1024}, ProxyAuthenticate{1024};
};

class TNetHTTPResponse : public TNetResponseHeaderInfo {
 public:
  // Status code and version from StatusLine.
  void ParseStatusLine();

  int32_t StatusCode = 0;
  std::string StatusLine;
  TNetStream* BodyStream = nullptr;
  int ResponseVersion = 1;  // 0 = "1.0", 1 = "1.1"
};

// The status code of a status line; -1 when it is not a number.
int32_t StatusCodeOf(const std::string& statusLine);
// "GET /x HTTP/1.1\r\n" followed by every non-empty header line and an empty line.
std::string BuildRequestText(const TNetHTTPRequest& request, TNetHTTPProtocolVersion version);
const char* MethodWord(TNetHTTPMethod method);

}  // namespace quonel
