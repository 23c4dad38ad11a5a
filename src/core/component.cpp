#include "core/component.h"

#include <algorithm>
#include <cwctype>

namespace quonel {

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  SetState(ComponentStateFlag::Destroying, true);
  // Tell everyone who asked, then forget them; each removes itself from our list.
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    auto& theirs = other->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    other->Notification(this, Operation::Remove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(const std::wstring& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* component : components_) {
    const std::wstring& other = component->Name();
    if (other.size() == name.size() &&
        std::equal(other.begin(), other.end(), name.begin(), [](wchar_t a, wchar_t b) {
          return std::towlower(a) == std::towlower(b);
        }))
      return component;
  }
  return nullptr;
}

void TComponent::SetState(ComponentStateFlag flag, bool on) {
  if (on)
    state_ |= static_cast<unsigned>(flag);
  else
    state_ &= ~static_cast<unsigned>(flag);
}

void TComponent::Loaded() { SetState(ComponentStateFlag::Loading, false); }

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end()) {
    freeNotifies_.push_back(other);
    other->freeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (!other) return;
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other), freeNotifies_.end());
  auto& theirs = other->freeNotifies_;
  theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent*, Operation) {}

void TComponent::InsertComponent(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, Operation::Insert);
}

void TComponent::RemoveComponent(TComponent* component) {
  Notification(component, Operation::Remove);
  components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
  component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    delete last;  // its destructor removes it from components_
  }
}

}  // namespace quonel
