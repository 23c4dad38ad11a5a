// The small in-memory INI reader of skin descriptions: sections and keys
// match without regard to case, the first of duplicates wins, values keep
// their case.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quonel {

class TQuickIni {
 public:
  // Parses bytes up to the first NUL; replaces any previous content.
  void LoadFromBytes(std::string_view text);
  // Parses the stream's bytes from position to the end (the member streams
  // of the skin archive are in-memory byte strings).
  void LoadFromStream(const std::string& stream, size_t position = 0);

  // Section names in file order, without brackets, trimmed.
  void GetSections(std::vector<std::string>& names) const;
  std::string ReadString(std::string_view section, std::string_view key, const std::string& fallback) const;
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const;

  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
  // Header text with brackets, and its index in lines_.
  std::vector<std::pair<std::string, size_t>> sections_;
};

// Trims characters with codes up to 32 on both ends.
std::string_view TrimControls(std::string_view text);
// The text as an integer: decimal with sign, "0x"/"0X" (longer than two
// characters) or "$" hexadecimal; false when it does not convert or does not
// fit 32 bits.
bool ParseSkinInteger(std::string_view text, int32_t& value);

}  // namespace quonel
