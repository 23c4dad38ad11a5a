// The install step's file work: only verified copies go in, only replaced
// files are backed up, and an install that fails or is killed at any step
// leaves the installation exactly as it was.
#include "app/update_installer.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "app/install_journal.h"
#include "support/faulty_install_operations.h"
#include "support/scratch_folder.h"

namespace quonel {
namespace {

using testing::FaultyInstallOperations;
using testing::ScratchFolder;

// Every file below root (relative name -> bytes), the journal left out.
std::map<std::wstring, std::string> Snapshot(const ScratchFolder& folder) {
  std::map<std::wstring, std::string> files;
  for (const auto& item : std::filesystem::recursive_directory_iterator(folder.path())) {
    const std::wstring relative = std::filesystem::relative(item.path(), folder.path()).wstring();
    if (item.is_directory()) {
      files[relative + L"\\"] = "";
    } else if (relative != L"update\\update.journal") {
      files[relative] = folder.Read(relative);
    }
  }
  return files;
}

// An application folder with its update\ and backup\ folders.
struct AppFolder : ScratchFolder {
  AppFolder() {
    Write("update/.keep", "");
    Write("backup/.keep", "");
  }
};

// Two replaced files (one in a folder), a new file in a new folder, an
// up-to-date one with a leftover staged copy.
std::vector<InstallEntry> Release(const ScratchFolder& app) {
  app.Write("a.txt", "old a");
  app.Write("sub/b.txt", "old b");
  app.Write("same.txt", "same");
  app.Write("backup/a.txt.bak", "older a");
  app.Write("update/a.txt", "new a");
  app.Write("update/sub/b.txt", "new bb");
  app.Write("update/fresh/deep/c.txt", "new ccc");
  app.Write("update/same.txt", "a leftover partial copy");
  return {{L"a.txt", FileOutcome::Downloaded, 5},
            {L"sub\\b.txt", FileOutcome::Downloaded, 6},
            {L"fresh\\deep\\c.txt", FileOutcome::Downloaded, 7},
            {L"same.txt", FileOutcome::UpToDate}};
}

// The installation as it must be after an install that was undone: the
// backups the install replaced are the one thing it does not bring back.
void ExpectUndone(std::map<std::wstring, std::string> before, const ScratchFolder& app, int step) {
  auto after = Snapshot(app);
  for (const wchar_t* replacedBackup : {L"backup\\a.txt.bak", L"backup\\sub\\b.txt.bak", L"backup\\sub\\"}) {
    before.erase(replacedBackup);
    after.erase(replacedBackup);
  }
  EXPECT_EQ(before, after) << step;
}

class InstallerTest : public ::testing::Test {
 protected:
  InstallReport Install(std::vector<InstallEntry> entries) { return InstallStagedFiles(app.WithSeparator(), entries); }
  AppFolder app;
};

TEST_F(InstallerTest, InstallsVerifiedCopiesAndBacksUpOnlyWhatItReplaces) {
  const InstallReport report = Install(Release(app));
  EXPECT_TRUE(report.Complete());
  EXPECT_EQ((std::vector<std::wstring>{L"a.txt", L"sub\\b.txt", L"fresh\\deep\\c.txt"}), report.installed);
  EXPECT_EQ("new a", app.Read("a.txt"));
  EXPECT_EQ("new bb", app.Read("sub/b.txt"));
  EXPECT_EQ("new ccc", app.Read("fresh/deep/c.txt"));
  EXPECT_EQ("old a", app.Read("backup/a.txt.bak"));
  EXPECT_EQ("old b", app.Read("backup/sub/b.txt.bak"));
  EXPECT_FALSE(app.Exists("backup/fresh/deep/c.txt.bak"));
  // Up to date: not backed up, and its leftover copy is not installed.
  EXPECT_FALSE(app.Exists("backup/same.txt.bak"));
  EXPECT_EQ("same", app.Read("same.txt"));
  EXPECT_EQ("a leftover partial copy", app.Read("update/same.txt"));
  EXPECT_FALSE(app.Exists("update/a.txt"));
  EXPECT_FALSE(app.Exists("update/update.journal"));
}

TEST(InstallRollback, EveryStepFailingInTurnLeavesTheInstallationAsItWas) {
  FaultyInstallOperations counter;
  {
    AppFolder probe;
    ASSERT_TRUE(InstallStagedFiles(probe.WithSeparator(), Release(probe), counter).applied);
  }
  ASSERT_EQ(7, counter.count);  // 2 new folders, 2 backups, 3 replacements
  for (int step = 0; step < counter.count; ++step) {
    AppFolder app;
    const std::vector<InstallEntry> entries = Release(app);
    const auto before = Snapshot(app);
    FaultyInstallOperations failing(step);
    const InstallReport report = InstallStagedFiles(app.WithSeparator(), entries, failing);
    EXPECT_FALSE(report.applied) << step;
    EXPECT_TRUE(report.restored) << step;
    EXPECT_FALSE(report.failure.empty()) << step;
    EXPECT_TRUE(report.installed.empty()) << step;
    EXPECT_FALSE(app.Exists("update/update.journal")) << step;
    ExpectUndone(before, app, step);
  }
}

TEST(InstallRollback, AnInstallKilledAtAnyStepIsUndoneAtTheNextStart) {
  for (int step = 0; step < 7; ++step) {
    AppFolder app;
    const std::vector<InstallEntry> entries = Release(app);
    const auto before = Snapshot(app);
    FaultyInstallOperations killer(step, true);
    EXPECT_THROW(InstallStagedFiles(app.WithSeparator(), entries, killer), FaultyInstallOperations::Killed);
    ASSERT_TRUE(app.Exists("update/update.journal")) << step;
    EXPECT_EQ(Recovery::RolledBack, RecoverInterruptedInstall(app.WithSeparator())) << step;
    EXPECT_FALSE(app.Exists("update/update.journal")) << step;
    ExpectUndone(before, app, step);
    EXPECT_EQ(Recovery::Nothing, RecoverInterruptedInstall(app.WithSeparator())) << step;
  }
}

TEST_F(InstallerTest, ACommittedJournalOnlyFinishesItsCleanUp) {
  app.Write("a.txt", "new a");
  app.Write("update/a.txt.origin", "record");
  InstallJournal journal;
  ASSERT_TRUE(journal.Open(app.WithSeparator()));
  ASSERT_TRUE(journal.Write(JournalStep::Backup, L"a.txt"));
  ASSERT_TRUE(journal.Write(JournalStep::Replace, L"a.txt"));
  ASSERT_TRUE(journal.Write(JournalStep::Commit));
  journal.Close();
  EXPECT_EQ(Recovery::Completed, RecoverInterruptedInstall(app.WithSeparator()));
  EXPECT_EQ("new a", app.Read("a.txt"));
  EXPECT_FALSE(app.Exists("update/a.txt.origin"));
  EXPECT_FALSE(app.Exists("update/update.journal"));
}

TEST_F(InstallerTest, UnverifiedOrVanishedCopiesInstallNothing) {
  for (const InstallEntry& bad : {InstallEntry{L"big.pak", FileOutcome::TransferFailed},
                                  InstallEntry{L"big.pak", FileOutcome::NotChecked},
                                  InstallEntry{L"gone.pak", FileOutcome::Downloaded, 4},
                                  InstallEntry{L"big.pak", FileOutcome::Downloaded, 5}}) {
    app.Write("a.txt", "old a");
    app.Write("update/a.txt", "new a");
    app.Write("big.pak", "good installed data");
    app.Write("update/big.pak", "half");
    const InstallReport report = Install({{L"a.txt", FileOutcome::Downloaded, 5}, bad});
    EXPECT_FALSE(report.applied) << static_cast<int>(bad.outcome);
    EXPECT_NE(std::wstring::npos, report.failure.find(bad.name)) << static_cast<int>(bad.outcome);
    EXPECT_EQ("old a", app.Read("a.txt"));
    EXPECT_EQ("good installed data", app.Read("big.pak"));
    EXPECT_EQ("half", app.Read("update/big.pak"));
    EXPECT_EQ("new a", app.Read("update/a.txt"));
  }
}

TEST_F(InstallerTest, AFileInUseStopsTheInstallAndKeepsEverything) {
  app.Write("first.dll", "old first");
  app.Write("update/first.dll", "new first");
  app.Write("running.exe", "running");
  app.Write("update/running.exe", "newer");
  const std::wstring installed = app.WithSeparator() + L"running.exe";
  HANDLE locked = CreateFileW(installed.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, locked);
  const InstallReport report =
      Install({{L"first.dll", FileOutcome::Downloaded, 9}, {L"running.exe", FileOutcome::Downloaded, 5}});
  CloseHandle(locked);
  EXPECT_FALSE(report.applied);
  EXPECT_TRUE(report.restored);
  EXPECT_NE(std::wstring::npos, report.failure.find(L"running.exe"));
  EXPECT_EQ("old first", app.Read("first.dll"));
  EXPECT_EQ("new first", app.Read("update/first.dll"));
  EXPECT_EQ("running", app.Read("running.exe"));
  EXPECT_EQ("newer", app.Read("update/running.exe"));
}

TEST_F(InstallerTest, RefusedNamesAreNeverTouchedAndTheUpdateIsNotComplete) {
  ScratchFolder outside;
  outside.Write("victim.txt", "outside");
  app.Write("update/victim.txt", "hostile");
  const std::wstring name = L"..\\" + outside.path().filename().wstring() + L"\\victim.txt";
  const InstallReport report = Install({{name, FileOutcome::Refused}});
  EXPECT_TRUE(report.applied);
  EXPECT_FALSE(report.Complete());
  EXPECT_EQ((std::vector<NotInstalledFile>{{name, L"路径无效"}}), report.notInstalled);
  EXPECT_TRUE(report.installed.empty());
  EXPECT_EQ("outside", outside.Read("victim.txt"));
  EXPECT_FALSE(outside.Exists("victim.txt.bak"));
}

TEST_F(InstallerTest, InstallingTwiceReplacesTheEarlierBackup) {
  app.Write("a.txt", "v1");
  app.Write("update/a.txt", "v2");
  Install({{L"a.txt", FileOutcome::Downloaded, 2}});
  app.Write("update/a.txt", "v3");
  Install({{L"a.txt", FileOutcome::Downloaded, 2}});
  EXPECT_EQ("v3", app.Read("a.txt"));
  EXPECT_EQ("v2", app.Read("backup/a.txt.bak"));
}

TEST_F(InstallerTest, TwoNamesOfOneFileAreInstalledOnceAndTheOriginalKeepsItsBackup) {
  app.Write("a.txt", "old");
  app.Write("update/a.txt", "new");
  const InstallReport report =
      Install({{L"a.txt", FileOutcome::Downloaded, 3}, {L"A.TXT", FileOutcome::Downloaded, 3}});
  EXPECT_TRUE(report.applied);
  EXPECT_EQ((std::vector<NotInstalledFile>{{L"A.TXT", L"重复的文件"}}), report.notInstalled);
  EXPECT_EQ("new", app.Read("a.txt"));
  EXPECT_EQ("old", app.Read("backup/a.txt.bak"));
}

TEST(InstallRollback, AnInstallThatCannotBeUndoneKeepsItsJournalAndIsReplayedBeforeTheNext) {
  AppFolder app;
  const std::vector<InstallEntry> entries = Release(app);
  // The replacement of sub\b.txt fails (move 3), and so does putting its original back (move 4).
  FaultyInstallOperations stuck(std::set<int>{3, 4});
  const InstallReport failed = InstallStagedFiles(app.WithSeparator(), entries, stuck);
  EXPECT_TRUE(failed.Mixed());
  EXPECT_EQ(std::vector<std::wstring>{L"sub\\b.txt"}, failed.notRestored);
  const std::string journal = app.Read("update/update.journal");
  ASSERT_FALSE(journal.empty());

  // Still stuck: the next install neither starts nor touches the journal.
  FaultyInstallOperations stillStuck(0);
  const InstallReport refused = InstallStagedFiles(app.WithSeparator(), entries, stillStuck);
  EXPECT_TRUE(refused.Mixed());
  EXPECT_EQ(std::vector<std::wstring>{L"sub\\b.txt"}, refused.notRestored);
  EXPECT_EQ(journal, app.Read("update/update.journal"));

  const InstallReport replayed = InstallStagedFiles(app.WithSeparator(), entries);
  EXPECT_TRUE(replayed.Complete());
  EXPECT_EQ("new bb", app.Read("sub/b.txt"));
  EXPECT_EQ("old b", app.Read("backup/sub/b.txt.bak"));
  EXPECT_FALSE(app.Exists("update/update.journal"));
}

// Records what reaches the disk, and in which order.
class RecordingOperations : public InstallFileOperations {
 public:
  explicit RecordingOperations(std::wstring appPath) : appPath_(std::move(appPath)) {}
  bool Move(const std::wstring& from, const std::wstring& to) override {
    events.push_back(L"move " + Relative(from) + L" > " + Relative(to));
    return InstallFileOperations::Move(from, to);
  }
  bool FlushToDisk(const std::wstring& path, void* file) override {
    if (path != InstallJournalPath(appPath_)) {
      events.push_back(L"flush " + Relative(path));
    } else {
      // The journal's last line, as the disk will have it.
      std::ifstream journal(std::filesystem::path(path), std::ios::binary);
      std::string text((std::istreambuf_iterator<char>(journal)), std::istreambuf_iterator<char>());
      text.pop_back();
      events.push_back(L"journal " + std::wstring(text.begin() + text.find_last_of('\n') + 1, text.end()));
    }
    return InstallFileOperations::FlushToDisk(path, file);
  }
  std::vector<std::wstring> events;

 private:
  std::wstring Relative(const std::wstring& path) const { return path.substr(appPath_.size()); }
  std::wstring appPath_;
};

TEST_F(InstallerTest, EachStepIsOnTheDiskInTheJournalBeforeItIsTaken) {
  app.Write("a.txt", "old");
  app.Write("update/a.txt", "new");
  RecordingOperations recorder(app.WithSeparator());
  ASSERT_TRUE(InstallStagedFiles(app.WithSeparator(), {{L"a.txt", FileOutcome::Downloaded, 3}}, recorder).applied);
  EXPECT_EQ((std::vector<std::wstring>{L"flush update\\a.txt", L"journal backup\ta.txt",
                                       L"move a.txt > backup\\a.txt.bak", L"journal replace\ta.txt",
                                       L"move update\\a.txt > a.txt", L"journal commit\t"}),
            recorder.events);
}

}  // namespace
}  // namespace quonel
