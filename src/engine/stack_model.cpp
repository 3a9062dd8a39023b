#include "engine/stack_model.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace tessary {
namespace {

// Frames and areas that agree within this many pixels (times the scale) are the same.
constexpr double kSameTolerance = 5;
// The point that decides which window stands in front: this far inside the top-left
// corner, clear of rounded corners and resize borders.
constexpr double kProbeInset = 24;
// Left edges of regions closer than this count as one column.
constexpr double kColumnTolerance = 8;
constexpr double kBadgeTop = 44;
constexpr double kBadgeBottomMargin = 8;
constexpr int kFloatingIcons = 6;
constexpr int kFewestIcons = 2;

Rect Grown(const Rect& r, double by) {
  return {r.x - by, r.y - by, r.width + 2 * by, r.height + 2 * by};
}

bool Inside(const Rect& inner, const Rect& outer) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.Right() <= outer.Right() &&
         inner.Bottom() <= outer.Bottom();
}

const Rect* FrameOf(const FramesFrontFirst& windows, WindowId window) {
  for (const WindowFrame& entry : windows) {
    if (entry.window == window) return &entry.frame;
  }
  return nullptr;
}

template <typename T>
void AddUnique(std::vector<T>& list, const T& value) {
  if (std::find(list.begin(), list.end(), value) == list.end()) list.push_back(value);
}

Rect Union(const Rect& a, const Rect& b) {
  const double left = std::min(a.x, b.x), top = std::min(a.y, b.y);
  return {left, top, std::max(a.Right(), b.Right()) - left,
          std::max(a.Bottom(), b.Bottom()) - top};
}

// The windows on one display that stack: each region holding two or more, and each span
// with the windows of the regions it covers.
void CollectDisplayStacks(const StackDisplay& display, const FramesFrontFirst& windows,
                          std::vector<StackInfo>& out) {
  RegionLists lists = ListRegionMembers(windows, display.regions);
  auto listed = [&lists](WindowId w) { return RegionOfWindow(lists, w) >= 0; };
  const double same = kSameTolerance * display.scale;
  std::vector<StackInfo> stacks;
  auto base = [&display]() {
    StackInfo stack;
    stack.display = display.id;
    stack.bounds = display.bounds;
    stack.work = display.work;
    stack.scale = display.scale;
    return stack;
  };
  for (const auto& [region, members] : lists) {
    if (members.size() < 2) continue;
    StackInfo stack = base();
    stack.area = *display.regions.Get(region);
    stack.members = members;
    stack.regions = {region};
    stack.regionRects = {stack.area};
    stack.regionFronts = {members.front()};
    stacks.push_back(std::move(stack));
  }
  std::vector<WindowId> spans;
  for (const WindowFrame& entry : windows) {
    if (listed(entry.window)) continue;
    std::vector<std::int32_t> covered = RegionsCovered(entry.frame, display.regions);
    if (covered.size() < 2) continue;
    Rect area = *display.regions.Get(covered.front());
    for (std::int32_t r : covered) area = Union(area, *display.regions.Get(r));
    if (!NearlyEqual(entry.frame, area, same)) continue;
    spans.push_back(entry.window);
    StackInfo stack = base();
    stack.area = area;
    stack.members = {entry.window};
    stack.spanning = {entry.window};
    stack.regions = covered;
    for (std::int32_t r : covered) {
      stack.regionRects.push_back(*display.regions.Get(r));
      auto it = lists.find(r);
      stack.regionFronts.push_back(it == lists.end() ? kNoWindow : it->second.front());
      if (it != lists.end()) {
        for (WindowId w : it->second) AddUnique(stack.members, w);
      }
    }
    if (stack.members.size() >= 2) stacks.push_back(std::move(stack));
  }
  // One area, one stack.
  for (std::size_t i = 0; i < stacks.size(); ++i) {
    for (std::size_t j = i + 1; j < stacks.size();) {
      if (!NearlyEqual(stacks[i].area, stacks[j].area, same)) {
        ++j;
        continue;
      }
      StackInfo& into = stacks[i];
      const StackInfo& from = stacks[j];
      for (WindowId w : from.members) AddUnique(into.members, w);
      for (WindowId w : from.spanning) AddUnique(into.spanning, w);
      for (std::size_t k = 0; k < from.regions.size(); ++k) {
        if (std::find(into.regions.begin(), into.regions.end(), from.regions[k]) !=
            into.regions.end()) {
          continue;
        }
        into.regions.push_back(from.regions[k]);
        into.regionRects.push_back(from.regionRects[k]);
        into.regionFronts.push_back(from.regionFronts[k]);
      }
      stacks.erase(stacks.begin() + static_cast<std::ptrdiff_t>(j));
    }
  }
  // A window smaller than any region but lying within a stack's area belongs to it.
  for (const WindowFrame& entry : windows) {
    if (listed(entry.window) ||
        std::find(spans.begin(), spans.end(), entry.window) != spans.end()) {
      continue;
    }
    for (StackInfo& stack : stacks) {
      if (Inside(entry.frame, Grown(stack.area, same))) {
        AddUnique(stack.members, entry.window);
        break;
      }
    }
  }
  for (StackInfo& stack : stacks) out.push_back(std::move(stack));
}

// Orders the members by when they joined and finds the ones standing in front.
void FinishStack(StackInfo& stack, const FramesFrontFirst& windows, UseSequence& uses) {
  for (WindowId w : stack.members) {
    if (uses.Of(w) == 0) uses.Bump(w);
  }
  std::stable_sort(stack.members.begin(), stack.members.end(),
                   [&uses](WindowId a, WindowId b) { return uses.Of(a) < uses.Of(b); });
  stack.frames.clear();
  for (WindowId w : stack.members) {
    const Rect* frame = FrameOf(windows, w);
    stack.frames.push_back(frame ? *frame : stack.area);
  }
  const double inset = kProbeInset * stack.scale;
  for (std::size_t i = 0; i < stack.members.size(); ++i) {
    const Point probe{stack.frames[i].x + inset, stack.frames[i].y + inset};
    for (const WindowFrame& entry : windows) {
      if (!entry.frame.Contains(probe)) continue;
      if (entry.window == stack.members[i]) stack.fronts.push_back(entry.window);
      break;
    }
  }
}

int WidthUnits(const StackInfo& stack, const Rect& member, const Rect& front) {
  const double same = kSameTolerance * stack.scale;
  const Rect grown = Grown(member, same);
  if (NearlyEqual(member, front, same) || !Inside(front, grown)) return 0;
  std::vector<double> lefts;
  for (const Rect& region : stack.regionRects) {
    if (Inside(region, grown)) lefts.push_back(region.x);
  }
  if (lefts.empty()) {
    return std::max(1, static_cast<int>(std::lround(member.width / front.width)));
  }
  std::sort(lefts.begin(), lefts.end());
  int count = 0;
  double last = 0;
  for (double left : lefts) {
    if (count > 0 && left - last <= kColumnTolerance * stack.scale) continue;
    ++count;
    last = left;
  }
  return count;
}

}  // namespace

std::vector<std::int32_t> RegionsCovered(const Rect& frame, const RegionMap& regions) {
  std::vector<std::int32_t> covered;
  for (const auto& [region, rect] : regions) {
    const double area = rect.width * rect.height;
    if (!(area > 0)) continue;
    const Rect overlap = Intersect(frame, rect);
    if (overlap.width * overlap.height >= area / 2) covered.push_back(region);
  }
  return covered;
}

std::vector<StackInfo> ComputeStacks(const std::vector<StackDisplay>& displays,
                                     const FramesFrontFirst& windows, UseSequence& uses) {
  std::vector<StackInfo> stacks;
  for (const StackDisplay& display : displays) CollectDisplayStacks(display, windows, stacks);
  for (StackInfo& stack : stacks) FinishStack(stack, windows, uses);
  return stacks;
}

bool CoveredBy(const Rect& m, const Rect& f, double scale) {
  const double same = kSameTolerance * scale;
  return NearlyEqual(m, f, same) || Inside(m, Grown(f, same)) || Inside(f, Grown(m, same));
}

void OrderStack(std::vector<WindowId>& members, StackOrder order, const StackOrderKeys& keys) {
  if (order == StackOrder::kName) {
    std::vector<std::pair<std::string, std::string>> names;
    std::vector<std::size_t> index(members.size());
    for (std::size_t i = 0; i < members.size(); ++i) {
      names.emplace_back(keys.appName(members[i]), keys.title(members[i]));
      index[i] = i;
    }
    std::stable_sort(index.begin(), index.end(),
                     [&names](std::size_t a, std::size_t b) { return names[a] < names[b]; });
    std::vector<WindowId> sorted;
    for (std::size_t i : index) sorted.push_back(members[i]);
    members = std::move(sorted);
    return;
  }
  auto rank = [&keys](WindowId w) {
    const int z = keys.zIndex(w);
    return z < 0 ? std::numeric_limits<int>::max() : z;
  };
  std::stable_sort(members.begin(), members.end(),
                   [&rank](WindowId a, WindowId b) { return rank(a) < rank(b); });
}

std::string GroupLabel(const std::vector<std::string>& names) {
  std::string label = "Bring ";
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) label += names.size() == 2 ? " and " : ", ";
    if (i > 0 && names.size() > 2 && i + 1 == names.size()) label += "and ";
    label += names[i];
  }
  return label + " Forward";
}

BadgeContent BuildBadgeContent(const StackInfo& stack, WindowId front,
                               const std::vector<WindowId>& behind, bool onEdge,
                               const std::function<IconId(WindowId)>& iconOf,
                               const std::function<std::string(WindowId)>& appName) {
  auto frameOf = [&stack](WindowId w) {
    for (std::size_t i = 0; i < stack.members.size(); ++i) {
      if (stack.members[i] == w) return stack.frames[i];
    }
    return stack.area;
  };
  const Rect f = frameOf(front);
  std::vector<WindowId> order = behind;
  BadgeContent content;
  // A spanning front window first lists the windows at the front of the regions it
  // covers: "Bring Them Forward" brings exactly those back.
  if (std::find(stack.spanning.begin(), stack.spanning.end(), front) != stack.spanning.end()) {
    std::vector<WindowId> group;
    for (WindowId w : stack.regionFronts) {
      if (w != kNoWindow && w != front &&
          std::find(behind.begin(), behind.end(), w) != behind.end()) {
        AddUnique(group, w);
      }
    }
    if (group.size() >= 2) {
      std::stable_sort(group.begin(), group.end(), [&frameOf](WindowId a, WindowId b) {
        const Rect ra = frameOf(a), rb = frameOf(b);
        return ra.x != rb.x ? ra.x < rb.x : ra.y < rb.y;
      });
      std::vector<std::string> names;
      for (WindowId w : group) names.push_back(appName(w));
      content.groupLabel = GroupLabel(names);
      content.groupCount = static_cast<int>(group.size());
      for (WindowId w : order) AddUnique(group, w);
      order = std::move(group);
    }
  }
  for (WindowId w : order) content.icons.push_back({w, iconOf(w), WidthUnits(stack, frameOf(w), f)});
  const int count = static_cast<int>(content.icons.size());
  if (!onEdge) {
    content.maxShown = kFloatingIcons;
    return content;
  }
  const double s = stack.scale;
  const double room = std::min(f.Bottom(), stack.work.Bottom()) - kBadgeBottomMargin * s -
                      (f.y + kBadgeTop * s);
  int fits = count;
  while (fits > kFewestIcons &&
         BadgeHeight(count, fits, 1, content.groupCount >= 2) * s > room) {
    --fits;
  }
  content.maxShown = std::max(fits, kFewestIcons);
  return content;
}

}  // namespace tessary
