#include "support/loopback_file_site.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <utility>

namespace quonel::testing {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// The value of a header line of head, "" when it is absent.
std::string HeaderValue(const std::string& head, const std::string& name) {
  const std::string lower = Lower(head);
  const size_t at = lower.find("\r\n" + Lower(name) + ":");
  if (at == std::string::npos) return "";
  size_t begin = at + 2 + name.size() + 1;
  while (begin < head.size() && head[begin] == ' ') ++begin;
  return head.substr(begin, head.find("\r\n", begin) - begin);
}

// The offset of "bytes=N-", or -1 without a usable range.
long long RangeStart(const std::string& head) {
  const std::string range = Lower(HeaderValue(head, "Range"));
  if (range.rfind("bytes=", 0) != 0 || range.back() != '-') return -1;
  try {
    return std::stoll(range.substr(6));
  } catch (...) {
    return -1;
  }
}

// The target's bytes, "%XX" decoded as a web server decodes them.
std::string Decoded(const std::string& target) {
  std::string bytes;
  for (size_t i = 0; i < target.size(); ++i) {
    if (target[i] == '%' && i + 2 < target.size() && std::isxdigit(static_cast<unsigned char>(target[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(target[i + 2]))) {
      bytes += static_cast<char>(std::stoi(target.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      bytes += target[i];
    }
  }
  return bytes;
}

// The request's method and decoded target without its leading "/".
std::pair<std::string, std::string> MethodAndPath(const std::string& head) {
  const size_t space = head.find(' ');
  const std::string method = head.substr(0, space);
  const size_t targetStart = space == std::string::npos ? head.size() : space + 1;
  std::string target = head.substr(targetStart, head.find(' ', targetStart) - targetStart);
  if (!target.empty() && target[0] == '/') target.erase(0, 1);
  return {method, Decoded(target)};
}

std::string Status(int code, const std::string& reason, const std::string& headers) {
  return "HTTP/1.1 " + std::to_string(code) + " " + reason + "\r\nServer: loopback\r\n" + headers + "\r\n";
}

}  // namespace

LoopbackFileSite::LoopbackFileSite()
    : server_(std::make_unique<LoopbackServer>([this](ScriptedConnection& c) { Serve(c); })) {}

LoopbackFileSite::~LoopbackFileSite() { server_.reset(); }

void LoopbackFileSite::Put(const std::string& path, std::string bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  files_[path] = std::move(bytes);
}

void LoopbackFileSite::Pace(const std::string& path, size_t blockBytes, int pauseMs) {
  std::lock_guard<std::mutex> lock(mutex_);
  pacing_[path] = {blockBytes, pauseMs};
}

void LoopbackFileSite::Answer(const std::string& path, int status, const std::string& headers) {
  std::lock_guard<std::mutex> lock(mutex_);
  answers_[path] = {status, headers};
}

void LoopbackFileSite::Silence(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  silent_.push_back(path);
}

std::string LoopbackFileSite::Url(const std::string& path) const { return server_->Url("/" + path); }

std::vector<std::string> LoopbackFileSite::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

int LoopbackFileSite::CountRequests(const std::string& method, const std::string& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(std::count_if(requests_.begin(), requests_.end(), [&](const std::string& head) {
    return MethodAndPath(head) == std::make_pair(method, path);
  }));
}

LoopbackFileSite::Pacing LoopbackFileSite::PacingOf(const std::string& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto it = pacing_.find(path);
  return it == pacing_.end() ? Pacing{} : it->second;
}

bool LoopbackFileSite::SendBody(ScriptedConnection& connection, const std::string& path, const std::string& body) {
  size_t sent = 0;
  while (sent < body.size()) {
    const Pacing pacing = PacingOf(path);
    const size_t block = pacing.pauseMs > 0 && pacing.blockBytes > 0 ? pacing.blockBytes : body.size() - sent;
    const size_t n = std::min(block, body.size() - sent);
    if (!connection.Send(body.substr(sent, n))) return false;
    sent += n;
    if (sent < body.size() && pacing.pauseMs > 0 && !connection.Pause(pacing.pauseMs)) return false;
  }
  return true;
}

void LoopbackFileSite::Serve(ScriptedConnection& connection) {
  // Keep-alive: requests follow each other until the client closes, goes
  // quiet for long, or asks to close.
  for (;;) {
    const std::string head = connection.ReadRequestHead(120000);
    if (head.empty()) return;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      requests_.push_back(head);
    }
    const auto [method, target] = MethodAndPath(head);

    std::string body;
    bool found = false;
    bool silent = false;
    std::optional<std::pair<int, std::string>> answer;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (const auto canned = answers_.find(target); canned != answers_.end()) answer = canned->second;
      silent = std::find(silent_.begin(), silent_.end(), target) != silent_.end();
      const auto it = files_.find(target);
      if (it != files_.end()) {
        body = it->second;
        found = true;
      }
    }
    if (silent) {
      connection.HoldUntilServerStops();
      return;
    }
    const std::string size = std::to_string(body.size());
    bool ok = true;
    if (answer) {
      ok = connection.Send(Status(answer->first, "Canned", answer->second + "Content-Length: 0\r\n"));
    } else if (!found) {
      const std::string page = "<html><body>404 Not Found</body></html>";
      ok = connection.Send(Status(404, "Not Found", "Content-Length: " + std::to_string(page.size()) + "\r\n") +
                           (method == "HEAD" ? "" : page));
    } else if (method == "HEAD") {
      ok = connection.Send(Status(200, "OK", "Content-Length: " + size + "\r\nAccept-Ranges: bytes\r\n"));
    } else if (const long long from = RangeStart(head); from >= 0) {
      if (from >= static_cast<long long>(body.size())) {
        ok = connection.Send(
            Status(416, "Requested Range Not Satisfiable", "Content-Range: bytes */" + size + "\r\nContent-Length: 0\r\n"));
      } else {
        const std::string part = body.substr(static_cast<size_t>(from));
        ok = connection.Send(Status(206, "Partial Content",
                                    "Content-Range: bytes " + std::to_string(from) + "-" +
                                        std::to_string(body.size() - 1) + "/" + size +
                                        "\r\nContent-Length: " + std::to_string(part.size()) + "\r\n")) &&
             SendBody(connection, target, part);
      }
    } else {
      ok = connection.Send(Status(200, "OK", "Content-Length: " + size + "\r\n")) && SendBody(connection, target, body);
    }
    if (!ok || Lower(HeaderValue(head, "Connection")) == "close") {
      connection.Close();
      return;
    }
  }
}

}  // namespace quonel::testing
