// The commands of updprobe: each lives in its own file and registers itself
// under its name, so a new command is one new file.
#pragma once
#include <string>
#include <vector>

namespace quonel::probe {

// Runs a command with the arguments after its name; returns the exit code.
using CommandFunction = int (*)(const std::vector<std::string>& arguments);

struct CommandRegistration {
  CommandRegistration(const char* name, const char* usage, CommandFunction run);
};

struct Command {
  const char* name;
  const char* usage;
  CommandFunction run;
};
const std::vector<Command>& Commands();

// Prints "ClassName: message" of the exception being handled to standard
// error and returns 1; for use inside a catch block.
int ReportCurrentException();

}  // namespace quonel::probe
