#pragma once

// Shared pieces of the surface tests: a clock that moves only when told, layouts, and a
// view on simulated surfaces.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "layout/builtin_layouts.h"
#include "layout/layout_tree.h"
#include "support/manual_clock.h"
#include "platform/sim/sim_surface.h"
#include "platform/sim/sim_theme_source.h"
#include "surfaces/theme.h"

namespace tessary::testing {

// The first `count` built-in layouts, repeated when more are asked for.
inline std::vector<SnapLayout> Layouts(std::size_t count) {
  const std::vector<SnapLayout>& builtIns = BuiltInLayouts();
  std::vector<SnapLayout> layouts;
  for (std::size_t i = 0; i < count; ++i) layouts.push_back(builtIns[i % builtIns.size()]);
  return layouts;
}

inline SnapLayout Named(const std::string& id) {
  const SnapLayout* layout = FindBuiltIn(id);
  return layout ? *layout : SnapLayout{};
}

// The middle of a rectangle, where a test points at what it stands for.
inline Point Centre(const Rect& r) { return {r.x + r.width / 2, r.y + r.height / 2}; }

// The colours of the light theme with the default accent.
inline Theme LightTheme() {
  return MakeTheme(false, AccentFromColorValue(kDefaultAccentColor, false));
}

// A view created on simulated surfaces (with a clock that moves only when told and the
// system's light theme), and the surface it made, found by its title.
template <typename View>
struct SimView {
  explicit SimView(std::string_view title) {
    EXPECT_TRUE(view.Create(factory));
    surface = factory.FindByTitle(title);
    EXPECT_NE(surface, nullptr) << title;
  }
  const RecordingCanvas& Paint() const { return surface->LastPaint(); }
  // Moves the clock on and runs the frame that time brings.
  void Advance(double seconds) {
    clock.now += seconds;
    factory.RunFrame();
  }

  ManualClock clock;
  SimSurfaceFactory factory{&clock};
  SimThemeSource theme;
  View view{Make()};
  SimSurface* surface = nullptr;
  const Theme colours = LightTheme();

 private:
  View Make() {
    if constexpr (std::is_constructible_v<View, ThemeSource&, Clock&>) {
      return View(theme, clock);
    } else {
      return View(theme);
    }
  }
};

}  // namespace tessary::testing
