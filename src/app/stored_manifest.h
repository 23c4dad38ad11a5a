// What the wizard stores as update\update.ini for a fetched manifest body.
// A body in the ANSI code page (GB2312) is stored as it came, followed by
// CR LF. A body that begins with the UTF-8 byte-order mark (a common editor
// default) is stored as UTF-16LE with its byte-order mark instead: that is
// the Unicode form the platform's profile functions read on every Windows,
// while a UTF-8 file would be read as ANSI and garble every Chinese name.
#pragma once
#include <string>
#include <string_view>

namespace quonel {

std::string StoredManifestBytes(std::string_view body);

}  // namespace quonel
