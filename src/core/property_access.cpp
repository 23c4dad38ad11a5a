#include "core/property_access.h"

#include "core/conversion.h"
#include "core/property_registry.h"

namespace quonel {

namespace {

const PropertyInfo* Published(TPersistent* object, const std::wstring& name, PropertyKind kind) {
  if (!object) return nullptr;
  const ClassInfo* info = FindClassInfo(object->ClassName());
  const PropertyInfo* property = info ? info->FindProperty(name) : nullptr;
  if (!property || !property->published || property->kind != kind) return nullptr;
  return property;
}

}  // namespace

int64_t GetIntProp(TPersistent* object, const std::wstring& name) {
  const PropertyInfo* p = Published(object, name, PropertyKind::Integer);
  return p && p->getInt ? p->getInt(*object) : -1;
}

std::wstring GetEnumPropText(TPersistent* object, const std::wstring& name) {
  const PropertyInfo* p = Published(object, name, PropertyKind::Enumeration);
  if (!p || !p->getInt) return {};
  const int64_t ordinal = p->getInt(*object);
  if (ordinal < 0 || ordinal >= static_cast<int64_t>(p->memberNames.size())) return {};
  return p->memberNames[static_cast<size_t>(ordinal)];
}

std::wstring GetTextProp(TPersistent* object, const std::wstring& name) {
  const PropertyInfo* p = Published(object, name, PropertyKind::String);
  return p && p->getText ? p->getText(*object) : std::wstring();
}

TPersistent* GetObjectPropOf(TPersistent* object, const std::wstring& name, const std::wstring& className) {
  const PropertyInfo* p = Published(object, name, PropertyKind::Class);
  TPersistent* held = p && p->getObject ? p->getObject(*object) : nullptr;
  return held && InheritsFrom(held, className) ? held : nullptr;
}

TPersistent* GetObjectProp(TPersistent* object, const std::wstring& name) {
  const PropertyInfo* p = Published(object, name, PropertyKind::Class);
  return p && p->getObject ? p->getObject(*object) : nullptr;
}

bool SetPropText(TPersistent* object, const std::wstring& name, const std::wstring& value) {
  if (!object) return false;
  const ClassInfo* info = FindClassInfo(object->ClassName());
  const PropertyInfo* p = info ? info->FindProperty(name) : nullptr;
  if (!p || !p->published) return false;
  switch (p->kind) {
    case PropertyKind::Integer: {
      int64_t number = 0;
      if (!TryStrToInt64(value, number) && !(p->identToInt && p->identToInt(value, number))) return false;
      if (!p->setInt) return false;
      p->setInt(*object, number);
      return true;
    }
    case PropertyKind::Enumeration:
      for (size_t i = 0; i < p->memberNames.size(); ++i)
        if (SameText(p->memberNames[i], value) && p->setInt) {
          p->setInt(*object, static_cast<int64_t>(i));
          return true;
        }
      return false;
    case PropertyKind::String:
      if (!p->setText) return false;
      p->setText(*object, value);
      return true;
    default:
      return false;
  }
}

bool HasProperty(TPersistent* object, const std::wstring& name) {
  if (!object) return false;
  const ClassInfo* info = FindClassInfo(object->ClassName());
  const PropertyInfo* p = info ? info->FindProperty(name) : nullptr;
  return p && p->published;
}

bool InheritsFrom(const TPersistent* object, const std::wstring& className) {
  if (!object) return false;
  const ClassInfo* info = FindClassInfo(object->ClassName());
  return info && info->InheritsFrom(className);
}

}  // namespace quonel
