#include "core/ansi_text.h"
#include "native_text.h"

namespace quonel::updmanifest {

std::wstring PathText(const std::filesystem::path& path) { return path.native(); }
std::filesystem::path PathFromText(const std::wstring& text) { return std::filesystem::path(text); }
std::string ConsoleBytes(std::wstring_view text) { return WideToAnsi(text); }
std::wstring ArgumentText(const char* argument) { return AnsiToWide(argument); }

}  // namespace quonel::updmanifest
