// updprobe download URL FILE: one resumable download run by a hidden wizard
// form, so the label, the gauge and the message pumping cost what they cost
// in the wizard. Prints the wizard's log afterwards; exit code 0 when the
// staged copy is complete.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/form_update.h"
#include "probe_command.h"
#include "core/ansi_text.h"
#include "ui/application.h"
#include "core/utf8.h"

namespace quonel::probe {
namespace {

void PrintUtf8(const std::wstring& text) {
  const std::string bytes = WideToUtf8(text);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

int RunDownload(const std::vector<std::string>& arguments) {
  if (arguments.size() != 2) {
    std::fputs("usage: updprobe download URL FILE\n", stderr);
    return 2;
  }
  TApplication application;
  application.Initialize();
  TForm_Update* form = nullptr;
  application.CreateForm(form);
  form->Notebook_step->SetPageIndex(1);
  form->Handle();  // a real, hidden window that paints and pumps like the wizard's
  const bool complete = form->DownloadFile(AnsiToWide(arguments[0]), AnsiToWide(arguments[1]));
  PrintUtf8(form->Memo1->Text());
  return complete ? 0 : 1;
}

const CommandRegistration kDownload("download", "download URL FILE", RunDownload);

}  // namespace
}  // namespace quonel::probe
