// What the HTTP client tests look at after a failed request: the exception's
// class, message and reply, and how long the request took.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "net/http_exceptions.h"

namespace quonel::testing {

struct Failure {
  bool raised = false;
  std::wstring className, message;
  int replyCode = 0;
  std::string bodyText;
  ULONGLONG elapsedMs = 0;
};

inline Failure FailureOf(const std::function<void()>& action) {
  Failure failure;
  const ULONGLONG started = GetTickCount64();
  try {
    action();
  } catch (const ENetHTTPProtocolException& e) {
    failure = {true, e.ClassName(), e.Message(), e.ReplyCode(), e.BodyText()};
  } catch (const Exception& e) {
    failure = {true, e.ClassName(), e.Message(), 0, ""};
  }
  failure.elapsedMs = GetTickCount64() - started;
  return failure;
}

}  // namespace quonel::testing
