#pragma once

// The scenes the view screenshots show: each puts real views on real surfaces over a
// backdrop and says which part of the screen to keep.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "platform/surface.h"
#include "platform/theme_source.h"

namespace tessary::viewshots {

// A theme that does not depend on the machine's registry.
class FixedTheme : public ThemeSource {
 public:
  explicit FixedTheme(bool dark) : dark_(dark) {}
  std::optional<std::uint32_t> AppsUseLightTheme() override { return dark_ ? 0u : 1u; }
  std::optional<std::uint32_t> AccentColor() override { return std::nullopt; }

 private:
  bool dark_;
};

// One scene while it is on screen; destroying it takes its views down.
class Scene {
 public:
  virtual ~Scene() = default;
  // The desktop rectangle worth keeping.
  virtual Rect Crop() const = 0;
};

struct SceneMaker {
  std::string name;
  std::function<std::unique_ptr<Scene>(SurfaceFactory&, ThemeSource&)> make;
};

std::vector<SceneMaker> AllScenes();

}  // namespace tessary::viewshots
