// The platform's one-time start of drawing and input: the display driver,
// the program's icons, the keyboard layout's input method and the fonts the
// first window draws with, and COM's library. Under Wine each costs
// milliseconds the first time.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace quonel {

// A font the first window draws with, as a TFont describes it, and the text
// it draws first (its glyphs are made ready too).
struct FontToPrepare {
  std::wstring name;
  int charset = DEFAULT_CHARSET;
  int height = 0;
  std::wstring text;
};

// Starts all of it on a helper thread and waits until it is done, at most a
// few seconds: a display that does not answer by then is the first window's
// to wait for. The helper then loads ole32 while the caller goes on.
void StartDisplay(const std::vector<FontToPrepare>& fonts);

}  // namespace quonel
