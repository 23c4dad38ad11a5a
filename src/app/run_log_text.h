// The text of update\update.log, the file that keeps the wizard's log for
// people who read why a run failed (the log in the window is hidden): UTF-8
// lines that each begin with their time, in blocks that each begin with a
// header line, one block per start of the program or of a check run. Only
// the last few blocks are kept, and the file stays bounded in size.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace quonel {

// Every block begins with a line that starts with this.
inline constexpr std::string_view kRunLogBlockMark = "==== ";

struct RunLogLimits {
  size_t keptBlocks = 5;             // blocks kept before a new one, the new one included
  size_t keptBytes = 16u << 20;      // earlier blocks kept when a new one begins
  size_t blockBytes = 16u << 20;     // one block; its later lines are dropped
};

// The end of an existing log that is kept when a new block begins: the last
// keptBlocks - 1 whole blocks that fit into keptBytes (a block cut by a
// crash or by hand counts whole; text before the first block mark goes).
std::string_view KeptRunLogTail(std::string_view existing, const RunLogLimits& limits);

// One logged text as file lines: each of its lines (CR LF, CR or LF ends
// one; empty ones go) prefixed by the time stamp and ended by CR LF.
std::string RunLogLines(std::string_view timeStamp, std::string_view utf8Text);

}  // namespace quonel
