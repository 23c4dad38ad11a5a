// The resumable download against a real nginx on loopback: ranges answered
// with 206 and Content-Range, a complete copy answered with 416, large files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "download_test_site.h"
#include "support/nginx_fixture.h"
#include "support/nginx_log.h"

namespace quonel::testing {
namespace {

// A deterministic pattern in which every 8-byte word names its own offset,
// so a block that is lost, doubled or shifted shows.
void FillPattern(int64_t offset, char* bytes, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const uint64_t at = static_cast<uint64_t>(offset) + i;
    const uint64_t word = (at / 8) * 0x9E3779B97F4A7C15ULL;
    bytes[i] = static_cast<char>(word >> (8 * (at % 8)));
  }
}

class File {
 public:
  File(const std::wstring& path, DWORD access, DWORD disposition)
      : handle_(CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition, 0, nullptr)) {}
  ~File() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
  // A sparse start: only the length is set, nothing is written.
  void SetLength(int64_t length) {
    LARGE_INTEGER at;
    at.QuadPart = length;
    SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN);
    SetEndOfFile(handle_);
  }
  void WritePatternAt(int64_t offset, int64_t count) {
    LARGE_INTEGER at;
    at.QuadPart = offset;
    SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN);
    std::vector<char> chunk(1 << 20);
    for (int64_t done = 0; done < count;) {
      const DWORD n = static_cast<DWORD>(std::min<int64_t>(chunk.size(), count - done));
      FillPattern(offset + done, chunk.data(), n);
      DWORD written = 0;
      WriteFile(handle_, chunk.data(), n, &written, nullptr);
      done += n;
    }
  }
  // Offset of the first byte that differs from the pattern, or -1.
  int64_t FirstPatternMismatch(int64_t offset, int64_t count) {
    LARGE_INTEGER at;
    at.QuadPart = offset;
    SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN);
    std::vector<char> expected(1 << 20);
    std::vector<char> actual(1 << 20);
    for (int64_t done = 0; done < count;) {
      const DWORD n = static_cast<DWORD>(std::min<int64_t>(actual.size(), count - done));
      DWORD got = 0;
      if (!ReadFile(handle_, actual.data(), n, &got, nullptr) || got != n) return offset + done;
      FillPattern(offset + done, expected.data(), n);
      if (std::memcmp(expected.data(), actual.data(), n) != 0) {
        for (DWORD i = 0;; ++i)
          if (expected[i] != actual[i]) return offset + done + i;
      }
      done += n;
    }
    return -1;
  }

 private:
  HANDLE handle_;
};

class NginxDownload : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GT(NginxPort(), 0) << "the nginx fixture did not start";
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    name = std::string("download_") + info->name() + ".bin";
    served = Wide(NginxDocumentRoot()) + L"\\" + Wide(name);
    local = DownloadTestDir() + L"\\" + Wide(name);
    DeleteFileW(local.c_str());
  }
  void TearDown() override {
    DeleteFileW(served.c_str());
    DeleteFileW(local.c_str());
  }
  void Serve(int64_t size) {
    File file(served, GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_TRUE(file.ok());
    file.WritePatternAt(0, size);
  }
  bool Download() {
    return site.DownloadFile(Wide("http://127.0.0.1:" + std::to_string(NginxPort()) + "/" + name), local);
  }
  int64_t Mismatch(int64_t offset, int64_t count) {
    File file(local, GENERIC_READ, OPEN_EXISTING);
    return file.ok() ? file.FirstPatternMismatch(offset, count) : 0;
  }

  RecordingSite site;
  std::string name;
  std::wstring served;
  std::wstring local;
};

TEST_F(NginxDownload, NewFileAsksForARangeFromZero) {
  Serve(100000);
  ASSERT_TRUE(Download());
  EXPECT_TRUE(site.RangeOK);
  EXPECT_EQ(0, site.StartPos);
  EXPECT_EQ(100000, FileSize(local));
  EXPECT_EQ(-1, Mismatch(0, 100000));
  EXPECT_EQ(std::vector<std::wstring>{local + L"文件下载完成\r\n"}, site.log);
  EXPECT_EQ(L"共 100,000 字节，已下载 100,000 字节", site.label);
  EXPECT_NE(std::string::npos, NginxAccessLogSettled().find("\"GET /" + name + " HTTP/1.1\" 206 100000"));
}

TEST_F(NginxDownload, ResumeMakesTheCopyIdenticalToTheOriginal) {
  Serve(250000);
  {
    File staged(local, GENERIC_WRITE, CREATE_ALWAYS);
    staged.WritePatternAt(0, 77777);
  }
  ASSERT_TRUE(Download());
  EXPECT_EQ(77777, site.StartPos);
  EXPECT_EQ(250000, FileSize(local));
  EXPECT_EQ(-1, Mismatch(0, 250000));
  EXPECT_EQ(L"共 172,223 字节，已下载 172,223 字节", site.label);
}

TEST_F(NginxDownload, CompleteCopyIsConfirmedByTheUnsatisfiableAnswer) {
  Serve(5000);
  {
    File staged(local, GENERIC_WRITE, CREATE_ALWAYS);
    staged.WritePatternAt(0, 5000);
  }
  ASSERT_TRUE(Download());
  EXPECT_TRUE(site.RangeOK);
  EXPECT_EQ(5000, FileSize(local));
  EXPECT_EQ(-1, Mismatch(0, 5000));
  EXPECT_EQ(std::vector<std::wstring>{local + L"文件下载完成\r\n"}, site.log);
  EXPECT_NE(std::string::npos, NginxAccessLogSettled().find("\"GET /" + name + " HTTP/1.1\" 416"));
}

TEST_F(NginxDownload, ThreeHundredMebibytes) {
  const int64_t size = 300LL << 20;
  Serve(size);
  ASSERT_TRUE(Download());
  EXPECT_EQ(size, FileSize(local));
  EXPECT_EQ(-1, Mismatch(0, size));
  EXPECT_EQ(L"共 314,572,800 字节，已下载 314,572,800 字节", site.label);
}

TEST_F(NginxDownload, ResumeBeyondTwoGibibytes) {
  // Both files are sparse up to the resume offset; only the tail is written.
  const int64_t start = (2LL << 30) + 4096;
  const int64_t tail = 1 << 20;
  {
    File file(served, GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_TRUE(file.ok());
    file.SetLength(start);
    file.WritePatternAt(start, tail);
    File staged(local, GENERIC_WRITE, CREATE_ALWAYS);
    staged.SetLength(start);
  }
  ASSERT_TRUE(Download());
  EXPECT_EQ(start, site.StartPos);
  EXPECT_EQ(start + tail, FileSize(local));
  EXPECT_EQ(-1, Mismatch(start, tail));
  EXPECT_EQ(L"共 1,048,576 字节，已下载 1,048,576 字节", site.label);
}

}  // namespace
}  // namespace quonel::testing
