// The demo installation's client program: the wizard starts it after an
// update, and it leaves client_started.txt beside itself as the evidence.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring marker(path, length);
  marker = marker.substr(0, marker.find_last_of(L'\\') + 1) + L"client_started.txt";
  HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[128];
  const int size = wsprintfA(text, "started %04d-%02d-%02d %02d:%02d:%02d args=[%ls]\r\n", now.wYear,
                             now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, commandLine);
  DWORD written;
  WriteFile(file, text, size, &written, nullptr);
  CloseHandle(file);
  return 0;
}
