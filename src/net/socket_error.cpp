#include "net/socket_error.h"

#include <winsock.h>
#include <windows.h>

#include <cwchar>

#include "core/system_message.h"

namespace quonel {

void RaiseSocketError(int code, const char* api) {
  wchar_t message[512];
  std::swprintf(message, 512, L"Windows socket error: %ls (%d), on API '%hs'",
                SystemErrorMessage(static_cast<uint32_t>(code)).c_str(), code, api);
  throw ESocketError(message);
}

int CheckSocketCall(int result, const char* api) {
  if (result == 0) return 0;
  const int code = WSAGetLastError();
  if (code != kWouldBlock) RaiseSocketError(code, api);
  return code;
}

}  // namespace quonel
