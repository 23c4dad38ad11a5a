// The install's file operations with faults: the operations at the given
// counts fail, or the first of them stops the program as a kill would (an
// exception the caller lets out of the install). Every operation is counted.
#pragma once
#include <set>
#include <utility>

#include "app/update_installer.h"

namespace quonel::testing {

class FaultyInstallOperations : public InstallFileOperations {
 public:
  struct Killed {};
  explicit FaultyInstallOperations(int failAt = -1, bool kill = false)
      : FaultyInstallOperations(std::set<int>{failAt}, kill) {}
  explicit FaultyInstallOperations(std::set<int> failAt, bool kill = false)
      : failAt_(std::move(failAt)), kill_(kill) {}
  bool Move(const std::wstring& from, const std::wstring& to) override {
    return Allowed() && InstallFileOperations::Move(from, to);
  }
  bool CreateFolder(const std::wstring& path) override { return Allowed() && InstallFileOperations::CreateFolder(path); }
  int count = 0;

 private:
  bool Allowed() {
    if (!failAt_.count(count++)) return true;
    if (kill_) throw Killed{};
    return false;
  }
  std::set<int> failAt_;
  bool kill_;
};

}  // namespace quonel::testing
