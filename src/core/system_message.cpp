#include "core/system_message.h"

#include <windows.h>

namespace quonel {

std::wstring SystemErrorMessage(uint32_t code) {
  wchar_t buffer[257] = {};
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                      buffer, 256, nullptr);
  std::wstring text(buffer, length);
  while (!text.empty() && (text.back() < L'!' || text.back() == L'.')) text.pop_back();
  return text;
}

}  // namespace quonel
