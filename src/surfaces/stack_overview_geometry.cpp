#include "surfaces/stack_overview_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessary {
namespace {

bool Valid(const OverviewFrameSize& size) { return size.width > 0 && size.height > 0; }

// How much a frame shrinks to fit a cell; a window smaller than its cell keeps its size.
double Fit(const OverviewFrameSize& size, double cw, double ch) {
  return std::min({cw / size.width, ch / size.height, 1.0});
}

struct Columns {
  int count = 0;
  double cw = 0;
  double ch = 0;
  double total = 0;
  double smallest = 0;
};

Columns Try(int c, int n, double iw, double ih, double gap, double label,
            const std::vector<OverviewFrameSize>& frames) {
  const int rows = (n + c - 1) / c;
  Columns o{c, (iw - (c - 1) * gap) / c, (ih - (rows - 1) * gap) / rows - label, 0,
            std::numeric_limits<double>::infinity()};
  if (!(o.cw > 0 && o.ch > 0)) return {};
  for (const OverviewFrameSize& size : frames) {
    double shown = o.cw * o.ch;
    if (Valid(size)) {
      const double f = Fit(size, o.cw, o.ch);
      shown = f * f * size.width * size.height;
    }
    o.total += shown;
    o.smallest = std::min(o.smallest, shown);
  }
  return o;
}

}  // namespace

std::vector<Rect> LayOutOverviewCards(double areaWidth, double areaHeight, double scale,
                                      const std::vector<OverviewFrameSize>& frames) {
  const double margin = 20 * scale, gap = 16 * scale, label = 22 * scale;
  const double iw = areaWidth - 2 * margin, ih = areaHeight - 2 * margin;
  const int n = static_cast<int>(frames.size());
  if (n == 0 || !(iw > 0 && ih > 0)) return {};
  Columns kept;
  for (int c = 1; c <= n; ++c) {
    const Columns next = Try(c, n, iw, ih, gap, label, frames);
    if (next.count == 0) continue;
    // A later count must show clearly more, or as much with its smallest card larger.
    if (kept.count == 0 || next.total > kept.total * 1.001 ||
        (next.total > kept.total * 0.999 && next.smallest > kept.smallest)) {
      kept = next;
    }
  }
  if (kept.count == 0) return {};
  const int c = kept.count;
  const int rows = (n + c - 1) / c;
  const double block = rows * (kept.ch + label) + (rows - 1) * gap;
  const double top = margin + (ih - block) / 2;
  std::vector<Rect> cards;
  for (int i = 0; i < n; ++i) {
    const int row = i / c, column = i % c;
    const int inRow = std::min(c, n - row * c);
    const double rowLeft = margin + (iw - (inRow * kept.cw + (inRow - 1) * gap)) / 2;
    const double cellLeft = rowLeft + column * (kept.cw + gap);
    const double rowTop = top + row * (kept.ch + label + gap);
    const OverviewFrameSize& size = frames[static_cast<std::size_t>(i)];
    double w = kept.cw, h = kept.ch;
    if (Valid(size)) {
      const double f = Fit(size, kept.cw, kept.ch);
      w = f * size.width;
      h = f * size.height;
    }
    cards.push_back({std::round(cellLeft + (kept.cw - w) / 2), std::round(rowTop + kept.ch - h),
                     std::round(w), std::round(h)});
  }
  return cards;
}

int OverviewCardAt(const std::vector<Rect>& cards, Point point) {
  for (std::size_t i = 0; i < cards.size(); ++i) {
    const Rect& r = cards[i];
    if (point.x >= r.x && point.x < r.Right() && point.y >= r.y && point.y < r.Bottom()) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int MoveOverviewSelection(const std::vector<Rect>& cards, int selected, int dx, int dy) {
  if (selected < 0 || selected >= static_cast<int>(cards.size())) return selected;
  auto centre = [](const Rect& r) { return Point{r.x + r.width / 2, r.y + r.height / 2}; };
  const Point from = centre(cards[static_cast<std::size_t>(selected)]);
  int best = selected;
  double bestScore = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < cards.size(); ++i) {
    if (static_cast<int>(i) == selected) continue;
    const Point to = centre(cards[i]);
    const double ahead = (to.x - from.x) * dx + (to.y - from.y) * dy;
    if (!(ahead > 1)) continue;
    const double sideways = std::abs((to.x - from.x) * dy - (to.y - from.y) * dx);
    const double score = ahead + 2 * sideways;
    if (score < bestScore) {
      bestScore = score;
      best = static_cast<int>(i);
    }
  }
  return best;
}

Rect ScaleAboutCentre(const Rect& rect, double factor) {
  const double w = rect.width * factor, h = rect.height * factor;
  return {rect.x + (rect.width - w) / 2, rect.y + (rect.height - h) / 2, w, h};
}

std::string OverviewLabel(const std::string& title, const std::string& appName) {
  if (title.empty()) return appName;
  if (appName.empty() || appName == title) return title;
  return title + " \xE2\x80\x94 " + appName;
}

}  // namespace tessary
