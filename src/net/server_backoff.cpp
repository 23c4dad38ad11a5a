#include "net/server_backoff.h"

#include <algorithm>

#include "net/http_date.h"
#include "net/http_text.h"

namespace quonel {

void ServerBackoff::RecordFailure(const std::wstring& server, uint64_t nowMs, double jitter,
                                  std::optional<int64_t> retryAfterSeconds) {
  Record& record = servers_[server];
  ++record.failures;
  uint64_t delay = kBackoffFirstMs << std::min(record.failures - 1, 5);
  delay = std::min(delay, kBackoffCapMs);
  delay = static_cast<uint64_t>(static_cast<double>(delay) * (0.5 + std::clamp(jitter, 0.0, 1.0)));
  if (retryAfterSeconds)
    delay = static_cast<uint64_t>(std::clamp<int64_t>(*retryAfterSeconds, 0, kRetryAfterCapSeconds)) * 1000;
  record.readyAtMs = nowMs + delay;
  record.askedByServer = retryAfterSeconds.has_value();
}

void ServerBackoff::ForgetOwnRests() {
  std::erase_if(servers_, [](const auto& entry) { return !entry.second.askedByServer; });
}

uint64_t ServerBackoff::ReadyAt(const std::wstring& server) const {
  const auto found = servers_.find(server);
  return found == servers_.end() ? 0 : found->second.readyAtMs;
}

std::optional<int64_t> ParseRetryAfter(std::string_view value, int64_t nowUnixSeconds) {
  const std::string text = TrimText(value);
  if (const std::optional<int64_t> seconds = ParseInt64(text); seconds && !text.empty() && text[0] != '-' &&
                                                                text[0] != '+')
    return std::min(*seconds, kRetryAfterCapSeconds);
  const std::optional<NetDateTime> date = ParseInternetDate(text);
  if (!date) return std::nullopt;
  const double seconds = (*date - NetDateTimeFromUnixSeconds(nowUnixSeconds)) * 86400.0;
  return std::clamp<int64_t>(static_cast<int64_t>(seconds + 0.5), 0, kRetryAfterCapSeconds);
}

}  // namespace quonel
