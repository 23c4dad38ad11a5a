// A program started by a test, ended by force if the test leaves before it did.
#pragma once
#include <windows.h>

#include <string>

namespace quonel::testing {

class ChildProcess {
 public:
  // Starts exe with the given arguments (already quoted as needed), in
  // workingDirectory when one is given, else in this process's.
  ChildProcess(const std::wstring& exe, const std::wstring& arguments, const std::wstring& workingDirectory = L"");
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return info_.hProcess != nullptr; }
  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Handle() const { return info_.hProcess; }
  bool Running() const;
  // Waits for the end; false when the deadline passed first.
  bool WaitForExit(DWORD milliseconds, DWORD& exitCode);

 private:
  PROCESS_INFORMATION info_ = {};
};

}  // namespace quonel::testing
