// The stand-in banner control from a test's side: its journal of the host's
// calls (the stand-ins loaded into this process), and a scope in which the
// banner's class is not registered. A test target that uses the scope
// defines QUONEL_BANNER_STANDIN_DLL (the DLL's Unix path), requires the
// CTest fixture "banner" and holds the resource lock "banner_registration".
#pragma once
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/test_paths.h"

namespace quonel::testing {

// The journal's entries, oldest first; with clear, the journal starts afresh.
inline std::vector<std::wstring> StandInJournal(bool clear = true) {
  using JournalFunction = int (*)(wchar_t*, int, BOOL);
  HMODULE module = GetModuleHandleW(L"banner_standin.dll");
  auto journal = module ? reinterpret_cast<JournalFunction>(reinterpret_cast<void (*)()>(GetProcAddress(module, "QuonelStandInJournal"))) : nullptr;
  if (!journal) return {};
  std::wstring text(static_cast<size_t>(journal(nullptr, 0, FALSE)), L'\0');
  journal(text.data(), static_cast<int>(text.size()), clear);
  std::vector<std::wstring> entries;
  std::wistringstream lines(text.c_str());
  for (std::wstring line; std::getline(lines, line);) entries.push_back(line);
  return entries;
}

#ifdef QUONEL_BANNER_STANDIN_DLL
// While alive, no banner control is installed; the stand-in's registration
// comes back at the end of the scope.
class BannerControlAbsent {
 public:
  BannerControlAbsent() : module_(LoadLibraryA(HostPath(QUONEL_BANNER_STANDIN_DLL).c_str())) {
    ok_ = module_ && Call("DllUnregisterServer");
  }
  ~BannerControlAbsent() {
    if (module_) {
      Call("DllRegisterServer");
      FreeLibrary(module_);
    }
  }
  BannerControlAbsent(const BannerControlAbsent&) = delete;
  BannerControlAbsent& operator=(const BannerControlAbsent&) = delete;
  bool Ok() const { return ok_; }

 private:
  bool Call(const char* name) const {
    auto function = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void (*)()>(GetProcAddress(module_, name)));
    return function && SUCCEEDED(function());
  }
  HMODULE module_;
  bool ok_ = false;
};
#endif

}  // namespace quonel::testing
