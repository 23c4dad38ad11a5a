// updmanifest: writes the manifest of a release folder for the wizard, or
// checks a published server folder against its manifest.
#include <iostream>

#include "updmanifest_command.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

// The manifest's CR LF must reach standard output unchanged.
int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  return quonel::updmanifest::RunUpdmanifest(std::vector<std::wstring>(argv + 1, argv + argc), std::cout, std::cerr);
}
#else
#include "native_text.h"

int main(int argc, char** argv) {
  std::vector<std::wstring> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(quonel::updmanifest::ArgumentText(argv[i]));
  return quonel::updmanifest::RunUpdmanifest(arguments, std::cout, std::cerr);
}
#endif
