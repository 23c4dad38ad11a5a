#include "net/win_socket_stream.h"

#include <winsock.h>
#include <windows.h>

#include <cwchar>

#include "net/socket_error.h"

namespace quonel {

TWinSocketStream::TWinSocketStream(TCustomWinSocket& socket, int32_t timeoutMs)
    : socket_(socket), timeoutMs_(timeoutMs) {
  if (socket.AsyncStyles() != 0) throw ESocketError(kMustBeBlocking);
  event_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
}

TWinSocketStream::~TWinSocketStream() = default;

bool TWinSocketStream::WaitReadable(int32_t timeoutMs) {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(static_cast<SOCKET>(socket_.SocketHandle()), &readable);
  timeval limit = {static_cast<long>(timeoutMs / 1000), static_cast<long>((timeoutMs % 1000) * 1000)};
  return select(0, &readable, nullptr, nullptr, &limit) > 0;
}

int TWinSocketStream::Read(void* buffer, int count) { return Transfer(buffer, count, true); }

int TWinSocketStream::Write(const void* buffer, int count) {
  return Transfer(const_cast<void*>(buffer), count, false);
}

int TWinSocketStream::Transfer(void* buffer, int count, bool reading) {
  socket_.Lock();
  struct Unlock {
    TCustomWinSocket& socket;
    ~Unlock() { socket.Unlock(); }
  } unlock{socket_};

  HANDLE file = reinterpret_cast<HANDLE>(socket_.SocketHandle());
  OVERLAPPED overlapped = {};
  overlapped.hEvent = event_.Get();
  const BOOL started = reading ? ReadFile(file, buffer, static_cast<DWORD>(count), nullptr, &overlapped)
                               : WriteFile(file, buffer, static_cast<DWORD>(count), nullptr, &overlapped);
  if (!started) {
    const DWORD code = GetLastError();
    if (code != ERROR_IO_PENDING) {
      wchar_t message[400];
      std::swprintf(message, 400, L"%ls error %d, %ls", reading ? L"Read" : L"Write",
                    static_cast<int>(code), SystemErrorMessage(static_cast<uint32_t>(code)).c_str());
      throw ESocketError(message);
    }
  }
  DWORD transferred = 0;
  if (WaitForSingleObject(event_.Get(), static_cast<DWORD>(timeoutMs_)) != WAIT_OBJECT_0) {
    // The operation still refers to the caller's buffer: cancel it and wait
    // until the platform has let go. Bytes that arrived meanwhile are kept.
    CancelIo(file);
    if (!GetOverlappedResult(file, &overlapped, &transferred, TRUE)) transferred = 0;
    ResetEvent(event_.Get());
    return static_cast<int>(transferred);
  }
  GetOverlappedResult(file, &overlapped, &transferred, FALSE);
  ResetEvent(event_.Get());
  return static_cast<int>(transferred);
}

}  // namespace quonel
