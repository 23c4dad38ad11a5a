// A small HTTP/1.1 file server on the loopback server: HEAD, GET and ranged
// GET ("bytes=N-") of the files put into it, several requests per connection,
// and files that it sends slowly until the test lets them go. For the
// end-to-end cases that need a transfer to last (abort, resume, "上一步",
// the close questions) or names nginx cannot serve.
#pragma once
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "support/loopback_server.h"

namespace quonel::testing {

class LoopbackFileSite {
 public:
  LoopbackFileSite();
  ~LoopbackFileSite();
  LoopbackFileSite(const LoopbackFileSite&) = delete;
  LoopbackFileSite& operator=(const LoopbackFileSite&) = delete;

  // path is the request target without its leading "/", after "%XX" is
  // decoded as web servers do (a "\" stays a "\").
  void Put(const std::string& path, std::string bytes);
  // Sends path's body in blocks of blockBytes with pauseMs between them;
  // pauseMs 0 sends at once. Applies to the blocks sent from now on, so a
  // transfer in progress speeds up when it is released.
  void Pace(const std::string& path, size_t blockBytes, int pauseMs);
  // Requests for path are taken and never answered: the connection stays
  // open and silent until the site stops.
  void Silence(const std::string& path);
  // Requests for path get this status and header lines (each ending in
  // CR LF) and an empty body: redirects, busy answers.
  void Answer(const std::string& path, int status, const std::string& headers);
  // "http://127.0.0.1:<port>/" + path
  std::string Url(const std::string& path = "") const;
  // The request heads received so far, in order.
  std::vector<std::string> Requests() const;
  // How many requests of `method` asked for path (decoded).
  int CountRequests(const std::string& method, const std::string& path) const;

 private:
  struct Pacing {
    size_t blockBytes = 0;
    int pauseMs = 0;
  };
  void Serve(ScriptedConnection& connection);
  bool SendBody(ScriptedConnection& connection, const std::string& path, const std::string& body);
  Pacing PacingOf(const std::string& path) const;

  mutable std::mutex mutex_;
  std::map<std::string, std::string> files_;
  std::map<std::string, Pacing> pacing_;
  std::vector<std::string> silent_;
  std::map<std::string, std::pair<int, std::string>> answers_;
  std::vector<std::string> requests_;
  // Last: its threads use the members above, so it stops first.
  std::unique_ptr<LoopbackServer> server_;
};

}  // namespace quonel::testing
