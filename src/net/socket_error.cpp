#include "net/socket_error.h"

#include <winsock.h>
#include <windows.h>

#include <cwchar>

namespace quonel {

std::wstring SystemErrorMessage(int code) {
  wchar_t buffer[257] = {};
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     static_cast<DWORD>(code), 0, buffer, 256, nullptr);
  std::wstring text(buffer, length);
  while (!text.empty() && (text.back() < L'!' || text.back() == L'.')) text.pop_back();
  return text;
}

void RaiseSocketError(int code, const char* api) {
  wchar_t message[512];
  std::swprintf(message, 512, L"Windows socket error: %ls (%d), on API '%hs'",
                SystemErrorMessage(code).c_str(), code, api);
  throw ESocketError(message);
}

int CheckSocketCall(int result, const char* api) {
  if (result == 0) return 0;
  const int code = WSAGetLastError();
  if (code != kWouldBlock) RaiseSocketError(code, api);
  return code;
}

}  // namespace quonel
