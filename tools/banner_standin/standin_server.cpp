// The stand-in as an in-process COM server: its class factory, its
// registration under the banner's class identifier, and the journal of what
// hosts did to it, which tests of this process read through an export.
#include <windows.h>
#include <olectl.h>

#include <mutex>
#include <string>
#include <vector>

#include "standin_control.h"

namespace quonel::standin {
namespace {

LONG liveObjects = 0;
LONG serverLocks = 0;

std::mutex& JournalMutex() {
  static std::mutex mutex;
  return mutex;
}
std::vector<std::wstring>& Entries() {
  static std::vector<std::wstring> entries;
  return entries;
}

class Factory : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // One static factory: it lives as long as the module.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* control = new StandInControl;
    const HRESULT result = control->QueryInterface(iid, out);
    control->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) InterlockedIncrement(&serverLocks);
    else InterlockedDecrement(&serverLocks);
    return S_OK;
  }
};

Factory factory;

std::wstring ClassKey() {
  wchar_t id[64] = {};
  StringFromGUID2(kBannerClassId, id, 64);
  return std::wstring(L"CLSID\\") + id;
}

std::wstring ModulePath() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ModulePath), &module);
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  return path;
}

bool SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  return RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace

void Journal(const std::wstring& entry) {
  std::lock_guard<std::mutex> lock(JournalMutex());
  Entries().push_back(entry);
}

LONG LiveObjects() { return liveObjects; }
void ObjectCreated() { InterlockedIncrement(&liveObjects); }
void ObjectDestroyed() { InterlockedDecrement(&liveObjects); }

}  // namespace quonel::standin

using namespace quonel::standin;

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID id, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (id != kBannerClassId) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(iid, out);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() { return LiveObjects() == 0 && serverLocks == 0 ? S_OK : S_FALSE; }

HRESULT STDAPICALLTYPE DllRegisterServer() {
  const std::wstring key = ClassKey();
  const bool written = SetValue(key, nullptr, L"Quonel banner stand-in") &&
                       SetValue(key + L"\\InprocServer32", nullptr, ModulePath()) &&
                       SetValue(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
  return written ? S_OK : SELFREG_E_CLASS;
}

// Removes the registration only when it is this stand-in's.
HRESULT STDAPICALLTYPE DllUnregisterServer() {
  const std::wstring key = ClassKey();
  wchar_t registered[MAX_PATH] = {};
  DWORD size = sizeof registered;
  if (RegGetValueW(HKEY_CLASSES_ROOT, (key + L"\\InprocServer32").c_str(), nullptr, RRF_RT_REG_SZ, nullptr, registered,
                   &size) != ERROR_SUCCESS)
    return S_OK;
  if (lstrcmpiW(registered, ModulePath().c_str()) != 0) return SELFREG_E_CLASS;
  return RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str()) == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

// The journal, one entry a line; with clear, it starts afresh. Returns the
// length the text needs (with its terminator), copying what fits.
__declspec(dllexport) int QuonelStandInJournal(wchar_t* buffer, int capacity, BOOL clear) {
  std::lock_guard<std::mutex> lock(JournalMutex());
  std::wstring text;
  for (const std::wstring& entry : Entries()) text += entry + L"\n";
  if (buffer && capacity > 0) lstrcpynW(buffer, text.c_str(), capacity);
  if (clear) Entries().clear();
  return static_cast<int>(text.size()) + 1;
}

}  // extern "C"
