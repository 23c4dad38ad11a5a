#include "net/http_cookies.h"

#include <algorithm>

#include "net/http_text.h"

namespace quonel {

void TNetNetscapeCookie::Parse(std::string_view text) {
  bool first = true;
  while (!text.empty()) {
    const size_t semicolon = text.find(';');
    const std::string_view part = text.substr(0, semicolon);
    text = semicolon == std::string_view::npos ? std::string_view() : text.substr(semicolon + 1);
    const size_t equals = part.find('=');
    const std::string name = TrimText(part.substr(0, equals));
    const std::string value = equals == std::string_view::npos ? "" : TrimText(part.substr(equals + 1));
    if (first) {
      Name = name;
      Value = value;
      first = false;
    } else if (!name.empty()) {
      SetAttribute(name, value);
    }
  }
}

bool TNetNetscapeCookie::SetAttribute(const std::string& name, const std::string& value) {
  if (SameTextNoCase(name, "path")) {
    Path = value;
  } else if (SameTextNoCase(name, "expires")) {
    Expires = ParseInternetDate(value).value_or(0);
  } else if (SameTextNoCase(name, "domain")) {
    Domain = value;
  } else if (SameTextNoCase(name, "secure")) {
    Secure = true;
  } else {
    return false;
  }
  return true;
}

bool TNetCookieRFC2109::SetAttribute(const std::string& name, const std::string& value) {
  if (SameTextNoCase(name, "max-age")) {
    // A lifetime too large for its type is not a number, as elsewhere.
    const std::optional<int32_t> seconds = ParseInt32(value);
    if (!seconds) return true;
    MaxAge = *seconds;
    // Max-Age 0 (or less) expires the cookie at once.
    Expires = MaxAge <= 0 ? 1 : NetNow() + MaxAge / 86400.0;
  } else if (SameTextNoCase(name, "comment")) {
    Comment = value;
  } else if (SameTextNoCase(name, "version")) {
    Version = ParseInt32Or(value, 0);
  } else {
    return TNetNetscapeCookie::SetAttribute(name, value);
  }
  return true;
}

bool TNetCookieRFC2965::SetAttribute(const std::string& name, const std::string& value) {
  if (SameTextNoCase(name, "CommentURL")) {
    CommentURL = value;
  } else if (SameTextNoCase(name, "DISCARD")) {
    Discard = true;
  } else if (SameTextNoCase(name, "Port")) {
    PortList = value;
  } else {
    return TNetCookieRFC2109::SetAttribute(name, value);
  }
  return true;
}

void TNetCookieList::Put(std::unique_ptr<TNetNetscapeCookie> cookie) {
  for (auto& existing : Cookies) {
    if (existing->Name == cookie->Name && existing->Path == cookie->Path) {
      existing = std::move(cookie);
      return;
    }
  }
  Cookies.push_back(std::move(cookie));
}

void TNetCookieList::RemoveExpired(NetDateTime now) {
  std::erase_if(Cookies, [now](const auto& cookie) { return cookie->IsExpired(now); });
}

TNetCookieList& TNetCookies::ListFor(const std::string& domain) {
  for (auto& list : lists_)
    if (list->Domain == domain) return *list;
  lists_.push_back(std::make_unique<TNetCookieList>(domain));
  return *lists_.back();
}

int TNetCookies::Count() const {
  int count = 0;
  for (const auto& list : lists_) count += static_cast<int>(list->Cookies.size());
  return count;
}

bool IsDottedAddress(std::string_view text) {
  int parts = 0;
  while (parts < 4) {
    const size_t dot = text.find('.');
    const std::string_view part = text.substr(0, dot);
    if (part.empty() || part.size() > 3 || part.find_first_not_of("0123456789") != std::string_view::npos) return false;
    if (std::stoi(std::string(part)) > 255) return false;
    ++parts;
    if (dot == std::string_view::npos) break;
    if (parts == 4) return false;
    text = text.substr(dot + 1);
  }
  return parts == 4 && text.find('.') == std::string_view::npos;
}

bool CookieDomainFits(const std::string& domain, const std::string& host) {
  if (IsDottedAddress(host)) return domain == host;
  if (!host.empty() && host[0] == '.') return SameTextNoCase(domain, host);
  if (domain.empty() || domain[0] != '.') return !IsDottedAddress(domain) && domain == host;
  const size_t dot = host.find('.');
  return dot != std::string::npos && host.compare(dot, std::string::npos, domain) == 0;
}

bool TNetCookieManager::AddCookie(std::string_view setCookie, const std::string& host, const std::string& path,
                                  bool rfc2965) {
  std::unique_ptr<TNetNetscapeCookie> cookie =
      rfc2965 ? std::make_unique<TNetCookieRFC2965>() : std::make_unique<TNetCookieRFC2109>();
  cookie->Parse(setCookie);
  if (cookie->Name.empty()) return false;
  if (cookie->Domain.empty()) cookie->Domain = host;
  if (cookie->Path.empty()) cookie->Path = path.empty() ? "/" : path;
  if (!CookieDomainFits(cookie->Domain, host)) return false;
  TNetCookieList& list = cookies_.ListFor(cookie->Domain);
  list.Put(std::move(cookie));
  // A cookie that arrives expired only deletes the one it replaced.
  list.RemoveExpired(NetNow());
  return true;
}

void TNetCookieManager::TakeCookies(const TNetHeaderList& responseLines, const std::string& host,
                                    const std::string& path) {
  for (const std::string& value : responseLines.AllValues("Set-cookie")) AddCookie(value, host, path, false);
  for (const std::string& value : responseLines.AllValues("Set-cookie2")) AddCookie(value, host, path, true);
}

void TNetCookieManager::RemoveExpired() {
  const NetDateTime now = NetNow();
  for (auto& list : cookies_.Lists()) list->RemoveExpired(now);
}

namespace {
// The domain must be the host or a whole-label suffix of it, so that the
// cookies of "a.com" never travel to "xa.com" or "a.com.example".
bool DomainCoversHost(const std::string& domain, const std::string& host) {
  if (domain.empty() || domain.size() > host.size()) return false;
  const size_t at = host.size() - domain.size();
  if (!SameTextNoCase(std::string_view(host).substr(at), domain)) return false;
  return at == 0 || domain[0] == '.' || host[at - 1] == '.';
}
}  // namespace

std::string TNetCookieManager::CookieHeader(const std::string& host, const std::string& path, bool encrypted) {
  RemoveExpired();
  std::vector<const TNetNetscapeCookie*> chosen;
  for (const auto& list : cookies_.Lists()) {
    if (!DomainCoversHost(list->Domain, host)) continue;
    for (const auto& cookie : list->Cookies)
      if (path.compare(0, cookie->Path.size(), cookie->Path) == 0 && !cookie->Value.empty() &&
          (!cookie->Secure || encrypted))
        chosen.push_back(cookie.get());
  }
  std::stable_sort(chosen.begin(), chosen.end(), [](auto* a, auto* b) { return a->Path < b->Path; });
  std::string header;
  for (auto it = chosen.rbegin(); it != chosen.rend(); ++it) {
    if (!header.empty()) header += "; ";
    header += (*it)->Name + "=" + (*it)->Value;
  }
  return header;
}

}  // namespace quonel
