#include "net/net_http_registration.h"

#include <windows.h>

#include <cstdint>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#include "net/net_http_client.h"
#include "core/component_class.h"
#include "core/conversion.h"
#include "core/property_registry.h"

namespace quonel {
namespace {

// Header and proxy texts are bytes in the program's ANSI code page, like its
// other stored texts; a character the code page cannot hold is refused rather
// than sent as "?".
std::string AnsiFromText(const std::wstring& text, const std::wstring& property) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(size > 0 ? size : 0, '\0');
  BOOL lossy = FALSE;
  if (size <= 0 || WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, bytes.data(), size,
                                       nullptr, &lossy) != size || lossy)
    throw EConvertError(L"'" + text + L"' cannot be written in the ANSI code page (" + property + L")");
  return bytes;
}

std::wstring TextFromAnsi(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  std::wstring text(size > 0 ? size : 0, L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), size);
  return text;
}

// A stored number that does not fit a 32-bit setting must not wrap into another one.
int32_t Int32Of(int64_t value, const std::wstring& property) {
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    throw EConvertError(IntToStr(value) + L" is out of range for " + property);
  return static_cast<int32_t>(value);
}

// Publishers for plain fields; the field may be declared in a base of T.
template <class T>
void PublishText(ClassRegistrar<T>& registrar, const std::wstring& name,
                 std::type_identity_t<std::string T::*> field) {
  registrar.Text(
      name, [field](T& o) { return TextFromAnsi(o.*field); },
      [field, name](T& o, const std::wstring& v) { o.*field = AnsiFromText(v, name); });
}

template <class T>
void PublishInt32(ClassRegistrar<T>& registrar, const std::wstring& name, std::type_identity_t<int32_t T::*> field) {
  registrar.Integer(
      name, [field](T& o) { return o.*field; }, [field, name](T& o, int64_t v) { o.*field = Int32Of(v, name); });
}

template <class T>
void PublishBoolean(ClassRegistrar<T>& registrar, const std::wstring& name, std::type_identity_t<bool T::*> field) {
  registrar.Boolean(
      name, [field](T& o) { return o.*field; }, [field](T& o, bool v) { o.*field = v; });
}

void RegisterConnectionClasses() {
  RegisterClassInfo(L"TNetBaseComponent", L"TComponent");
  RegisterClassInfo(L"TNetComponent", L"TNetBaseComponent");
  ClassRegistrar<TNetTCPConnection> connection(L"TNetTCPConnection", L"TNetComponent");
  connection
      .Integer(L"ReadTimeout", [](TNetTCPConnection& c) { return c.ReadTimeout(); },
               [](TNetTCPConnection& c, int64_t v) { c.SetReadTimeout(Int32Of(v, L"ReadTimeout")); })
      .Integer(L"MaxLineLength", [](TNetTCPConnection& c) { return c.MaxLineLength(); },
               [](TNetTCPConnection& c, int64_t v) { c.SetMaxLineLength(Int32Of(v, L"MaxLineLength")); })
      .Enumeration(L"MaxLineAction", {L"maException", L"maSplit"},
                   [](TNetTCPConnection& c) { return static_cast<int>(c.MaxLineAction()); },
                   [](TNetTCPConnection& c, int64_t v) { c.SetMaxLineAction(static_cast<TNetMaxLineAction>(v)); })
      .Integer(L"RecvBufferSize", [](TNetTCPConnection& c) { return c.RecvBufferSize(); },
               [](TNetTCPConnection& c, int64_t v) { c.SetRecvBufferSize(Int32Of(v, L"RecvBufferSize")); });
  PublishInt32(connection, L"SendBufferSize", &TNetTCPConnection::SendBufferSize);

  ClassRegistrar<TNetTCPClient> client(L"TNetTCPClient", L"TNetTCPConnection");
  PublishText(client, L"Host", &TNetTCPClient::Host);
  PublishInt32(client, L"Port", &TNetTCPClient::Port);
  PublishText(client, L"BoundIP", &TNetTCPClient::BoundIP);
  PublishInt32(client, L"BoundPort", &TNetTCPClient::BoundPort);
  PublishInt32(client, L"BoundPortMin", &TNetTCPClient::BoundPortMin);
  PublishInt32(client, L"BoundPortMax", &TNetTCPClient::BoundPortMax);
}

void RegisterRequestClass() {
  ClassRegistrar<TNetHTTPRequest> request(L"TNetHTTPRequest", L"");
  for (auto [name, field] : std::vector<std::pair<const wchar_t*, std::string TNetHTTPRequest::*>>{
           {L"Accept", &TNetHTTPRequest::Accept},
           {L"AcceptCharSet", &TNetHTTPRequest::AcceptCharSet},
           {L"AcceptEncoding", &TNetHTTPRequest::AcceptEncoding},
           {L"AcceptLanguage", &TNetHTTPRequest::AcceptLanguage},
           {L"CacheControl", &TNetHTTPRequest::CacheControl},
           {L"Connection", &TNetHTTPRequest::Connection},
           {L"ContentEncoding", &TNetHTTPRequest::ContentEncoding},
           {L"ContentLanguage", &TNetHTTPRequest::ContentLanguage},
           {L"ContentType", &TNetHTTPRequest::ContentType},
           {L"ContentVersion", &TNetHTTPRequest::ContentVersion},
           {L"From", &TNetHTTPRequest::From},
           {L"Password", &TNetHTTPRequest::Password},
           {L"Pragma", &TNetHTTPRequest::Pragma},
           {L"Referer", &TNetHTTPRequest::Referer},
           {L"UserAgent", &TNetHTTPRequest::UserAgent},
           {L"Username", &TNetHTTPRequest::Username}})
    PublishText(request, name, field);
  PublishInt32(request, L"ContentLength", &TNetHTTPRequest::ContentLength);
  request
      .Integer(L"ContentRangeStart", [](TNetHTTPRequest& r) { return r.ContentRangeStart; },
               [](TNetHTTPRequest& r, int64_t v) { r.ContentRangeStart = v; })
      .Integer(L"ContentRangeEnd", [](TNetHTTPRequest& r) { return r.ContentRangeEnd; },
               [](TNetHTTPRequest& r, int64_t v) { r.ContentRangeEnd = v; })
      .Lines(L"CustomHeaders", [](TNetHTTPRequest& r, const std::vector<std::wstring>& lines) {
        r.CustomHeaders.Clear();
        for (const std::wstring& line : lines) r.CustomHeaders.Add(AnsiFromText(line, L"CustomHeaders"));
      });
  PublishBoolean(request, L"BasicAuthentication", &TNetHTTPRequest::BasicAuthentication);

  ClassRegistrar<TNetProxyConnectionInfo> proxy(L"TNetProxyConnectionInfo", L"");
  PublishText(proxy, L"ProxyServer", &TNetProxyConnectionInfo::ProxyServer);
  PublishInt32(proxy, L"ProxyPort", &TNetProxyConnectionInfo::ProxyPort);
  PublishText(proxy, L"ProxyUsername", &TNetProxyConnectionInfo::ProxyUsername);
  PublishText(proxy, L"ProxyPassword", &TNetProxyConnectionInfo::ProxyPassword);
  PublishBoolean(proxy, L"BasicAuthentication", &TNetProxyConnectionInfo::BasicAuthentication);
}

}  // namespace

void RegisterNetHTTPClass() {
  RegisterComponentClass();
  RegisterConnectionClasses();
  RegisterRequestClass();
  ClassRegistrar<TNetCustomHTTP> http(L"TNetCustomHTTP", L"TNetTCPClient");
  PublishBoolean(http, L"AllowCookies", &TNetCustomHTTP::AllowCookies);
  PublishBoolean(http, L"HandleRedirects", &TNetCustomHTTP::HandleRedirects);
  PublishInt32(http, L"RedirectMaximum", &TNetCustomHTTP::RedirectMaximum);
  PublishInt32(http, L"AuthRetries", &TNetCustomHTTP::AuthRetries);
  http.SetOf(L"HTTPOptions", {L"hoInProcessAuth", L"hoKeepOrigProtocol", L"hoForceEncodeParams"},
             [](TNetCustomHTTP& h) { return h.HTTPOptions; },
             [](TNetCustomHTTP& h, int64_t v) { h.HTTPOptions = static_cast<TNetHTTPOptions>(v); })
      .Enumeration(L"ProtocolVersion", {L"pv1_0", L"pv1_1"},
                   [](TNetCustomHTTP& h) { return static_cast<int>(h.ProtocolVersion); },
                   [](TNetCustomHTTP& h, int64_t v) { h.ProtocolVersion = static_cast<TNetHTTPProtocolVersion>(v); })
      .Object(L"Request", [](TNetCustomHTTP& h) { return &h.Request(); })
      .Object(L"ProxyParams", [](TNetCustomHTTP& h) { return &h.ProxyParams(); });
  ClassRegistrar<TNetHTTP>(L"TNetHTTP", L"TNetCustomHTTP").Creatable();
}

}  // namespace quonel
