// updprobe start: returns at once. The network benchmarks time it beside the
// transfers, so that what a Wine process start costs can be told apart from
// what the transfer costs.
#include "probe_command.h"

namespace quonel::probe {
namespace {

int RunStart(const std::vector<std::string>& arguments) { return arguments.empty() ? 0 : 2; }

const CommandRegistration kStart("start", "start", RunStart);

}  // namespace
}  // namespace quonel::probe
