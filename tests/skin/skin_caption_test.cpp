// The caption component: its check for a skin data component whatever the
// stored order, its fixed Author, and several components sharing caption
// rendering without switching each other off.
#include "skin/frame/skin_caption.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/stored_form_reader.h"
#include "core/stored_layout.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_data_class.h"
#include "support/message_box_hook.h"
#include "ui/form.h"
#include "ui/standard_classes.h"

namespace quonel {
namespace {

class CaptionComponent : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterStandardClasses();
    RegisterSkinDataClass();
    RegisterSkinCaptionClass();
  }
  void Read(TForm& form, const char* layout) { ReadStoredComponent(form, ParseStoredLayout(layout), {}); }
};

TEST_F(CaptionComponent, WarnsOnceWithoutSkinDataWhateverTheStoredOrder) {
  testing::MessageBoxAnswerer boxes;
  {
    TForm form(nullptr);
    Read(form, R"(Form : TForm {
      SkinCaption1 : TSkinCaption { Author = "someone else" }
      SkinData1 : TSkinData { }
    })");
    auto* caption = dynamic_cast<TSkinCaption*>(form.FindComponent(L"SkinCaption1"));
    ASSERT_NE(nullptr, caption);
    EXPECT_EQ(kSkinCaptionAuthor, caption->Author()) << "a stored Author is replaced";
    EXPECT_TRUE(caption->Active());
  }
  EXPECT_TRUE(boxes.Boxes().empty()) << "the skin data stored after the caption component still counts";
  {
    TForm form(nullptr);
    Read(form, R"(Form : TForm { SkinCaption1 : TSkinCaption { } })");
  }
  ASSERT_EQ(1u, boxes.Boxes().size());
  EXPECT_EQ(kMissingSkinDataWarning, boxes.Boxes()[0].text);
  EXPECT_NE(std::wstring::npos, boxes.Boxes()[0].text.find(L"TSkinData！ 请在工程设计时把 TSkinData 和 TSkinCaption 放在一起\n\rTips:"));
}

TEST_F(CaptionComponent, SeveralComponentsDoNotSwitchEachOtherOff) {
  EXPECT_FALSE(TSkinCaption::RenderingOn()) << "no component, no caption text";
  auto first = std::make_unique<TSkinCaption>(nullptr);
  auto second = std::make_unique<TSkinCaption>(nullptr);
  EXPECT_TRUE(TSkinCaption::RenderingOn());
  second->SetActive(false);
  EXPECT_TRUE(TSkinCaption::RenderingOn()) << "the first one is still on";
  second->SetActive(true);
  first.reset();
  EXPECT_TRUE(TSkinCaption::RenderingOn()) << "destroying one leaves the other on";
  second->SetActive(false);
  EXPECT_FALSE(TSkinCaption::RenderingOn());
}

}  // namespace
}  // namespace quonel
