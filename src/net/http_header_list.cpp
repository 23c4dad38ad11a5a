#include "net/http_header_list.h"

#include "net/http_text.h"

namespace quonel {
namespace {
bool IsContinuation(std::string_view line) { return !line.empty() && (line[0] == ' ' || line[0] == '\t'); }
}  // namespace

std::string TNetHeaderList::NameOf(std::string_view line) {
  if (IsContinuation(line)) return "";
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos) return "";
  return TrimText(line.substr(0, colon));
}

int TNetHeaderList::IndexOfName(std::string_view name) const {
  for (size_t i = 0; i < lines_.size(); ++i)
    if (!IsContinuation(lines_[i]) && lines_[i].find(':') != std::string::npos &&
        SameTextNoCase(NameOf(lines_[i]), name))
      return static_cast<int>(i);
  return -1;
}

size_t TNetHeaderList::ContinuationEnd(size_t index) const {
  size_t end = index + 1;
  while (end < lines_.size() && IsContinuation(lines_[end])) ++end;
  return end;
}

std::string TNetHeaderList::ValueAt(size_t index) const {
  const std::string& line = lines_[index];
  std::string value = TrimText(std::string_view(line).substr(line.find(':') + 1));
  for (size_t i = index + 1; i < ContinuationEnd(index); ++i) {
    const std::string more = TrimText(lines_[i]);
    if (more.empty()) continue;
    if (!value.empty()) value += ' ';
    value += more;
  }
  return value;
}

std::string TNetHeaderList::Values(std::string_view name) const {
  const int index = IndexOfName(name);
  return index < 0 ? std::string() : ValueAt(index);
}

std::vector<std::string> TNetHeaderList::AllValues(std::string_view name) const {
  std::vector<std::string> values;
  for (size_t i = 0; i < lines_.size(); ++i)
    if (!IsContinuation(lines_[i]) && lines_[i].find(':') != std::string::npos &&
        SameTextNoCase(NameOf(lines_[i]), name))
      values.push_back(ValueAt(i));
  return values;
}

// A line longer than the fold length continues on lines that begin with a
// blank; it breaks only at blanks so that reading it back joins it unchanged.
std::vector<std::string> TNetHeaderList::Fold(std::string line) const {
  std::vector<std::string> result;
  while (foldLength_ > 1 && line.size() > foldLength_) {
    const size_t cut = line.rfind(' ', foldLength_);
    if (cut == std::string::npos || cut == 0 || line.find_first_not_of(' ', cut) == std::string::npos) break;
    result.push_back(line.substr(0, cut));
    line = " " + line.substr(line.find_first_not_of(' ', cut));
  }
  result.push_back(line);
  return result;
}

void TNetHeaderList::SetValue(std::string_view name, std::string_view value) {
  const int index = IndexOfName(name);
  const size_t begin = index < 0 ? lines_.size() : static_cast<size_t>(index);
  const size_t end = index < 0 ? lines_.size() : ContinuationEnd(begin);
  std::vector<std::string> replacement;
  if (!value.empty()) replacement = Fold(std::string(name) + ": " + std::string(value));
  lines_.erase(lines_.begin() + begin, lines_.begin() + end);
  lines_.insert(lines_.begin() + begin, replacement.begin(), replacement.end());
}

}  // namespace quonel
