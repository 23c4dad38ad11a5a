// Which redirects the wizard follows, for the manifest and for the files
// alike: the status codes, the hop limit and the schemes a hop may lead to.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/exception.h"

namespace quonel {

inline constexpr int kMaxRedirectHops = 5;

// 301, 302, 303, 307 and 308.
bool IsFollowedRedirect(int statusCode);

// The one rule for the scheme of a hop: it keeps its scheme or moves from
// http up to https, so no redirect can downgrade a transfer or lead to a
// foreign protocol.
bool RedirectSchemeAllowed(std::string_view fromScheme, std::string_view toScheme);

// The absolute address a Location value leads to from base ("http://host/a/b"):
// absolute, scheme-relative ("//host/x"), host-relative ("/x") or relative to
// base's folder. Absent when it is empty or leads to a scheme the rule refuses.
std::optional<std::string> ResolveRedirect(std::string_view base, std::string_view location);

// A fetch that met more than kMaxRedirectHops redirects, or a hop the rule refuses.
class ERedirectRefused : public Exception {
 public:
  using Exception::Exception;
};

// Counts the hops of one fetch and applies the rules; Follow raises
// ERedirectRefused where the fetch must end.
class RedirectTrail {
 public:
  // The next address, from the current one and the Location value.
  std::string Follow(std::string_view from, std::string_view location);
  int Hops() const { return hops_; }

 private:
  int hops_ = 0;
};

}  // namespace quonel
