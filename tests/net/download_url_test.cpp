// Splitting download addresses: scheme, host with port, path as given.
#include "net/download_url.h"

#include <gtest/gtest.h>

namespace quonel {
namespace {

TEST(DownloadUrl, SchemeIsDroppedInAnyCaseOrMayBeMissing) {
  for (const wchar_t* url : {L"http://srv.example/a/b.dat", L"HTTP://srv.example/a/b.dat",
                             L"Http://srv.example/a/b.dat", L"srv.example/a/b.dat",
                             L" \t http://srv.example/a/b.dat\r\n"}) {
    EXPECT_EQ(L"srv.example", GetUrlHost(url)) << url;
    EXPECT_EQ(L"a/b.dat", GetUrlPath(url)) << url;
  }
}

TEST(DownloadUrl, PathKeepsQueryBackslashAndNonAsciiText) {
  EXPECT_EQ(L"up/data\\加速器.dat?v=2&x=%20", GetUrlPath(L"http://h/up/data\\加速器.dat?v=2&x=%20"));
  EXPECT_EQ(L"h:8080", GetUrlHost(L"http://h:8080/up/x"));
}

TEST(DownloadUrl, AddressWithoutSlashGivesTheWholeTextForBoth) {
  EXPECT_EQ(L"host", GetUrlHost(L"http://host"));
  EXPECT_EQ(L"host", GetUrlPath(L"http://host"));
  EXPECT_EQ(L"", GetUrlPath(L"http://host/"));
}

TEST(DownloadUrl, PortIsSplitOffTheHostAndDefaultsTo80) {
  const HostAndPort plain = SplitHostPort(L"srv.example");
  EXPECT_TRUE(plain.valid);
  EXPECT_EQ(L"srv.example", plain.name);
  EXPECT_EQ(80, plain.port);

  const HostAndPort withPort = SplitHostPort(L"127.0.0.1:8080");
  EXPECT_TRUE(withPort.valid);
  EXPECT_EQ(L"127.0.0.1", withPort.name);
  EXPECT_EQ(8080, withPort.port);

  const HostAndPort emptyPort = SplitHostPort(L"srv:");
  EXPECT_TRUE(emptyPort.valid);
  EXPECT_EQ(L"srv", emptyPort.name);
  EXPECT_EQ(80, emptyPort.port);
}

TEST(DownloadUrl, PortThatIsNoPortNumberIsRejected) {
  for (const wchar_t* host : {L"srv:0", L"srv:65536", L"srv:8o", L"srv:-1", L"srv:+80",
                              L"srv:99999999999999999999999", L"[::1]"}) {
    EXPECT_FALSE(SplitHostPort(host).valid) << host;
  }
  EXPECT_TRUE(SplitHostPort(L"srv:65535").valid);
}

TEST(DownloadUrl, HttpsAddressIsSecureAndDefaultsTo443) {
  const std::wstring url = L" HTTPS://cdn.example.com/q/data\\maps.pak";
  EXPECT_TRUE(IsSecureUrl(url));
  EXPECT_EQ(L"cdn.example.com", GetUrlHost(url));
  EXPECT_EQ(L"q/data\\maps.pak", GetUrlPath(url));
  EXPECT_EQ(443, SplitHostPort(GetUrlHost(url), 443).port);
  EXPECT_EQ(8443, SplitHostPort(L"cdn:8443", 443).port);
  for (const wchar_t* plain : {L"http://srv/a", L"srv/https://x", L"httpsx://srv/a"}) EXPECT_FALSE(IsSecureUrl(plain));
}

}  // namespace
}  // namespace quonel
