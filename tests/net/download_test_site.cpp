#include "download_test_site.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/test_paths.h"

namespace quonel::testing {
namespace {

LRESULT CALLBACK SiteWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) {
    auto* site = reinterpret_cast<RecordingSite*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    site->AbortFlag = true;
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

RecordingSite::RecordingSite() {
  socket.SetClientType(ctBlocking);
  DownSocket = &socket;
  static const bool registered = [] {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = SiteWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QuonelDownloadTestSite";
    return RegisterClassW(&windowClass) != 0;
  }();
  if (registered) {
    window = CreateWindowW(L"QuonelDownloadTestSite", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
}

RecordingSite::~RecordingSite() {
  if (window) DestroyWindow(window);
}

void RecordingSite::ShowDownloadAmount(const std::wstring& amountText, int64_t maximum, int64_t progress) {
  label = amountText;
  gaugeMaximum = maximum;
  gaugeProgress = progress;
  clockAtLastAmount = clockMs;
  ++amounts;
}

void RecordingSite::RepaintProgressPage() {
  paintedLabel = label;
  ++paints;
}

void RecordingSite::ProcessMessages() {
  ++pumps;
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

uint64_t RecordingSite::TickCountMs() {
  return countingClock ? clockMs += clockStepMs : TDownloadSite::TickCountMs();
}

std::wstring DownloadTestDir() {
  const std::wstring dir = Wide(TestOutputDir()) + L"\\download";
  std::filesystem::create_directories(dir);
  return dir;
}

std::string ReadBinaryFile(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBinaryFile(const std::wstring& path, const std::string& bytes) {
  std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

int64_t FileSize(const std::wstring& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(std::filesystem::path(path), error);
  return error ? -1 : static_cast<int64_t>(size);
}

std::wstring Wide(const std::string& text) {
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

}  // namespace quonel::testing
