#include "core/stored_layout.h"

#include "core/conversion.h"
#include "core/utf8.h"

namespace quonel {

namespace {

// Deep enough for any form; a bound so that a damaged resource cannot
// exhaust the stack.
constexpr int kMaxDepth = 32;

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  StoredObject ParseRoot() {
    SkipBlank();
    StoredObject root = ParseObject(0);
    SkipBlank();
    if (at_ < text_.size()) Fail("text after the end of the root object");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) {
    throw EParserError(L"Line " + std::to_wstring(line_) + L": " + Utf8ToWide(what));
  }

  void SkipBlank() {
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == '\n') {
        ++line_;
        ++at_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++at_;
      } else if (c == '#') {
        while (at_ < text_.size() && text_[at_] != '\n') ++at_;
      } else {
        break;
      }
    }
  }

  bool Peek(char c) {
    SkipBlank();
    return at_ < text_.size() && text_[at_] == c;
  }

  void Expect(char c) {
    if (!Peek(c)) Fail(std::string("'") + c + "' expected");
    ++at_;
  }

  static bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
  }

  std::wstring Name() {
    SkipBlank();
    const size_t start = at_;
    while (at_ < text_.size() && IsNameChar(text_[at_])) ++at_;
    if (at_ == start) Fail("name expected");
    return Utf8ToWide(text_.substr(start, at_ - start));
  }

  StoredObject ParseObject(int depth) {
    if (depth > kMaxDepth) Fail("objects nested too deeply");
    StoredObject object;
    object.line = line_;
    if (!Peek(':')) object.name = Name();
    Expect(':');
    object.className = Name();
    Expect('{');
    while (!Peek('}')) {
      if (at_ >= text_.size()) Fail("'}' expected before the end of the text");
      if (Peek(':')) {
        object.children.push_back(ParseObject(depth + 1));
        continue;
      }
      const int line = line_;
      const size_t start = at_;
      std::wstring name = Name();
      if (Peek(':')) {
        at_ = start;
        line_ = line;
        object.children.push_back(ParseObject(depth + 1));
        continue;
      }
      Expect('=');
      object.properties.push_back(StoredProperty{std::move(name), ParseValue(), line});
    }
    ++at_;
    return object;
  }

  StoredValue ParseValue() {
    SkipBlank();
    if (at_ >= text_.size()) Fail("value expected");
    StoredValue value;
    const char c = text_[at_];
    if (c == '"') {
      value.kind = StoredValue::Kind::String;
      value.text = Utf8ToWide(QuotedString());
    } else if (c == '[') {
      ++at_;
      value.kind = StoredValue::Kind::Set;
      while (!Peek(']')) {
        value.items.push_back(Name());
        if (!Peek(']')) Expect(',');
      }
      ++at_;
    } else if (c == '(') {
      ++at_;
      value.kind = StoredValue::Kind::List;
      while (!Peek(')')) {
        const StoredValue item = ParseValue();
        if (item.kind == StoredValue::Kind::String || item.kind == StoredValue::Kind::Identifier)
          value.items.push_back(item.text);
        else if (item.kind == StoredValue::Kind::Integer)
          value.items.push_back(IntToStr(item.integer));
        else
          Fail("a list holds only strings, numbers and names");
        if (!Peek(')')) Expect(',');
      }
      ++at_;
    } else if (c == '-' || (c >= '0' && c <= '9')) {
      const size_t start = at_++;
      while (at_ < text_.size() && IsNameChar(text_[at_])) ++at_;
      value.kind = StoredValue::Kind::Integer;
      if (!TryStrToInt64(Utf8ToWide(text_.substr(start, at_ - start)), value.integer)) Fail("bad number");
    } else {
      const std::wstring word = Name();
      if (word == L"resource") {
        value.kind = StoredValue::Kind::Resource;
        value.text = Peek('"') ? Utf8ToWide(QuotedString()) : Name();
      } else if (word == L"bytes") {
        value.kind = StoredValue::Kind::Bytes;
        if (!Peek('"')) Fail("hexadecimal bytes in quotes expected");
        // A long block is written as one quoted piece per line.
        while (Peek('"')) value.bytes += HexBytes(QuotedString());
      } else {
        value.kind = StoredValue::Kind::Identifier;
        value.text = word;
      }
    }
    return value;
  }

  std::string QuotedString() {
    ++at_;  // opening quote
    std::string out;
    while (true) {
      if (at_ >= text_.size() || text_[at_] == '\n') Fail("unterminated string");
      const char c = text_[at_++];
      if (c == '"') return out;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= text_.size()) Fail("unterminated string");
      const char e = text_[at_++];
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'u': {
          if (at_ + 4 > text_.size()) Fail("bad \\u escape");
          int64_t code = 0;
          if (!TryStrToInt64(L"$" + Utf8ToWide(text_.substr(at_, 4)), code) || code <= 0) Fail("bad \\u escape");
          at_ += 4;
          out += WideToUtf8(std::wstring(1, static_cast<wchar_t>(code)));
          break;
        }
        default: Fail(std::string("unknown escape \\") + e);
      }
    }
  }

  std::string HexBytes(const std::string& hex) {
    std::string bytes;
    int high = -1;
    for (char c : hex) {
      int digit;
      if (c >= '0' && c <= '9') digit = c - '0';
      else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      else if (c == ' ' || c == '\t') continue;
      else Fail("bad hexadecimal digit");
      if (high < 0) {
        high = digit;
      } else {
        bytes += static_cast<char>(high * 16 + digit);
        high = -1;
      }
    }
    if (high >= 0) Fail("odd number of hexadecimal digits");
    return bytes;
  }

  std::string_view text_;
  size_t at_ = 0;
  int line_ = 1;
};

}  // namespace

StoredObject ParseStoredLayout(std::string_view utf8) {
  // A byte order mark left by an editor is not part of the text.
  if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
  return Parser(utf8).ParseRoot();
}

}  // namespace quonel
