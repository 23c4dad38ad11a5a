// updprobe: shows what the wizard's network layers see of a server.
//   updprobe get URL [--repeat N] [--time]
//   updprobe download URL FILE
//   updprobe start
#include <cstdio>
#include <cstring>
#include <exception>

#include "net/http_text.h"
#include "probe_command.h"
#include "core/exception.h"

namespace quonel::probe {

namespace {
std::vector<Command>& Registry() {
  static std::vector<Command> commands;
  return commands;
}
}  // namespace

CommandRegistration::CommandRegistration(const char* name, const char* usage, CommandFunction run) {
  Registry().push_back({name, usage, run});
}

const std::vector<Command>& Commands() { return Registry(); }

int ReportCurrentException() {
  try {
    throw;
  } catch (const Exception& e) {
    // Message characters below 256 are the protocol's own bytes (a status line).
    std::string message;
    for (wchar_t c : e.Message()) message.push_back(c < 256 ? static_cast<char>(c) : '?');
    std::fprintf(stderr, "%s: %s\n", NarrowAscii(e.ClassName()).c_str(), message.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  }
  return 1;
}

}  // namespace quonel::probe

int main(int argc, char** argv) {
  using namespace quonel::probe;
  if (argc >= 2) {
    for (const Command& command : Commands()) {
      if (std::strcmp(argv[1], command.name) == 0)
        return command.run(std::vector<std::string>(argv + 2, argv + argc));
    }
  }
  std::fprintf(stderr, "usage:\n");
  for (const Command& command : Commands()) std::fprintf(stderr, "  updprobe %s\n", command.usage);
  return 2;
}
