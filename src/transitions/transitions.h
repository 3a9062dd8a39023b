#pragma once

// The player of the switching effects. It captures nothing and moves no window: it is
// handed the images and rectangles of the windows, covers them with the GPU overlay,
// draws frame 0 (the desktop exactly as it stands), shows the overlay, calls `swap` (the
// real change happens hidden underneath), plays the effect and takes the overlay away.
//
// What is drawn: in the mesh pass each item is a window that leaves (progress 0 shows it
// as captured, 1 has it gone), over a cleared, transparent overlay, so the desktop as it
// stands after the swap shows through where nothing is drawn. In the card pass every
// item is a card over the desktop's wallpaper, the selected one ending in front.
//
// Run and RunCards answer true exactly when they called `swap` (once); false means
// nothing was shown and `swap` was not called: the caller switches without an effect.
// They block the UI thread for at most the run's length + kSafetySeconds.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "base/log.h"
#include "platform/clock.h"
#include "platform/transition_gpu.h"

namespace tessary {

// One window in an effect.
struct TransitionItem {
  PixelImage image;
  Rect rect;                    // its frame on the desktop, pixels
  std::optional<Point> target;  // Genie's target; absent: near the minimise button
};

class Transitions {
 public:
  // `gpu` null: there is no GPU and no effect ever plays. `readSlowdown` answers the
  // slowdown variable; it is asked once, at the first run.
  Transitions(TransitionGpu* gpu, Clock& clock,
              std::function<std::optional<std::string>()> readSlowdown);

  // Makes the device ahead of the first run, off the UI thread. Answers at once.
  void Warm();
  // A mesh-pass effect (an effect id whose drawing is kMesh) over the items.
  bool Run(int effect, const std::vector<TransitionItem>& items, double scale,
           const std::function<void()>& swap);
  // The cards: `selected` is the item that comes to the front; `backdrop` shows the
  // desktop under the items' bounding rectangle (empty: a cleared overlay).
  bool RunCards(const std::vector<TransitionItem>& items, int selected,
                const PixelImage& backdrop, const std::function<void()>& swap);

  // The factor every duration is multiplied by (read once).
  double Slowdown();

 private:
  // What differs between the passes.
  struct Pass {
    int effect = 0;  // the catalogue id, for the record's name
    TransitionPass kind = TransitionPass::kMesh;
    double seconds = 0;
    double (*progress)(double) = nullptr;
    // Adds item i's texture (already added as `texture`) and mesh and sets its
    // constants; false when the GPU refused.
    std::function<bool(std::size_t i, int texture, const Rect& overlay, TransitionDraw& draw)>
        prepare;
  };
  bool Play(const Pass& pass, const std::vector<TransitionItem>& items,
            const PixelImage* backdrop, const std::function<void()>& swap);
  bool Device(PerformanceRecord& record);
  void Animate(const Pass& pass, int backdrop, std::vector<TransitionDraw>& draws, double runStart,
               PerformanceRecord& record);

  TransitionGpu* gpu_;
  Clock& clock_;
  std::function<std::optional<std::string>()> readSlowdown_;
  std::optional<double> slowdown_;
  bool warmLogged_ = false;
};

}  // namespace tessary
