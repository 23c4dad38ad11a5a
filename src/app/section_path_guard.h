// A manifest section name becomes part of a download URL and of three paths
// under the application directory. A name that could reach outside that
// directory (or a device) must never be written, backed up or deleted.
// The wizard refuses such names; the manifest tool refuses to publish them,
// with the same rule and the reason.
#pragma once
#include <string>

namespace quonel {

enum class SectionPathFault {
  None,
  Empty,             // no name at all
  Rooted,            // a drive, root or UNC prefix
  EmptyComponent,    // doubled or trailing separator
  DotOrBlankEnding,  // ".", ".." or a component ending in a dot or blank (Windows strips those)
  Colon,             // a drive letter or an alternate data stream
  DeviceName,        // CON, NUL, COM1 ... are devices in every folder
  Wildcard,          // * ? " < > |
  ControlCharacter,
};

// The first reason why the name is not a plain relative path below the
// application directory, or None.
SectionPathFault FindSectionPathFault(const std::wstring& name);

// True when FindSectionPathFault finds nothing.
bool IsSafeSectionPath(const std::wstring& name);

// A short English explanation of a fault, for the people who publish updates.
const char* SectionPathFaultText(SectionPathFault fault);

}  // namespace quonel
