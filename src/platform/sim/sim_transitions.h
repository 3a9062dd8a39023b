#pragma once

// The switching effects' graphics on the simulated desktop: window images made up from
// each window's id, and a GPU overlay that draws nothing but records every call with the
// virtual time, so a story can check what each frame would have shown and when. A test
// can make the device, the overlay, a texture or a window's image fail, and a window
// draw itself black.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "platform/clock.h"
#include "platform/transition_gpu.h"

namespace tessary {

// The colours of made-up images: a drawn window's pixels carry its id's low bits.
inline constexpr std::uint32_t kSimScreenPixel = 0xFF202020u;
inline constexpr std::uint32_t kSimWallpaperPixel = 0xFF3060A0u;
std::uint32_t SimDrawnPixel(WindowId window);

class SimWindowImages final : public WindowImages {
 public:
  enum class Drawing : std::uint8_t { kNormal, kAllBlack, kFails };

  PixelImage DrawnImage(WindowId window) override;
  PixelImage ScreenImage(const Rect& area) override;
  PixelImage DesktopImage(const Rect& area) override;
  std::uint64_t WallpaperStamp() override { return wallpaper_; }

  // --- What a test can do ---
  void SetDrawing(WindowId window, Drawing drawing) { drawing_[window] = drawing; }
  void SetScreenFails(bool fails) { screenFails_ = fails; }
  void ChangeWallpaper() { ++wallpaper_; }
  // --- What a test can see ---
  int DrawnCalls() const { return drawnCalls_; }
  const std::vector<Rect>& ScreenAreas() const { return screenAreas_; }
  const std::vector<Rect>& DesktopAreas() const { return desktopAreas_; }

 private:
  std::map<WindowId, Drawing> drawing_;
  bool screenFails_ = false;
  std::uint64_t wallpaper_ = 1;
  int drawnCalls_ = 0;
  std::vector<Rect> screenAreas_;
  std::vector<Rect> desktopAreas_;
};

// One run of the overlay as the simulated GPU saw it.
struct SimTransitionRun {
  struct Texture {
    int width = 0;
    int height = 0;
    std::uint32_t firstPixel = 0;
  };
  struct Mesh {
    int columns = 0;
    int rows = 0;
    std::size_t vertices = 0;
    std::size_t indices = 0;
  };
  struct Frame {
    double time = 0;
    TransitionPass pass = TransitionPass::kMesh;
    int backdrop = -1;
    std::vector<TransitionDraw> draws;
  };
  Rect bounds;
  bool opened = false;  // false: Open failed
  double openedAt = 0;
  double shownAt = -1;   // -1: never shown
  double closedAt = -1;  // -1: never closed
  std::vector<Texture> textures;
  std::vector<Mesh> meshes;
  std::vector<Frame> frames;
};

class SimTransitionGpu final : public TransitionGpu {
 public:
  // How long the simulated warm-up takes, as Device reports it.
  static constexpr double kWarmMilliseconds = 42.5;

  explicit SimTransitionGpu(Clock* clock) : clock_(clock) {}

  void Warm() override;
  bool Device(double& warmMilliseconds) override;
  bool Open(const Rect& bounds) override;
  int AddTexture(const PixelImage& image) override;
  int AddMesh(const TransitionMesh& mesh) override;
  bool DrawFrame(TransitionPass pass, int backdropTexture,
                 const std::vector<TransitionDraw>& draws) override;
  bool Show() override;
  void Close() override;

  // --- What a test can do ---
  void SetDeviceFails(bool fails) { deviceFails_ = fails; }
  void SetOpenFails(bool fails) { openFails_ = fails; }
  // The texture with this number (0: the first) of every run fails; -1: none.
  void FailTexture(int number) { failTexture_ = number; }
  void SetShowFails(bool fails) { showFails_ = fails; }
  // Called at Show and at Close (before the overlay goes): a story looks at the desktop.
  void OnShowAndClose(std::function<void(bool shown)> observer) { observer_ = std::move(observer); }

  // --- What a test can see ---
  bool Warmed() const { return warmed_; }
  int WarmCalls() const { return warmCalls_; }
  const std::vector<SimTransitionRun>& Runs() const { return runs_; }
  // True between a successful Open and Close.
  bool Running() const { return running_; }

 private:
  double Now() const { return clock_ ? clock_->Now() : 0.0; }
  SimTransitionRun* Current() { return running_ && !runs_.empty() ? &runs_.back() : nullptr; }

  Clock* clock_;
  bool deviceFails_ = false;
  bool openFails_ = false;
  bool showFails_ = false;
  int failTexture_ = -1;
  bool warmed_ = false;
  int warmCalls_ = 0;
  bool running_ = false;
  std::function<void(bool)> observer_;
  std::vector<SimTransitionRun> runs_;
};

}  // namespace tessary
