#pragma once

// Where the stack overview puts its cards, which card the pointer is on, and where the
// arrow keys move the selection. Pure functions in pixels of the overview window.

#include <string>
#include <vector>

#include "base/geometry.h"

namespace tessary {

// A window's visible frame size in pixels; zero (or negative) when it could not be read.
struct OverviewFrameSize {
  double width = 0;
  double height = 0;
};

// One card per frame, relative to the overview window's top-left: as many columns as
// show the windows largest (never enlarged), the block centred, each card standing on
// its cell's bottom with a label line below. Empty when the area has no room.
std::vector<Rect> LayOutOverviewCards(double areaWidth, double areaHeight, double scale,
                                      const std::vector<OverviewFrameSize>& frames);

// The card under `point` (left and top edges inclusive), or -1.
int OverviewCardAt(const std::vector<Rect>& cards, Point point);

// The card the selection moves to from `selected` in direction (dx, dy): the nearest
// ahead, sideways distance counting double; `selected` itself when none lies ahead.
int MoveOverviewSelection(const std::vector<Rect>& cards, int selected, int dx, int dy);

// `rect` scaled by `factor` about its centre (the opening zoom).
Rect ScaleAboutCentre(const Rect& rect, double factor);

// The label under a card: the title, then " — " and the app's name when it adds
// something; the app's name alone for an untitled window.
std::string OverviewLabel(const std::string& title, const std::string& appName);

}  // namespace tessary
