#include "core/stored_form_reader.h"

#include <vector>

#include "core/property_registry.h"

namespace quonel {

namespace {

[[noreturn]] void Fail(const StoredProperty& property, const std::wstring& what) {
  throw EReadLayoutError(L"Error reading " + property.name + L" (line " + std::to_wstring(property.line) +
                         L"): " + what);
}

int64_t MemberOrdinal(const PropertyInfo& info, const std::wstring& name, const StoredProperty& property) {
  for (size_t i = 0; i < info.memberNames.size(); ++i)
    if (SameText(info.memberNames[i], name)) return static_cast<int64_t>(i);
  Fail(property, L"'" + name + L"' is not a member of " + info.name);
}

// A reference is resolved when the whole layout has been read.
struct Fixup {
  TPersistent* object;
  const PropertyInfo* info;
  const StoredProperty* property;
};
thread_local std::vector<Fixup>* pendingFixups = nullptr;

void Apply(TPersistent& object, const PropertyInfo& info, const StoredProperty& property,
           const ResourceLoader& resources) {
  const StoredValue& value = property.value;
  using Kind = StoredValue::Kind;
  switch (info.kind) {
    case PropertyKind::Integer: {
      int64_t number = value.integer;
      if (value.kind == Kind::Identifier) {
        if (!info.identToInt || !info.identToInt(value.text, number)) Fail(property, L"unknown value " + value.text);
      } else if (value.kind != Kind::Integer) {
        Fail(property, L"an integer is expected");
      }
      info.setInt(object, number);
      return;
    }
    case PropertyKind::Enumeration:
      if (value.kind == Kind::Identifier) info.setInt(object, MemberOrdinal(info, value.text, property));
      else Fail(property, L"a member name is expected");
      return;
    case PropertyKind::Set: {
      if (value.kind != Kind::Set) Fail(property, L"a set [...] is expected");
      int64_t bits = 0;
      for (const auto& member : value.items) bits |= int64_t{1} << MemberOrdinal(info, member, property);
      info.setInt(object, bits);
      return;
    }
    case PropertyKind::String:
      if (value.kind != Kind::String) Fail(property, L"a string is expected");
      info.setText(object, value.text);
      return;
    case PropertyKind::Strings:
      if (value.kind != Kind::List) Fail(property, L"a list (...) is expected");
      info.setLines(object, value.items);
      return;
    case PropertyKind::Binary:
      if (value.kind == Kind::Bytes) {
        info.setBytes(object, value.bytes);
      } else if (value.kind == Kind::Resource) {
        if (!resources) Fail(property, L"no resources to read " + value.text + L" from");
        info.setBytes(object, resources(value.text));
      } else {
        Fail(property, L"bytes or a resource is expected");
      }
      return;
    case PropertyKind::Class:
      if (!info.setReference || value.kind != Kind::Identifier)
        Fail(property, L"an object property takes its values through its own properties");
      if (!pendingFixups) Fail(property, L"a reference needs a form to look in");
      pendingFixups->push_back(Fixup{&object, &info, &property});
      return;
  }
}

void ReadChildren(TComponent& root, TComponent& container, const StoredObject& stored,
                  const ResourceLoader& resources, std::vector<TComponent*>& read) {
  for (const StoredObject& child : stored.children) {
    const ClassInfo* info = FindClassInfo(child.className);
    if (!info || !info->create)
      throw EClassNotFound(L"Class " + child.className + L" not found (line " + std::to_wstring(child.line) + L")");
    const ClassInfo* containerInfo = FindClassInfo(container.ClassName());
    const ClassInfo* holder = containerInfo ? containerInfo->FindInsertChild() : nullptr;
    if (!holder)
      throw EReadLayoutError(std::wstring(container.ClassName()) + L" cannot hold " + child.className +
                             L" (line " + std::to_wstring(child.line) + L")");
    if (!child.name.empty() && root.FindComponent(child.name))
      throw EReadLayoutError(L"A component named " + child.name + L" already exists");
    TComponent* component = info->create(info->ownedByContainer ? &container : &root);
    component->SetState(ComponentStateFlag::Loading, true);
    component->SetName(child.name);
    read.push_back(component);
    holder->insertChild(container, *component);
    for (const StoredProperty& property : child.properties) ApplyStoredProperty(*component, property, resources);
    ReadChildren(root, *component, child, resources, read);
  }
}

std::wstring StoredValueText(const StoredValue& value) {
  using Kind = StoredValue::Kind;
  switch (value.kind) {
    case Kind::Integer: return std::to_wstring(value.integer);
    case Kind::Set:
    case Kind::List: {
      std::wstring text = value.kind == Kind::Set ? L"[" : L"(";
      for (size_t i = 0; i < value.items.size(); ++i) text += (i ? L", " : L"") + value.items[i];
      return text + (value.kind == Kind::Set ? L"]" : L")");
    }
    case Kind::Bytes: return std::to_wstring(value.bytes.size()) + L" bytes";
    default: return value.text;
  }
}

}  // namespace

void ApplyStoredProperty(TPersistent& object, const StoredProperty& property, const ResourceLoader& resources) {
  const ClassInfo* objectInfo = FindClassInfo(object.ClassName());
  if (objectInfo && objectInfo->keepUnknown &&
      !objectInfo->FindProperty(property.name.substr(0, property.name.find(L'.')))) {
    objectInfo->keepUnknown(object, property.name, StoredValueText(property.value));
    return;
  }
  TPersistent* target = &object;
  std::wstring name = property.name;
  for (size_t dot; (dot = name.find(L'.')) != std::wstring::npos;) {
    const ClassInfo* info = FindClassInfo(target->ClassName());
    const PropertyInfo* holder = info ? info->FindProperty(name.substr(0, dot)) : nullptr;
    if (!holder || holder->kind != PropertyKind::Class) Fail(property, L"property does not exist");
    target = holder->getObject(*target);
    if (!target) Fail(property, L"property " + holder->name + L" holds no object");
    name = name.substr(dot + 1);
  }
  const ClassInfo* info = FindClassInfo(target->ClassName());
  const PropertyInfo* found = info ? info->FindProperty(name) : nullptr;
  if (!found) Fail(property, L"property does not exist");
  Apply(*target, *found, property, resources);
}

void ReadStoredComponent(TComponent& root, const StoredObject& stored, const ResourceLoader& resources) {
  const ClassInfo* rootInfo = FindClassInfo(root.ClassName());
  if (!rootInfo || !rootInfo->InheritsFrom(stored.className))
    throw EReadLayoutError(L"The stored " + stored.className + L" does not fit " + root.ClassName());
  std::vector<TComponent*> read{&root};
  std::vector<Fixup> fixups;
  std::vector<Fixup>* outer = pendingFixups;
  pendingFixups = &fixups;
  try {
    // Flagged first, so that no component acts on a half-read form.
    root.SetState(ComponentStateFlag::Loading, true);
    if (!stored.name.empty()) root.SetName(stored.name);
    for (const StoredProperty& property : stored.properties) ApplyStoredProperty(root, property, resources);
    ReadChildren(root, root, stored, resources, read);
  } catch (...) {
    pendingFixups = outer;
    throw;
  }
  pendingFixups = outer;
  for (const Fixup& fixup : fixups) {
    TComponent* target = fixup.property->value.text == root.Name() ? &root
                                                                   : root.FindComponent(fixup.property->value.text);
    if (!target) Fail(*fixup.property, L"no component named " + fixup.property->value.text);
    fixup.info->setReference(*fixup.object, target);
  }
  for (TComponent* component : read) component->Loaded();
}

}  // namespace quonel
