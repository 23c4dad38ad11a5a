// Stored layouts and property access by name over classes registered here,
// so that the reader and the registry are tested without any window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/placeholder_component.h"
#include "core/property_access.h"
#include "core/property_registry.h"
#include "core/stored_form_reader.h"
#include "core/stored_layout.h"

namespace quonel {
namespace {

std::vector<std::wstring> journal;

class TStyle : public TPersistent {
 public:
  const wchar_t* ClassName() const override { return L"TStyle"; }
  std::wstring face = L"plain";
  int64_t size = 10;
};

class TBox : public TComponent {
 public:
  explicit TBox(TComponent* owner) : TComponent(owner) {}
  const wchar_t* ClassName() const override { return L"TBox"; }
  void Loaded() override {
    TComponent::Loaded();
    journal.push_back(L"Loaded " + Name());
  }
  void Set(const std::wstring& what) { journal.push_back(Name() + L"." + what); }

  int64_t width = 0;
  bool visible = true;
  int64_t align = 0;
  int64_t anchors = 0;
  std::wstring caption;
  std::string data;
  std::vector<std::wstring> lines;
  TStyle style;
  TComponent* buddy = nullptr;
  std::vector<TComponent*> children;
};

class TFancyBox : public TBox {
 public:
  using TBox::TBox;
  const wchar_t* ClassName() const override { return L"TFancyBox"; }
};

class TRootBox : public TBox {
 public:
  using TBox::TBox;
  const wchar_t* ClassName() const override { return L"TRootBox"; }
};

void RegisterTestClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  ClassRegistrar<TComponent>(L"TComponent", L"")
      .Integer(L"Tag", [](TComponent& c) { return c.Tag(); }, [](TComponent& c, int64_t v) { c.SetTag(v); });
  ClassRegistrar<TStyle>(L"TStyle", L"")
      .Text(L"Face", [](TStyle& s) { return s.face; }, [](TStyle& s, const std::wstring& v) { s.face = v; })
      .Integer(L"Size", [](TStyle& s) { return s.size; }, [](TStyle& s, int64_t v) { s.size = v; });
  ClassRegistrar<TBox>(L"TBox", L"TComponent")
      .Creatable()
      .Integer(
          L"Width", [](TBox& b) { return b.width; },
          [](TBox& b, int64_t v) {
            b.width = v;
            b.Set(L"Width");
          },
          [](const std::wstring& ident, int64_t& value) {
            if (ident != L"wide") return false;
            value = 1000;
            return true;
          })
      .Boolean(L"Visible", [](TBox& b) { return b.visible; },
               [](TBox& b, bool v) {
                 b.visible = v;
                 b.Set(L"Visible");
               })
      .Enumeration(L"Align", {L"alNone", L"alTop", L"alClient"}, [](TBox& b) { return b.align; },
                   [](TBox& b, int64_t v) { b.align = v; })
      .SetOf(L"Anchors", {L"akLeft", L"akTop", L"akRight"}, [](TBox& b) { return b.anchors; },
             [](TBox& b, int64_t v) { b.anchors = v; })
      .Text(L"Caption", [](TBox& b) { return b.caption; },
            [](TBox& b, const std::wstring& v) {
              b.caption = v;
              b.Set(L"Caption");
            })
      .Bytes(L"Data", [](TBox& b, const std::string& v) { b.data = v; })
      .Lines(L"Lines", [](TBox& b, const std::vector<std::wstring>& v) { b.lines = v; })
      .Object(L"Style", [](TBox& b) { return &b.style; })
      .Reference(L"Buddy", [](TBox& b) { return b.buddy; }, [](TBox& b, TComponent* c) { b.buddy = c; })
      .Container([](TBox& parent, TComponent& child) { parent.children.push_back(&child); });
  ClassRegistrar<TFancyBox>(L"TFancyBox", L"TBox").Creatable();
  ClassRegistrar<TRootBox>(L"TRootBox", L"TBox");
  RegisterPlaceholderClass(L"TNotYetBuilt");
}

std::string Resource(const std::wstring& name) {
  if (name == L"BLOB") return std::string("\x00\x01\xFF", 3);
  throw Exception(L"Resource " + name + L" not found");
}

class StoredLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterTestClasses();
    journal.clear();
  }
  void Read(TComponent& root, const char* text) { ReadStoredComponent(root, ParseStoredLayout(text), Resource); }
};

const char kLayout[] = R"(# a form
Root : TRootBox {
  Caption = "根 \"quoted\"\r\n"
  Width = 10
  first : TBox {
    Width = wide
    Visible = False
    Align = alClient
    Anchors = [akLeft, akRight]
    Style.Face = "宋体"
    Style.Size = -12
    Data = bytes "00 7f"    # a block in pieces, one per line
                 "FF"
    Lines = ("a", "b=c", 3)
    Buddy = second          # stored after this one
    inner : TFancyBox { Caption = "x" }
    : TBox { }
  }
  second : TBox {
    Caption = "two"
    Data = resource BLOB
  }
  later : TNotYetBuilt {
    Anything = [xoPreview, xoToolbarBK]
    Request.UserAgent = "agent"
  }
}
)";

TEST_F(StoredLayout, ReadsEveryKindOfValueIntoTheRightComponent) {
  TRootBox root(nullptr);
  Read(root, kLayout);
  EXPECT_EQ(L"Root", root.Name());
  EXPECT_EQ(L"根 \"quoted\"\r\n", root.caption);
  ASSERT_EQ(5, root.ComponentCount());  // first, inner, the unnamed one, second, later
  auto* first = dynamic_cast<TBox*>(root.FindComponent(L"first"));
  auto* second = dynamic_cast<TBox*>(root.FindComponent(L"SECOND"));
  ASSERT_TRUE(first && second);
  EXPECT_EQ(1000, first->width);
  EXPECT_FALSE(first->visible);
  EXPECT_EQ(2, first->align);
  EXPECT_EQ(1 | 4, first->anchors);
  EXPECT_EQ(L"宋体", first->style.face);
  EXPECT_EQ(-12, first->style.size);
  EXPECT_EQ(std::string("\x00\x7f\xff", 3), first->data);
  EXPECT_EQ((std::vector<std::wstring>{L"a", L"b=c", L"3"}), first->lines);
  EXPECT_EQ(second, first->buddy);
  EXPECT_EQ(std::string("\x00\x01\xFF", 3), second->data);
  ASSERT_EQ(2u, first->children.size());
  EXPECT_STREQ(L"TFancyBox", first->children[0]->ClassName());
  EXPECT_EQ(&root, first->children[0]->Owner()) << "stored children are owned by the form";
  auto* later = dynamic_cast<TPlaceholderComponent*>(root.FindComponent(L"later"));
  ASSERT_TRUE(later);
  EXPECT_STREQ(L"TNotYetBuilt", later->ClassName());
  EXPECT_EQ(L"[xoPreview, xoToolbarBK]", later->KeptProperty(L"Anything"));
  EXPECT_EQ(L"agent", later->KeptProperty(L"Request.UserAgent"));
}

TEST_F(StoredLayout, ARealClassReplacesItsPlaceholderAndChecksItsProperties) {
  class TArrivesLater : public TComponent {
   public:
    using TComponent::TComponent;
    const wchar_t* ClassName() const override { return L"TArrivesLater"; }
  };
  RegisterPlaceholderClass(L"TArrivesLater");
  const char* text = "R : TRootBox { x : TArrivesLater { Anything = 1 } }";
  {
    TRootBox root(nullptr);
    Read(root, text);
    EXPECT_TRUE(dynamic_cast<TPlaceholderComponent*>(root.FindComponent(L"x")));
  }
  ClassRegistrar<TArrivesLater>(L"TArrivesLater", L"TComponent").Creatable();
  RegisterPlaceholderClass(L"TArrivesLater");  // too late: the real class stays
  TRootBox root(nullptr);
  EXPECT_THROW(Read(root, text), EReadLayoutError);
  TRootBox again(nullptr);
  Read(again, "R : TRootBox { x : TArrivesLater { Tag = 3 } }");
  EXPECT_STREQ(L"TArrivesLater", again.FindComponent(L"x")->ClassName());
  EXPECT_FALSE(dynamic_cast<TPlaceholderComponent*>(again.FindComponent(L"x")));
}

TEST_F(StoredLayout, LoadedRunsOnEveryComponentOnlyAfterTheWholeLayoutWasRead) {
  TRootBox root(nullptr);
  Read(root, kLayout);
  const auto firstLoaded = std::find_if(journal.begin(), journal.end(),
                                        [](const std::wstring& e) { return e.rfind(L"Loaded", 0) == 0; });
  ASSERT_NE(journal.end(), firstLoaded);
  EXPECT_EQ(journal.end(), std::find(firstLoaded, journal.end(), L"second.Caption"))
      << "a property was set after Loaded began";
  EXPECT_EQ((std::vector<std::wstring>{L"Loaded Root", L"Loaded first", L"Loaded inner", L"Loaded ", L"Loaded second"}),
            std::vector<std::wstring>(firstLoaded, journal.end()));
  EXPECT_FALSE(root.HasState(ComponentStateFlag::Loading));
}

TEST_F(StoredLayout, DamagedLayoutsRaiseNamedErrors) {
  const struct {
    const char* text;
    const wchar_t* part;
  } cases[] = {
      {"R : TRootBox { Width = }", L"Line 1"},
      {"R : TRootBox {\n Caption = \"open\n }", L"Line 2: unterminated string"},
      {"R : TRootBox { Data = bytes \"0\" }", L"odd number"},
      {"R : TRootBox { x : TNoSuchClass { } }", L"Class TNoSuchClass not found"},
      {"R : TRootBox { Missing = 1 }", L"property does not exist"},
      {"R : TRootBox { Align = alSideways }", L"'alSideways' is not a member"},
      {"R : TRootBox { Width = \"text\" }", L"an integer is expected"},
      {"R : TRootBox { Buddy = nobody }", L"no component named nobody"},
      {"R : TRootBox { Data = resource NOPE }", L"Resource NOPE not found"},
      {"R : TRootBox { a : TBox { } a : TBox { } }", L"already exists"},
      {"R : TFancyBox { }", L"does not fit"},
  };
  for (const auto& c : cases) {
    TRootBox root(nullptr);
    try {
      Read(root, c.text);
      ADD_FAILURE() << c.text;
    } catch (const Exception& e) {
      EXPECT_NE(std::wstring::npos, e.Message().find(c.part)) << c.text;
    }
  }
}

TEST_F(StoredLayout, NestingIsBoundedSoADamagedResourceCannotExhaustTheStack) {
  std::string deep = "R : TRootBox {";
  for (int i = 0; i < 100; ++i) deep += " : TBox {";
  EXPECT_THROW(ParseStoredLayout(deep), EParserError);
}

// A damaged resource is text with bytes changed, cut or doubled: the parser
// must answer every such text with a tree or EParserError, nothing else.
TEST_F(StoredLayout, MutatedLayoutsParseOrRaiseAndNeverReadOutOfBounds) {
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  const std::string original = kLayout;
  int parsed = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string text = original;
    for (int edits = 1 + next() % 4; edits > 0; --edits) {
      const size_t at = next() % text.size();
      switch (next() % 3) {
        case 0: text[at] = static_cast<char>(next()); break;
        case 1: text.erase(at, 1 + next() % 8); break;
        default: text.insert(at, text.substr(at, next() % 16)); break;
      }
      if (text.empty()) text = "x";
    }
    try {
      ParseStoredLayout(text);
      ++parsed;
    } catch (const EParserError&) {
    }
  }
  EXPECT_GT(parsed, 0) << "some mutations only change values";
}

TEST_F(StoredLayout, PropertyAccessByNameOnKnownAndUnknownClasses) {
  TBox box(nullptr);
  box.width = 77;
  box.caption = L"文字";
  box.align = 1;
  box.SetTag(5);
  EXPECT_EQ(77, GetIntProp(&box, L"width"));
  EXPECT_EQ(5, GetIntProp(&box, L"Tag")) << "inherited from TComponent";
  EXPECT_EQ(L"True", GetEnumPropText(&box, L"Visible"));
  EXPECT_EQ(L"alTop", GetEnumPropText(&box, L"Align"));
  EXPECT_EQ(L"文字", GetTextProp(&box, L"Caption"));
  EXPECT_EQ(&box.style, GetObjectPropOf(&box, L"Style", L"TStyle"));
  EXPECT_EQ(nullptr, GetObjectPropOf(&box, L"Style", L"TBox")) << "of another class";

  // Missing properties, other kinds, unregistered classes and null give the defaults.
  EXPECT_EQ(-1, GetIntProp(&box, L"Caption"));
  EXPECT_EQ(-1, GetIntProp(&box, L"NoSuch"));
  EXPECT_EQ(L"", GetEnumPropText(&box, L"Width"));
  EXPECT_EQ(L"", GetTextProp(&box, L"Data")) << "binary stored data is not published";
  TComponent plain(nullptr);
  class TUnknown : public TComponent {
   public:
    using TComponent::TComponent;
    const wchar_t* ClassName() const override { return L"TUnregistered"; }
  } unknown(nullptr);
  EXPECT_EQ(-1, GetIntProp(&unknown, L"Tag"));
  EXPECT_EQ(L"", GetTextProp(nullptr, L"Caption"));
  EXPECT_EQ(nullptr, GetObjectPropOf(&plain, L"Style", L"TStyle"));

  EXPECT_TRUE(SetPropText(&box, L"Width", L"12"));
  EXPECT_EQ(12, box.width);
  EXPECT_TRUE(SetPropText(&box, L"Width", L"wide"));
  EXPECT_EQ(1000, box.width);
  EXPECT_FALSE(SetPropText(&box, L"Width", L"12px"));
  EXPECT_EQ(1000, box.width) << "bad text changes nothing";
  EXPECT_TRUE(SetPropText(&box, L"visible", L"false"));
  EXPECT_FALSE(box.visible);
  EXPECT_TRUE(SetPropText(&box, L"Caption", L"新"));
  EXPECT_EQ(L"新", box.caption);
  EXPECT_FALSE(SetPropText(&box, L"NoSuch", L"1"));
  EXPECT_FALSE(SetPropText(&unknown, L"Tag", L"1"));
  EXPECT_TRUE(InheritsFrom(&box, L"TComponent"));
  EXPECT_FALSE(InheritsFrom(&box, L"TFancyBox"));
}

}  // namespace
}  // namespace quonel
