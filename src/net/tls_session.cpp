#include "net/tls_session.h"

#include "net/tls_certificate_check.h"

// The newer credential form (TLS 1.3 on the systems that have it) is
// declared only with the protocol block lists.
#define SCHANNEL_USE_BLACKLISTS
#include <subauth.h>
#include <schannel.h>
#include <security.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/ansi_text.h"
#include "net/tls_record_framing.h"

namespace quonel {
namespace {

// Raw bytes asked for per receive: several records, so that a fast transfer
// is not limited by the cost of each call (under Wine a round trip).
const size_t kReceiveChunk = 256 * 1024;
// A handshake message or record that does not fit in this is not one.
const size_t kMaxPendingCipher = 1024 * 1024;

const DWORD kContextRequest = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                              ISC_REQ_EXTENDED_ERROR | ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM;

[[noreturn]] void Fail(const std::wstring& what, SECURITY_STATUS status) {
  wchar_t hex[16];
  std::swprintf(hex, 16, L"%08lX", static_cast<unsigned long>(status));
  throw ETlsError(what + L" (0x" + hex + L")");
}

// The client credentials: TLS 1.2 and 1.3 as the platform offers them, and
// the certificate left to our own check, which names what is wrong. A
// platform that does not know the newer credential form gets the older one.
CredHandle AcquireClientCredentials() {
  CredHandle handle = {};
  TimeStamp expiry = {};
  const DWORD flags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS | SCH_USE_STRONG_CRYPTO;

  TLS_PARAMETERS parameters = {};
  parameters.grbitDisabledProtocols = static_cast<DWORD>(~(SP_PROT_TLS1_2_CLIENT | SP_PROT_TLS1_3_CLIENT));
  SCH_CREDENTIALS current = {};
  current.dwVersion = SCH_CREDENTIALS_VERSION;
  current.dwFlags = flags;
  current.cTlsParameters = 1;
  current.pTlsParameters = &parameters;
  SECURITY_STATUS status = AcquireCredentialsHandleW(nullptr, const_cast<wchar_t*>(UNISP_NAME_W),
                                                     SECPKG_CRED_OUTBOUND, nullptr, &current, nullptr, nullptr,
                                                     &handle, &expiry);
  if (status == SEC_E_OK) return handle;

  for (DWORD protocols : {static_cast<DWORD>(SP_PROT_TLS1_2_CLIENT | SP_PROT_TLS1_3_CLIENT),
                          static_cast<DWORD>(SP_PROT_TLS1_2_CLIENT)}) {
    SCHANNEL_CRED older = {};
    older.dwVersion = SCHANNEL_CRED_VERSION;
    older.dwFlags = flags;
    older.grbitEnabledProtocols = protocols;
    status = AcquireCredentialsHandleW(nullptr, const_cast<wchar_t*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND, nullptr,
                                       &older, nullptr, nullptr, &handle, &expiry);
    if (status == SEC_E_OK) return handle;
  }
  Fail(L"the platform offers no TLS client", status);
}

}  // namespace

struct TTlsSession::State {
  std::wstring serverName;
  TTlsTransport transport;
  CredHandle credentials = {};
  CtxtHandle context = {};
  bool haveCredentials = false;
  bool haveContext = false;
  bool open = false;            // the handshake is done
  bool renegotiating = false;   // the peer sent handshake data after it
  bool peerClosed = false;
  bool needMore = false;        // the buffered cipher text ends in a part of a record
  std::vector<char> cipher;     // received, not yet decrypted: [cipherStart, cipherEnd)
  size_t cipherStart = 0, cipherEnd = 0;
  std::vector<char> plain;      // decrypted, not yet read: [plainStart, end)
  size_t plainStart = 0;
  SecPkgContext_StreamSizes sizes = {};
  std::vector<char> sendBuffer;

  ~State() {
    if (haveContext) DeleteSecurityContext(&context);
    if (haveCredentials) FreeCredentialsHandle(&credentials);
  }

  size_t CipherSize() const { return cipherEnd - cipherStart; }

  // Keeps the last `extra` bytes of the buffered cipher text, or none.
  void KeepExtra(const SecBuffer& buffer) {
    if (buffer.BufferType == SECBUFFER_EXTRA && buffer.cbBuffer > 0 && buffer.cbBuffer <= CipherSize())
      cipherStart = cipherEnd - buffer.cbBuffer;
    else
      cipherStart = cipherEnd;
  }

  // One receive into the cipher buffer: its count, 0 at the peer's close,
  // -1 when nothing came.
  int ReceiveMore() {
    if (cipherStart > 0) {
      std::memmove(cipher.data(), cipher.data() + cipherStart, CipherSize());
      cipherEnd -= cipherStart;
      cipherStart = 0;
    }
    if (cipherEnd >= kMaxPendingCipher) throw ETlsError(L"the server sent a record too large to be one");
    if (cipher.size() < cipherEnd + kReceiveChunk) cipher.resize(cipherEnd + kReceiveChunk);
    const int got = transport.Receive(cipher.data() + cipherEnd, static_cast<int>(kReceiveChunk));
    if (got > 0) cipherEnd += static_cast<size_t>(got);
    return got;
  }

  bool SendToken(SecBuffer& token) {
    bool sent = true;
    if (token.pvBuffer && token.cbBuffer > 0)
      sent = transport.Send(static_cast<const char*>(token.pvBuffer), static_cast<int>(token.cbBuffer));
    if (token.pvBuffer) FreeContextBuffer(token.pvBuffer);
    token.pvBuffer = nullptr;
    return sent;
  }

  // One call of the handshake with what is buffered (nothing on the first).
  SECURITY_STATUS Step() {
    SecBuffer input[2] = {{static_cast<unsigned long>(CipherSize()), SECBUFFER_TOKEN, cipher.data() + cipherStart},
                          {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc inputDesc = {SECBUFFER_VERSION, 2, input};
    SecBuffer output[1] = {{0, SECBUFFER_TOKEN, nullptr}};
    SecBufferDesc outputDesc = {SECBUFFER_VERSION, 1, output};
    ULONG attributes = 0;
    const SECURITY_STATUS status = InitializeSecurityContextW(
        &credentials, haveContext ? &context : nullptr, const_cast<wchar_t*>(serverName.c_str()), kContextRequest, 0,
        0, haveContext ? &inputDesc : nullptr, 0, haveContext ? nullptr : &context, &outputDesc, &attributes,
        nullptr);
    if (!haveContext && (status == SEC_I_CONTINUE_NEEDED || status == SEC_E_OK)) haveContext = true;
    // A failure may still carry an alert for the peer; it is sent as well.
    if (!SendToken(output[0]) && status != SEC_E_INCOMPLETE_MESSAGE && !FAILED(status))
      throw ETlsError(L"the connection failed during the TLS handshake");
    if (status == SEC_E_OK || status == SEC_I_CONTINUE_NEEDED) KeepExtra(input[1]);
    return status;
  }
};

TTlsSession::TTlsSession(const std::string& serverName, TTlsTransport transport) : state_(std::make_unique<State>()) {
  state_->serverName = AnsiToWide(serverName);
  state_->transport = std::move(transport);
  state_->credentials = AcquireClientCredentials();
  state_->haveCredentials = true;
}

TTlsSession::~TTlsSession() = default;

TTlsProgress TTlsSession::Handshake() {
  State& s = *state_;
  if (s.open && !s.renegotiating) return TTlsProgress::Done;
  for (;;) {
    // Everything but the first call needs bytes of the peer.
    if (s.haveContext && (s.CipherSize() == 0 || s.needMore)) {
      const int got = s.ReceiveMore();
      if (got < 0) return TTlsProgress::Waiting;
      if (got == 0) throw ETlsError(L"the server closed the connection during the TLS handshake");
      s.needMore = false;
    }
    // A server that answers in plain text (HTTP on an https address) is
    // refused at once rather than waited for as a record of 20 KiB.
    if (s.haveContext &&
        FirstTlsRecord(s.cipher.data() + s.cipherStart, s.CipherSize()).kind == TlsRecordFrame::Malformed)
      throw ETlsError(L"the server at " + s.serverName + L" does not answer in TLS");
    const SECURITY_STATUS status = s.Step();
    if (status == SEC_E_INCOMPLETE_MESSAGE) {
      s.needMore = true;
    } else if (status == SEC_I_CONTINUE_NEEDED || status == SEC_I_INCOMPLETE_CREDENTIALS) {
      // Without a client certificate of ours the handshake simply goes on.
      s.needMore = s.CipherSize() == 0;
    } else if (status == SEC_E_OK) {
      break;
    } else {
      Fail(L"the TLS handshake with " + s.serverName + L" failed", status);
    }
  }
  PCCERT_CONTEXT certificate = nullptr;
  const SECURITY_STATUS found = QueryContextAttributesW(&s.context, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &certificate);
  try {
    CheckServerCertificate(found == SEC_E_OK ? certificate : nullptr, s.serverName);
  } catch (...) {
    if (certificate) CertFreeCertificateContext(certificate);
    throw;
  }
  CertFreeCertificateContext(certificate);
  const SECURITY_STATUS sized = QueryContextAttributesW(&s.context, SECPKG_ATTR_STREAM_SIZES, &s.sizes);
  if (sized != SEC_E_OK) Fail(L"the TLS channel has no record sizes", sized);
  s.open = true;
  s.renegotiating = false;
  s.needMore = false;
  return TTlsProgress::Done;
}

size_t TTlsSession::Pending() const { return state_->plain.size() - state_->plainStart; }

int TTlsSession::Read(char* buffer, int count) { return Take(buffer, count, true); }

int TTlsSession::Peek(char* buffer, int count) { return Take(buffer, count, false); }

int TTlsSession::Take(char* buffer, int count, bool consume) {
  State& s = *state_;
  if (!s.open) throw ETlsError(L"the TLS channel is not open");
  for (;;) {
    if (Pending() > 0) {
      const size_t n = std::min(Pending(), static_cast<size_t>(std::max(count, 0)));
      std::memcpy(buffer, s.plain.data() + s.plainStart, n);
      if (consume) s.plainStart += n;
      return static_cast<int>(n);
    }
    if (s.peerClosed) return 0;
    if (s.renegotiating) {
      if (Handshake() == TTlsProgress::Waiting) return -1;
      continue;
    }
    if (s.CipherSize() == 0 || s.needMore) {
      const int got = s.ReceiveMore();
      if (got < 0) return -1;
      if (got == 0) {
        // A close in the middle of a record cuts the data short: not an end.
        if (s.CipherSize() > 0) throw ETlsError(L"the server closed the connection inside a TLS record");
        s.peerClosed = true;
        return 0;
      }
      s.needMore = false;
    }
    s.plain.clear();
    s.plainStart = 0;
    // Every whole record buffered, decrypted in place, in one go.
    while (s.CipherSize() > 0 && !s.renegotiating && !s.peerClosed) {
      // One whole record per call: handing the platform more costs a copy
      // of all of it per record under Wine.
      const TlsRecordFrame frame = FirstTlsRecord(s.cipher.data() + s.cipherStart, s.CipherSize());
      if (frame.kind == TlsRecordFrame::Malformed) throw ETlsError(L"the server sent bytes that are no TLS record");
      if (frame.kind == TlsRecordFrame::Incomplete) {
        s.needMore = true;
        break;
      }
      const size_t after = s.CipherSize() - frame.length;  // the records behind this one
      SecBuffer buffers[4] = {{static_cast<unsigned long>(frame.length), SECBUFFER_DATA, s.cipher.data() + s.cipherStart},
                              {0, SECBUFFER_EMPTY, nullptr},
                              {0, SECBUFFER_EMPTY, nullptr},
                              {0, SECBUFFER_EMPTY, nullptr}};
      SecBufferDesc desc = {SECBUFFER_VERSION, 4, buffers};
      const SECURITY_STATUS status = DecryptMessage(&s.context, &desc, 0, nullptr);
      if (status == SEC_E_INCOMPLETE_MESSAGE) {
        s.needMore = true;
        break;
      }
      if (status != SEC_E_OK && status != SEC_I_RENEGOTIATE && status != SEC_I_CONTEXT_EXPIRED)
        Fail(L"a TLS record from " + s.serverName + L" does not decrypt", status);
      const SecBuffer* extra = nullptr;
      for (SecBuffer& b : buffers) {
        if (b.BufferType == SECBUFFER_DATA && b.cbBuffer > 0)
          s.plain.insert(s.plain.end(), static_cast<char*>(b.pvBuffer), static_cast<char*>(b.pvBuffer) + b.cbBuffer);
        if (b.BufferType == SECBUFFER_EXTRA) extra = &b;
      }
      s.cipherStart = s.cipherEnd - after - (extra ? std::min<size_t>(extra->cbBuffer, frame.length) : 0);
      // Handshake data after the handshake (a session ticket, a new key):
      // it goes back through the handshake call.
      if (status == SEC_I_RENEGOTIATE) s.renegotiating = true;
      if (status == SEC_I_CONTEXT_EXPIRED) s.peerClosed = true;
    }
  }
}

bool TTlsSession::Write(const char* data, int count) {
  State& s = *state_;
  if (!s.open) throw ETlsError(L"the TLS channel is not open");
  const size_t header = s.sizes.cbHeader, trailer = s.sizes.cbTrailer, most = s.sizes.cbMaximumMessage;
  size_t done = 0;
  while (done < static_cast<size_t>(count)) {
    const size_t part = std::min(most, static_cast<size_t>(count) - done);
    s.sendBuffer.resize(header + part + trailer);
    char* at = s.sendBuffer.data();
    std::memcpy(at + header, data + done, part);
    SecBuffer buffers[4] = {{static_cast<unsigned long>(header), SECBUFFER_STREAM_HEADER, at},
                            {static_cast<unsigned long>(part), SECBUFFER_DATA, at + header},
                            {static_cast<unsigned long>(trailer), SECBUFFER_STREAM_TRAILER, at + header + part},
                            {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc desc = {SECBUFFER_VERSION, 4, buffers};
    const SECURITY_STATUS status = EncryptMessage(&s.context, 0, &desc, 0);
    if (status != SEC_E_OK) Fail(L"data for " + s.serverName + L" cannot be encrypted", status);
    const size_t total = buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer;
    if (!s.transport.Send(at, static_cast<int>(total))) return false;
    done += part;
  }
  return true;
}

void TTlsSession::Shutdown() {
  State& s = *state_;
  if (!s.haveContext || !s.open) return;
  s.open = false;
  DWORD type = SCHANNEL_SHUTDOWN;
  SecBuffer control[1] = {{sizeof type, SECBUFFER_TOKEN, &type}};
  SecBufferDesc controlDesc = {SECBUFFER_VERSION, 1, control};
  if (ApplyControlToken(&s.context, &controlDesc) != SEC_E_OK) return;
  SecBuffer output[1] = {{0, SECBUFFER_TOKEN, nullptr}};
  SecBufferDesc outputDesc = {SECBUFFER_VERSION, 1, output};
  ULONG attributes = 0;
  const SECURITY_STATUS status =
      InitializeSecurityContextW(&s.credentials, &s.context, const_cast<wchar_t*>(s.serverName.c_str()),
                                 kContextRequest, 0, 0, nullptr, 0, nullptr, &outputDesc, &attributes, nullptr);
  if (status == SEC_E_OK || status == SEC_I_CONTINUE_NEEDED) s.SendToken(output[0]);
  else if (output[0].pvBuffer) FreeContextBuffer(output[0].pvBuffer);
}

std::wstring TTlsSession::ProtocolName() const {
  SecPkgContext_ConnectionInfo info = {};
  if (!state_->haveContext ||
      QueryContextAttributesW(&state_->context, SECPKG_ATTR_CONNECTION_INFO, &info) != SEC_E_OK)
    return L"TLS";
  if (info.dwProtocol & SP_PROT_TLS1_3_CLIENT) return L"TLS 1.3";
  if (info.dwProtocol & SP_PROT_TLS1_2_CLIENT) return L"TLS 1.2";
  return L"TLS";
}

}  // namespace quonel
