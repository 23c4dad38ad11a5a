// Components: named objects with an owner that frees them, a loading state
// while a stored form is read, and notifications when another goes away.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/persistent.h"

namespace quonel {

enum class ComponentStateFlag : unsigned { Loading = 1, Designing = 2, Destroying = 4 };

enum class Operation { Insert, Remove };

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::wstring& Name() const { return name_; }
  virtual void SetName(const std::wstring& name) { name_ = name; }
  intptr_t Tag() const { return tag_; }
  void SetTag(intptr_t tag) { tag_ = tag; }
  // The class name as the stored layout and the property registry know it.
  const wchar_t* ClassName() const override { return L"TComponent"; }

  // Owned components, in order of creation; freed in reverse order.
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(index); }
  TComponent* FindComponent(const std::wstring& name) const;

  bool HasState(ComponentStateFlag flag) const { return (state_ & static_cast<unsigned>(flag)) != 0; }
  void SetState(ComponentStateFlag flag, bool on);

  // Called once after every stored property of every component of a form is read.
  virtual void Loaded();

  // other will call Notification(other, Remove) on this one when it goes away.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

 protected:
  virtual void Notification(TComponent* component, Operation operation);

 private:
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void DestroyComponents();

  TComponent* owner_ = nullptr;
  std::wstring name_;
  intptr_t tag_ = 0;
  unsigned state_ = 0;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
};

}  // namespace quonel
