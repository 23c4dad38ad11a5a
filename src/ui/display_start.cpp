#include "ui/display_start.h"

#include <imm.h>

#include <memory>

#include "core/win32_owners.h"
#include "ui/graphics.h"
#include "ui/win_control.h"

namespace quonel {

namespace {

constexpr DWORD kDisplayStartLimitMs = 10000;

// Realises the font and draws its text once into a small bitmap: the font
// file is opened and the glyphs are rendered and kept by the platform.
void PrepareFont(HDC dc, const FontToPrepare& wanted) {
  TFont font;
  font.SetName(wanted.name);
  font.SetCharset(wanted.charset);
  font.SetHeight(wanted.height);
  SIZE extent{};
  SelectionScope selected(dc, font.Handle());
  GetTextExtentPoint32W(dc, wanted.text.c_str(), static_cast<int>(wanted.text.size()), &extent);
  ExtTextOutW(dc, 0, 0, 0, nullptr, wanted.text.c_str(), static_cast<UINT>(wanted.text.size()), nullptr);
}

DWORD WINAPI StartDisplayThread(void* parameter) {
  const std::unique_ptr<std::vector<FontToPrepare>> fonts(static_cast<std::vector<FontToPrepare>*>(parameter));
  MemoryDc dc;  // the first device context loads the display driver
  // The first window's class asks for these next.
  ProgramClassIcons();
  // The first focused window asks for the keyboard layout's input method.
  ImmIsIME(GetKeyboardLayout(0));
  if (!fonts->empty() && dc.Get()) {
    void* bits = nullptr;
    const OwnedBitmap bitmap = CreateDibSection(64, 16, 32, &bits);
    if (bitmap) {
      SelectionScope target(dc.Get(), bitmap.Get());
      for (const FontToPrepare& font : *fonts) PrepareFont(dc.Get(), font);
    }
  }
  return 0;
}

}  // namespace

// Why a helper that the caller then waits for, measured under Wine 8 on a
// two-processor machine: when the main thread started the display itself,
// in about half of the starts every later window step of that thread ran
// four to five times slower (the wizard's first paint a fifth later on the
// median), and no call made afterwards set it right; and reading the forms
// meanwhile slowed the start more than it saved. The price is the second
// thread itself: from then on the first window's input-method set-up takes
// about 5 ms longer.
void StartDisplay(const std::vector<FontToPrepare>& fonts) {
  auto owned = std::make_unique<std::vector<FontToPrepare>>(fonts);
  HANDLE thread = CreateThread(nullptr, 0, StartDisplayThread, owned.get(), 0, nullptr);
  if (!thread) return;
  // The thread owns the list from here, even if the wait below gives up.
  owned.release();
  WaitForSingleObject(thread, kDisplayStartLimitMs);
  CloseHandle(thread);
}

}  // namespace quonel
