#include "support/test_paths.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace quonel::testing {
namespace {

std::string FromEnvironment(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return HostPath(value && *value ? value : fallback);
}

}  // namespace

std::string HostPath(const std::string& unixPath) {
#ifdef _WIN32
  if (unixPath.empty() || unixPath[0] != '/') return unixPath;
  std::string path = "Z:" + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
#else
  return unixPath;
#endif
}

std::string TestOutputDir() {
  const std::string dir = FromEnvironment("QUONEL_TEST_OUTPUT", "test-output");
  std::error_code ignored;
  std::filesystem::create_directories(dir, ignored);
  return dir;
}

std::string FixturesDir() { return FromEnvironment("QUONEL_FIXTURES", "fixtures"); }

std::string SourceDir() { return FromEnvironment("QUONEL_SOURCE", "."); }

std::string ReadTextFile(const std::string& path) {
  std::string text;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    std::fclose(file);
  }
  return text;
}

}  // namespace quonel::testing
