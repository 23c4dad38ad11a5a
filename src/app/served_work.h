// Work that would keep the window waiting longer than it may (writing, reading
// back and digesting a manifest of tens of thousands of files) runs on a
// thread of its own while the window's thread goes on serving the window.
#pragma once
#include <chrono>
#include <functional>
#include <future>
#include <thread>
#include <utility>

namespace quonel {

// Runs work on a worker thread and calls serve every few milliseconds until
// the work ends; returns its result or rethrows what it threw. The work must
// touch nothing that the window's handlers touch.
template <class Work>
auto RunServed(Work work, const std::function<void()>& serve) -> decltype(work()) {
  std::packaged_task<decltype(work())()> task(std::move(work));
  auto result = task.get_future();
  std::thread worker(std::move(task));
  struct Joined {
    std::thread& worker;
    ~Joined() { worker.join(); }  // also when serve throws: the work may still use the caller's data
  } joined{worker};
  while (result.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) serve();
  return result.get();
}

}  // namespace quonel
