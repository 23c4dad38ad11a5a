#include "net/http_headers.h"

#include "net/http_exceptions.h"
#include "net/http_text.h"

namespace quonel {
namespace {

NetDateTime DateOrZero(const std::string& text) { return ParseInternetDate(text).value_or(0); }

int64_t RangeBound(const std::string& text) {
  const std::string trimmed = TrimText(text);
  const std::optional<int64_t> value = ParseInt64(trimmed);
  if (!value) throw EConvertError(InvalidIntegerMessage(WidenBytes(trimmed)));
  return *value;
}

void SetIfAny(TNetHeaderList& lines, const char* name, const std::string& value) {
  if (!value.empty()) lines.SetValue(name, value);
}

}  // namespace

void TNetEntityHeaderInfo::Clear() {
  CacheControl.clear();
  HeaderLines.Clear();
  Connection.clear();
  ContentEncoding.clear();
  ContentLanguage.clear();
  ContentLength = -1;
  ContentRangeEnd = ContentRangeStart = 0;
  ContentType = kDefaultContentType;
  ContentVersion.clear();
  CustomHeaders.Clear();
  Date = Expires = LastModified = 0;
  Pragma.clear();
}

void TNetEntityHeaderInfo::ProcessHeaders() {
  const TNetHeaderList& h = HeaderLines;
  const std::string range = h.Values("Content-Range");
  if (!range.empty()) {
    const size_t blank = range.find(' ');
    const std::string bounds = blank == std::string::npos ? range : range.substr(blank + 1);
    const size_t dash = bounds.find('-');
    const size_t slash = bounds.find('/');
    ContentRangeStart = RangeBound(bounds.substr(0, dash));
    if (dash != std::string::npos)
      ContentRangeEnd = RangeBound(bounds.substr(dash + 1, slash == std::string::npos ? std::string::npos : slash - dash - 1));
  }
  Connection = h.Values("Connection");
  ContentVersion = h.Values("Content-Version");
  ContentEncoding = h.Values("Content-Encoding");
  ContentLanguage = h.Values("Content-Language");
  ContentType = h.Values("Content-Type");
  // A length too large for 32 bits is not a number, never a wrapped value.
  ContentLength = ParseInt32Or(TrimText(h.Values("Content-Length")), -1);
  Date = DateOrZero(h.Values("Date"));
  LastModified = DateOrZero(h.Values("Last-Modified"));
  const std::string expires = h.Values("Expires");
  const std::optional<int32_t> seconds = ParseInt32(TrimText(expires));
  if (seconds && *seconds != -1)
    Expires = NetNow() + *seconds / 86400.0;
  else
    Expires = DateOrZero(expires);
  Pragma = h.Values("Pragma");
}

void TNetEntityHeaderInfo::SetHeaders() {
  TNetHeaderList& h = HeaderLines;
  h.Clear();
  SetIfAny(h, "Connection", Connection);
  SetIfAny(h, "Content-Version", ContentVersion);
  SetIfAny(h, "Content-Encoding", ContentEncoding);
  SetIfAny(h, "Content-Language", ContentLanguage);
  SetIfAny(h, "Content-Type", ContentType);
  if (ContentLength >= 0) h.SetValue("Content-Length", std::to_string(ContentLength));
  SetIfAny(h, "Cache-control", CacheControl);
  if (Date > 0) h.SetValue("Date", FormatInternetDate(Date));
  if (Expires > 0) h.SetValue("Expires", FormatInternetDate(Expires));
  SetIfAny(h, "Pragma", Pragma);
  for (const std::string& line : CustomHeaders.Lines()) h.Add(line);
}

void TNetRequestHeaderInfo::Clear() {
  TNetEntityHeaderInfo::Clear();
  Accept = kDefaultAccept;
  AcceptCharSet.clear();
  AcceptEncoding.clear();
  AcceptLanguage.clear();
  Expect.clear();
  From.clear();
  Password.clear();
  Referer.clear();
  UserAgent = kDefaultUserAgent;
  Username.clear();
  Host.clear();
  ProxyConnection.clear();
  BasicAuthentication = false;
  Authentication.reset();
  ProxyAuthorization.clear();
}

void TNetRequestHeaderInfo::ProcessHeaders() {
  TNetEntityHeaderInfo::ProcessHeaders();
  const TNetHeaderList& h = HeaderLines;
  Accept = h.Values("Accept");
  AcceptCharSet = h.Values("Accept-Charset");
  AcceptEncoding = h.Values("Accept-Encoding");
  AcceptLanguage = h.Values("Accept-Language");
  Host = h.Values("Host");
  From = h.Values("From");
  Referer = h.Values("Referer");
  UserAgent = h.Values("User-Agent");
  ProxyConnection = h.Values("Proxy-Connection");
}

void TNetRequestHeaderInfo::SetHeaders() {
  TNetEntityHeaderInfo::SetHeaders();
  TNetHeaderList& h = HeaderLines;
  SetIfAny(h, "Proxy-Connection", ProxyConnection);
  SetIfAny(h, "Host", Host);
  SetIfAny(h, "Accept", Accept);
  SetIfAny(h, "Accept-Charset", AcceptCharSet);
  SetIfAny(h, "Accept-Encoding", AcceptEncoding);
  SetIfAny(h, "Accept-Language", AcceptLanguage);
  SetIfAny(h, "From", From);
  SetIfAny(h, "Referer", Referer);
  SetIfAny(h, "User-Agent", UserAgent);
  if (LastModified > 0) h.SetValue("If-Modified-Since", FormatInternetDate(LastModified));
  if (ContentRangeStart != 0 || ContentRangeEnd != 0) {
    std::string range = "bytes=" + std::to_string(ContentRangeStart) + "-";
    if (ContentRangeEnd != 0) range += std::to_string(ContentRangeEnd);
    h.SetValue("Range", range);
  }
  if (Authentication) {
    h.SetValue("Authorization", Authentication->Authentication());
  } else if (BasicAuthentication && !Username.empty()) {
    TNetBasicAuthentication basic;
    basic.Username = Username;
    basic.Password = Password;
    h.SetValue("Authorization", basic.Authentication());
  }
  SetIfAny(h, "Proxy-Authorization", ProxyAuthorization);
}

void TNetResponseHeaderInfo::Clear() {
  TNetEntityHeaderInfo::Clear();
  Location.clear();
  Server.clear();
  ProxyConnection.clear();
  WWWAuthenticate.Clear();
  ProxyAuthenticate.Clear();
}

void TNetResponseHeaderInfo::ProcessHeaders() {
  const TNetHeaderList& h = HeaderLines;
  Location = h.Values("Location");
  Server = h.Values("Server");
  ProxyConnection = h.Values("Proxy-Connection");
  WWWAuthenticate.Clear();
  for (const std::string& value : h.AllValues("WWW-Authenticate")) WWWAuthenticate.Add(value);
  ProxyAuthenticate.Clear();
  for (const std::string& value : h.AllValues("Proxy-Authenticate")) ProxyAuthenticate.Add(value);
  TNetEntityHeaderInfo::ProcessHeaders();
}

int32_t StatusCodeOf(const std::string& statusLine) {
  const size_t blank = statusLine.find(' ');
  if (blank == std::string::npos) return -1;
  const std::string rest = TrimText(std::string_view(statusLine).substr(blank + 1));
  return ParseInt32Or(rest.substr(0, rest.find(' ')), -1);
}

void TNetHTTPResponse::ParseStatusLine() {
  StatusCode = StatusCodeOf(StatusLine);
  ResponseVersion = StatusLine.size() >= 8 && StatusLine.compare(5, 3, "1.0") == 0 ? 0 : 1;
}

const char* MethodWord(TNetHTTPMethod method) {
  switch (method) {
    case hmHead: return "HEAD";
    case hmGet: return "GET";
    case hmPost: return "POST";
    case hmOptions: return "OPTIONS";
    case hmTrace: return "TRACE";
    case hmPut: return "PUT";
    case hmDelete: return "DELETE";
    case hmConnect: return "CONNECT";
  }
  return "GET";
}

std::string BuildRequestText(const TNetHTTPRequest& request, TNetHTTPProtocolVersion version) {
  std::string text = std::string(MethodWord(request.Method)) + " " + request.RequestURL + " HTTP/" +
                     (version == pv1_0 ? "1.0" : "1.1") + "\r\n";
  for (const std::string& line : request.HeaderLines.Lines())
    if (!line.empty()) text += line + "\r\n";
  return text + "\r\n";
}

}  // namespace quonel
