#include "net/redirect_rule.h"

#include <algorithm>

#include "core/ascii_case.h"
#include "net/http_text.h"

namespace quonel {
namespace {

std::string_view SchemeOf(std::string_view url) {
  const size_t colon = url.find("://");
  return colon == std::string_view::npos ? std::string_view() : url.substr(0, colon);
}

}  // namespace

bool IsFollowedRedirect(int statusCode) {
  return statusCode == 301 || statusCode == 302 || statusCode == 303 || statusCode == 307 || statusCode == 308;
}

bool RedirectSchemeAllowed(std::string_view fromScheme, std::string_view toScheme) {
  if (fromScheme.empty()) return false;
  // A move to https only adds protection; a move away from it never happens.
  if (SameTextNoCase(fromScheme, "http") && SameTextNoCase(toScheme, "https")) return true;
  return SameTextNoCase(fromScheme, toScheme);
}

std::optional<std::string> ResolveRedirect(std::string_view base, std::string_view location) {
  const std::string target = TrimText(location);
  const std::string_view scheme = SchemeOf(base);
  if (target.empty() || scheme.empty()) return std::nullopt;
  const size_t authorityStart = scheme.size() + 3;
  const size_t pathStart = std::min(base.find_first_of("/?#", authorityStart), base.size());
  std::string resolved;
  if (!SchemeOf(target).empty() && target.find_first_of("/?#") > target.find("://")) {
    resolved = target;
  } else if (target.rfind("//", 0) == 0) {
    resolved = std::string(scheme) + ":" + target;
  } else if (target[0] == '/') {
    resolved = std::string(base.substr(0, pathStart)) + target;
  } else {
    std::string_view path = base.substr(pathStart);
    path = path.substr(0, path.find_first_of("?#"));
    const size_t slash = path.rfind('/');
    resolved = std::string(base.substr(0, pathStart)) +
               (slash == std::string_view::npos ? std::string("/") : std::string(path.substr(0, slash + 1))) + target;
  }
  if (!RedirectSchemeAllowed(scheme, SchemeOf(resolved))) return std::nullopt;
  return resolved;
}

std::string RedirectTrail::Follow(std::string_view from, std::string_view location) {
  if (++hops_ > kMaxRedirectHops)
    throw ERedirectRefused(L"more than " + std::to_wstring(kMaxRedirectHops) + L" redirects");
  const std::optional<std::string> next = ResolveRedirect(from, location);
  if (!next) throw ERedirectRefused(L"a redirect to another scheme or to no address");
  return *next;
}

}  // namespace quonel
