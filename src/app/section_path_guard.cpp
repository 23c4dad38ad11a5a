#include "app/section_path_guard.h"

#include <cwctype>

#include "app/wizard_own_files.h"

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

// The lower case of the letters a GB2312 or GBK name can hold in both cases
// (Latin, fullwidth Latin, Greek, Cyrillic), as the file system folds them.
wchar_t FoldedLetter(wchar_t c) {
  if ((c >= L'A' && c <= L'Z') || (c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) || (c >= 0x0410 && c <= 0x042F))
    return static_cast<wchar_t>(c + 0x20);
  if (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) return static_cast<wchar_t>(c + 0x20);
  if (c >= 0xFF21 && c <= 0xFF3A) return static_cast<wchar_t>(c + 0x20);
  if (c >= 0x0400 && c <= 0x040F) return static_cast<wchar_t>(c + 0x50);
  return c;
}

}  // namespace

std::wstring SectionPathKey(const std::wstring& name) {
  std::wstring key;
  for (const wchar_t c : name) {
    if (IsSeparator(c)) {
      if (!key.empty() && key.back() == L'\\') continue;
      key += L'\\';
    } else {
      key += FoldedLetter(c);
    }
  }
  return key;
}

SectionPathFault FindSectionPathFault(const std::wstring& name) {
  if (name.empty()) return SectionPathFault::Empty;
  if (IsSeparator(name.front())) return SectionPathFault::Rooted;
  size_t start = 0;
  for (;;) {
    size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    const SectionPathFault fault = FindComponentFault(name.substr(start, end - start));
    if (fault != SectionPathFault::None) return fault;
    if (end == name.size()) return WizardOwnFileHitBy(name) ? SectionPathFault::WizardFile : SectionPathFault::None;
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
    case SectionPathFault::WizardFile: return "it would overwrite a file the wizard itself writes";
  }
  return "it is refused";
}

std::string SectionPathRefusalText(const std::wstring& name) {
  const SectionPathFault fault = FindSectionPathFault(name);
  std::string text = SectionPathFaultText(fault);
  if (const WizardOwnFile* own = fault == SectionPathFault::WizardFile ? WizardOwnFileHitBy(name) : nullptr)
    text = text + ": " + own->role;
  return text;
}

}  // namespace quonel
