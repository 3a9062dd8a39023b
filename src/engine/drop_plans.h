#pragma once

// The layouts and rectangles a drop onto an occupied region leads to: the split layout
// of a half, whether a rejoin may be offered, and the rectangle the dragged window would
// take for each intent. Pure, so that the outline's preview and the drop itself can never
// disagree.

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "base/geometry.h"
#include "layout/layout_derivations.h"
#include "layout/layout_tree.h"
#include "layout/region_map.h"
#include "layout/span_geometry.h"
#include "surfaces/drop_action_menu.h"

namespace tessary {

// Per display: each pair {r, n} made when a Left or Right Half drop split r and created n.
using SplitPairs = std::vector<std::pair<std::int32_t, std::int32_t>>;

// `active` with `region` halved for a half drop (kinds 2 to 5): side by side for left
// and right, stacked for top and bottom, a full-height region stacked the way a corner
// drop stacks it. None when no split can be made (every region number taken).
struct SplitDropLayout {
  SnapLayout layout;
  std::int32_t dragged = -1;  // the part the dragged window takes
  std::int32_t other = -1;    // the part the region's windows move to
  std::int32_t created = -1;  // the new region number
};
std::optional<SplitDropLayout> SplitDropLayoutFor(const SnapLayout& active, std::int32_t region,
                                                  std::int32_t kind,
                                                  const std::vector<SnapLayout>& catalogue);

// Two halves side by side are offered for rejoining only when a half drop made them on a
// layout of the user's (not a catalogue entry); halves above each other always are.
bool KeepRejoinCandidate(const RejoinedLayout& candidate, const SnapLayout& active,
                         const SplitPairs& record);

// What the preview of a tile works from.
struct DropScene {
  const SnapLayout& active;
  const std::vector<SnapLayout>& catalogue;
  Rect work;
  double scale = 1;
  const std::optional<RejoinedLayout>& candidate;  // the region's kept rejoin candidate
  SpanSet span = {};                               // the hovered span's regions, for a span menu
};

// The rectangle the dragged window would take, or none (the Pending kind, a missing
// region, split or candidate).
std::optional<Rect> PreviewRect(const DropIntent& intent, const DropScene& scene);

// What a window dropped onto a spanning window may do: join its stack, take a column or
// a row of the span, or split it into rows. `regions` are the active layout's pixels.
std::vector<DropIntent> SpanDropIntents(const SnapLayout& active, const RegionMap& regions,
                                        const SpanSet& span, double scale);

// The span shared for a span intent (kinds 14 to 17): none when the span cannot be cut
// there.
std::optional<SpanDivision> SpanDivisionFor(const SpanSet& span, const RegionMap& regions,
                                            std::int32_t kind);

// Label of the rejoin tiles by the shape the candidate's area takes: a whole column, a
// whole row, or two halves. `span` picks the span wording.
const char* RejoinLabel(const RejoinedLayout& candidate, bool span);

}  // namespace tessary
