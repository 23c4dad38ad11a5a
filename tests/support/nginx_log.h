// nginx writes a request's access-log line after it sent the answer, so a
// test that reads the log as soon as its answer arrived can miss that line.
#pragma once
#include <string>

namespace quonel::testing {

// The access log once every request nginx answered before the call is in
// it: a marker request is sent and its line waited for (nginx runs one
// worker, which logs each request before it takes up the next event).
// Empty when the marker line never came.
std::string NginxAccessLogSettled();

}  // namespace quonel::testing
