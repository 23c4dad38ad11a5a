#include "core/property_registry.h"

#include <cwctype>
#include <map>
#include <memory>
#include <stdexcept>

#include "core/exception.h"

namespace quonel {

namespace {

std::wstring Lower(const std::wstring& text) {
  std::wstring lower = text;
  for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
  return lower;
}

// Class infos never move once registered: properties and children hold
// pointers to their parents.
std::map<std::wstring, std::unique_ptr<ClassInfo>>& Classes() {
  static std::map<std::wstring, std::unique_ptr<ClassInfo>> classes;
  return classes;
}

}  // namespace

bool ClassInfo::InheritsFrom(const std::wstring& className) const {
  for (const ClassInfo* c = this; c; c = c->parent)
    if (SameText(c->name, className)) return true;
  return false;
}

const PropertyInfo* ClassInfo::FindProperty(const std::wstring& propertyName) const {
  for (const ClassInfo* c = this; c; c = c->parent)
    for (const PropertyInfo& p : c->properties)
      if (SameText(p.name, propertyName)) return &p;
  return nullptr;
}

const ClassInfo* ClassInfo::FindInsertChild() const {
  for (const ClassInfo* c = this; c; c = c->parent)
    if (c->insertChild) return c;
  return nullptr;
}

ClassInfo& RegisterClassInfo(const std::wstring& name, const std::wstring& parentName) {
  auto& classes = Classes();
  auto& slot = classes[Lower(name)];
  if (!slot) {
    slot = std::make_unique<ClassInfo>();
    slot->name = name;
  }
  if (!parentName.empty()) {
    const ClassInfo* parent = FindClassInfo(parentName);
    // A programming error, found by the first test that registers classes.
    if (!parent) throw Exception(L"Class " + parentName + L" is not registered before " + name);
    slot->parent = parent;
  }
  return *slot;
}

const ClassInfo* FindClassInfo(const std::wstring& name) {
  auto& classes = Classes();
  auto found = classes.find(Lower(name));
  return found == classes.end() ? nullptr : found->second.get();
}

}  // namespace quonel
