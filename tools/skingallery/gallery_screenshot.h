// --screenshot: once the skin has set up the gallery's window, the window is
// painted once more, captured from the screen and written as a PNG; then the
// application ends with result 0, or 1 when the file could not be written.
#pragma once
#include <string>

namespace quonel {

class TApplication;
class TForm;
class TSkinData;

void SaveScreenshotWhenSkinned(TForm& form, TSkinData& data, const std::wstring& path, TApplication& application,
                               int& result);

}  // namespace quonel
