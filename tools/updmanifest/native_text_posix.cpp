#include "core/utf8.h"
#include "native_text.h"

namespace quonel::updmanifest {

std::wstring PathText(const std::filesystem::path& path) { return Utf8ToWide(path.native()); }
std::filesystem::path PathFromText(const std::wstring& text) { return std::filesystem::path(WideToUtf8(text)); }
std::string ConsoleBytes(std::wstring_view text) { return WideToUtf8(text); }
std::wstring ArgumentText(const char* argument) { return Utf8ToWide(argument); }

}  // namespace quonel::updmanifest
