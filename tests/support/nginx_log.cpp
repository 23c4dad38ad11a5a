#include "support/nginx_log.h"

#include <winsock2.h>
#include <windows.h>

#include <atomic>

#include "support/nginx_fixture.h"

namespace quonel::testing {

std::string NginxAccessLogSettled() {
  static std::atomic<int> serial{0};
  const std::string marker = "/.log-marker-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(serial++);
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(NginxPort()));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    const std::string request = "GET " + marker + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
    send(s, request.data(), static_cast<int>(request.size()), 0);
    char buffer[1024];
    while (recv(s, buffer, sizeof buffer, 0) > 0) {
    }
  }
  closesocket(s);
  WSACleanup();
  const std::string wanted = "\"GET " + marker + " ";
  // The marker's own line follows its answer by the same short step.
  for (int i = 0; i < 2000; ++i) {
    std::string log = NginxAccessLog();
    if (log.find(wanted) != std::string::npos) return log;
    Sleep(5);
  }
  return "";
}

}  // namespace quonel::testing
