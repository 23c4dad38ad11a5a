// Byte streams: an abstract TStream with an in-memory and a file-backed kind.
// A stream handed in by a caller is never owned by the callee.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/exception.h"
#include "core/persistent.h"

namespace quonel {

QUONEL_DECLARE_EXCEPTION(EStreamError, Exception);
QUONEL_DECLARE_EXCEPTION(EReadError, EStreamError);
QUONEL_DECLARE_EXCEPTION(EWriteError, EStreamError);
QUONEL_DECLARE_EXCEPTION(EFOpenError, EStreamError);
QUONEL_DECLARE_EXCEPTION(EFCreateError, EStreamError);

enum class SeekOrigin { Beginning, Current, End };

class TStream : public TPersistent {
 public:
  const wchar_t* ClassName() const override { return L"TStream"; }

  // Read and Write move up to count bytes and say how many they moved.
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  virtual int64_t Seek(int64_t offset, SeekOrigin origin) = 0;
  virtual void SetSize(int64_t size) = 0;

  int64_t Position() { return Seek(0, SeekOrigin::Current); }
  void SetPosition(int64_t position) { Seek(position, SeekOrigin::Beginning); }
  int64_t Size();

  // All or nothing: a short read raises EReadError, a short write EWriteError.
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
  // Copies count bytes from source's position (count 0: all of source from its start).
  int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  const wchar_t* ClassName() const override { return L"TMemoryStream"; }

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  void SetSize(int64_t size) override;
  void Clear();

  const uint8_t* Memory() const { return bytes_.data(); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
  int64_t position_ = 0;
};

enum class FileMode { Create, OpenRead, OpenWrite, OpenReadWrite };

class TFileStream : public TStream {
 public:
  // Create makes the file empty (raising EFCreateError when it cannot); the
  // open modes need an existing file (EFOpenError).
  TFileStream(const std::wstring& fileName, FileMode mode);
  ~TFileStream() override;
  const wchar_t* ClassName() const override { return L"TFileStream"; }

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  void SetSize(int64_t size) override;
  const std::wstring& FileName() const { return fileName_; }

 private:
  std::wstring fileName_;
  std::FILE* file_ = nullptr;
  bool lastWasWrite_ = false;
};

}  // namespace quonel
