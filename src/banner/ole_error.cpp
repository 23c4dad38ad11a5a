#include "banner/ole_error.h"

#include <cwchar>

#include "core/system_message.h"

namespace quonel {

std::wstring OleErrorText(HRESULT code) {
  std::wstring text = SystemErrorMessage(static_cast<uint32_t>(code));
  if (!text.empty()) return text;
  wchar_t fallback[32];
  std::swprintf(fallback, 32, L"OLE error %.8x", static_cast<unsigned>(code));
  return fallback;
}

EOleSysError::EOleSysError(HRESULT code) : EOleError(OleErrorText(code)), code_(code) {}

HRESULT OleCheck(HRESULT result) {
  if (FAILED(result)) throw EOleSysError(result);
  return result;
}

}  // namespace quonel
