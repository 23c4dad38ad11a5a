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

SectionPathFault FindComponentFault(const std::wstring& component) {
  if (component.empty()) return SectionPathFault::EmptyComponent;
  const wchar_t last = component.back();
  if (last == L'.' || last == L' ') return SectionPathFault::DotOrBlankEnding;  // also "." and ".."
  for (wchar_t c : component) {
    if (c < 0x20) return SectionPathFault::ControlCharacter;
    if (c == L':') return SectionPathFault::Colon;
    if (c == L'*' || c == L'?' || c == L'"' || c == L'<' || c == L'>' || c == L'|') return SectionPathFault::Wildcard;
  }
  return IsDeviceName(component) ? SectionPathFault::DeviceName : SectionPathFault::None;
}

}  // namespace

SectionPathFault FindSectionPathFault(const std::wstring& name) {
  if (name.empty()) return SectionPathFault::Empty;
  if (IsSeparator(name.front())) return SectionPathFault::Rooted;
  size_t start = 0;
  for (;;) {
    size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    const SectionPathFault fault = FindComponentFault(name.substr(start, end - start));
    if (fault != SectionPathFault::None || end == name.size()) return fault;
    start = end + 1;
  }
}

bool IsSafeSectionPath(const std::wstring& name) { return FindSectionPathFault(name) == SectionPathFault::None; }

const char* SectionPathFaultText(SectionPathFault fault) {
  switch (fault) {
    case SectionPathFault::None: return "a plain relative path";
    case SectionPathFault::Empty: return "the name is empty";
    case SectionPathFault::Rooted: return "it starts at a root or names another machine";
    case SectionPathFault::EmptyComponent: return "it has an empty folder name (a doubled or trailing separator)";
    case SectionPathFault::DotOrBlankEnding:
      return "a part of it is \".\" or \"..\" or ends in a dot or blank, which Windows strips";
    case SectionPathFault::Colon: return "it contains \":\" (a drive letter or an alternate data stream)";
    case SectionPathFault::DeviceName: return "a part of it is a reserved device name (CON, NUL, COM1, ...)";
    case SectionPathFault::Wildcard: return "it contains a wildcard or one of \" < > |";
    case SectionPathFault::ControlCharacter: return "it contains a control character";
  }
  return "it is refused";
}

}  // namespace quonel
