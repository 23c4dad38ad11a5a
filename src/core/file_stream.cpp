// TFileStream over the C library's files; wide names reach the platform
// unchanged on Windows and as UTF-8 elsewhere.
#include <cstdio>

#include "core/streams.h"
#include "core/utf8.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace quonel {

namespace {

std::FILE* OpenFile(const std::wstring& name, const wchar_t* mode) {
#ifdef _WIN32
  return _wfopen(name.c_str(), mode);
#else
  const std::string narrowMode = WideToUtf8(mode);
  return std::fopen(WideToUtf8(name).c_str(), narrowMode.c_str());
#endif
}

int64_t Tell(std::FILE* file) {
#ifdef _WIN32
  return _ftelli64(file);
#else
  return ftello(file);
#endif
}

bool SeekTo(std::FILE* file, int64_t offset, int whence) {
#ifdef _WIN32
  return _fseeki64(file, offset, whence) == 0;
#else
  return fseeko(file, offset, whence) == 0;
#endif
}

}  // namespace

TFileStream::TFileStream(const std::wstring& fileName, FileMode mode) : fileName_(fileName) {
  switch (mode) {
    case FileMode::Create:
      file_ = OpenFile(fileName, L"w+b");
      if (!file_) throw EFCreateError(L"Cannot create file \"" + fileName + L"\"");
      return;
    case FileMode::OpenRead: file_ = OpenFile(fileName, L"rb"); break;
    case FileMode::OpenWrite:
    case FileMode::OpenReadWrite: file_ = OpenFile(fileName, L"r+b"); break;
  }
  if (!file_) throw EFOpenError(L"Cannot open file \"" + fileName + L"\"");
}

TFileStream::~TFileStream() {
  if (file_) std::fclose(file_);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
  if (count <= 0) return 0;
  // The C library needs a seek between a write and a read.
  if (lastWasWrite_) SeekTo(file_, 0, SEEK_CUR);
  lastWasWrite_ = false;
  return static_cast<int64_t>(std::fread(buffer, 1, static_cast<size_t>(count), file_));
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  if (!lastWasWrite_) SeekTo(file_, 0, SEEK_CUR);
  lastWasWrite_ = true;
  return static_cast<int64_t>(std::fwrite(buffer, 1, static_cast<size_t>(count), file_));
}

int64_t TFileStream::Seek(int64_t offset, SeekOrigin origin) {
  const int whence = origin == SeekOrigin::Beginning ? SEEK_SET
                     : origin == SeekOrigin::Current ? SEEK_CUR
                                                     : SEEK_END;
  std::fflush(file_);
  if (!SeekTo(file_, offset, whence)) throw EStreamError(L"Invalid stream position");
  lastWasWrite_ = false;
  return Tell(file_);
}

void TFileStream::SetSize(int64_t size) {
  std::fflush(file_);
#ifdef _WIN32
  const bool ok = _chsize_s(_fileno(file_), size) == 0;
#else
  const bool ok = ftruncate(fileno(file_), size) == 0;
#endif
  if (!ok) throw EWriteError(L"Stream write error");
  if (Position() > size) SetPosition(size);
}

}  // namespace quonel
