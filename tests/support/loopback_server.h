// A scripted HTTP peer on 127.0.0.1 for the network tests' faults: each
// accepted connection runs the test's script on its own thread, which reads
// what the client sent and answers byte by byte as the fault needs (drops,
// stalls, malformed answers).
#pragma once
#include <winsock2.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quonel::testing {

class ScriptedConnection {
 public:
  // forget tells the server that the script closed the handle itself.
  ScriptedConnection(SOCKET socket, int index, HANDLE stopEvent, std::function<void()> forget = {});
  ~ScriptedConnection();
  ScriptedConnection(const ScriptedConnection&) = delete;
  ScriptedConnection& operator=(const ScriptedConnection&) = delete;

  // Reads until the terminator has arrived; returns everything read up to and
  // including it, or "" on close, time-out or server stop.
  std::string ReadUntil(const std::string& terminator, int timeoutMs = 10000);
  // One request head (up to the empty line).
  std::string ReadRequestHead(int timeoutMs = 10000) { return ReadUntil("\r\n\r\n", timeoutMs); }
  bool Send(const std::string& bytes);
  // Closes our side: the client sees the end of the stream.
  void Close();
  // Drops the connection with a reset: the client's next receive fails.
  void Reset();
  // Waits ms milliseconds; false when the server stopped meanwhile.
  bool Pause(int ms);
  // Keeps the connection open and silent until the server is destroyed.
  void HoldUntilServerStops();
  // True when the client closed its side within the time limit.
  bool WaitForClientClose(int timeoutMs = 10000);
  // 0 for the first connection the server accepted, 1 for the next, ...
  int index() const { return index_; }

 private:
  bool WaitReadable(int timeoutMs);

  SOCKET socket_;
  int index_;
  HANDLE stopEvent_;
  std::function<void()> forget_;
  std::string pending_;  // bytes read past the last terminator
};

class LoopbackServer {
 public:
  using Script = std::function<void(ScriptedConnection&)>;

  // Listens on 127.0.0.1 with a free port; backlog is the listen queue length.
  // With accepts = false nobody accepts: connects beyond the backlog hang.
  explicit LoopbackServer(Script script, int backlog = SOMAXCONN, bool accepts = true);
  // Signals HoldUntilServerStops, closes every socket and joins every thread.
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int port() const { return port_; }
  int connectionCount() const { return accepted_.load(); }
  // "http://127.0.0.1:<port>" + path
  std::string Url(const std::string& path = "/") const;

 private:
  void AcceptLoop();
  void Forget(SOCKET socket);

  Script script_;
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  HANDLE stopEvent_;
  std::atomic<int> accepted_{0};
  std::atomic<bool> stopping_{false};
  std::thread acceptThread_;
  std::mutex mutex_;
  std::vector<std::thread> connectionThreads_;
  std::vector<SOCKET> openSockets_;
};

// A one-way signal between a test and its peer's threads: set once, waited
// for. The wait's bound only keeps a broken test from hanging.
class Signal {
 public:
  Signal() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~Signal() { CloseHandle(event_); }
  Signal(const Signal&) = delete;
  Signal& operator=(const Signal&) = delete;
  void Set() { SetEvent(event_); }
  bool Wait(DWORD timeoutMs = 30000) { return WaitForSingleObject(event_, timeoutMs) == WAIT_OBJECT_0; }

 private:
  HANDLE event_;
};

// Fills the listen queue of a listener that does not accept (backlog 1), so
// that the next connect to it hangs until the platform gives up.
class FullListenQueue {
 public:
  explicit FullListenQueue(int port);
  ~FullListenQueue();
  FullListenQueue(const FullListenQueue&) = delete;
  FullListenQueue& operator=(const FullListenQueue&) = delete;
  bool full() const { return full_; }

 private:
  std::vector<SOCKET> sockets_;
  bool full_ = false;
};

// A loopback port on which nothing listens (bound, then closed again):
// connects to it are refused.
int RefusingLoopbackPort();

}  // namespace quonel::testing
