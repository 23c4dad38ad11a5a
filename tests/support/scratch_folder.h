// A fresh folder for one test, removed with everything in it afterwards.
#pragma once
#include <filesystem>
#include <string>

namespace quonel::testing {

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder with a trailing separator, as the program's paths are built.
  std::wstring WithSeparator() const;
  // Writes bytes to a file below the folder, creating its folders.
  void Write(const std::filesystem::path& relative, const std::string& bytes) const;
  // The bytes of a file below the folder; "" when it is missing.
  std::string Read(const std::filesystem::path& relative) const;
  bool Exists(const std::filesystem::path& relative) const;

 private:
  std::filesystem::path path_;
};

}  // namespace quonel::testing
