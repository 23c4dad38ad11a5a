#include "core/component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/exception.h"

namespace quonel {
namespace {

std::vector<std::wstring>* destroyed = nullptr;

class Recorder : public TComponent {
 public:
  Recorder(TComponent* owner, const wchar_t* name) : TComponent(owner) { SetName(name); }
  ~Recorder() override {
    if (destroyed) destroyed->push_back(Name());
  }
  TComponent* watched = nullptr;

 protected:
  void Notification(TComponent* component, Operation operation) override {
    if (operation == Operation::Remove && component == watched) watched = nullptr;
  }
};

TEST(Component, OwnerFreesOwnedInReverseOrderOfCreation) {
  std::vector<std::wstring> order;
  destroyed = &order;
  {
    Recorder form(nullptr, L"form");
    new Recorder(&form, L"first");
    auto* second = new Recorder(&form, L"second");
    new Recorder(second, L"inner");
    new Recorder(&form, L"third");
    EXPECT_EQ(3, form.ComponentCount());  // "inner" belongs to "second"
    EXPECT_EQ(second, form.FindComponent(L"SECOND"));
    EXPECT_EQ(nullptr, form.FindComponent(L"inner"));
  }
  destroyed = nullptr;
  EXPECT_EQ((std::vector<std::wstring>{L"form", L"third", L"second", L"inner", L"first"}), order);
}

TEST(Component, FreeingAComponentRemovesItFromItsOwner) {
  Recorder form(nullptr, L"form");
  auto* child = new Recorder(&form, L"child");
  delete child;
  EXPECT_EQ(0, form.ComponentCount());
}

TEST(Component, FreeNotificationLetsAnotherForgetIt) {
  Recorder form(nullptr, L"form");
  auto* watcher = new Recorder(&form, L"watcher");
  auto* target = new Recorder(nullptr, L"target");
  watcher->watched = target;
  target->FreeNotification(watcher);
  delete target;
  EXPECT_EQ(nullptr, watcher->watched);
}

TEST(Component, WatcherThatGoesFirstIsNotNotifiedLater) {
  auto* watcher = new Recorder(nullptr, L"watcher");
  Recorder target(nullptr, L"target");
  target.FreeNotification(watcher);
  delete watcher;  // must unlink itself, or target's destructor would touch freed memory
}

TEST(Component, LoadedClearsTheLoadingState) {
  TComponent component(nullptr);
  component.SetState(ComponentStateFlag::Loading, true);
  EXPECT_TRUE(component.HasState(ComponentStateFlag::Loading));
  component.Loaded();
  EXPECT_FALSE(component.HasState(ComponentStateFlag::Loading));
}

QUONEL_DECLARE_EXCEPTION(ETestError, Exception);

TEST(Exception, CarriesMessageAndClassName) {
  try {
    throw ETestError(L"boom");
  } catch (const Exception& error) {
    EXPECT_EQ(L"boom", error.Message());
    EXPECT_STREQ(L"ETestError", error.ClassName());
  }
}

}  // namespace
}  // namespace quonel
