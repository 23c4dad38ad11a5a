// What the skin benchmarks share: a clock in seconds, a pump of the waiting
// messages, the skin file read (and loaded), a form of the wizard's size and
// font, and the median of a figure's rounds.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "skin/data/skin_data.h"
#include "ui/application.h"
#include "ui/form.h"

namespace quonel::bench {

inline double Now() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

inline std::string ReadFileBytes(const char* path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// The skin archive at path loaded into data; false, said on stderr, when it
// cannot be.
inline bool LoadSkinFile(const char* path, TSkinData& data) {
  data.SetSkinStream(ReadFileBytes(path));
  if (data.LoadSkin()) return true;
  std::fprintf(stderr, "bench: cannot load %s\n", path);
  return false;
}

// A form of the wizard's size, in its font; not shown yet.
inline TForm* WizardSizedForm(TApplication& application) {
  auto* form = new TForm(&application);
  form->SetBounds(20, 20, 418, 380);
  form->Font().SetName(L"宋体");
  form->Font().SetHeight(-12);
  return form;
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace quonel::bench
