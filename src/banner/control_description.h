// The description of an ActiveX control class, shared by all its instances:
// what to create, which events it fires and in which order its wrapper
// declares their handlers.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace quonel {

struct TControlData {
  CLSID classId{};
  // The control's outgoing (event) dispatch interface.
  IID eventIid{};
  // The events' dispatch identifiers in the order of the wrapper's
  // handlers; the event count is their number.
  std::vector<DISPID> eventDispIds;
  unsigned flags = 0;
  int version = 0;
  int fontCount = 0;
  int pictureCount = 0;
  // Live instances; the per-class data below is released when it drops to 0.
  int instanceCount = 0;
  // Per-class data: dispatch identifiers of forwarded properties, by name,
  // asked once from the first instance's dispatch interface.
  std::map<std::wstring, DISPID> propertyDispIds;

  int EventCount() const { return static_cast<int>(eventDispIds.size()); }
  // The handler position of an event, -1 when the class declares none.
  int EventIndex(DISPID dispId) const {
    for (size_t i = 0; i < eventDispIds.size(); ++i)
      if (eventDispIds[i] == dispId) return static_cast<int>(i);
    return -1;
  }
};

}  // namespace quonel
