#include "platform/sim/sim_transitions.h"

#include <algorithm>
#include <cmath>

namespace tessary {
namespace {

// Drawn images are small: only their pixels' colour matters to a story.
constexpr int kDrawnWidth = 16;
constexpr int kDrawnHeight = 12;

PixelImage Filled(int width, int height, std::uint32_t pixel) {
  PixelImage image;
  image.width = std::max(width, 0);
  image.height = std::max(height, 0);
  image.pixels.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height),
                      pixel);
  return image;
}

int Pixels(double extent) { return static_cast<int>(std::lround(std::max(extent, 0.0))); }

}  // namespace

std::uint32_t SimDrawnPixel(WindowId window) {
  // Never black, so a drawn window is told apart from one that draws itself black.
  return 0xFF000000u | ((static_cast<std::uint32_t>(window) & 0x00FFFFFFu) | 0x000001u);
}

PixelImage SimWindowImages::DrawnImage(WindowId window) {
  ++drawnCalls_;
  auto it = drawing_.find(window);
  const Drawing drawing = it == drawing_.end() ? Drawing::kNormal : it->second;
  switch (drawing) {
    case Drawing::kNormal:
      return Filled(kDrawnWidth, kDrawnHeight, SimDrawnPixel(window));
    case Drawing::kAllBlack:
      return Filled(kDrawnWidth, kDrawnHeight, 0xFF000000u);
    case Drawing::kFails:
      break;
  }
  return {};
}

PixelImage SimWindowImages::ScreenImage(const Rect& area) {
  screenAreas_.push_back(area);
  if (screenFails_) return {};
  return Filled(Pixels(area.width), Pixels(area.height), kSimScreenPixel);
}

PixelImage SimWindowImages::DesktopImage(const Rect& area) {
  desktopAreas_.push_back(area);
  return Filled(Pixels(area.width), Pixels(area.height), kSimWallpaperPixel);
}

void SimTransitionGpu::Warm() {
  ++warmCalls_;
  warmed_ = true;
}

bool SimTransitionGpu::Device(double& warmMilliseconds) {
  if (deviceFails_) return false;
  if (warmed_) warmMilliseconds = kWarmMilliseconds;
  return true;
}

bool SimTransitionGpu::Open(const Rect& bounds) {
  SimTransitionRun run;
  run.bounds = bounds;
  run.openedAt = Now();
  run.opened = !openFails_;
  runs_.push_back(std::move(run));
  running_ = !openFails_;
  return running_;
}

int SimTransitionGpu::AddTexture(const PixelImage& image) {
  SimTransitionRun* run = Current();
  if (!run || image.Empty()) return -1;
  if (static_cast<int>(run->textures.size()) == failTexture_) return -1;
  run->textures.push_back({image.width, image.height, image.pixels.front()});
  return static_cast<int>(run->textures.size()) - 1;
}

int SimTransitionGpu::AddMesh(const TransitionMesh& mesh) {
  SimTransitionRun* run = Current();
  if (!run || mesh.vertices.empty()) return -1;
  run->meshes.push_back({mesh.columns, mesh.rows, mesh.vertices.size(), mesh.indices.size()});
  return static_cast<int>(run->meshes.size()) - 1;
}

bool SimTransitionGpu::DrawFrame(TransitionPass pass, int backdropTexture,
                                 const std::vector<TransitionDraw>& draws) {
  SimTransitionRun* run = Current();
  if (!run) return false;
  run->frames.push_back({Now(), pass, backdropTexture, draws});
  return true;
}

bool SimTransitionGpu::Show() {
  SimTransitionRun* run = Current();
  if (!run || showFails_) return false;
  run->shownAt = Now();
  if (observer_) observer_(true);
  return true;
}

void SimTransitionGpu::Close() {
  if (runs_.empty() || runs_.back().closedAt >= 0) return;
  if (running_ && runs_.back().shownAt >= 0 && observer_) observer_(false);
  runs_.back().closedAt = Now();
  running_ = false;
}

}  // namespace tessary
