// Code page 936 through iconv (glibc calls it GBK).
#include <errno.h>
#include <iconv.h>

#include "core/utf8.h"
#include "gb2312_text.h"

namespace quonel::updmanifest {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (Valid()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool Valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much as it can; false at the first byte it cannot take.
  bool Convert(const char*& in, size_t& inLeft, std::string& out) {
    char buffer[256];
    while (inLeft > 0) {
      char* at = buffer;
      size_t room = sizeof buffer;
      const size_t result = iconv(handle_, const_cast<char**>(&in), &inLeft, &at, &room);
      out.append(buffer, static_cast<size_t>(at - buffer));
      if (result == static_cast<size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
  }

 private:
  iconv_t handle_;
};

}  // namespace

std::optional<std::string> EncodeCodePage936(std::wstring_view text) {
  const std::string utf8 = WideToUtf8(text);
  Converter converter("GBK", "UTF-8");
  if (!converter.Valid()) return std::nullopt;
  const char* in = utf8.data();
  size_t left = utf8.size();
  std::string out;
  if (!converter.Convert(in, left, out)) return std::nullopt;
  return out;
}

std::wstring DecodeCodePage936(std::string_view bytes) {
  Converter converter("UTF-8", "GBK");
  if (!converter.Valid()) return std::wstring(bytes.size(), L'\xFFFD');
  const char* in = bytes.data();
  size_t left = bytes.size();
  std::string utf8;
  while (!converter.Convert(in, left, utf8)) {
    utf8 += "\xEF\xBF\xBD";  // U+FFFD for the byte it could not take
    ++in;
    --left;
  }
  return Utf8ToWide(utf8);
}

}  // namespace quonel::updmanifest
