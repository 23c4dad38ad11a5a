// Where a test finds its fixtures and leaves its output. CTest passes the
// build tree's folders as Unix paths; under Wine they are reached via Z:.
#pragma once
#include <string>

namespace quonel::testing {

// A Unix path as the running program must open it (Z:\... under Windows).
std::string HostPath(const std::string& unixPath);
// The folder for screenshots and other files a person may look at.
std::string TestOutputDir();
// The folder of the shared fixtures (nginx's port file and document root).
std::string FixturesDir();
// The repository root.
std::string SourceDir();
// Reads a whole small file; empty when it is missing.
std::string ReadTextFile(const std::string& path);

}  // namespace quonel::testing
