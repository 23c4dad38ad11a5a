// What the wizard's end-to-end tests share: the programs under test, a
// folder of its own under nginx's root, and the dates and contents of the
// installations they prepare.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/loopback_file_site.h"
#include "support/nginx_fixture.h"
#include "support/test_paths.h"
#include "support/wizard_session.h"

namespace quonel::e2e {

using namespace quonel::testing;

// The installed files' last-write time, and a later release.
inline SYSTEMTIME Installed() { return LocalTime(2026, 1, 1, 8, 0, 0); }
inline SYSTEMTIME Release() { return LocalTime(2026, 12, 7, 9, 5, 0); }

inline std::wstring Wide(const std::string& text) { return std::filesystem::path(text).wstring(); }
inline std::string Narrow(const std::wstring& text) { return std::filesystem::path(text).string(); }

inline std::filesystem::path UpdateExe() { return Wide(HostPath(QUONEL_UPDATE_EXE)); }
inline std::filesystem::path ClientExe() { return Wide(HostPath(QUONEL_CLIENT_EXE)); }

// Bytes that differ from file to file and position to position.
inline std::string Content(size_t size, char seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(seed + i * 7 + i / 251);
  return bytes;
}

// A folder of its own under nginx's document root, removed afterwards.
class NginxFolder {
 public:
  NginxFolder() {
    static int serial = 0;
    name_ = "e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(serial++);
    path_ = std::filesystem::path(Wide(NginxDocumentRoot())) / name_;
    std::filesystem::create_directories(path_);
  }
  ~NginxFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  NginxFolder(const NginxFolder&) = delete;
  NginxFolder& operator=(const NginxFolder&) = delete;

  void Put(const std::filesystem::path& relative, const std::string& bytes) const {
    std::filesystem::create_directories((path_ / relative).parent_path());
    FILE* file = _wfopen((path_ / relative).c_str(), L"wb");
    ASSERT_NE(nullptr, file);
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
  }
  // "http://127.0.0.1:<port>/<folder>/" + sub
  std::wstring Url(const std::string& sub = "") const {
    return Wide("http://127.0.0.1:" + std::to_string(NginxPort()) + "/" + name_ + "/" + sub);
  }
  // "https://localhost:<port>/<folder>/" + sub, on one of nginx's HTTPS
  // servers (see NginxTlsPort).
  std::wstring HttpsUrl(const std::string& server = "https", const std::string& sub = "") const {
    return Wide("https://localhost:" + std::to_string(NginxTlsPort(server)) + "/" + name_ + "/" + sub);
  }
  // How many requests of this folder nginx has logged whose request line
  // begins with method and this folder's path + path.
  int Requests(const std::string& method, const std::string& path) const {
    return Count("\"" + method + " /" + name_ + "/" + path);
  }
  // Every request of this folder nginx has logged.
  int AllRequests() const { return Count(" /" + name_ + "/"); }

 private:
  static int Count(const std::string& wanted) {
    const std::string log = NginxAccessLog();
    int count = 0;
    for (size_t at = log.find(wanted); at != std::string::npos; at = log.find(wanted, at + 1)) ++count;
    return count;
  }

  std::string name_;
  std::filesystem::path path_;
};

// The usual update: new.dat is new, newer.dat has a later release than
// the installed copy, same.dat is released at the installed copy's time.
struct NewNewerSame {
  const std::string fresh = Content(3000, 'n');
  const std::string newer = Content(5000, 'u');

  void Publish(const NginxFolder& server) const {
    server.Put("new.dat", fresh);
    server.Put("newer.dat", newer);
    server.Put("same.dat", "not to be fetched");
    server.Put("quonel.htm", ManifestText({{L"new.dat", L"新文件", ManifestDateTime(Release())},
                                           {L"newer.dat", L"较新的文件", ManifestDateTime(Release())},
                                           {L"same.dat", L"未变的文件", ManifestDateTime(Installed())}}));
  }
  void Install(ClientInstallation& client) const {
    client.WriteFile("newer.dat", "old copy", Installed());
    client.WriteFile("same.dat", "same copy", Installed());
  }
};

// The row images of a run.
enum RowImage { kHourglass = 0, kTick = 1, kCross = 2, kBalloon = 3 };

}  // namespace quonel::e2e
