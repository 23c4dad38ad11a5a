// The nginx peer that the CTest fixture "nginx" starts on 127.0.0.1.
#pragma once
#include <string>

namespace quonel::testing {

// The port nginx listens on, or 0 when the fixture is not running.
int NginxPort();
// The port of one of its HTTPS servers: "https" (a good certificate for
// localhost), "https_expired", "https_otherhost", "https_unknownca"; 0 when
// the fixture is not running.
int NginxTlsPort(const std::string& name);
// The tests' own certificate authority, as the running program opens it.
std::string NginxTestCaFile();
// The folder nginx serves at "/", as the running program opens it.
std::string NginxDocumentRoot();
// nginx's access log, one line per request (ends with the connection serial
// and the request count on that connection, see nginx_fixture.sh).
std::string NginxAccessLog();

}  // namespace quonel::testing
