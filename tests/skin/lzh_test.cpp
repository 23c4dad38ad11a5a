// The LZHUF decoder against the packer's encoder, and against streams built
// bit by bit from the tree's documented starting shape.
#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <random>
#include <string>

#include "lzh_encoder.h"
#include "skin/archive/lzh.h"
#include "skin/archive/lzh_exception.h"
#include "skin/archive/lzh_tree.h"

// The decoder takes its tables with a non-throwing new; a test can make
// that one allocation fail.
namespace {
bool g_failTreeAllocation = false;
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (g_failTreeAllocation && size == sizeof(quonel::lzh::TLzhTree)) return nullptr;
  try {
    return ::operator new(size);
  } catch (...) {
    return nullptr;
  }
}

namespace quonel {
namespace {

std::string RandomBytes(size_t count, uint32_t seed) {
  std::mt19937 random(seed);
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

int32_t StoredSize(const std::string& stream) {
  return static_cast<int32_t>(static_cast<uint8_t>(stream[0]) | static_cast<uint8_t>(stream[1]) << 8 |
                              static_cast<uint8_t>(stream[2]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(stream[3])) << 24);
}

std::string RoundTrip(const std::string& data) {
  const std::string stream = skinpack::LzhEncode(data);
  EXPECT_EQ(StoredSize(stream), static_cast<int32_t>(data.size()));
  return TLZH::Decode(std::string_view(stream).substr(4), StoredSize(stream));
}

TEST(LzhRoundTrip, SmallInputs) {
  EXPECT_EQ(RoundTrip(""), "");
  EXPECT_EQ(RoundTrip("x"), "x");
  EXPECT_EQ(RoundTrip("ab"), "ab");
  EXPECT_EQ(RoundTrip(std::string(3, '\0')), std::string(3, '\0'));
}

TEST(LzhRoundTrip, RunsAcrossTheLongestMatch) {
  for (size_t length : {59u, 60u, 61u, 62u, 119u, 120u, 121u, 1000u}) {
    const std::string run(length, 'q');
    EXPECT_EQ(RoundTrip(run), run) << length;
    const std::string mixed = "head" + run + "tail" + std::string(length, ' ');
    EXPECT_EQ(RoundTrip(mixed), mixed) << length;
  }
}

TEST(LzhRoundTrip, IncompressibleData) {
  const std::string data = RandomBytes(50000, 7);
  const std::string stream = skinpack::LzhEncode(data);
  EXPECT_GT(stream.size(), data.size() * 9 / 10);  // really incompressible
  EXPECT_EQ(TLZH::Decode(std::string_view(stream).substr(4), StoredSize(stream)), data);
}

TEST(LzhRoundTrip, LongInputRebuildsTheTreeManyTimes) {
  // 0x8000 symbols per rebuild: ~2 MB of mixed literals and matches forces
  // dozens of rebuilds, and every one must happen alike on both sides.
  std::mt19937 random(11);
  std::string data;
  while (data.size() < 2'000'000) {
    if (random() % 3 == 0) {
      data += RandomBytes(random() % 40, static_cast<uint32_t>(data.size()));
    } else {
      const size_t back = 1 + random() % std::min<size_t>(4096, data.size() + 1);
      const size_t length = 3 + random() % 70;
      for (size_t k = 0; k < length; ++k) data += data.size() >= back ? data[data.size() - back] : 'z';
    }
  }
  EXPECT_EQ(RoundTrip(data), data);
}

TEST(LzhRoundTrip, MatchesAtTheFarEndOfTheWindow) {
  // A random block repeated at exactly the window's length: the only
  // matches reach back 4,096 bytes, the farthest a position can say.
  const std::string block = RandomBytes(4096, 3);
  const std::string data = block + block + block;
  const std::string stream = skinpack::LzhEncode(data);
  EXPECT_LT(stream.size(), block.size() + 1000);  // the repeats went as matches
  EXPECT_EQ(TLZH::Decode(std::string_view(stream).substr(4), StoredSize(stream)), data);
}

TEST(LzhRoundTrip, LeadingSpacesComeFromTheInitialWindow) {
  const std::string data = std::string(500, ' ') + "after the spaces";
  const std::string stream = skinpack::LzhEncode(data);
  EXPECT_LT(stream.size(), 40u);  // matched against the window's spaces
  EXPECT_EQ(RoundTrip(data), data);
}

// Bits written most significant first, as the decoder reads them.
class BitWriter {
 public:
  void Put(unsigned value, int count) {
    for (int i = count - 1; i >= 0; --i) {
      if (bits_ % 8 == 0) bytes_.push_back('\0');
      if ((value >> i) & 1) bytes_.back() = static_cast<char>(bytes_.back() | (0x80 >> (bits_ % 8)));
      ++bits_;
    }
  }
  // A symbol's code in the freshly started tree: node n's parent is
  // 314 + n / 2 and the branch is n's lowest bit, up to the root 626.
  void FreshTreeSymbol(int symbol) {
    std::string path;
    for (int node = symbol; node != lzh::kRoot; node = lzh::kCharCount + node / 2) path += char('0' + (node & 1));
    for (auto it = path.rbegin(); it != path.rend(); ++it) Put(*it == '1', 1);
  }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
  int bits_ = 0;
};

TEST(LzhDecode, FirstSymbolsFollowTheStartingTree) {
  BitWriter literal;
  literal.FreshTreeSymbol('A');
  EXPECT_EQ(TLZH::Decode(literal.bytes(), 1), "A");

  // The longest match (symbol 313) at position 0 copies the byte just before
  // the write position: the ring starts with spaces. The final match is
  // written whole even though only one byte was asked for.
  BitWriter match;
  match.FreshTreeSymbol(313);
  match.Put(0, 3 + 6);  // position 0: a 3-bit code and six low bits
  EXPECT_EQ(TLZH::Decode(match.bytes(), 1), std::string(60, ' '));

  // Position 4,095 reaches the window's slots that nothing wrote: zeros.
  BitWriter far;
  far.FreshTreeSymbol(256);  // a 3-byte match
  far.Put(0xFF, 8);          // upper bits 63, 8-bit code
  far.Put(63, 6);
  EXPECT_EQ(TLZH::Decode(far.bytes(), 3), std::string(3, '\0'));
}

TEST(LzhDecode, AStreamCutShortStillYieldsTheWholeSize) {
  const std::string text = RandomBytes(20000, 5) + std::string(20000, 'k');
  const std::string stream = skinpack::LzhEncode(text);
  for (size_t cut : {size_t{0}, size_t{1}, stream.size() / 2, stream.size() - 5}) {
    const std::string decoded = TLZH::Decode(std::string_view(stream).substr(4, cut), 40000);
    EXPECT_GE(decoded.size(), 40000u) << cut;
    EXPECT_LT(decoded.size(), 40000u + lzh::kMaxMatch) << cut;
  }
  // What was there decodes as before.
  const std::string half = TLZH::Decode(std::string_view(stream).substr(4, stream.size() / 2), 40000);
  EXPECT_EQ(half.substr(0, 5000), text.substr(0, 5000));
}

uint64_t Fnv1a(const std::string& bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (char c : bytes) hash = (hash ^ static_cast<uint8_t>(c)) * 1099511628211ull;
  return hash;
}

TEST(LzhDecode, ArbitraryBitsDecodeAsBefore) {
  // Any bits are a valid stream. These decode to about 150,000 symbols, so
  // the tree is rebuilt several times; the digest was taken once and kept, so
  // that a change to the tree, which encoder and decoder would share
  // unnoticed in a round trip, shows here.
  const std::string bits = RandomBytes(200000, 2024);
  const std::string decoded = TLZH::Decode(bits, 1000000);
  EXPECT_EQ(decoded.size(), 1000022u);
  EXPECT_EQ(Fnv1a(decoded), 7789116614959890149ull);
}

TEST(LzhDecode, TablesThatCannotBeHadRaiseElzhException) {
  g_failTreeAllocation = true;
  try {
    TLZH::Decode("abc", 10);
    ADD_FAILURE() << "no exception";
  } catch (const ElzhException& error) {
    EXPECT_EQ(error.Message(), L"LZH : Cannot get memory for dictionary tables");
    EXPECT_STREQ(error.ClassName(), L"ElzhException");
  }
  g_failTreeAllocation = false;
  EXPECT_EQ(TLZH::Decode(std::string(3, '\0'), 1).size(), 1u);
}

TEST(LzhDecode, SizeLimits) {
  EXPECT_EQ(TLZH::Decode("abc", 0), "");
  EXPECT_EQ(TLZH::Decode("abc", -5), "");
  EXPECT_THROW(TLZH::Decode("abc", TLZH::kMaxDecodedSize + 1), std::length_error);
}

}  // namespace
}  // namespace quonel
