#include "banner_state.h"

namespace quonel::standin {
namespace {

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  size_t At() const { return at_; }
  bool AtEnd() const { return at_ == bytes_.size(); }
  bool Take(size_t count, std::string_view& out) {
    if (bytes_.size() - at_ < count) return false;
    out = bytes_.substr(at_, count);
    at_ += count;
    return true;
  }
  bool U16(uint16_t& value) {
    std::string_view raw;
    if (!Take(2, raw)) return false;
    value = static_cast<uint16_t>(static_cast<uint8_t>(raw[0]) | static_cast<uint8_t>(raw[1]) << 8);
    return true;
  }
  bool U32(uint32_t& value) {
    uint16_t low = 0, high = 0;
    if (!U16(low) || !U16(high)) return false;
    value = low | static_cast<uint32_t>(high) << 16;
    return true;
  }

 private:
  std::string_view bytes_;
  size_t at_ = 0;
};

bool ReadValue(Reader& reader, StateValue& value) {
  value.offset = reader.At();
  uint16_t type = 0;
  if (!reader.U16(type)) return false;
  value.type = static_cast<StateType>(type);
  switch (value.type) {
    case StateType::String: {
      std::string_view raw;
      if (!reader.U32(value.byteCount) || value.byteCount % 2 || !reader.Take(value.byteCount, raw)) return false;
      for (size_t i = 0; i + 1 < raw.size(); i += 2)
        value.text += static_cast<char16_t>(static_cast<uint8_t>(raw[i]) | static_cast<uint8_t>(raw[i + 1]) << 8);
      if (!value.text.empty() && value.text.back() == u'\0') value.text.pop_back();
      return true;
    }
    case StateType::Flag: {
      uint16_t flag = 0;
      if (!reader.U16(flag)) return false;
      value.number = flag;
      return true;
    }
    case StateType::Integer: {
      uint32_t number = 0;
      if (!reader.U32(number)) return false;
      value.number = static_cast<int32_t>(number);
      return true;
    }
    case StateType::Object: {
      std::string_view slot;
      return reader.Take(16, slot);
    }
  }
  return false;
}

}  // namespace

std::u16string BannerState::Movie() const {
  return values.size() > 1 && values[1].type == StateType::String ? values[1].text : std::u16string();
}

bool ParseBannerState(std::string_view bytes, BannerState& state) {
  state = BannerState{};
  Reader reader(bytes);
  std::string_view signature;
  uint32_t width = 0, height = 0;
  if (!reader.Take(4, signature) || signature != "gUfU" || !reader.U32(state.format) || !reader.U32(width) ||
      !reader.U32(height))
    return false;
  state.width = static_cast<int32_t>(width);
  state.height = static_cast<int32_t>(height);
  while (!reader.AtEnd()) {
    StateValue value;
    if (!ReadValue(reader, value)) return false;
    state.values.push_back(std::move(value));
  }
  return true;
}

}  // namespace quonel::standin
