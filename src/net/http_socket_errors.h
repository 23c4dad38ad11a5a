// The texts of socket error codes and the message of ENetSocketError.
#pragma once
#include <string>

#include "net/http_exceptions.h"

namespace quonel {

// The text for a socket error code; "" for a code without one.
const char* SocketErrorText(int code);
// "Socket Error # %d\r\n%s"
std::wstring SocketErrorMessage(int code);
[[noreturn]] void RaiseSocketError(int code);

}  // namespace quonel
