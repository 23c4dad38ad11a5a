// The gallery's MDI parent: a window with a menu bar and two MDI children,
// each holding a few skinned controls.
#pragma once
#include "core/component.h"

namespace quonel {

class TMDIParentForm;

// Shows a new MDI parent owned by owner; the window frees itself when closed.
TMDIParentForm* ShowGalleryMdiParent(TComponent* owner);

}  // namespace quonel
