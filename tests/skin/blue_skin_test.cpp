// The built-in blue skin as the build made it: archive layout, member order,
// bitmap sizes and formats, and where its magenta may be. Leaves a preview
// of every bitmap in the test output folder for a person to look at.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "skin/archive/skin_reader.h"
#include "support/png_writer.h"
#include "support/test_paths.h"

namespace quonel {
namespace {

struct Expected {
  const char* name;
  int width, height, bits;
};

// In archive order.
const Expected kBitmaps[] = {
    {"blue_frametop.bmp", 88, 48, 24},        {"blue_framebottom.bmp", 70, 3, 24},
    {"blue_frameleft.bmp", 3, 48, 24},        {"blue_frameright.bmp", 3, 48, 24},
    {"blue_menu.bmp", 24, 36, 24},            {"back.bmp", 100, 100, 24},
    {"blue_button.bmp", 165, 25, 24},         {"check.bmp", 65, 13, 24},
    {"blue_radiobutton.bmp", 65, 13, 24},     {"blue_progressbar.bmp", 30, 18, 24},
    {"blue_groupbox.bmp", 94, 50, 24},        {"blue_tabpanel.bmp", 55, 24, 24},
    {"blue_tab.bmp", 165, 24, 24},            {"blue_status.bmp", 72, 18, 24},
    {"blue_combobutton.bmp", 64, 21, 24},     {"blue_combobox.bmp", 20, 21, 4},
    {"blue_combobuttonglyph.bmp", 80, 16, 24}, {"blue_header.bmp", 185, 23, 24},
    {"blue_menuitem.bmp", 535, 16, 24},       {"blue_menuframe_.bmp", 107, 99, 24},
    {"blue_scrollarrows.bmp", 368, 16, 24},   {"blue_hscrollshaft.bmp", 112, 16, 24},
    {"blue_vscrollshaft.bmp", 64, 40, 24},    {"blue_hscrollthumb.bmp", 150, 16, 24},
    {"blue_vscrollthumb.bmp", 48, 50, 24},    {"blue_mdibuttons.bmp", 180, 14, 24},
    {"blue_groupboxtop.bmp", 47, 15, 24},     {"toolback.bmp", 49, 50, 24},
    {"blue_toolbarbutton.bmp", 170, 26, 24},  {"blue_menubutton.bmp", 100, 16, 24},
    {"blue_close.bmp", 108, 24, 24},          {"blue_maximize.bmp", 108, 24, 24},
    {"blue_minimize.bmp", 108, 24, 24},
};

uint32_t Le(const std::string& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(b.at(at + static_cast<size_t>(i)));
  return v;
}

// Just enough of the bitmap format for what the skin holds: 24 and 4 bits.
struct Bitmap {
  int width = 0, height = 0, bits = 0;
  std::vector<uint8_t> rgb;  // rows from the top
  bool Has(int x, int y, uint8_t r, uint8_t g, uint8_t b) const {
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return rgb[i] == r && rgb[i + 1] == g && rgb[i + 2] == b;
  }
  bool Magenta(int x, int y) const { return Has(x, y, 255, 0, 255); }
};

Bitmap ParseBitmap(const std::string& file) {
  Bitmap bmp;
  if (file.size() < 54 || file.compare(0, 2, "BM") != 0) return bmp;
  const uint32_t offset = Le(file, 10, 4);
  bmp.width = static_cast<int>(Le(file, 18, 4));
  bmp.height = static_cast<int>(Le(file, 22, 4));
  bmp.bits = static_cast<int>(Le(file, 28, 2));
  const size_t stride = ((static_cast<size_t>(bmp.width) * bmp.bits + 31) / 32) * 4;
  if (Le(file, 2, 4) != file.size() || offset + stride * bmp.height != file.size()) return Bitmap{};
  bmp.rgb.resize(static_cast<size_t>(bmp.width) * bmp.height * 3);
  for (int y = 0; y < bmp.height; ++y) {
    const size_t row = offset + stride * static_cast<size_t>(bmp.height - 1 - y);
    for (int x = 0; x < bmp.width; ++x) {
      size_t colour;  // offset of a blue, green, red triple
      if (bmp.bits == 24) {
        colour = row + static_cast<size_t>(x) * 3;
      } else {
        const uint8_t pair = static_cast<uint8_t>(file[row + static_cast<size_t>(x) / 2]);
        colour = 54 + 4u * ((x % 2 == 0) ? pair >> 4 : pair & 15);
      }
      uint8_t* out = &bmp.rgb[(static_cast<size_t>(y) * bmp.width + x) * 3];
      out[0] = static_cast<uint8_t>(file[colour + 2]);
      out[1] = static_cast<uint8_t>(file[colour + 1]);
      out[2] = static_cast<uint8_t>(file[colour]);
    }
  }
  return bmp;
}

// Every bitmap at twice its size, magenta as a checker pattern, for a person
// to look at.
bool WritePreview(const std::vector<Bitmap>& bitmaps) {
  const int scale = 2, gap = 8;
  int width = 0, height = gap;
  for (const Bitmap& bmp : bitmaps) {
    width = std::max(width, bmp.width * scale + 2 * gap);
    height += bmp.height * scale + gap;
  }
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3, 200);
  int top = gap;
  for (const Bitmap& bmp : bitmaps) {
    for (int y = 0; y < bmp.height * scale; ++y) {
      for (int x = 0; x < bmp.width * scale; ++x) {
        const uint8_t* p = &bmp.rgb[(static_cast<size_t>(y / scale) * bmp.width + x / scale) * 3];
        uint8_t* q = &rgb[(static_cast<size_t>(top + y) * width + gap + x) * 3];
        const bool key = bmp.Magenta(x / scale, y / scale);
        const bool dark = ((x / 3) + (y / 3)) % 2 == 0;
        q[0] = key ? (dark ? 230 : 255) : p[0];
        q[1] = key ? (dark ? 140 : 200) : p[1];
        q[2] = key ? (dark ? 230 : 255) : p[2];
      }
    }
    top += bmp.height * scale + gap;
  }
  return testing::WritePngFile(testing::HostPath(testing::TestOutputDir() + "/blue_skin_preview.png"), width,
                               height, rgb);
}

class BlueSkinTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    reader_ = new TSkinReader;
    ASSERT_TRUE(reader_->ReadArchive(testing::ReadTextFile(testing::HostPath(QUONEL_BLUE_SKIN))));
  }
  static void TearDownTestSuite() { delete reader_; }
  static TSkinReader* reader_;
};
TSkinReader* BlueSkinTest::reader_ = nullptr;

TEST_F(BlueSkinTest, ArchiveLayout) {
  const TSkinReader& r = *reader_;
  EXPECT_EQ(r.Version(), 20000);
  EXPECT_EQ(r.NameListLength(), 660);
  ASSERT_EQ(r.MemberCount(), 34);
  for (int i = 0; i < 33; ++i) EXPECT_EQ(r.Members()[static_cast<size_t>(i)].name, kBitmaps[i].name);
  uint64_t sum = 0;
  for (const TSkinMember& m : r.Members()) sum += static_cast<uint64_t>(m.size);
  EXPECT_EQ(sum, r.Data().size());
  EXPECT_EQ(r.Data().size(), 292286u);  // 293,098 decoded bytes less the header and tables

  std::string name;
  const std::string description = r.FindMember(".ini", name);
  EXPECT_EQ(name, r.Members().back().name);
  EXPECT_EQ(description.size(), 7784u);
  EXPECT_NE(description.find("Top=Blue_FrameTop.bmp"), std::string::npos);
}

TEST_F(BlueSkinTest, BitmapsHaveTheirSizesAndFormats) {
  std::vector<Bitmap> bitmaps;
  for (const Expected& e : kBitmaps) {
    bitmaps.push_back(ParseBitmap(reader_->GetMember(e.name)));
    const Bitmap& bmp = bitmaps.back();
    EXPECT_EQ(bmp.width, e.width) << e.name;
    EXPECT_EQ(bmp.height, e.height) << e.name;
    EXPECT_EQ(bmp.bits, e.bits) << e.name;
  }
  EXPECT_TRUE(WritePreview(bitmaps));
}

TEST_F(BlueSkinTest, MagentaOnlyWhereItIsDrawnTransparently) {
  // These are drawn opaque (no Trans in their sections, or Trans=0; the left,
  // top and bottom frame edges are copied as they are): magenta would show.
  for (const char* opaque : {"blue_frametop.bmp", "blue_frameleft.bmp", "blue_framebottom.bmp", "blue_menu.bmp",
                             "back.bmp", "blue_combobox.bmp", "blue_header.bmp", "blue_status.bmp",
                             "blue_hscrollshaft.bmp", "blue_vscrollshaft.bmp", "blue_hscrollthumb.bmp",
                             "blue_menuframe_.bmp", "toolback.bmp"}) {
    const Bitmap bmp = ParseBitmap(reader_->GetMember(opaque));
    ASSERT_GT(bmp.width, 0) << opaque;
    for (int y = 0; y < bmp.height; ++y)
      for (int x = 0; x < bmp.width; ++x) ASSERT_FALSE(bmp.Magenta(x, y)) << opaque << " " << x << "," << y;
  }
  // The right edge is transparent: its corner is cut at the top only, and
  // its outermost column stays opaque below the corner so the window keeps
  // its full width there.
  const Bitmap right = ParseBitmap(reader_->GetMember("blue_frameright.bmp"));
  EXPECT_TRUE(right.Magenta(2, 0));
  EXPECT_FALSE(right.Magenta(0, 0));
  for (int y = 3; y < right.height; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_FALSE(right.Magenta(x, y)) << x << "," << y;
  // Caption buttons sit on the caption with transparent surroundings.
  const Bitmap close = ParseBitmap(reader_->GetMember("blue_close.bmp"));
  EXPECT_TRUE(close.Magenta(0, 0));
  EXPECT_FALSE(close.Magenta(9, 12));
}

}  // namespace
}  // namespace quonel
