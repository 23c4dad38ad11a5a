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
  WizardFile,        // the wizard's own files: update\, backup\, the stored manifest, the journal, ...
};

// The first reason why the name is not a plain relative path below the
// application directory, or None.
SectionPathFault FindSectionPathFault(const std::wstring& name);

// The form of a name under which Windows finds its file: letter case folded
// (every letter with two cases that the manifest's code page can write),
// "/" read as "\\", separators that follow each other as one. Two sections
// with the same key are one file.
std::wstring SectionPathKey(const std::wstring& name);

// True when FindSectionPathFault finds nothing.
bool IsSafeSectionPath(const std::wstring& name);

// A short English explanation of a fault, for the people who publish updates.
const char* SectionPathFaultText(SectionPathFault fault);
// Why the name is refused: the fault's text, and for the wizard's own files
// which one it would overwrite.
std::string SectionPathRefusalText(const std::wstring& name);

}  // namespace quonel
