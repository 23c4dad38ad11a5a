// Text to number conversions and the exception they raise, with the
// system's own messages.
#pragma once
#include <cstdint>
#include <string>

#include "core/exception.h"

namespace quonel {

QUONEL_DECLARE_EXCEPTION(EConvertError, Exception);

// "'%s' is not a valid integer value"
std::wstring InvalidIntegerMessage(const std::wstring& text);
// "'%s' is not a valid date and time"
std::wstring InvalidDateTimeMessage(const std::wstring& text);

// Decimal with optional sign and surrounding blanks, or hexadecimal with a
// leading "$" or "0x"; anything else (empty text, overflow, trailing
// characters) raises EConvertError.
int32_t StrToInt(const std::wstring& text);
int64_t StrToInt64(const std::wstring& text);
int32_t StrToIntDef(const std::wstring& text, int32_t fallback);
bool TryStrToInt64(const std::wstring& text, int64_t& value);

// Narrow (ASCII) text for protocol callers.
int32_t StrToInt(const std::string& text);

std::wstring IntToStr(int64_t value);

}  // namespace quonel
