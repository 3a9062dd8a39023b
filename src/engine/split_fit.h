#pragma once

// Fitting the split between two neighbouring regions to their windows' minimum sizes:
// moving the divider so that both needs are met, telling which windows refused the size
// they were given, and what one fit has learned from them (undone when a window turns
// out to keep changing its size). The loop that moves the windows is the Coordinator's
// (FitSplit).

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "base/geometry.h"
#include "engine/minimum_sizes.h"
#include "layout/layout_tree.h"
#include "platform/ids.h"

namespace tessary {

// The tree with the edge between regions a and b moved just far enough for both needs
// (pixels) on the work area, or null when they are not side by side or stacked, or when
// the needs cannot both be met. The input tree itself when it already meets them.
NodeRef FitSplitRatio(const NodeRef& tree, std::int32_t regionA, std::int32_t regionB,
                      SizeNeed needA, SizeNeed needB, const Rect& work);

// A window that came out larger than its spot in one direction while it fits the other
// (within the size tolerance). A window larger both ways tells nothing about either.
struct Oversize {
  WindowId window;
  Rect frame;
  Rect target;
  bool wider = false;
  bool taller = false;
};
std::optional<Oversize> OversizeOf(WindowId window, const Rect& frame, const Rect& target);

// What one fit learns from the windows that refuse their spots, with what the tables held
// before, so that all of it can be undone.
class SplitFitLessons {
 public:
  SplitFitLessons(MinimumSizes& minimums, double scale) : minimums_(minimums), scale_(scale) {}

  // Refused again after being given at least what it refused before, in the direction it
  // refuses now: the window keeps changing its size.
  bool KeepsChanging(const Oversize& oversize) const;
  // Raises the window's observed and its app's learned minimum to the size it refused.
  // Answers what was seen (0 in the direction that fit).
  SizeNeed Learn(const Oversize& oversize, const std::string& app);
  // Puts back every observed and learned entry this fit touched.
  void Undo();

 private:
  MinimumSizes& minimums_;
  double scale_;
  std::map<WindowId, SizeNeed> refused_;
  std::map<WindowId, std::optional<SizeNeed>> observedBefore_;
  std::map<std::string, std::optional<AppMinimumSize>> learnedBefore_;
};

}  // namespace tessary
