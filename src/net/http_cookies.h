// Cookies: taken from "Set-cookie" and "Set-cookie2" header lines when their
// domain fits the request host, expired by date, and sent back in one
// "Cookie" header to the hosts and paths they belong to.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "net/http_date.h"
#include "net/http_header_list.h"

namespace quonel {

class TNetNetscapeCookie {
 public:
  virtual ~TNetNetscapeCookie() = default;
  // "name=value; attribute=value; ..."
  void Parse(std::string_view text);
  bool IsExpired(NetDateTime now) const { return Expires != 0 && Expires <= now; }

  std::string Name, Value, Domain, Path;
  NetDateTime Expires = 0;  // 0: until the program ends
  bool Secure = false;

 protected:
  // True when the attribute was one this kind of cookie knows.
  virtual bool SetAttribute(const std::string& name, const std::string& value);
};

class TNetCookieRFC2109 : public TNetNetscapeCookie {
 public:
  std::string Comment;
  int MaxAge = -1;
  int Version = 0;

 protected:
  bool SetAttribute(const std::string& name, const std::string& value) override;
};

class TNetCookieRFC2965 : public TNetCookieRFC2109 {
 public:
  std::string CommentURL, PortList;
  bool Discard = false;

 protected:
  bool SetAttribute(const std::string& name, const std::string& value) override;
};

// The cookies of one domain, in the order they arrived.
class TNetCookieList {
 public:
  explicit TNetCookieList(std::string domain) : Domain(std::move(domain)) {}
  // Replaces a cookie of the same name and path.
  void Put(std::unique_ptr<TNetNetscapeCookie> cookie);
  void RemoveExpired(NetDateTime now);

  std::string Domain;
  std::vector<std::unique_ptr<TNetNetscapeCookie>> Cookies;
};

class TNetCookies {
 public:
  TNetCookieList& ListFor(const std::string& domain);
  std::vector<std::unique_ptr<TNetCookieList>>& Lists() { return lists_; }
  int Count() const;

 private:
  std::vector<std::unique_ptr<TNetCookieList>> lists_;
};

// Whether a cookie of this domain may be stored from a response of host.
bool CookieDomainFits(const std::string& domain, const std::string& host);
// Whether text is a dotted address of four parts 0..255.
bool IsDottedAddress(std::string_view text);

class TNetCookieManager {
 public:
  // Takes every "Set-cookie" and "Set-cookie2" line of a response from host.
  void TakeCookies(const TNetHeaderList& responseLines, const std::string& host, const std::string& path);
  // Stores one cookie line; false when it was dropped.
  bool AddCookie(std::string_view setCookie, const std::string& host, const std::string& path, bool rfc2965 = false);
  // The "Cookie" value for a request, "" when no cookie applies.
  std::string CookieHeader(const std::string& host, const std::string& path, bool encrypted);
  void RemoveExpired();
  TNetCookies& Cookies() { return cookies_; }

 private:
  TNetCookies cookies_;
};

}  // namespace quonel
