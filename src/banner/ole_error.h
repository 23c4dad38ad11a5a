// The failures of the ActiveX host: EOleError with a fixed text, and
// EOleSysError for a failed result code, worded as the system words it.
#pragma once
#include <windows.h>

#include <string>

#include "core/exception.h"

namespace quonel {

QUONEL_DECLARE_EXCEPTION(EOleError, Exception);

class EOleSysError : public EOleError {
 public:
  explicit EOleSysError(HRESULT code);
  const wchar_t* ClassName() const override { return L"EOleSysError"; }
  HRESULT ErrorCode() const { return code_; }

 private:
  HRESULT code_;
};

inline constexpr wchar_t kOleActivationFailed[] = L"OLE control activation failed";
inline constexpr wchar_t kNoOleControlWindow[] = L"Could not obtain OLE control window handle";

// The system's text for code, or "OLE error %.8x" when it has none.
std::wstring OleErrorText(HRESULT code);
// Raises EOleSysError for a failed result; gives a successful one back.
HRESULT OleCheck(HRESULT result);

}  // namespace quonel
