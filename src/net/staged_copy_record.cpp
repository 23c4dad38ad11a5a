#include "net/staged_copy_record.h"

#include "net/download_response.h"

namespace quonel {
namespace {

const char kRelease[] = "release=";
const char kSize[] = "size=";
const char kLastModified[] = "last-modified=";
const char kETag[] = "etag=";
const char kEnd[] = "end";

std::string OneLine(const std::string& value) {
  std::string line;
  for (const char c : value)
    if (c != '\r' && c != '\n') line += c;
  return line;
}

bool TakeValue(const std::string& line, const std::string& key, std::string& value) {
  if (line.compare(0, key.size(), key) != 0) return false;
  value = line.substr(key.size());
  return true;
}

}  // namespace

std::string FormatStagedCopyRecord(const StagedCopyRecord& record) {
  return std::string(kRelease) + OneLine(record.release) + "\n" + kSize + std::to_string(record.size) + "\n" +
         kLastModified + OneLine(record.lastModified) + "\n" + kETag + OneLine(record.etag) + "\n" + kEnd + "\n";
}

std::optional<StagedCopyRecord> ParseStagedCopyRecord(const std::string& text) {
  // Exactly the lines FormatStagedCopyRecord writes, in its order; the last
  // one proves that the record was written whole.
  StagedCopyRecord record;
  std::string lines[5];
  size_t at = 0;
  for (std::string& line : lines) {
    const size_t end = text.find('\n', at);
    if (end == std::string::npos) return std::nullopt;
    line = text.substr(at, end - at);
    at = end + 1;
  }
  std::string size;
  if (!TakeValue(lines[0], kRelease, record.release) || !TakeValue(lines[1], kSize, size) ||
      !TakeValue(lines[2], kLastModified, record.lastModified) || !TakeValue(lines[3], kETag, record.etag) ||
      lines[4] != kEnd || at != text.size()) {
    return std::nullopt;
  }
  if (size == "-1") {
    record.size = -1;
  } else if (const std::optional<int64_t> value = ParseDecimal(size)) {
    record.size = *value;
  } else {
    return std::nullopt;
  }
  return record;
}

std::string IfRangeValidator(const StagedCopyRecord& record) {
  // A weak ETag may not be used for a range (the server would ignore it).
  if (!record.etag.empty() && record.etag.compare(0, 2, "W/") != 0) return record.etag;
  return record.lastModified;
}

}  // namespace quonel
