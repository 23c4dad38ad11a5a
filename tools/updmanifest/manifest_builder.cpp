#include "manifest_builder.h"

#include <cstring>
#include <map>

#include "app/section_path_guard.h"
#include "file_time.h"
#include "gb2312_text.h"
#include "ini_text.h"
#include "names_file.h"
#include "native_text.h"
#include "release_folder.h"
#include "sha256.h"

namespace quonel::updmanifest {
namespace {

// The profile functions read at most this many characters of a value.
const size_t kLongestValue = 2047;

struct Entry {
  const ReleaseFile* file;
  std::string section;  // GB2312
  std::string name;     // GB2312
  LocalDateTime datetime;
};

std::wstring AsciiText(const char* text) { return std::wstring(text, text + strlen(text)); }

std::wstring FileName(const std::wstring& section) { return section.substr(section.find_last_of(L'\\') + 1); }

// What keeps the wizard from reading this section name back as this file.
std::optional<std::wstring> SectionProblem(const std::wstring& section) {
  if (!IsSafeSectionPath(section))
    return L"the wizard refuses this name: " + AsciiText(SectionPathRefusalText(section).c_str());
  if (section[0] == L' ') return std::wstring(L"it begins with a blank, which the INI reader drops");
  if (section.size() > kLongestValue) return std::wstring(L"the name is longer than 2047 characters");
  return std::nullopt;
}

class Builder {
 public:
  explicit Builder(const ManifestOptions& options) : options_(options) {}

  BuiltManifest Build() {
    const ReleaseFolder release = ScanReleaseFolder(options_.release, options_.output);
    Add(release.problems);
    std::optional<NamesFile> names;
    if (options_.namesFileBytes) {
      names = NamesFile::Parse(*options_.namesFileBytes);
      Add(names->Problems());
    }
    if (release.files.empty() && release.problems.empty()) Problem(L"the release folder holds no files");

    std::map<std::wstring, std::wstring> seen;  // folded section -> section
    std::vector<Entry> entries;
    for (const ReleaseFile& file : release.files) {
      const auto [earlier, fresh] = seen.emplace(FoldedSection(file.section), file.section);
      if (!fresh) {
        Problem(file.section + L": the wizard takes it for the same file as " + earlier->second +
                L" (names compare without regard to letter case)");
        continue;
      }
      const std::wstring* given = names ? names->Find(file.section) : nullptr;
      if (std::optional<Entry> entry = Describe(file, given ? *given : FileName(file.section), given != nullptr))
        entries.push_back(std::move(*entry));
    }
    if (names)
      for (const std::wstring& path : names->Unused()) Problem(L"names file: " + path + L" is not in the release");
    if (!result_.problems.empty()) return std::move(result_);

    for (const Entry& entry : entries) Write(entry);
    if (!result_.problems.empty()) result_.bytes.clear();
    result_.files = entries.size();
    return std::move(result_);
  }

 private:
  std::optional<Entry> Describe(const ReleaseFile& file, const std::wstring& name, bool fromNamesFile) {
    const size_t before = result_.problems.size();
    Entry entry{&file, {}, {}, {}};
    if (const std::optional<std::wstring> problem = SectionProblem(file.section)) Problem(file.section + L": " + *problem);
    if (std::optional<std::string> bytes = EncodeGb2312(file.section))
      entry.section = std::move(*bytes);
    else
      Problem(file.section + L": the name cannot be written in GB2312");
    if (std::optional<std::string> bytes = EncodeGb2312(name); bytes && name.size() <= kLongestValue)
      entry.name = std::move(*bytes);
    else if (!entry.section.empty() || fromNamesFile)  // a name taken from the file's own name is told once
      Problem(file.section + L": the display name \"" + name + L"\" cannot be written in GB2312 within 2047 characters");
    if (options_.releaseDate)
      entry.datetime = *options_.releaseDate;
    else if (std::optional<LocalDateTime> written = FileLastWriteTime(PathText(file.path)))
      entry.datetime = *written;
    else
      Problem(file.section + L": its last-write time cannot be written as a date (give --datetime)");
    if (FoldedSection(FileName(file.section)) == L"update.exe")
      result_.warnings.push_back(file.section +
                                 L": the running wizard cannot replace its own program; users will be told after "
                                 L"every update that it was not updated");
    if (result_.problems.size() != before) return std::nullopt;
    return entry;
  }

  void Write(const Entry& entry) {
    uint64_t size = 0;
    std::string digest;
    try {
      digest = FileSha256Hex(entry.file->path, size);
    } catch (const std::exception& e) {
      Problem(entry.file->section + L": " + AsciiText(e.what()));
      return;
    }
    std::string& out = result_.bytes;
    if (!out.empty()) out += "\r\n";
    out += "[" + entry.section + "]\r\n";
    out += "name=" + entry.name + "\r\n";
    out += "datetime=" + ManifestDateText(entry.datetime) + "\r\n";
    out += "size=" + std::to_string(size) + "\r\n";
    out += "sha256=" + digest + "\r\n";
  }

  void Problem(std::wstring text) { result_.problems.push_back(std::move(text)); }
  void Add(const std::vector<std::wstring>& problems) {
    result_.problems.insert(result_.problems.end(), problems.begin(), problems.end());
  }

  const ManifestOptions& options_;
  BuiltManifest result_;
};

}  // namespace

BuiltManifest BuildManifest(const ManifestOptions& options) { return Builder(options).Build(); }

}  // namespace quonel::updmanifest
