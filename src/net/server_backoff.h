// When a failed update server may be asked again: after every failure it
// rests for a delay that doubles with each failure in a row, spread by
// jitter so that many clients do not return at once, or for as long as its
// Retry-After asked (both capped). A success clears its record.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace quonel {

inline constexpr uint64_t kBackoffFirstMs = 1000;
inline constexpr uint64_t kBackoffCapMs = 30000;
inline constexpr int64_t kRetryAfterCapSeconds = 30;

class ServerBackoff {
 public:
  // jitter in [0, 1) spreads the delay over half to one and a half times
  // its value; retryAfterSeconds, when the server named one, replaces it.
  void RecordFailure(const std::wstring& server, uint64_t nowMs, double jitter,
                     std::optional<int64_t> retryAfterSeconds = std::nullopt);
  void RecordSuccess(const std::wstring& server) { servers_.erase(server); }
  // A new attempt the user asked for: rests the wizard chose itself are
  // forgotten (a person's click is not a loop); a rest a server asked for
  // with Retry-After stays.
  void ForgetOwnRests();
  // The first moment the server may be asked again (0: at once).
  uint64_t ReadyAt(const std::wstring& server) const;

 private:
  struct Record {
    int failures = 0;
    uint64_t readyAtMs = 0;
    bool askedByServer = false;  // the rest is the server's Retry-After
  };
  std::map<std::wstring, Record> servers_;
};

// A Retry-After value: delay-seconds, or an Internet date taken against
// nowUnixSeconds; capped at kRetryAfterCapSeconds, never negative. Absent
// when it is neither.
std::optional<int64_t> ParseRetryAfter(std::string_view value, int64_t nowUnixSeconds);

}  // namespace quonel
