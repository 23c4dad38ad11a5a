// The HTTP client as a stored-form class: stored values reach the client's
// settings (nested ones through Request and ProxyParams), property access by
// name reads them back, and a stored value the client cannot take is an error.
#include "net/net_http_registration.h"

#include <gtest/gtest.h>

#include "net/net_http_client.h"
#include "core/conversion.h"
#include "core/property_access.h"
#include "core/stored_form_reader.h"
#include "core/stored_layout.h"

namespace quonel {
namespace {

class StoredHttpClient : public ::testing::Test {
 protected:
  void SetUp() override { RegisterNetHTTPClass(); }
  // Applies the stored properties of a "Name : TNetHTTP { ... }" text to http.
  void Read(const char* properties) {
    const StoredObject stored = ParseStoredLayout(std::string("HTTPFiles : TNetHTTP {\n") + properties + "\n}");
    for (const StoredProperty& property : stored.properties) ApplyStoredProperty(http, property, {});
  }
  TNetHTTPRequest* Request() {
    return static_cast<TNetHTTPRequest*>(GetObjectPropOf(&http, L"Request", L"TNetHTTPRequest"));
  }
  TNetHTTP http{nullptr};
};

TEST_F(StoredHttpClient, StoredValuesReachEverySetting) {
  Read(R"(
    Port = 8080
    Host = "updates.example"
    AuthRetries = 1
    AllowCookies = False
    HTTPOptions = [hoInProcessAuth, hoKeepOrigProtocol]
    RedirectMaximum = 4
    HandleRedirects = True
    ProtocolVersion = pv1_0
    ReadTimeout = 1234
    MaxLineAction = maSplit
    MaxLineLength = 200
    RecvBufferSize = 4096
    SendBufferSize = 2048
    Request.Accept = "*/*"
    Request.UserAgent = "Probe/1.0"
    Request.ContentType = "text/plain"
    Request.ContentLength = 12
    Request.ContentRangeStart = 5000000000
    Request.ContentRangeEnd = 5000000099
    Request.BasicAuthentication = True
    Request.Username = "u"
    Request.CustomHeaders = ("X-One: 1", "X-Two: 2")
    ProxyParams.ProxyServer = "proxy.local"
    ProxyParams.ProxyPort = 3128
    ProxyParams.BasicAuthentication = True)");
  EXPECT_EQ(8080, http.Port);
  EXPECT_EQ("updates.example", http.Host);
  EXPECT_EQ(1, http.AuthRetries);
  EXPECT_FALSE(http.AllowCookies);
  EXPECT_EQ(unsigned{hoInProcessAuth | hoKeepOrigProtocol}, http.HTTPOptions);
  EXPECT_EQ(4, http.RedirectMaximum);
  EXPECT_TRUE(http.HandleRedirects);
  EXPECT_EQ(pv1_0, http.ProtocolVersion);
  EXPECT_EQ(1234, http.ReadTimeout());
  EXPECT_EQ(maSplit, http.MaxLineAction());
  EXPECT_EQ(200, http.MaxLineLength());
  EXPECT_EQ(4096, http.RecvBufferSize());
  EXPECT_EQ(2048, http.SendBufferSize);
  const TNetHTTPRequest& request = http.Request();
  EXPECT_EQ("*/*", request.Accept);
  EXPECT_EQ("Probe/1.0", request.UserAgent);
  EXPECT_EQ("text/plain", request.ContentType);
  EXPECT_EQ(12, request.ContentLength);
  EXPECT_EQ(5000000000, request.ContentRangeStart) << "a range beyond 32 bits is kept whole";
  EXPECT_EQ(5000000099, request.ContentRangeEnd);
  EXPECT_TRUE(request.BasicAuthentication);
  EXPECT_EQ("u", request.Username);
  EXPECT_EQ("1", request.CustomHeaders.Values("X-One"));
  EXPECT_EQ("2", request.CustomHeaders.Values("X-Two"));
  EXPECT_EQ("proxy.local", http.ProxyParams().ProxyServer);
  EXPECT_EQ(3128, http.ProxyParams().ProxyPort);
  EXPECT_TRUE(http.ProxyParams().BasicAuthentication);
}

TEST_F(StoredHttpClient, PropertyAccessByNameReadsTheConstructorDefaults) {
  EXPECT_EQ(80, GetIntProp(&http, L"Port"));
  EXPECT_EQ(3, GetIntProp(&http, L"AuthRetries"));
  EXPECT_EQ(L"True", GetEnumPropText(&http, L"AllowCookies"));
  EXPECT_EQ(L"False", GetEnumPropText(&http, L"HandleRedirects"));
  EXPECT_EQ(15, GetIntProp(&http, L"RedirectMaximum"));
  EXPECT_EQ(L"pv1_1", GetEnumPropText(&http, L"ProtocolVersion"));
  EXPECT_EQ(0, GetIntProp(&http, L"ReadTimeout"));
  EXPECT_EQ(L"maException", GetEnumPropText(&http, L"MaxLineAction"));
  EXPECT_EQ(16384, GetIntProp(&http, L"MaxLineLength"));
  EXPECT_EQ(32768, GetIntProp(&http, L"RecvBufferSize"));
  EXPECT_EQ(32768, GetIntProp(&http, L"SendBufferSize"));
  TNetHTTPRequest* request = Request();
  ASSERT_NE(nullptr, request);
  EXPECT_EQ(&http.Request(), request);
  EXPECT_EQ(L"text/html", GetTextProp(request, L"ContentType"));
  EXPECT_EQ(L"text/html, */*", GetTextProp(request, L"Accept"));
  EXPECT_EQ(L"Mozilla/3.0 (compatible; Quonel Updater)", GetTextProp(request, L"UserAgent"));
  EXPECT_EQ(-1, GetIntProp(request, L"ContentLength"));
  EXPECT_EQ(L"False", GetEnumPropText(request, L"BasicAuthentication"));
  TPersistent* proxy = GetObjectPropOf(&http, L"ProxyParams", L"TNetProxyConnectionInfo");
  ASSERT_EQ(&http.ProxyParams(), proxy);
  EXPECT_EQ(0, GetIntProp(proxy, L"ProxyPort"));
  EXPECT_EQ(L"", GetTextProp(proxy, L"ProxyServer"));
  EXPECT_EQ(nullptr, GetObjectPropOf(&http, L"Request", L"TNetProxyConnectionInfo")) << "not of that class";
  EXPECT_TRUE(InheritsFrom(&http, L"TNetTCPClient"));
  EXPECT_TRUE(InheritsFrom(&http, L"TComponent"));
}

TEST_F(StoredHttpClient, TextsTravelInTheAnsiCodePage) {
  // The test runs with code page 936: a Chinese text is two bytes a character.
  Read(R"(Request.UserAgent = "升级程序/2.0")");
  EXPECT_EQ("\xC9\xFD\xBC\xB6\xB3\xCC\xD0\xF2/2.0", http.Request().UserAgent);
  EXPECT_EQ(L"升级程序/2.0", GetTextProp(Request(), L"UserAgent"));
  EXPECT_TRUE(SetPropText(Request(), L"Referer", L"http://h/"));
  EXPECT_EQ("http://h/", http.Request().Referer);
}

TEST_F(StoredHttpClient, AStoredValueTheClientCannotTakeIsAnError) {
  for (const char* text : {"ReadTimeOutt = 5000", "Request.Agent = \"x\"", "Response.StatusCode = 200",
                           "Proxy.ProxyPort = 1", "ProtocolVersion = pv2_0", "HTTPOptions = [hoFollowLinks]",
                           "ReadTimeout = \"5000\"", "Request = 1", "AllowCookies = 1"}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(Read(text), EReadLayoutError);
  }
  try {
    Read("AllowCookies = True\nRequest.UserAgnet = \"x\"");
    FAIL() << "an unknown nested property was taken";
  } catch (const EReadLayoutError& e) {
    EXPECT_EQ(L"Error reading Request.UserAgnet (line 3): property does not exist", e.Message());
  }
  EXPECT_EQ(0, http.ReadTimeout()) << "nothing half-applied by the failures";
}

TEST_F(StoredHttpClient, NumbersAndTextsThatDoNotFitAreRefusedNotWrapped) {
  // 2^32 + 5000 must not become a 5000 ms limit, nor -1 a long one.
  EXPECT_THROW(Read("ReadTimeout = 4294972296"), EConvertError);
  EXPECT_EQ(0, http.ReadTimeout());
  EXPECT_THROW(Read("Request.ContentLength = 2147483648"), EConvertError);
  EXPECT_EQ(-1, http.Request().ContentLength);
  Read("Request.ContentLength = 2147483647");
  EXPECT_EQ(2147483647, http.Request().ContentLength);
  // Thai has no place in code page 936: refused rather than sent as "?".
  EXPECT_THROW(Read("Request.UserAgent = \"\\u0E01\""), EConvertError);
  EXPECT_EQ("Mozilla/3.0 (compatible; Quonel Updater)", http.Request().UserAgent);
  EXPECT_THROW(SetPropText(&http, L"Port", L"99999999999"), EConvertError);
  EXPECT_EQ(80, http.Port);
}

}  // namespace
}  // namespace quonel
