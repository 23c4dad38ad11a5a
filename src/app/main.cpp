// Program entry: initialise the application object, create the wizard form
// as the main form (which reads its stored layout), run the message loop.
#include <windows.h>

#include "app/form_update.h"
#include "ui/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  quonel::TApplication application;
  application.Initialize(quonel::TForm_Update::FirstPageFonts());
  quonel::TForm_Update* Form_Update = nullptr;
  application.CreateForm(Form_Update);
  application.Run();
  return 0;
}
