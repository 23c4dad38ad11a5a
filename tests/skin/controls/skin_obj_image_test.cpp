// Check boxes and radio buttons of another library that draw their marks
// from a glyph strip of their own: the skin hands them six glyphs made from
// its check or radio frames, switches the custom glyphs off and on so that
// the control reads them, and off again when it lets go.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/property_registry.h"
#include "skin/controls/control_skin_factory.h"
#include "skin/controls/skinned_controls_fixture.h"
#include "ui/bitmap.h"
#include "ui/standard_classes.h"
#include "ui/win_control.h"

namespace quonel::testing {
namespace {

// The glyph settings such a control publishes.
struct GlyphSettings {
  TBitmap glyphs;
  int64_t transparent = 0;
  std::vector<bool> switches;  // every value UseCustomGlyphs was given
};

template <class T>
void RegisterGlyphSettings(ClassRegistrar<T>& registrar, const wchar_t* picture) {
  registrar.Object(picture, [](T& c) { return &c.settings.glyphs; })
      .Integer(L"TransparentColor", [](T& c) { return c.settings.transparent; },
               [](T& c, int64_t v) { c.settings.transparent = v; })
      .Boolean(L"UseCustomGlyphs", [](T& c) { return !c.settings.switches.empty() && c.settings.switches.back(); },
               [](T& c, bool v) { c.settings.switches.push_back(v); });
}

class TGlyphCheckBox : public TWinControl {
 public:
  using TWinControl::TWinControl;
  const wchar_t* ClassName() const override { return L"TRzCheckBox"; }
  GlyphSettings settings;
};

// A control whose settings sit in a Properties object, its picture in Glyph.
class TGlyphProperties : public TPersistent {
 public:
  const wchar_t* ClassName() const override { return L"TcxCheckBoxProperties"; }
  GlyphSettings settings;
};
class TPropertiesCheckBox : public TWinControl {
 public:
  using TWinControl::TWinControl;
  const wchar_t* ClassName() const override { return L"TcxCheckBox"; }
  TGlyphProperties properties;
};

class SkinObjImage : public SkinnedControls {
 protected:
  static void SetUpTestSuite() {
    SkinnedControls::SetUpTestSuite();
    RegisterStandardClasses();
    ClassRegistrar<TGlyphCheckBox> check(L"TRzCheckBox", L"TWinControl");
    RegisterGlyphSettings(check, L"CustomGlyphs");
    ClassRegistrar<TGlyphProperties> properties(L"TcxCheckBoxProperties", L"");
    RegisterGlyphSettings(properties, L"Glyph");
    ClassRegistrar<TPropertiesCheckBox>(L"TcxCheckBox", L"TWinControl")
        .Object(L"Properties", [](TPropertiesCheckBox& c) { return &c.properties; });
  }
  // Differences of glyph i from frame `frame` of the mark strip.
  static int GlyphDifferences(const TBitmap& glyphs, int i, const SkinBitmap& marks, int frames, int frame) {
    const int cell = marks.Width() / frames;
    int differences = 0;
    for (int y = 0; y < marks.Height(); ++y)
      for (int x = 0; x < cell; ++x)
        differences += static_cast<TColor>(glyphs.Pixel(i * cell + x, y)) != marks.Pixel((frame - 1) * cell + x, y);
    return differences;
  }
  template <class T>
  T* Make() {
    auto* control = new T(form);
    control->SetBounds(10, 10 + 20 * static_cast<int>(skins.size()), 120, 17);
    control->SetParent(form);
    return control;
  }
  TSkinControl& Skin(const wchar_t* kind, TControl* control) {
    skins.push_back(CreateControlSkin(kind));
    skins.back()->Attach(control, &Data(), nullptr, false);
    return *skins.back();
  }
  std::vector<std::unique_ptr<TSkinControl>> skins;
};

TEST_F(SkinObjImage, ChecksAndRadiosGetSixGlyphsFromTheSkinUntilTheSkinLetsGo) {
  const TDataSkinButton& buttons = Data().Buttons();
  const int order[] = {1, 2, 1, 2, 3, 4};
  auto* check = Make<TGlyphCheckBox>();
  TSkinControl& checkSkin = Skin(L"objimage1", check);
  EXPECT_EQ((std::vector<bool>{false, true}), check->settings.switches);
  EXPECT_EQ(clMagenta, check->settings.transparent);
  ASSERT_EQ(6 * (buttons.CheckImage.Width() / buttons.CheckFrames), check->settings.glyphs.Width());
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(0, GlyphDifferences(check->settings.glyphs, i, buttons.CheckImage, buttons.CheckFrames, order[i]))
        << "glyph " << i;
  checkSkin.Detach();
  EXPECT_EQ((std::vector<bool>{false, true, false}), check->settings.switches);

  auto* radio = Make<TGlyphCheckBox>();
  Skin(L"objimage2", radio);
  ASSERT_GT(GlyphDifferences(radio->settings.glyphs, 1, buttons.CheckImage, buttons.CheckFrames, 2), 0);
  EXPECT_EQ(0, GlyphDifferences(radio->settings.glyphs, 1, buttons.RadioImage, buttons.RadioFrames, 2));

  auto* held = Make<TPropertiesCheckBox>();
  Skin(L"objimage3", held);
  EXPECT_EQ((std::vector<bool>{false, true}), held->properties.settings.switches);
  EXPECT_EQ(0, GlyphDifferences(held->properties.settings.glyphs, 4, buttons.CheckImage, buttons.CheckFrames, 3));
  // Freed without being detached, as a form lets go of its skins.
  skins.back().reset();
  EXPECT_EQ((std::vector<bool>{false, true, false}), held->properties.settings.switches);
}

}  // namespace
}  // namespace quonel::testing
