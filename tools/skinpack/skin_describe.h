// "skinpack describe": what the engine makes of a skin, as text for skin
// authors.
#pragma once
#include <string>

namespace quonel {
class TSkinData;
}

namespace quonel::skinpack {

// Every built object, the named colours, the colour table, the custom
// colours and the caption buttons of a loaded skin.
std::string DescribeSkin(const TSkinData& data);
// Loads the archive and describes it; throws std::runtime_error when the
// archive cannot be read.
std::string DescribeSkinArchive(const std::string& archive);
// Prints the description of a skin file's bytes; the tool's exit code.
int DescribeCommand(const std::string& archive);

}  // namespace quonel::skinpack
