// skingallery [SKIN.skn] [--screenshot FILE.png]
// Shows every kind of control the skin engine draws, skinned with the given
// skin file or the built-in blue skin. With --screenshot the window is saved
// as a PNG once the skin has drawn it, and the program ends.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "gallery_form.h"
#include "gallery_screenshot.h"
#include "skin/data/skin_data.h"
#include "skin/manager/skin_manage.h"
#include "ui/application.h"

namespace {

struct Arguments {
  std::wstring skinFile;
  std::wstring screenshot;
  bool valid = true;
};

Arguments ParseArguments(int argc, wchar_t** argv) {
  Arguments arguments;
  for (int i = 1; i < argc; ++i) {
    const std::wstring argument = argv[i];
    if (argument == L"--screenshot" && i + 1 < argc) arguments.screenshot = argv[++i];
    else if (!argument.empty() && argument[0] != L'-' && arguments.skinFile.empty()) arguments.skinFile = argument;
    else arguments.valid = false;
  }
  return arguments;
}

// The built-in skin archive, linked into the program as a resource.
std::string BuiltInSkin() {
  HRSRC resource = FindResourceW(nullptr, L"BLUE_SKIN", MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!resource) return {};
  HGLOBAL loaded = LoadResource(nullptr, resource);
  const auto* bytes = static_cast<const char*>(LockResource(loaded));
  return bytes ? std::string(bytes, SizeofResource(nullptr, resource)) : std::string();
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  if (!file) return false;
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return true;
}

void Complain(const std::wstring& text, bool quiet) {
  std::fwprintf(stderr, L"skingallery: %ls\n", text.c_str());
  if (!quiet) MessageBoxW(nullptr, text.c_str(), L"Skin gallery", MB_OK | MB_ICONERROR);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace quonel;
  const Arguments arguments = ParseArguments(argc, argv);
  const bool quiet = !arguments.screenshot.empty();
  if (!arguments.valid) {
    Complain(L"usage: skingallery [SKIN.skn] [--screenshot FILE.png]", quiet);
    return 2;
  }
  std::string archive;
  if (arguments.skinFile.empty()) archive = BuiltInSkin();
  else if (!ReadWholeFile(arguments.skinFile, archive)) {
    Complain(L"cannot read the skin file " + arguments.skinFile, quiet);
    return 1;
  }

  TApplication application;
  application.Initialize();
  RegisterSkinManager();
  std::wstring error;
  TSkinData* data = nullptr;
  TGalleryForm* form = CreateSkinnedGallery(application, archive, error, &data);
  if (!form) {
    Complain(error + L": " + (arguments.skinFile.empty() ? L"(built-in)" : arguments.skinFile), quiet);
    return 1;
  }
  form->OnClose = [&application](TComponent*, TCloseAction&) { application.Terminate(); };

  int result = 0;
  if (quiet) SaveScreenshotWhenSkinned(*form, *data, arguments.screenshot, application, result);
  form->Show();
  SetForegroundWindow(form->Handle());
  application.Run();
  delete form;
  FreeSkinManager();
  return result;
}
