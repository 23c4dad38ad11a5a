// Helper program of form_application_test: its main form fails while being
// built. It writes the caption and text of the box it sees to the file named
// on its command line, answers the box, and is ended by the application.
#include <windows.h>

#include <cstdio>

#include "support/message_box_hook.h"
#include "ui/application.h"
#include "core/exception.h"
#include "core/utf8.h"

namespace quonel {

QUONEL_DECLARE_EXCEPTION(EOleSysError, Exception);

class TFailingForm : public TForm {
 public:
  explicit TFailingForm(TComponent* owner) : TForm(owner) { throw EOleSysError(L"Class not registered"); }
};

}  // namespace quonel

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::wstring report = argv[1];
  quonel::testing::MessageBoxAnswerer answerer(IDOK);
  answerer.OnBox = [&](const quonel::testing::SeenMessageBox& box) {
    if (FILE* file = _wfopen(report.c_str(), L"wb")) {
      const std::string text = quonel::WideToUtf8(box.caption + L"\n" + box.text);
      std::fwrite(text.data(), 1, text.size(), file);
      std::fclose(file);
    }
  };
  quonel::TApplication application;
  application.Initialize();
  quonel::TFailingForm* form = nullptr;
  application.CreateForm(form);
  return 0;  // not reached when the failure ends the program
}
