// Storage for one object whose every later touch faults: the object lives in
// pages of its own, and freeing it makes those pages inaccessible. A test
// frees an object from inside a call the object made (a menu loop, a
// notification handler) and the process faults if the object goes on using
// itself afterwards, read or write.
#pragma once
#include <windows.h>

#include <cstdio>
#include <new>
#include <utility>

namespace quonel::testing {

template <class T>
class PoisonedStorage {
 public:
  PoisonedStorage() : pages_(VirtualAlloc(nullptr, sizeof(T), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
  ~PoisonedStorage() {
    if (object_) object_->~T();
    if (handler_) RemoveVectoredExceptionHandler(handler_);
    if (Poisoned() == pages_) Poisoned() = nullptr;
    VirtualFree(pages_, 0, MEM_RELEASE);
  }
  PoisonedStorage(const PoisonedStorage&) = delete;
  PoisonedStorage& operator=(const PoisonedStorage&) = delete;

  template <class... Args>
  T* Construct(Args&&... args) {
    object_ = new (pages_) T(std::forward<Args>(args)...);
    return object_;
  }
  // Destroys the object and poisons its pages.
  void Free() {
    object_->~T();
    object_ = nullptr;
    freed_ = true;
    DWORD old = 0;
    VirtualProtect(pages_, sizeof(T), PAGE_NOACCESS, &old);
    // A fault inside a window procedure or a menu loop may be swallowed on
    // the way up: the touch ends the process at once, with its reason.
    Poisoned() = pages_;
    handler_ = AddVectoredExceptionHandler(1, Touched);
  }
  bool Freed() const { return freed_; }

 private:
  static void*& Poisoned() {
    static void* pages = nullptr;
    return pages;
  }
  static LONG CALLBACK Touched(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD& record = *info->ExceptionRecord;
    if (record.ExceptionCode != EXCEPTION_ACCESS_VIOLATION || record.NumberParameters < 2)
      return EXCEPTION_CONTINUE_SEARCH;
    const auto address = static_cast<char*>(reinterpret_cast<void*>(record.ExceptionInformation[1]));
    const auto pages = static_cast<char*>(Poisoned());
    if (!pages || address < pages || address >= pages + sizeof(T)) return EXCEPTION_CONTINUE_SEARCH;
    std::fprintf(stderr, "a freed object was touched after it was freed\n");
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_CONTINUE_SEARCH;
  }

  void* pages_;
  void* handler_ = nullptr;
  T* object_ = nullptr;
  bool freed_ = false;
};

}  // namespace quonel::testing
