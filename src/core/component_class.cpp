#include "core/component_class.h"

#include "core/property_registry.h"

namespace quonel {

void RegisterComponentClass() {
  if (FindClassInfo(L"TComponent")) return;
  ClassRegistrar<TComponent>(L"TComponent", L"")
      .Integer(L"Tag", [](TComponent& c) { return c.Tag(); }, [](TComponent& c, int64_t v) { c.SetTag(v); });
}

}  // namespace quonel
