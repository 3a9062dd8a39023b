// The program's overlay surfaces on the simulated desktop: their windows are top-level
// windows of the program's own process in the desktop's one z-order, so a test sees an
// outline slotted under the dragged window, or a picker covered by an app that raised
// itself, exactly where Windows would put them.

#include <algorithm>
#include <memory>

#include "platform/sim/sim_surface.h"
#include "platform/sim/sim_world.h"

namespace tessary {
namespace {

class SimDesktopStacking final : public SimStacking {
 public:
  explicit SimDesktopStacking(SimWorld& world) : world_(world) {}

  WindowId AddSurfaceWindow(bool topmost) override {
    SimWindow w;
    w.id = WindowId{world_.nextWindow};
    world_.nextWindow += 0x10;
    w.setup.className = "TessarySurface";
    w.setup.title = "";
    w.setup.process = world_.own;
    w.setup.frame = Rect{0, 0, 1, 1};
    w.setup.style = window_style::kPopup;
    w.setup.exStyle = window_ex_style::kLayered | window_ex_style::kToolWindow |
                      window_ex_style::kNoActivate | (topmost ? window_ex_style::kTopmost : 0);
    // The surface keeps its own visibility; as a window of the world it never takes
    // part in hit tests or enumeration as visible.
    w.setup.visible = false;
    w.setup.activate = false;
    w.setup.invisibleBorders = false;
    w.frame = w.setup.frame;
    w.normalFrame = w.frame;
    const WindowId id = w.id;
    world_.windows.emplace(id, std::move(w));
    world_.Raise(id);
    return id;
  }

  void RemoveWindow(WindowId window) override { world_.Close(window); }

  WindowId WindowAbove(WindowId window) override {
    const auto& z = world_.zOrder;
    auto at = std::find(z.begin(), z.end(), window);
    if (at == z.end() || at == z.begin()) return kNoWindow;
    return *(at - 1);
  }

  bool IsTopmost(WindowId window) override {
    const SimWindow* w = world_.Find(window);
    return w && (w->setup.exStyle & window_ex_style::kTopmost) != 0;
  }

  void Place(WindowId window, SurfaceAnchor anchor) override {
    SimWindow* w = world_.Find(window);
    if (!w) return;
    auto& z = world_.zOrder;
    if (anchor.kind == SurfaceAnchor::Kind::kBelow) {
      const SimWindow* above = world_.Find(anchor.window);
      if (above && anchor.window != window) {
        // Placed below another window, a window takes that window's band.
        SetTopmost(*w, (above->setup.exStyle & window_ex_style::kTopmost) != 0);
        z.erase(std::remove(z.begin(), z.end(), window), z.end());
        auto at = std::find(z.begin(), z.end(), anchor.window);
        z.insert(at == z.end() ? z.end() : at + 1, window);
        return;
      }
    }
    if (anchor.kind == SurfaceAnchor::Kind::kTopmost) SetTopmost(*w, true);
    world_.Raise(window);
  }

  bool Activate(WindowId window) override {
    if (!world_.Find(window) || !world_.GrantsForeground()) return false;
    world_.Activate(window);
    world_.focus = window;
    return true;
  }

  void NoteClick(WindowId /*window*/) override { world_.lastInput = world_.own; }

 private:
  static void SetTopmost(SimWindow& w, bool topmost) {
    if (topmost) {
      w.setup.exStyle |= window_ex_style::kTopmost;
    } else {
      w.setup.exStyle &= ~window_ex_style::kTopmost;
    }
  }

  SimWorld& world_;
};

}  // namespace

std::unique_ptr<SimStacking> MakeDesktopStacking(SimWorld& world) {
  return std::make_unique<SimDesktopStacking>(world);
}

}  // namespace tessary
