#include "app/section_path_guard.h"

#include <cwctype>

namespace quonel {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::wstring UpperCase(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

// CON, NUL, COM1 … are devices in every folder, with any extension.
bool IsDeviceName(const std::wstring& component) {
  std::wstring stem = UpperCase(component.substr(0, component.find(L'.')));
  while (!stem.empty() && stem.back() == L' ') stem.pop_back();
  static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$", L"CLOCK$"};
  for (const wchar_t* device : kDevices)
    if (stem == device) return true;
  if (stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) &&
      ((stem[3] >= L'0' && stem[3] <= L'9') || stem[3] == L'\u00B9' || stem[3] == L'\u00B2' ||
       stem[3] == L'\u00B3'))
    return true;
  return false;
}

bool IsSafeComponent(const std::wstring& component) {
  if (component.empty()) return false;
  const wchar_t last = component.back();
  if (last == L'.' || last == L' ') return false;  // also refuses "." and ".."
  for (wchar_t c : component) {
    if (c < 0x20 || c == L':' || c == L'*' || c == L'?' || c == L'"' || c == L'<' || c == L'>' ||
        c == L'|')
      return false;
  }
  return !IsDeviceName(component);
}

}  // namespace

bool IsSafeSectionPath(const std::wstring& name) {
  if (name.empty() || IsSeparator(name.front())) return false;
  size_t start = 0;
  for (;;) {
    size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    if (!IsSafeComponent(name.substr(start, end - start))) return false;
    if (end == name.size()) return true;
    start = end + 1;
  }
}

}  // namespace quonel
