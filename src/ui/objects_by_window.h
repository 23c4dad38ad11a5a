// A table from window handles to the objects that serve them, kept in the
// process: every message looks its object up, and under Wine a window
// property would be a round trip to the server.
#pragma once
#include <windows.h>

#include <mutex>
#include <unordered_map>

namespace quonel {

template <typename Object>
class ObjectsByWindow {
 public:
  Object* Find(HWND window) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = objects_.find(window);
    return found == objects_.end() ? nullptr : found->second;
  }
  void Add(HWND window, Object* object) {
    std::lock_guard<std::mutex> lock(mutex_);
    objects_[window] = object;
  }
  void Remove(HWND window) {
    std::lock_guard<std::mutex> lock(mutex_);
    objects_.erase(window);
  }

 private:
  std::mutex mutex_;
  std::unordered_map<HWND, Object*> objects_;
};

}  // namespace quonel
