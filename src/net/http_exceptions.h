// The exceptions of the HTTP client and its connection layers. Messages are
// formatted before raising; a few classes carry a code or a body text.
#pragma once
#include <string>

#include "core/conversion.h"
#include "core/exception.h"

namespace quonel {

QUONEL_DECLARE_EXCEPTION(ENetException, Exception);

class ENetProtocolReplyError : public ENetException {
 public:
  ENetProtocolReplyError(int replyCode, std::wstring message)
      : ENetException(std::move(message)), replyCode_(replyCode) {}
  int ReplyCode() const { return replyCode_; }
  const wchar_t* ClassName() const override { return L"ENetProtocolReplyError"; }

 private:
  int replyCode_;
};

class ENetHTTPProtocolException : public ENetProtocolReplyError {
 public:
  ENetHTTPProtocolException(int replyCode, std::wstring message, std::string bodyText)
      : ENetProtocolReplyError(replyCode, std::move(message)), bodyText_(std::move(bodyText)) {}
  const std::string& BodyText() const { return bodyText_; }
  const wchar_t* ClassName() const override { return L"ENetHTTPProtocolException"; }

 private:
  std::string bodyText_;
};

class ENetSocketError : public ENetException {
 public:
  ENetSocketError(int code, std::wstring message) : ENetException(std::move(message)), code_(code) {}
  int LastError() const { return code_; }
  const wchar_t* ClassName() const override { return L"ENetSocketError"; }

 private:
  int code_;
};

QUONEL_DECLARE_EXCEPTION(ENetSilentException, ENetException);
QUONEL_DECLARE_EXCEPTION(ENetConnClosedGracefully, ENetSilentException);
QUONEL_DECLARE_EXCEPTION(ENetReadTimeout, ENetException);
QUONEL_DECLARE_EXCEPTION(ENetConnectTimeout, ENetException);
QUONEL_DECLARE_EXCEPTION(ENetConnectException, ENetException);
QUONEL_DECLARE_EXCEPTION(ENetTCPConnectionError, ENetException);
QUONEL_DECLARE_EXCEPTION(ENetNotConnected, ENetTCPConnectionError);
QUONEL_DECLARE_EXCEPTION(ENetIOHandlerPropInvalid, ENetTCPConnectionError);
QUONEL_DECLARE_EXCEPTION(ENetAlreadyConnected, ENetException);
QUONEL_DECLARE_EXCEPTION(ENetClosedSocket, ENetException);
QUONEL_DECLARE_EXCEPTION(ENetReadLnMaxLineLengthExceeded, ENetException);
QUONEL_DECLARE_EXCEPTION(ENetInvalidSocket, ENetException);
QUONEL_DECLARE_EXCEPTION(ENetWS2StubError, ENetException);
QUONEL_DECLARE_EXCEPTION(ENetStackError, ENetException);
QUONEL_DECLARE_EXCEPTION(ENetStackInitializationFailed, ENetStackError);
QUONEL_DECLARE_EXCEPTION(ENetSocketHandleError, ENetException);
QUONEL_DECLARE_EXCEPTION(ENetCouldNotBindSocket, ENetSocketHandleError);
QUONEL_DECLARE_EXCEPTION(ENetURIException, ENetException);
QUONEL_DECLARE_EXCEPTION(ENetUnknownProtocol, ENetException);
// A body longer than the caller allowed (GetText with a bound).
QUONEL_DECLARE_EXCEPTION(ENetBodyTooLong, ENetException);
// The connection's wait pump gave a wait up (the user aborted, the window closed).
QUONEL_DECLARE_EXCEPTION(ENetWaitAbandoned, ENetException);

}  // namespace quonel
