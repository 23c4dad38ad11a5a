// The command line of updmanifest, run on wide arguments (without the
// program's name). The manifest goes to --output, else to `out`; messages
// go to `err`, the --check report to `out`. Returns the exit code: 0 done,
// 1 refused or different, 2 a wrong command line.
#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace quonel::updmanifest {

int RunUpdmanifest(const std::vector<std::wstring>& arguments, std::ostream& out, std::ostream& err);

}  // namespace quonel::updmanifest
