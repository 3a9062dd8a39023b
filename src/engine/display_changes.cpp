#include "engine/display_changes.h"

#include <algorithm>
#include <cmath>

#include "base/number_text.h"
#include "engine/display_rules.h"
#include "layout/builtin_layouts.h"

namespace tessary {

std::string ArrangementKey(const std::vector<Monitor>& displays) {
  std::vector<std::string> parts;
  for (const Monitor& m : displays) {
    const Rect& b = m.bounds;
    // Bounds are whole pixels.
    auto n = [](double v) { return FormatInt64(std::llround(v)); };
    parts.push_back(m.id + "@" + n(b.x) + "," + n(b.y) + "," + n(b.width) + "," + n(b.height));
  }
  std::sort(parts.begin(), parts.end());
  std::string key;
  for (const std::string& part : parts) key += part + "\n";
  return key;
}

void DisplayChanges::SetKnown(const std::vector<Monitor>& displays) {
  known_ = displays;
  const std::string key = ArrangementKey(displays);
  auto it = std::find_if(arrangements_.begin(), arrangements_.end(),
                         [&](const Arrangement& a) { return a.key == key; });
  if (it == arrangements_.end()) {
    if (arrangements_.size() == kArrangements) {
      arrangements_.erase(std::min_element(
          arrangements_.begin(), arrangements_.end(),
          [](const Arrangement& a, const Arrangement& b) { return a.seen < b.seen; }));
    }
    arrangements_.push_back({.key = key});
    it = arrangements_.end() - 1;
  }
  it->seen = ++seen_;
  current_ = static_cast<std::size_t>(it - arrangements_.begin());
}

void DisplayChanges::Observe(const std::vector<Monitor>& displays,
                             const std::vector<StackDisplay>& layouts, const ActiveLayouts& active,
                             const FramesFrontFirst& windows) {
  if (arrangements_.empty() || !SameDisplays(known_, displays)) return;
  Arrangement& now = arrangements_[current_];
  now.windows.clear();
  for (const WindowFrame& entry : windows) {
    for (const StackDisplay& display : layouts) {
      const Rect* target = nullptr;
      for (const auto& [region, rect] : display.regions) {
        if (InRegion(entry.frame, rect)) {
          target = &rect;
          break;
        }
      }
      Rect area;
      if (!target && SpansRegions(entry.frame, display.regions, display.scale, covered_, area)) {
        target = &area;
      }
      if (!target) continue;
      now.windows.push_back({entry.window, *target});
      break;
    }
  }
  // The layouts are copied only when they changed: the pass runs after every burst of
  // window events.
  now.layouts.resize(layouts.size());
  for (std::size_t i = 0; i < layouts.size(); ++i) {
    auto found = active.find(layouts[i].id);
    if (found == active.end()) continue;
    auto& [id, layout] = now.layouts[i];
    if (id != layouts[i].id || !LayoutsEqual(layout, found->second)) {
      id = layouts[i].id;
      layout = found->second;
    }
  }
}

void DisplayChanges::UserMoved(WindowId window) {
  for (std::size_t i = 0; i < arrangements_.size(); ++i) {
    if (i == current_) continue;  // the next pass sees where the user put it
    std::erase_if(arrangements_[i].windows, [&](const Standing& s) { return s.window == window; });
  }
}

const DisplayChanges::Arrangement* DisplayChanges::Find(const std::string& key) const {
  for (const Arrangement& a : arrangements_) {
    if (a.key == key) return &a;
  }
  return nullptr;
}

std::optional<DisplayChanges::Return> DisplayChanges::Returning(
    const std::vector<Monitor>& displays, const std::function<bool(WindowId)>& exists) const {
  if (SameDisplays(known_, displays)) return std::nullopt;
  const Arrangement* seen = Find(ArrangementKey(displays));
  if (!seen) return std::nullopt;
  Return back;
  for (const Standing& s : seen->windows) {
    if (exists(s.window)) back.moves.push_back({s.window, s.rect});
  }
  for (const auto& entry : seen->layouts) {
    if (!entry.first.empty()) back.layouts.push_back(entry);
  }
  return back;
}

}  // namespace tessary
