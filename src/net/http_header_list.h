// Header lines "Name: value" with names compared without regard to case,
// continuation lines (beginning with a blank or tab) and folding of long lines.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace quonel {

class TNetHeaderList {
 public:
  explicit TNetHeaderList(size_t foldLength = 1024) : foldLength_(foldLength) {}

  int Count() const { return static_cast<int>(lines_.size()); }
  const std::string& operator[](int index) const { return lines_.at(index); }
  const std::vector<std::string>& Lines() const { return lines_; }
  void Add(std::string line) { lines_.push_back(std::move(line)); }
  void Clear() { lines_.clear(); }
  size_t FoldLength() const { return foldLength_; }
  void SetFoldLength(size_t length) { foldLength_ = length; }

  // The value of the first line of that name with its continuation lines, or "".
  std::string Values(std::string_view name) const;
  // Replaces the named line (and its continuations) in place or appends one;
  // an empty value removes it.
  void SetValue(std::string_view name, std::string_view value);
  // The values of every line of that name, in order.
  std::vector<std::string> AllValues(std::string_view name) const;
  // Index of the first line of that name, or -1.
  int IndexOfName(std::string_view name) const;
  // The name part of a line ("" for a continuation line or a line without ':').
  static std::string NameOf(std::string_view line);

 private:
  std::string ValueAt(size_t index) const;
  size_t ContinuationEnd(size_t index) const;
  std::vector<std::string> Fold(std::string line) const;

  std::vector<std::string> lines_;
  size_t foldLength_;
};

}  // namespace quonel
