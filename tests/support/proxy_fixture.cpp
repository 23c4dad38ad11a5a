#include "support/proxy_fixture.h"

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "support/test_paths.h"

namespace quonel::testing {
namespace {
#ifdef _WIN32
const char kSeparator[] = "\\";
const wchar_t kConnections[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";
#else
const char kSeparator[] = "/";
#endif
std::string InstanceDir(const std::string& instance) {
  return FixturesDir() + kSeparator + "tinyproxy" + kSeparator + instance + kSeparator;
}
}  // namespace

int TinyproxyPort(const std::string& instance) {
  return std::atoi(ReadTextFile(InstanceDir(instance) + "port").c_str());
}

std::vector<std::string> TinyproxyRequests(const std::string& instance) {
  std::vector<std::string> requests;
  std::istringstream log(ReadTextFile(InstanceDir(instance) + "access.log"));
  const std::string marker = "): ";
  for (std::string line; std::getline(log, line);) {
    if (line.find("Request (file descriptor") == std::string::npos) continue;
    const size_t at = line.find(marker);
    if (at != std::string::npos) requests.push_back(line.substr(at + marker.size()));
  }
  return requests;
}

bool WaitForTinyproxyRequest(const std::string& instance, const std::string& needle, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    for (const std::string& request : TinyproxyRequests(instance))
      if (request.find(needle) != std::string::npos) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

#ifdef _WIN32
SystemProxyScope::SystemProxyScope(const std::string& proxy, const std::string& bypass, bool autoDetect) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, kConnections, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
  DWORD size = 0;
  if (RegQueryValueExW(key, L"DefaultConnectionSettings", nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
    saved_.resize(size);
    hadValue_ = RegQueryValueExW(key, L"DefaultConnectionSettings", nullptr, nullptr, saved_.data(), &size) ==
                ERROR_SUCCESS;
  }
  // Version, change counter, flags (1 direct, 2 proxy, 8 detect), then the
  // proxy, the bypass list and the script address, each with its length.
  std::vector<unsigned char> blob;
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) blob.push_back(static_cast<unsigned char>(v >> (8 * i)));
  };
  auto putText = [&](const std::string& text) {
    put32(static_cast<uint32_t>(text.size()));
    blob.insert(blob.end(), text.begin(), text.end());
  };
  put32(0x46);
  put32(2);
  put32(1u | (proxy.empty() ? 0u : 2u) | (autoDetect ? 8u : 0u));
  putText(proxy);
  putText(bypass);
  putText("");
  blob.resize(blob.size() + 32, 0);
  RegSetValueExW(key, L"DefaultConnectionSettings", 0, REG_BINARY, blob.data(), static_cast<DWORD>(blob.size()));
  RegCloseKey(key);
}

SystemProxyScope::~SystemProxyScope() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kConnections, 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
  if (hadValue_)
    RegSetValueExW(key, L"DefaultConnectionSettings", 0, REG_BINARY, saved_.data(), static_cast<DWORD>(saved_.size()));
  else
    RegDeleteValueW(key, L"DefaultConnectionSettings");
  RegCloseKey(key);
}
#endif

}  // namespace quonel::testing
