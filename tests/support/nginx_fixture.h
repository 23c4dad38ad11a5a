// The nginx peer that the CTest fixture "nginx" starts on 127.0.0.1.
#pragma once
#include <string>

namespace quonel::testing {

// The port nginx listens on, or 0 when the fixture is not running.
int NginxPort();
// The folder nginx serves at "/", as the running program opens it.
std::string NginxDocumentRoot();
// nginx's access log, one line per request (ends with the connection serial
// and the request count on that connection, see nginx_fixture.sh).
std::string NginxAccessLog();

}  // namespace quonel::testing
