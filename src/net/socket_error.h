// The socket layer's one exception class and the check every verified
// platform call goes through.
#pragma once
#include <string>

#include "core/exception.h"
#include "core/system_message.h"

namespace quonel {

QUONEL_DECLARE_EXCEPTION(ESocketError, Exception);

// The layer's fixed messages.
inline constexpr wchar_t kAlreadyOpen[] = L"Socket already open";
inline constexpr wchar_t kCannotCreate[] = L"Can't create new socket";
inline constexpr wchar_t kNoAddress[] = L"No address specified";
inline constexpr wchar_t kChangeWhileActive[] = L"Can't change value while socket is active";
inline constexpr wchar_t kMustBeBlocking[] = L"Socket must be in blocking mode";

// The would-block code: never an error on this road.
constexpr int kWouldBlock = 10035;


// "Windows socket error: %s (%d), on API '%s'"
[[noreturn]] void RaiseSocketError(int code, const char* api);

// 0 stays 0; otherwise the thread's last socket error is fetched: the
// would-block code is returned, any other code raises with the call's name.
int CheckSocketCall(int result, const char* api);

}  // namespace quonel
