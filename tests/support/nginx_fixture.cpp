#include "support/nginx_fixture.h"

#include <cstdlib>

#include "support/test_paths.h"

namespace quonel::testing {
namespace {
#ifdef _WIN32
const char kSeparator[] = "\\";
#else
const char kSeparator[] = "/";
#endif
std::string NginxDir() { return FixturesDir() + kSeparator + "nginx" + kSeparator; }
}  // namespace

int NginxPort() { return std::atoi(ReadTextFile(NginxDir() + "port").c_str()); }

int NginxTlsPort(const std::string& name) {
  return std::atoi(ReadTextFile(NginxDir() + name + "_port").c_str());
}

std::string NginxTestCaFile() { return NginxDir() + "tls" + kSeparator + "ca.pem"; }

std::string NginxDocumentRoot() { return NginxDir() + "www"; }

std::string NginxAccessLog() { return ReadTextFile(NginxDir() + "access.log"); }

}  // namespace quonel::testing
