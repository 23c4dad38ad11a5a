// Code page 936 through the platform's converter.
#include <windows.h>

#include "core/ansi_text.h"
#include "gb2312_text.h"

namespace quonel::updmanifest {

const UINT kCodePage = 936;

std::optional<std::string> EncodeCodePage936(std::wstring_view text) {
  if (text.empty()) return std::string();
  const int length = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  const int size =
      WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr, &usedDefault);
  if (size <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::wstring DecodeCodePage936(std::string_view bytes) { return CodePageToWide(kCodePage, bytes); }

}  // namespace quonel::updmanifest
