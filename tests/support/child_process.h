// A program started by a test, ended by force if the test leaves before it did.
#pragma once
#include <windows.h>

#include <string>

namespace quonel::testing {

class ChildProcess {
 public:
  // Starts exe with the given arguments (already quoted as needed).
  ChildProcess(const std::wstring& exe, const std::wstring& arguments);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return info_.hProcess != nullptr; }
  DWORD Id() const { return info_.dwProcessId; }
  bool Running() const;
  // Waits for the end; false when the deadline passed first.
  bool WaitForExit(DWORD milliseconds, DWORD& exitCode);

 private:
  PROCESS_INFORMATION info_ = {};
};

}  // namespace quonel::testing
