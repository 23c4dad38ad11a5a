#include "server_check.h"

#include <map>

#include "app/section_path_guard.h"
#include "core/ascii_case.h"
#include "ini_text.h"
#include "manifest_date.h"
#include "manifest_reader.h"
#include "native_text.h"
#include "sha256.h"

namespace quonel::updmanifest {
namespace fs = std::filesystem;

namespace {

std::wstring AsciiText(const std::string& text) { return std::wstring(text.begin(), text.end()); }

bool IsDecimal(const std::wstring& text) {
  return !text.empty() && text.size() <= 19 && text.find_first_not_of(L"0123456789") == std::wstring::npos;
}

bool IsDigest(const std::wstring& text) {
  return text.size() == 64 && text.find_first_not_of(L"0123456789abcdefABCDEF") == std::wstring::npos;
}

// Where the server folder may hold the file of a section.
std::optional<fs::path> ServedFile(const fs::path& folder, const std::wstring& section) {
  std::wstring subFolders = section;
  for (wchar_t& c : subFolders)
    if (c == L'\\') c = L'/';
  for (const std::wstring& name : {section, subFolders}) {
    const fs::path candidate = folder / PathFromText(name);
    std::error_code ignored;
    if (fs::is_regular_file(candidate, ignored)) return candidate;
  }
  return std::nullopt;
}

class Checker {
 public:
  Checker(const fs::path& folder, int currentYear) : folder_(folder), currentYear_(currentYear) {}

  void Check(const ManifestSection& section) {
    const std::wstring& name = section.name;
    if (!IsSafeSectionPath(name)) {
      Differ(name + L": the wizard refuses this name: " + AsciiText(SectionPathRefusalText(name)));
      return;
    }
    if (const auto [earlier, fresh] = seen_.emplace(FoldedSection(name), name); !fresh) {
      Differ(name + L": named twice (as " + earlier->second + L"); the wizard reads one of them");
      return;
    }
    const std::wstring* datetime = section.Value(L"datetime");
    if (!datetime || !ReadManifestDate(*datetime, currentYear_))
      Differ(name + L": datetime \"" + (datetime ? *datetime : L"") + L"\" is not a date the wizard reads");
    const std::wstring* size = section.Value(L"size");
    const std::wstring* digest = section.Value(L"sha256");
    const bool sizeOk = size && IsDecimal(*size), digestOk = digest && IsDigest(*digest);
    if (!sizeOk) Differ(name + L": size= is missing or not a decimal number of bytes");
    if (!digestOk) Differ(name + L": sha256= is missing or not 64 hex digits");

    const std::optional<fs::path> file = ServedFile(folder_, name);
    if (!file) {
      Differ(L"missing: " + name);
      return;
    }
    if (!sizeOk || !digestOk) return;
    std::error_code error;
    const uintmax_t actual = fs::file_size(*file, error);
    const uintmax_t expected = std::stoull(*size);
    if (error) {
      Differ(name + L": its size cannot be read");
      return;
    }
    if (actual != expected) {
      Differ((actual < expected ? L"short: " : L"long: ") + name + L" has " + std::to_wstring(actual) +
             L" bytes, the manifest gives " + *size);
      return;
    }
    try {
      uint64_t hashed = 0;
      const std::wstring found = AsciiText(FileSha256Hex(*file, hashed));
      if (AsciiLower(*digest) != found) Differ(L"changed: " + name + L": its SHA-256 is " + found);
    } catch (const std::exception& e) {
      Differ(name + L": " + AsciiText(e.what()));
    }
  }

  std::vector<std::wstring> Differences() { return std::move(differences_); }

 private:
  void Differ(std::wstring text) { differences_.push_back(std::move(text)); }

  const fs::path& folder_;
  const int currentYear_;
  std::map<std::wstring, std::wstring> seen_;
  std::vector<std::wstring> differences_;
};

}  // namespace

CheckReport CheckServerFolder(const std::string& manifestBytes, const fs::path& folder, int currentYear) {
  const std::vector<ManifestSection> sections = ReadManifest(manifestBytes);
  Checker checker(folder, currentYear);
  for (const ManifestSection& section : sections) checker.Check(section);
  CheckReport report{sections.size(), checker.Differences()};
  if (sections.empty()) report.differences.push_back(L"the manifest names no files");
  return report;
}

}  // namespace quonel::updmanifest
