#include "transitions/transition_geometry.h"

#include <algorithm>
#include <cmath>

#include "transitions/transition_catalogue.h"

namespace tessary {
namespace {

constexpr double kDisintegrateCellUnits = 12;
constexpr double kGenieTargetLeft = 115;
constexpr double kGenieTargetDown = 16;

double SaneScale(double scale) { return std::isfinite(scale) && scale > 0 ? scale : 1.0; }

int CellsAcross(double pixels, double scale, int low, int high) {
  const double cells = std::round(pixels / SaneScale(scale) / kDisintegrateCellUnits);
  if (!(cells >= low)) return low;  // NaN too
  return static_cast<int>(std::min(cells, static_cast<double>(high)));
}

// The window's rectangle in normalized device coordinates of the overlay: left, top
// (y up), width, height.
void FillDeviceRect(const Rect& window, const Rect& overlay, float out[4]) {
  const double w = overlay.width > 0 ? overlay.width : 1;
  const double h = overlay.height > 0 ? overlay.height : 1;
  out[0] = static_cast<float>(2 * (window.x - overlay.x) / w - 1);
  out[1] = static_cast<float>(1 - 2 * (window.y - overlay.y) / h);
  out[2] = static_cast<float>(2 * window.width / w);
  out[3] = static_cast<float>(2 * window.height / h);
}

float Aspect(const Rect& window) {
  return window.height > 0 ? static_cast<float>(window.width / window.height) : 1.0f;
}

}  // namespace

MeshResolution MeshResolutionFor(int effectNumber, const Rect& window, double scale) {
  switch (effectNumber) {
    case kMeshGenie:
    case kMeshTornado:
      return {64, 40, 0};
    case kMeshMelt:
      return {160, 60, 0};
    case kMeshDisintegrate:
      return {CellsAcross(window.width, scale, 60, 220),
              CellsAcross(window.height, scale, 40, 160), 4};
    default:
      return {};
  }
}

TransitionMesh BuildMesh(int columns, int rows) {
  TransitionMesh mesh;
  if (columns <= 0 || rows <= 0) return mesh;
  mesh.columns = columns;
  mesh.rows = rows;
  mesh.vertices.reserve(static_cast<std::size_t>((columns + 1) * (rows + 1)));
  for (int r = 0; r <= rows; ++r) {
    for (int c = 0; c <= columns; ++c) {
      const float x = static_cast<float>(c) / static_cast<float>(columns);
      const float y = static_cast<float>(r) / static_cast<float>(rows);
      mesh.vertices.push_back({x, y, x, y});
    }
  }
  mesh.indices.reserve(static_cast<std::size_t>(columns * rows * 6));
  const auto stride = static_cast<std::uint32_t>(columns + 1);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const std::uint32_t topLeft = static_cast<std::uint32_t>(r) * stride + static_cast<std::uint32_t>(c);
      const std::uint32_t bottomLeft = topLeft + stride;
      // Clockwise as seen on the screen (y down), the front face by default.
      mesh.indices.insert(mesh.indices.end(), {topLeft, topLeft + 1, bottomLeft,
                                               bottomLeft, topLeft + 1, bottomLeft + 1});
    }
  }
  return mesh;
}

Point DefaultGenieTarget(const Rect& window, double scale) {
  const double s = SaneScale(scale);
  return {window.Right() - kGenieTargetLeft * s, window.y + kGenieTargetDown * s};
}

Rect BoundingRect(const std::vector<Rect>& rects) {
  if (rects.empty()) return {};
  double left = rects.front().x;
  double top = rects.front().y;
  double right = rects.front().Right();
  double bottom = rects.front().Bottom();
  for (const Rect& r : rects) {
    left = std::min(left, r.x);
    top = std::min(top, r.y);
    right = std::max(right, r.Right());
    bottom = std::max(bottom, r.Bottom());
  }
  return {left, top, right - left, bottom - top};
}

TransitionUniforms MeshUniforms(const Rect& window, const Rect& overlay, Point target,
                                int effectNumber, const MeshResolution& mesh) {
  TransitionUniforms u;
  FillDeviceRect(window, overlay, u.rect);
  // Relative to the window; beyond its right or bottom edge the effect would pull the
  // image off the overlay, so it stops at the edge.
  const double w = window.width > 0 ? window.width : 1;
  const double h = window.height > 0 ? window.height : 1;
  u.target[0] = static_cast<float>(std::min((target.x - window.x) / w, 1.0));
  u.target[1] = static_cast<float>(std::min((target.y - window.y) / h, 1.0));
  u.aspect = Aspect(window);
  u.columns = static_cast<float>(mesh.columns);
  u.rows = static_cast<float>(mesh.rows);
  u.effect = static_cast<float>(effectNumber);
  u.seamCount = static_cast<float>(mesh.seamCount);
  for (int i = 0; i < mesh.seamCount && i < 4; ++i) u.seams[i] = kDisintegrateSeams[i];
  return u;
}

TransitionUniforms CardUniforms(const Rect& window, const Rect& overlay, int index, int count,
                                int selected) {
  TransitionUniforms u;
  FillDeviceRect(window, overlay, u.rect);
  u.aspect = Aspect(window);
  u.card[0] = static_cast<float>(index);
  u.card[1] = static_cast<float>(count);
  u.card[2] = static_cast<float>(selected);
  return u;
}

}  // namespace tessary
