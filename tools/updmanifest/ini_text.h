// Small rules of INI text that the tool's readers share with the wizard's
// profile functions.
#pragma once
#include <string>

namespace quonel::updmanifest {

// Without the blanks and tabs around it, as names and values are read.
std::wstring TrimBlanks(const std::wstring& text);

// "a/B\c" -> "a\b\c": the key two section names share when the wizard
// would take them for the same file (names compare without regard to
// letter case, and "/" reaches the same file as "\").
std::wstring FoldedSection(const std::wstring& section);

}  // namespace quonel::updmanifest
