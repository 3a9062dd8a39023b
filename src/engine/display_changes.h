#pragma once

// What the engine keeps across display and work-area changes: the displays it last knew
// (a change is compared against their work areas) and, for each display arrangement seen
// this run, where the windows stood in its regions, so that an arrangement that comes
// back (a laptop docked again) gets its windows back. The Coordinator owns one.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "desktop/desktop.h"
#include "engine/stack_model.h"
#include "layout/layout_documents.h"

namespace tessary {

class DisplayChanges {
 public:
  // Arrangements remembered at most; the least recently seen one is forgotten first.
  static constexpr std::size_t kArrangements = 8;

  const std::vector<Monitor>& Known() const { return known_; }
  // The displays as they are now; their arrangement becomes the one being observed.
  void SetKnown(const std::vector<Monitor>& displays);

  // After each stack pass: where the windows stand in the regions and spans of the
  // displays with an active layout. Ignored while `displays` are not the known ones (a
  // change has not been handled yet), so a departing arrangement is never overwritten.
  // An unchanged desktop allocates nothing here.
  void Observe(const std::vector<Monitor>& displays, const std::vector<StackDisplay>& layouts,
               const ActiveLayouts& active, const FramesFrontFirst& windows);

  // The user began moving or sizing the window: no remembered arrangement moves it back.
  void UserMoved(WindowId window);

  struct Return {
    std::vector<GlideItem> moves;
    std::vector<std::pair<std::string, SnapLayout>> layouts;  // display key -> its layout
  };
  // When `displays` form an arrangement other than the known one and seen before: its
  // windows that still exist, with their rectangles, and the layouts of its displays.
  std::optional<Return> Returning(const std::vector<Monitor>& displays,
                                  const std::function<bool(WindowId)>& exists) const;

 private:
  struct Standing {
    WindowId window = kNoWindow;
    Rect rect;
  };
  struct Arrangement {
    std::string key;
    std::uint64_t seen = 0;
    std::vector<Standing> windows;
    std::vector<std::pair<std::string, SnapLayout>> layouts;
  };
  const Arrangement* Find(const std::string& key) const;

  std::vector<Monitor> known_;
  std::vector<Arrangement> arrangements_;
  std::size_t current_ = 0;  // index of the known arrangement
  std::uint64_t seen_ = 0;
  std::vector<std::int32_t> covered_;
};

// The identity of an arrangement: its displays' ids and bounds, in sorted order.
std::string ArrangementKey(const std::vector<Monitor>& displays);

}  // namespace tessary
