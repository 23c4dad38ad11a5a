#include "app/ini_file.h"

#include <windows.h>

#include "core/ansi_text.h"
#include "core/win32_owners.h"

namespace quonel {
namespace {

const DWORD kValueLength = 2048;
const DWORD kNameListLength = 16384;

// Splits "a\0b\0\0" into its names.
std::vector<std::wstring> SplitNameList(const wchar_t* buffer, DWORD length) {
  std::vector<std::wstring> names;
  const wchar_t* at = buffer;
  while (at < buffer + length && *at) {
    names.emplace_back(at);
    at += names.back().size() + 1;
  }
  return names;
}

}  // namespace

std::wstring TIniFile::ReadString(const std::wstring& section, const std::wstring& key,
                                  const std::wstring& fallback) const {
  wchar_t buffer[kValueLength];
  const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback.c_str(),
                                                buffer, kValueLength, path_.c_str());
  return std::wstring(buffer, length);
}

std::vector<std::wstring> TIniFile::ReadSections() const {
  // A list that filled the buffer may have been cut: read it again through a larger one.
  for (DWORD size = kNameListLength;; size *= 2) {
    std::vector<wchar_t> buffer(size, L'\0');
    const DWORD length = GetPrivateProfileSectionNamesW(buffer.data(), size, path_.c_str());
    if (length + 2 < size || size >= (1u << 28)) return SplitNameList(buffer.data(), length);
  }
}

std::vector<std::wstring> TIniFile::ReadSection(const std::wstring& section) const {
  std::vector<wchar_t> buffer(kNameListLength, L'\0');
  const DWORD length = GetPrivateProfileStringW(section.c_str(), nullptr, L"", buffer.data(),
                                                kNameListLength, path_.c_str());
  return SplitNameList(buffer.data(), length);
}

std::vector<std::wstring> TIniFile::ReadSectionValues(const std::wstring& section) const {
  std::vector<std::wstring> values;
  for (const std::wstring& key : ReadSection(section))
    values.push_back(key + L"=" + ReadString(section, key, L""));
  return values;
}

ProfileIndex ReadProfileIndex(const std::wstring& path) {
  OwnedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  // The profile functions read files of up to 4 GiB; a manifest of more than 1 GiB is no manifest.
  if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > (1 << 30)) return ProfileIndex();
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() && !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
    return ProfileIndex();
  bytes.resize(read);
  return ProfileIndex::FromFileBytes(bytes, CodePageToWide);
}

}  // namespace quonel
