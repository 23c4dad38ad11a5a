// Which cookies are stored, which expire and which travel with a request.
#include <gtest/gtest.h>

#include "net/http_cookies.h"

namespace quonel {
namespace {

TEST(NetCookieDomain, FitsTheRequestHost) {
  EXPECT_TRUE(CookieDomainFits("www.a.com", "www.a.com"));
  EXPECT_FALSE(CookieDomainFits("WWW.a.com", "www.a.com"));  // letter case counts
  EXPECT_TRUE(CookieDomainFits(".a.com", "www.a.com"));
  EXPECT_FALSE(CookieDomainFits(".a.com", "x.www.a.com"));  // exactly one more label
  EXPECT_FALSE(CookieDomainFits(".com", "a.com.evil"));
  EXPECT_FALSE(CookieDomainFits("a.com", "www.a.com"));
  EXPECT_TRUE(CookieDomainFits("127.0.0.1", "127.0.0.1"));
  EXPECT_FALSE(CookieDomainFits(".0.0.1", "127.0.0.1"));
  EXPECT_FALSE(CookieDomainFits("127.0.0.1", "localhost"));
  EXPECT_TRUE(CookieDomainFits(".A.com", ".a.COM"));
  EXPECT_TRUE(IsDottedAddress("10.0.0.255"));
  EXPECT_FALSE(IsDottedAddress("10.0.0.256"));
  EXPECT_FALSE(IsDottedAddress("10.0.0"));
  EXPECT_FALSE(IsDottedAddress("1.2.3.4.5"));
}

TEST(NetCookies, AttributesOfBothKinds) {
  TNetCookieManager manager;
  ASSERT_TRUE(manager.AddCookie("id=42; PATH=/app/; Secure; Comment=hi; Version=1", "h.a.com", "/"));
  ASSERT_TRUE(manager.AddCookie("v2=x; CommentURL=http://c/; Discard; Port=\"80\"", "h.a.com", "/", true));
  auto& cookies = manager.Cookies().ListFor("h.a.com").Cookies;
  ASSERT_EQ(2u, cookies.size());
  auto* first = dynamic_cast<TNetCookieRFC2109*>(cookies[0].get());
  ASSERT_TRUE(first);
  EXPECT_EQ("/app/", first->Path);
  EXPECT_TRUE(first->Secure);
  EXPECT_EQ("hi", first->Comment);
  EXPECT_EQ(1, first->Version);
  auto* second = dynamic_cast<TNetCookieRFC2965*>(cookies[1].get());
  ASSERT_TRUE(second);
  EXPECT_TRUE(second->Discard);
  EXPECT_EQ("http://c/", second->CommentURL);
  EXPECT_EQ("/", second->Path);  // the request's path when none is given
}

TEST(NetCookies, ForeignDomainsAreDropped) {
  TNetCookieManager manager;
  EXPECT_FALSE(manager.AddCookie("a=1; domain=other.com", "www.a.com", "/"));
  EXPECT_FALSE(manager.AddCookie("=nameless", "www.a.com", "/"));
  EXPECT_EQ(0, manager.Cookies().Count());
}

TEST(NetCookies, HeaderHasMatchingCookiesLongestPathFirst) {
  TNetCookieManager manager;
  TNetHeaderList lines;
  lines.Add("Set-Cookie: root=r; path=/");
  lines.Add("set-cookie: deep=d; path=/dir/sub/");
  lines.Add("Set-Cookie: mid=m; path=/dir/");
  lines.Add("Set-Cookie: empty=; path=/");
  lines.Add("Set-Cookie: secret=s; path=/; secure");
  lines.Add("Set-Cookie: elsewhere=e; path=/other/");
  manager.TakeCookies(lines, "www.a.com", "/dir/");
  EXPECT_EQ("deep=d; mid=m; root=r", manager.CookieHeader("www.a.com", "/dir/sub/", false));
  EXPECT_EQ("mid=m; root=r", manager.CookieHeader("WWW.A.COM", "/dir/", false));
  EXPECT_EQ("secret=s; root=r", manager.CookieHeader("www.a.com", "/", true));
  // The cookies of www.a.com never go to a host that merely contains the name.
  EXPECT_EQ("", manager.CookieHeader("xwww.a.com", "/dir/", false));
  EXPECT_EQ("", manager.CookieHeader("www.a.com.evil", "/dir/", false));
}

TEST(NetCookies, ExpiryAndReplacement) {
  TNetCookieManager manager;
  manager.AddCookie("old=1; expires=Sun, 06 Nov 1994 08:49:37 GMT", "h.com", "/");
  manager.AddCookie("keep=1; expires=Fri, 01 Jan 2100 00:00:00 GMT", "h.com", "/");
  manager.AddCookie("gone=1; max-age=3600", "h.com", "/");
  // Equal paths keep their order of arrival and are sent last first.
  EXPECT_EQ("gone=1; keep=1", manager.CookieHeader("h.com", "/", false));
  manager.AddCookie("keep=2", "h.com", "/");  // same name and path: replaced
  manager.AddCookie("gone=1; Max-Age=0", "h.com", "/");
  EXPECT_EQ("keep=2", manager.CookieHeader("h.com", "/", false));
  EXPECT_EQ(1, manager.Cookies().Count());
}

}  // namespace
}  // namespace quonel
