// The banner's stored state in the wizard's layout, read value by value:
// the header, the 24 typed values at their offsets and the movie address.
#include <gtest/gtest.h>

#include <string>

#include "banner_state.h"
#include "core/stored_layout.h"
#include "support/test_paths.h"

namespace quonel {
namespace {

using standin::StateType;

const StoredObject* FindChild(const StoredObject& object, const std::wstring& name) {
  for (const StoredObject& child : object.children) {
    if (child.name == name) return &child;
    if (const StoredObject* found = FindChild(child, name)) return found;
  }
  return nullptr;
}

TEST(StoredBannerState, TheWizardsBlockHoldsTheHeaderAndTheTwentyFourValuesAtTheirOffsets) {
  const std::string text = testing::ReadTextFile(testing::SourceDir() + "/src/app/form_update.layout");
  ASSERT_FALSE(text.empty());
  const StoredObject form = ParseStoredLayout(text);
  const StoredObject* banner = FindChild(form, L"ShockwaveFlash1");
  ASSERT_NE(nullptr, banner);
  std::string bytes;
  for (const StoredProperty& property : banner->properties)
    if (property.name == L"ControlData") bytes = property.value.bytes;
  ASSERT_EQ(368u, bytes.size());

  standin::BannerState state;
  ASSERT_TRUE(standin::ParseBannerState(bytes, state));
  EXPECT_EQ(0x710u, state.format);
  EXPECT_EQ(10610, state.width);
  EXPECT_EQ(2117, state.height);
  struct Expected {
    size_t offset;
    StateType type;
    std::u16string text;
    uint32_t byteCount;
    int32_t number;
  };
  const std::u16string movie = u"http://upd1.quonel.com/adlogin.swf";
  const StateType S = StateType::String, F = StateType::Flag;
  const Expected expected[24] = {
      {16, S, u"", 2, 0},           {24, S, movie, 70, 0},        {100, S, movie, 70, 0},
      {176, S, u"Window", 14, 0},   {196, F, u"", 0, 0xFFFF},     {200, F, u"", 0, 0xFFFF},
      {204, S, u"High", 10, 0},     {220, S, u"", 2, 0},          {228, F, u"", 0, 0xFFFF},
      {232, S, u"", 0, 0},          {238, S, u"", 2, 0},          {246, S, u"ShowAll", 16, 0},
      {268, F, u"", 0, 0},          {272, F, u"", 0, 0},          {276, S, u"", 2, 0},
      {284, S, u"", 0, 0},          {290, S, u"", 2, 0},          {298, StateType::Object, u"", 0, 0},
      {316, F, u"", 0, 1},          {320, F, u"", 0, 0},          {324, S, u"", 0, 0},
      {330, StateType::Integer, u"", 0, 0}, {336, S, u"all", 8, 0}, {350, S, u"false", 12, 0}};
  ASSERT_EQ(24u, state.values.size());
  for (size_t i = 0; i < 24; ++i) {
    SCOPED_TRACE("value " + std::to_string(i + 1));
    EXPECT_EQ(expected[i].offset, state.values[i].offset);
    EXPECT_EQ(expected[i].type, state.values[i].type);
    EXPECT_TRUE(expected[i].text == state.values[i].text);
    EXPECT_EQ(expected[i].byteCount, state.values[i].byteCount);
    EXPECT_EQ(expected[i].number, state.values[i].number);
  }
  EXPECT_TRUE(movie == state.Movie());
  EXPECT_EQ(2 * (movie.size() + 1), 70u);
}

TEST(StoredBannerState, ABlockCutShortOrWithAnUnknownTypeIsNoState) {
  const std::string header = std::string("gUfU\x10\x07\0\0\x72\x29\0\0\x45\x08\0\0", 16);
  standin::BannerState state;
  EXPECT_TRUE(standin::ParseBannerState(header, state));
  EXPECT_FALSE(standin::ParseBannerState(header + std::string("\x08\0\x04\0\0\0a\0", 8), state));
  EXPECT_FALSE(standin::ParseBannerState(header + std::string("\x07\0", 2), state));
  EXPECT_FALSE(standin::ParseBannerState("gUfX" + header.substr(4), state));
}

}  // namespace
}  // namespace quonel
