// An encrypted byte channel on the platform's TLS (Schannel through SSPI)
// over a connection the caller owns: the session never waits by itself. It
// reads raw bytes through the caller's receive, which waits one slice at
// most, so that the caller's wait loop (its pump, its time limits) stays in
// charge during the handshake as during every other wait.
#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "core/exception.h"

namespace quonel {

// Why a server's certificate was refused.
enum class TTlsCertificateProblem { Untrusted, Expired, WrongHost, Revoked, Unusable };

// A failed handshake, a record that does not decrypt, a peer gone mid-handshake.
QUONEL_DECLARE_EXCEPTION(ETlsError, Exception);

// The platform's chain and policy checks refused the server's certificate.
class ETlsCertificateError : public ETlsError {
 public:
  ETlsCertificateError(TTlsCertificateProblem problem, std::wstring message)
      : ETlsError(std::move(message)), problem_(problem) {}
  TTlsCertificateProblem Problem() const { return problem_; }
  const wchar_t* ClassName() const override { return L"ETlsCertificateError"; }

 private:
  TTlsCertificateProblem problem_;
};

// The raw connection under the session.
struct TTlsTransport {
  // At most count raw bytes: the count, 0 once the peer has closed, -1 when
  // nothing came within this wait (why is the caller's to know).
  std::function<int(char* buffer, int count)> Receive;
  // All of the bytes; false when the connection failed.
  std::function<bool(const char* data, int count)> Send;
};

enum class TTlsProgress { Done, Waiting };

class TTlsSession {
 public:
  // serverName is sent as the server name indication and is the name the
  // certificate must carry.
  TTlsSession(const std::string& serverName, TTlsTransport transport);
  ~TTlsSession();
  TTlsSession(const TTlsSession&) = delete;
  TTlsSession& operator=(const TTlsSession&) = delete;

  // Takes the handshake as far as the bytes that came allow: Done once the
  // channel is open and the certificate accepted, Waiting when the receive
  // gave -1 (call again after the wait). Raises ETlsError or
  // ETlsCertificateError; the session is of no further use then.
  TTlsProgress Handshake();
  // Decrypted bytes: the count; 0 after the peer's close; -1 when the
  // receive gave -1 before a whole record came (call again after the wait).
  int Read(char* buffer, int count);
  // Like Read, but the bytes stay for the next read.
  int Peek(char* buffer, int count);
  // Decrypted bytes ready for Read without a receive.
  size_t Pending() const;
  // Encrypts and sends all of data; false when the transport failed.
  bool Write(const char* data, int count);
  // Tells the peer that no more data comes; failures are of no interest.
  void Shutdown();
  // "TLS 1.2", "TLS 1.3" once the handshake is done, for the log.
  std::wstring ProtocolName() const;

 private:
  struct State;
  int Take(char* buffer, int count, bool consume);
  std::unique_ptr<State> state_;
};

// The log's words for a certificate problem.
const wchar_t* TlsCertificateProblemText(TTlsCertificateProblem problem);

}  // namespace quonel
