// Texts at the edge of the platform: file names (UTF-16 on Windows, UTF-8
// bytes elsewhere) and what the tool prints (the ANSI code page of a Windows
// console, UTF-8 elsewhere). Inside, the tool works on wide strings.
#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace quonel::updmanifest {

std::wstring PathText(const std::filesystem::path& path);
std::filesystem::path PathFromText(const std::wstring& text);
std::string ConsoleBytes(std::wstring_view text);
std::wstring ArgumentText(const char* argument);

}  // namespace quonel::updmanifest
