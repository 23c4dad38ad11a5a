#include "support/scratch_folder.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>

namespace quonel::testing {

ScratchFolder::ScratchFolder() {
  static std::atomic<int> serial{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = std::filesystem::temp_directory_path() /
          ("quonel-test-" + std::to_string(stamp) + "-" + std::to_string(serial++));
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::wstring ScratchFolder::WithSeparator() const {
  std::wstring text = path_.wstring();
  if (!text.empty() && text.back() != L'\\' && text.back() != L'/') text += static_cast<wchar_t>(std::filesystem::path::preferred_separator);
  return text;
}

void ScratchFolder::Write(const std::filesystem::path& relative, const std::string& bytes) const {
  const std::filesystem::path target = path_ / relative;
  std::filesystem::create_directories(target.parent_path());
  std::ofstream(target, std::ios::binary) << bytes;
}

std::string ScratchFolder::Read(const std::filesystem::path& relative) const {
  std::ifstream file(path_ / relative, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

bool ScratchFolder::Exists(const std::filesystem::path& relative) const {
  return std::filesystem::exists(path_ / relative);
}

}  // namespace quonel::testing
