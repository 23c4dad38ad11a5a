// The banner control's stored state as the stand-in reads it: a 16-byte
// header ("gUfU", a format number, the extent in hundredths of a millimetre)
// and typed values, each a 16-bit type code and its data: 8 a string (32-bit
// byte count, UTF-16LE text with or without its terminator), 11 a 16-bit
// flag, 3 a 32-bit integer, 13 a 16-byte object slot. Little-endian.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quonel::standin {

enum class StateType : uint16_t { Integer = 3, String = 8, Flag = 11, Object = 13 };

struct StateValue {
  StateType type = StateType::String;
  size_t offset = 0;       // of the type code in the block
  uint32_t byteCount = 0;  // strings: as stored
  std::u16string text;     // strings, without a terminator
  int32_t number = 0;      // integers; flags as stored (0xFFFF true, 0 false)
};

struct BannerState {
  uint32_t format = 0;
  int32_t width = 0;   // hundredths of a millimetre
  int32_t height = 0;
  std::vector<StateValue> values;
  // Value 2: the movie address (empty when the block has none).
  std::u16string Movie() const;
};

// Reads a whole block; false when it is not one (bad signature, a value cut
// short, an unknown type code, bytes left over).
bool ParseBannerState(std::string_view bytes, BannerState& state);

}  // namespace quonel::standin
