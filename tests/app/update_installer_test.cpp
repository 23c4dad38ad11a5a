#include "app/update_installer.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/scratch_folder.h"

namespace quonel {
namespace {

using testing::ScratchFolder;

class InstallerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.Write("update/.keep", "");
    app.Write("backup/.keep", "");
  }
  InstallReport Install(std::vector<InstallEntry> entries) {
    return InstallStagedFiles(app.WithSeparator(), entries);
  }
  ScratchFolder app;
};

TEST_F(InstallerTest, BacksUpThenInstallsAndDeletesTheStagedCopies) {
  app.Write("client.exe", "old client");
  app.Write("update/client.exe", "new client");
  app.Write("update/new.dll", "brand new");
  app.Write("same.dat", "unchanged");
  const InstallReport report = Install({{L"client.exe", FileOutcome::Downloaded},
                                        {L"new.dll", FileOutcome::Downloaded},
                                        {L"same.dat", FileOutcome::UpToDate}});
  EXPECT_TRUE(report.Complete());
  EXPECT_EQ((std::vector<std::wstring>{L"client.exe", L"new.dll"}), report.installed);
  EXPECT_EQ("new client", app.Read("client.exe"));
  EXPECT_EQ("old client", app.Read("backup/client.exe.bak"));
  EXPECT_EQ("brand new", app.Read("new.dll"));
  EXPECT_FALSE(app.Exists("backup/new.dll.bak"));  // nothing was installed before
  EXPECT_EQ("unchanged", app.Read("backup/same.dat.bak"));
  EXPECT_EQ("unchanged", app.Read("same.dat"));
  EXPECT_FALSE(app.Exists("update/client.exe"));
  EXPECT_FALSE(app.Exists("update/new.dll"));
}

TEST_F(InstallerTest, IncompleteStagedCopyNeverReplacesTheInstalledFile) {
  app.Write("big.pak", "good installed data");
  app.Write("update/big.pak", "half");
  const InstallReport report = Install({{L"big.pak", FileOutcome::TransferFailed}});
  EXPECT_FALSE(report.Complete());
  EXPECT_EQ(std::vector<std::wstring>{L"big.pak"}, report.notInstalled);
  EXPECT_EQ("good installed data", app.Read("big.pak"));
  EXPECT_EQ("half", app.Read("update/big.pak"));  // the next run resumes it
}

TEST_F(InstallerTest, StagedCopyIsKeptWhenTheInstalledFileIsInUse) {
  app.Write("running.exe", "running");
  app.Write("update/running.exe", "newer");
  const std::wstring installed = app.WithSeparator() + L"running.exe";
  HANDLE locked = CreateFileW(installed.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, locked);
  const InstallReport report = Install({{L"running.exe", FileOutcome::Downloaded}});
  CloseHandle(locked);
  EXPECT_EQ(std::vector<std::wstring>{L"running.exe"}, report.notInstalled);
  EXPECT_EQ("running", app.Read("running.exe"));
  EXPECT_EQ("newer", app.Read("update/running.exe"));
}

TEST_F(InstallerTest, RefusedNamesAreNeverTouched) {
  ScratchFolder outside;
  outside.Write("victim.txt", "outside");
  app.Write("update/victim.txt", "hostile");
  const std::wstring name = L"..\\" + outside.path().filename().wstring() + L"\\victim.txt";
  const InstallReport report = Install({{name, FileOutcome::Refused}});
  EXPECT_TRUE(report.Complete());
  EXPECT_TRUE(report.installed.empty());
  EXPECT_EQ("outside", outside.Read("victim.txt"));
  EXPECT_FALSE(outside.Exists("victim.txt.bak"));
}

TEST_F(InstallerTest, InstallingTwiceReplacesTheEarlierBackup) {
  app.Write("a.txt", "v1");
  app.Write("update/a.txt", "v2");
  Install({{L"a.txt", FileOutcome::Downloaded}});
  app.Write("update/a.txt", "v3");
  Install({{L"a.txt", FileOutcome::Downloaded}});
  EXPECT_EQ("v3", app.Read("a.txt"));
  EXPECT_EQ("v2", app.Read("backup/a.txt.bak"));
}

}  // namespace
}  // namespace quonel
