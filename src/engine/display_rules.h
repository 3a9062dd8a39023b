#pragma once

// The pure rules of display and work-area changes: whether a new display list is the
// same displays, where windows in regions and spans go when only a work area changed,
// and which remembered layout explains the windows standing on a display.

#include <optional>
#include <vector>

#include "desktop/desktop.h"
#include "engine/region_membership.h"
#include "engine/stack_model.h"
#include "layout/layout_tree.h"

namespace tessary {

// As many displays, each with a known one of the same id and exactly the same bounds.
// Work areas are not compared.
bool SameDisplays(const std::vector<Monitor>& known, const std::vector<Monitor>& now);

// The windows in `layout`'s regions and spans over the display's work area `before`, each
// given its region's (or its span's) rectangle over the work area `after`. Appends to
// `targets`; windows that already have a target there are left out.
void FollowWorkArea(const SnapLayout& layout, const Monitor& before, const Monitor& after,
                    const FramesFrontFirst& windows, std::vector<GlideItem>& targets);

// The layout that best explains where the windows of one display stand, with the windows
// matched to each of its regions.
struct RecoveredLayout {
  SnapLayout layout;
  RegionLists standing;
};
// `candidates` are the display's remembered layouts, `current` its layout now; `windows`
// are the ones whose frame lies on the display.
std::optional<RecoveredLayout> ChooseRecoveredLayout(const std::vector<SnapLayout>& candidates,
                                                     const std::optional<SnapLayout>& current,
                                                     const Monitor& display,
                                                     const FramesFrontFirst& windows);

}  // namespace tessary
