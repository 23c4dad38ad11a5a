#include "app/install_journal.h"

#include "core/utf8.h"

namespace quonel {
namespace {

const char* const kKindWords[] = {"backup", "replace", "folder", "commit"};

}  // namespace

std::wstring InstallJournalPath(const std::wstring& appPath) { return appPath + L"update\\update.journal"; }

bool InstallJournal::Open(const std::wstring& appPath) {
  file_.Reset(CreateFileW(InstallJournalPath(appPath).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(file_);
}

bool InstallJournal::Write(JournalStep::Kind kind, const std::wstring& name) {
  const std::string line = std::string(kKindWords[kind]) + "\t" + WideToUtf8(name) + "\n";
  DWORD written = 0;
  // A killed process loses nothing that WriteFile has accepted; a power cut
  // is the installer's to cover, by flushing before each step.
  return file_ && WriteFile(file_.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
         written == line.size();
}

std::vector<JournalStep> ReadInstallJournal(const std::wstring& appPath) {
  std::vector<JournalStep> steps;
  OwnedFile file(CreateFileW(InstallJournalPath(appPath).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return steps;
  std::string text;
  char block[65536];
  DWORD read = 0;
  while (ReadFile(file.Get(), block, sizeof block, &read, nullptr) && read > 0) text.append(block, read);
  size_t at = 0;
  for (size_t end = text.find('\n'); end != std::string::npos; at = end + 1, end = text.find('\n', at)) {
    const std::string line = text.substr(at, end - at);
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    const std::string word = line.substr(0, tab);
    for (int kind = JournalStep::Backup; kind <= JournalStep::Commit; ++kind) {
      if (word == kKindWords[kind])
        steps.push_back({static_cast<JournalStep::Kind>(kind), Utf8ToWide(line.substr(tab + 1))});
    }
  }
  return steps;
}

}  // namespace quonel
