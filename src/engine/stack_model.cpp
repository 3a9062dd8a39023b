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

// A stable sort that needs no buffer (std::stable_sort asks the heap for one); stacks
// hold a handful of windows.
template <typename T, typename Less>
void InsertionSort(std::vector<T>& items, Less less) {
  for (std::size_t i = 1; i < items.size(); ++i) {
    T item = std::move(items[i]);
    std::size_t j = i;
    for (; j > 0 && less(item, items[j - 1]); --j) items[j] = std::move(items[j - 1]);
    items[j] = std::move(item);
  }
}

}  // namespace

StackInfo& StackFinder::NextStack(const StackDisplay& display) {
  if (count_ == stacks_.size()) stacks_.emplace_back();
  StackInfo& stack = stacks_[count_++];
  stack.display = display.id;
  stack.bounds = display.bounds;
  stack.work = display.work;
  stack.scale = display.scale;
  stack.area = {};
  stack.members.clear();
  stack.frames.clear();
  stack.regions.clear();
  stack.regionRects.clear();
  stack.regionFronts.clear();
  stack.spanning.clear();
  stack.fronts.clear();
  return stack;
}

// The windows on one display that stack: each region holding two or more, and each span
// with the windows of the regions it covers.
void StackFinder::CollectDisplay(const StackDisplay& display, const FramesFrontFirst& windows) {
  const std::size_t first = count_;
  const double same = kSameTolerance * display.scale;
  regionOf_.assign(windows.size(), -1);
  spans_.assign(windows.size(), 0);
  // Each window (front-most first) is listed in the first region it belongs to.
  for (std::size_t i = 0; i < windows.size(); ++i) {
    for (const auto& [region, rect] : display.regions) {
      if (InRegion(windows[i].frame, rect)) {
        regionOf_[i] = region;
        break;
      }
    }
  }
  auto frontOf = [&](std::int32_t region) {
    for (std::size_t i = 0; i < windows.size(); ++i) {
      if (regionOf_[i] == region) return windows[i].window;
    }
    return kNoWindow;
  };
  for (const auto& [region, rect] : display.regions) {
    const auto listed = std::count(regionOf_.begin(), regionOf_.end(), region);
    if (listed < 2) continue;
    StackInfo& stack = NextStack(display);
    stack.area = rect;
    for (std::size_t i = 0; i < windows.size(); ++i) {
      if (regionOf_[i] == region) stack.members.push_back(windows[i].window);
    }
    stack.regions.push_back(region);
    stack.regionRects.push_back(rect);
    stack.regionFronts.push_back(stack.members.front());
  }
  for (std::size_t w = 0; w < windows.size(); ++w) {
    if (regionOf_[w] >= 0) continue;
    Rect area;
    if (!SpansRegions(windows[w].frame, display.regions, display.scale, covered_, area)) continue;
    spans_[w] = 1;
    StackInfo& stack = NextStack(display);
    stack.area = area;
    stack.members.push_back(windows[w].window);
    stack.spanning.push_back(windows[w].window);
    for (std::int32_t r : covered_) {
      stack.regions.push_back(r);
      stack.regionRects.push_back(*display.regions.Get(r));
      stack.regionFronts.push_back(frontOf(r));
      for (std::size_t i = 0; i < windows.size(); ++i) {
        if (regionOf_[i] == r) AddUnique(stack.members, windows[i].window);
      }
    }
    // A span over empty regions is a window on its own.
    if (stack.members.size() < 2) --count_;
  }
  MergeEqualAreas(first, same);
  // A window smaller than any region but lying within a stack's area belongs to it.
  for (std::size_t w = 0; w < windows.size(); ++w) {
    if (regionOf_[w] >= 0 || spans_[w]) continue;
    for (std::size_t k = first; k < count_; ++k) {
      if (Inside(windows[w].frame, Grown(stacks_[k].area, same))) {
        AddUnique(stacks_[k].members, windows[w].window);
        break;
      }
    }
  }
}

// One area, one stack. A merged stack moves to the end of the list (its buffers stay for
// the next pass) and drops out of the count.
void StackFinder::MergeEqualAreas(std::size_t first, double tolerance) {
  for (std::size_t i = first; i < count_; ++i) {
    for (std::size_t j = i + 1; j < count_;) {
      if (!NearlyEqual(stacks_[i].area, stacks_[j].area, tolerance)) {
        ++j;
        continue;
      }
      StackInfo& into = stacks_[i];
      const StackInfo& from = stacks_[j];
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
      std::rotate(stacks_.begin() + static_cast<std::ptrdiff_t>(j),
                  stacks_.begin() + static_cast<std::ptrdiff_t>(j + 1),
                  stacks_.begin() + static_cast<std::ptrdiff_t>(count_));
      --count_;
    }
  }
}

// Orders the members by when they joined and finds the ones standing in front.
void StackFinder::Finish(StackInfo& stack, const FramesFrontFirst& windows, UseSequence& uses) {
  for (WindowId w : stack.members) {
    if (uses.Of(w) == 0) uses.Bump(w);
  }
  InsertionSort(stack.members, [&uses](WindowId a, WindowId b) { return uses.Of(a) < uses.Of(b); });
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

const std::vector<StackInfo>& StackFinder::Find(const std::vector<StackDisplay>& displays,
                                                const FramesFrontFirst& windows,
                                                UseSequence& uses) {
  count_ = 0;
  for (const StackDisplay& display : displays) CollectDisplay(display, windows);
  for (std::size_t k = 0; k < count_; ++k) Finish(stacks_[k], windows, uses);
  // Only a desktop with fewer stacks than before gives buffers back.
  stacks_.resize(count_);
  return stacks_;
}

namespace {

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

void RegionsCovered(const Rect& frame, const RegionMap& regions, std::vector<std::int32_t>& out) {
  out.clear();
  for (const auto& [region, rect] : regions) {
    const double area = rect.width * rect.height;
    if (!(area > 0)) continue;
    const Rect overlap = Intersect(frame, rect);
    if (overlap.width * overlap.height >= area / 2) out.push_back(region);
  }
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
  InsertionSort(members, [&rank](WindowId a, WindowId b) { return rank(a) < rank(b); });
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

void BuildBadgeContent(const StackInfo& stack, WindowId front, const std::vector<WindowId>& behind,
                       bool onEdge, const std::function<IconId(WindowId)>& iconOf,
                       const std::function<std::string(WindowId)>& appName,
                       BadgeContent& content) {
  auto frameOf = [&stack](WindowId w) {
    for (std::size_t i = 0; i < stack.members.size(); ++i) {
      if (stack.members[i] == w) return stack.frames[i];
    }
    return stack.area;
  };
  const Rect f = frameOf(front);
  content.icons.clear();
  content.groupCount = 0;
  content.groupLabel.clear();
  auto add = [&](WindowId w) {
    content.icons.push_back({w, iconOf(w), WidthUnits(stack, frameOf(w), f), appName(w)});
  };
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
      InsertionSort(group, [&frameOf](WindowId a, WindowId b) {
        const Rect ra = frameOf(a), rb = frameOf(b);
        return ra.x != rb.x ? ra.x < rb.x : ra.y < rb.y;
      });
      std::vector<std::string> names;
      for (WindowId w : group) names.push_back(appName(w));
      content.groupLabel = GroupLabel(names);
      content.groupCount = static_cast<int>(group.size());
      for (WindowId w : group) add(w);
    }
  }
  for (WindowId w : behind) {
    const auto groupEnd = content.icons.begin() + content.groupCount;
    if (std::find_if(content.icons.begin(), groupEnd,
                     [w](const BadgeIcon& i) { return i.window == w; }) == groupEnd) {
      add(w);
    }
  }
  const int count = static_cast<int>(content.icons.size());
  if (!onEdge) {
    content.maxShown = kFloatingIcons;
    return;
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
}

Rect BoundingRect(const RegionMap& regions, const std::vector<std::int32_t>& listed) {
  Rect area;
  bool first = true;
  for (std::int32_t r : listed) {
    const Rect* rect = regions.Get(r);
    if (!rect) continue;
    area = first ? *rect : Union(area, *rect);
    first = false;
  }
  return area;
}

bool SpansRegions(const Rect& frame, const RegionMap& regions, double scale,
                  std::vector<std::int32_t>& covered, Rect& area) {
  RegionsCovered(frame, regions, covered);
  if (covered.size() < 2) return false;
  area = BoundingRect(regions, covered);
  return NearlyEqual(frame, area, kSameTolerance * scale);
}

}  // namespace tessary
