#include "app/run_log_text.h"

#include <vector>

namespace quonel {

std::string_view KeptRunLogTail(std::string_view existing, const RunLogLimits& limits) {
  // Offsets of block starts, newest last.
  std::vector<size_t> starts;
  for (size_t at = 0; at < existing.size();) {
    if (existing.substr(at).starts_with(kRunLogBlockMark)) starts.push_back(at);
    const size_t end = existing.find('\n', at);
    if (end == std::string_view::npos) break;
    at = end + 1;
  }
  size_t kept = existing.size();
  for (size_t i = starts.size(); i > 0; --i) {
    const size_t blocks = starts.size() - (i - 1);
    if (blocks + 1 > limits.keptBlocks || existing.size() - starts[i - 1] > limits.keptBytes) break;
    kept = starts[i - 1];
  }
  return existing.substr(kept);
}

std::string RunLogLines(std::string_view timeStamp, std::string_view utf8Text) {
  std::string lines;
  for (size_t at = 0; at < utf8Text.size();) {
    size_t end = utf8Text.find_first_of("\r\n", at);
    if (end == std::string_view::npos) end = utf8Text.size();
    if (end > at) {
      lines.append(timeStamp).append(" ").append(utf8Text.substr(at, end - at)).append("\r\n");
    }
    at = end + 1;
  }
  return lines;
}

}  // namespace quonel
