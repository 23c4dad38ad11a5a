#include "skin_describe.h"

#include <gtest/gtest.h>

#include "support/test_paths.h"

namespace quonel {
namespace {

TEST(SkinDescribe, ListsObjectsColoursAndCaptionButtons) {
  const std::string text = skinpack::DescribeSkinArchive(testing::ReadTextFile(QUONEL_BLUE_SKIN));
  for (const char* expected : {
           "Top edge             TDataSkinObject    image 88x48 24 bpp       margins 10/0/54/0 frames 2 trans 0 tile 0",
           "Tabs                 TDataSkinBorder    image 165x24 24 bpp      margins 2/2/2/2 frames 5 trans 1 tile 0 "
           "style 0 colours 2/-1/0 text 91 91 91 / 0 0 0 / 0 0 0 image2 55x24 24 bpp",
           "Tab.Pane             (none)",
           "  ButtonFace         223 223 223\n",
           "  2: 91 91 91\n",
           "  Color9: 255 255 255\n",
           "  BUTTON1      action 1 align 1 x 47 y 0 combine -1 visibility 2 visibility1 6 frames 6 image 108x24 24 bpp",
           "  BUTTON4      action 3 align 0 x 8 y 4 combine -1 visibility 0 visibility1 0 frames 6 image none",
       })
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
}

TEST(SkinDescribe, RefusesWhatIsNoSkin) {
  EXPECT_THROW(skinpack::DescribeSkinArchive(std::string("\x08\0\0\0garbage", 11)), std::runtime_error);
}

}  // namespace
}  // namespace quonel
