// The install's file operations with one fault: the operation at a given
// count fails, or stops the program as a kill would (an exception the caller
// lets out of the install), or fails together with every one after it.
#pragma once
#include "app/update_installer.h"

namespace quonel::testing {

class FaultyInstallOperations : public InstallFileOperations {
 public:
  struct Killed {};
  enum class Fault { FailOnce, Kill, FailFromThenOn };
  explicit FaultyInstallOperations(int at = -1, Fault fault = Fault::FailOnce) : at_(at), fault_(fault) {}
  bool Move(const std::wstring& from, const std::wstring& to) override {
    return Allowed() && InstallFileOperations::Move(from, to);
  }
  bool CreateFolder(const std::wstring& path) override { return Allowed() && InstallFileOperations::CreateFolder(path); }
  int count = 0;

 private:
  bool Allowed() {
    const int now = count++;
    if (at_ < 0 || now < at_) return true;
    if (fault_ == Fault::Kill) throw Killed{};
    return fault_ == Fault::FailOnce && now > at_;
  }
  int at_;
  Fault fault_;
};

}  // namespace quonel::testing
