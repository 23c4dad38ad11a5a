// A manifest section name becomes part of a download URL and of three paths
// under the application directory. A name that could reach outside that
// directory (or a device) must never be written, backed up or deleted.
#pragma once
#include <string>

namespace quonel {

// True when the name is a plain relative path below the application
// directory: no drive, root, UNC or device prefix, no ":" (alternate data
// streams), no "." or ".." component, no component ending in a dot or blank
// (Windows strips those), no reserved device name, no wildcard or control
// character, no empty component.
bool IsSafeSectionPath(const std::wstring& name);

}  // namespace quonel
