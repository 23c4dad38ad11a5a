// A per-class registry of published properties and of the classes a stored
// layout may name: what a class is called, what it derives from, how it is
// created and how its properties are read and written by name.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/component.h"
#include "core/persistent.h"
#include "core/strings.h"

namespace quonel {

enum class PropertyKind { Integer, Enumeration, Set, String, Class, Binary, Strings };

struct PropertyInfo {
  std::wstring name;
  PropertyKind kind = PropertyKind::Integer;
  // Binary stored data (a skin archive, a control's saved state) is read from
  // layouts but not published: property access by name does not see it.
  bool published = true;
  std::vector<std::wstring> memberNames;  // enumeration and set members by ordinal
  std::function<int64_t(TPersistent&)> getInt;  // integer, ordinal or set bits
  std::function<void(TPersistent&, int64_t)> setInt;
  std::function<std::wstring(TPersistent&)> getText;
  std::function<void(TPersistent&, const std::wstring&)> setText;
  std::function<TPersistent*(TPersistent&)> getObject;
  // Class-typed properties that refer to another component of the form.
  std::function<void(TPersistent&, TComponent*)> setReference;
  std::function<void(TPersistent&, const std::string&)> setBytes;
  std::function<void(TPersistent&, const std::vector<std::wstring>&)> setLines;
  // Integer properties with named values (colours, character sets).
  std::function<bool(const std::wstring&, int64_t&)> identToInt;
};

struct ClassInfo {
  std::wstring name;
  const ClassInfo* parent = nullptr;
  // Creates an instance for a stored layout; empty for abstract classes.
  std::function<TComponent*(TComponent* owner)> create;
  // Puts a stored child into this container (a control on its parent, a
  // column into its list view); empty when the class holds no children.
  std::function<void(TComponent& container, TComponent& child)> insertChild;
  // A stored child of this class is owned by its container, not by the form.
  bool ownedByContainer = false;
  // Takes stored properties the class does not publish (placeholders only).
  std::function<void(TPersistent&, const std::wstring& name, const std::wstring& text)> keepUnknown;
  std::vector<PropertyInfo> properties;

  bool InheritsFrom(const std::wstring& className) const;
  const PropertyInfo* FindProperty(const std::wstring& propertyName) const;
  const ClassInfo* FindInsertChild() const;
};

// Registers (or returns the already registered) class; the parent must be
// registered first. Names compare without regard to letter case.
ClassInfo& RegisterClassInfo(const std::wstring& name, const std::wstring& parentName);
const ClassInfo* FindClassInfo(const std::wstring& name);

// Fluent registration of a class's properties from accessor lambdas.
template <class T>
class ClassRegistrar {
 public:
  ClassRegistrar(const std::wstring& name, const std::wstring& parentName)
      : info_(RegisterClassInfo(name, parentName)) {}

  // The class can be named in a stored layout; it replaces a placeholder of
  // the same name, and from now on unknown stored properties are errors.
  ClassRegistrar& Creatable() {
    info_.create = [](TComponent* owner) -> TComponent* { return new T(owner); };
    info_.keepUnknown = nullptr;
    return *this;
  }
  template <class Get, class Set>
  ClassRegistrar& Integer(const std::wstring& name, Get get, Set set,
                          std::function<bool(const std::wstring&, int64_t&)> idents = {}) {
    PropertyInfo& p = Add(name, PropertyKind::Integer);
    p.getInt = [get](TPersistent& o) { return static_cast<int64_t>(get(static_cast<T&>(o))); };
    p.setInt = [set](TPersistent& o, int64_t v) { set(static_cast<T&>(o), v); };
    p.identToInt = std::move(idents);
    return *this;
  }
  template <class Get, class Set>
  ClassRegistrar& Boolean(const std::wstring& name, Get get, Set set) {
    return Enumeration(name, {L"False", L"True"}, get, [set](T& o, int64_t v) { set(o, v != 0); });
  }
  // Members by ordinal; the value is the ordinal.
  template <class Get, class Set>
  ClassRegistrar& Enumeration(const std::wstring& name, std::vector<std::wstring> members, Get get, Set set) {
    return Members(name, PropertyKind::Enumeration, std::move(members), get, set);
  }
  // Members by ordinal; the value has bit (1 << ordinal) for each member in the set.
  template <class Get, class Set>
  ClassRegistrar& SetOf(const std::wstring& name, std::vector<std::wstring> members, Get get, Set set) {
    return Members(name, PropertyKind::Set, std::move(members), get, set);
  }
  template <class Get, class Set>
  ClassRegistrar& Text(const std::wstring& name, Get get, Set set) {
    PropertyInfo& p = Add(name, PropertyKind::String);
    p.getText = [get](TPersistent& o) { return std::wstring(get(static_cast<T&>(o))); };
    p.setText = [set](TPersistent& o, const std::wstring& v) { set(static_cast<T&>(o), v); };
    return *this;
  }
  template <class Get>
  ClassRegistrar& Object(const std::wstring& name, Get get) {
    PropertyInfo& p = Add(name, PropertyKind::Class);
    p.getObject = [get](TPersistent& o) -> TPersistent* { return get(static_cast<T&>(o)); };
    return *this;
  }
  // A property naming another component of the form; a stored layout may
  // name one stored after it.
  template <class Get, class Set>
  ClassRegistrar& Reference(const std::wstring& name, Get get, Set set) {
    PropertyInfo& p = Add(name, PropertyKind::Class);
    p.getObject = [get](TPersistent& o) -> TPersistent* { return get(static_cast<T&>(o)); };
    p.setReference = [set](TPersistent& o, TComponent* c) { set(static_cast<T&>(o), c); };
    return *this;
  }
  template <class Set>
  ClassRegistrar& Lines(const std::wstring& name, Set set) {
    PropertyInfo& p = Add(name, PropertyKind::Strings);
    p.setLines = [set](TPersistent& o, const std::vector<std::wstring>& v) { set(static_cast<T&>(o), v); };
    return *this;
  }
  template <class Set>
  ClassRegistrar& Bytes(const std::wstring& name, Set set) {
    PropertyInfo& p = Add(name, PropertyKind::Binary);
    p.published = false;
    p.setBytes = [set](TPersistent& o, const std::string& v) { set(static_cast<T&>(o), v); };
    return *this;
  }
  template <class Insert>
  ClassRegistrar& Container(Insert insert) {
    info_.insertChild = [insert](TComponent& c, TComponent& child) { insert(static_cast<T&>(c), child); };
    return *this;
  }
  ClassRegistrar& OwnedByContainer() {
    info_.ownedByContainer = true;
    return *this;
  }

 private:
  PropertyInfo& Add(const std::wstring& name, PropertyKind kind);
  template <class Get, class Set>
  ClassRegistrar& Members(const std::wstring& name, PropertyKind kind, std::vector<std::wstring> members, Get get,
                          Set set) {
    PropertyInfo& p = Add(name, kind);
    p.memberNames = std::move(members);
    p.getInt = [get](TPersistent& o) { return static_cast<int64_t>(get(static_cast<T&>(o))); };
    p.setInt = [set](TPersistent& o, int64_t v) { set(static_cast<T&>(o), v); };
    return *this;
  }
  ClassInfo& info_;
};

template <class T>
PropertyInfo& ClassRegistrar<T>::Add(const std::wstring& name, PropertyKind kind) {
  PropertyInfo fresh;
  fresh.name = name;
  fresh.kind = kind;
  for (PropertyInfo& existing : info_.properties)
    if (SameText(existing.name, name)) return existing = std::move(fresh);
  info_.properties.push_back(std::move(fresh));
  return info_.properties.back();
}

}  // namespace quonel
