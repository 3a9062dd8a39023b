#pragma once

// The scenes the view screenshots show: each puts real views on real surfaces over a
// backdrop and says which part of the screen to keep.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/geometry.h"
#include "platform/surface.h"
#include "platform/theme_source.h"
#include "platform/win32/clock_win32.h"

namespace tessary::viewshots {

// How a shot is coloured: the light or dark mode, or a contrast theme in the colours of
// Windows' black one.
enum class Look { kLight, kDark, kContrast };

// A theme that does not depend on the machine's registry.
class FixedTheme : public ThemeSource {
 public:
  explicit FixedTheme(Look look) : look_(look) {}
  std::optional<std::uint32_t> AppsUseLightTheme() override {
    return look_ == Look::kLight ? 1u : 0u;
  }
  std::optional<std::uint32_t> AccentColor() override { return std::nullopt; }
  std::optional<ContrastColors> HighContrastColors() override {
    if (look_ != Look::kContrast) return std::nullopt;
    return ContrastColors{.window = 0x000000u,
                          .windowText = 0xFFFFFFu,
                          .grayText = 0x3FF23Fu,
                          .highlight = 0xFFEB1Au,
                          .highlightText = 0x000000u,
                          .buttonFace = 0x000000u};
  }

 private:
  Look look_;
};

// A window of a class of this program, registered on first use (again fails harmlessly).
HWND OpenWindow(const wchar_t* className, WNDPROC procedure, DWORD exStyle, DWORD style,
                const wchar_t* title, const RECT& rect, void* parameter = nullptr);

// One scene while it is on screen: the app windows its views are seen over, a clock for
// the views that animate, and the views; destroying it takes them all down.
class Scene {
 public:
  // An ordinary window with a painted caption titled `title`, so that the views are seen
  // over something real.
  HWND OpenApp(const wchar_t* title, RECT rect);
  // A view made from `arguments`, kept until the scene ends.
  template <typename View, typename... Arguments>
  View& Keep(Arguments&&... arguments) {
    auto view = std::make_shared<View>(std::forward<Arguments>(arguments)...);
    views_.push_back(view);
    return *view;
  }
  // The same, created on its surface.
  template <typename View, typename... Arguments>
  View& Create(SurfaceFactory& factory, Arguments&&... arguments) {
    View& view = Keep<View>(std::forward<Arguments>(arguments)...);
    view.Create(factory);
    return view;
  }

  Win32Clock clock;
  // The desktop rectangle worth keeping.
  Rect crop;

 private:
  struct WindowCloser {
    void operator()(HWND window) const { DestroyWindow(window); }
  };
  std::vector<std::unique_ptr<std::remove_pointer_t<HWND>, WindowCloser>> apps_;
  std::vector<std::shared_ptr<void>> views_;
};

struct SceneMaker {
  std::string name;
  std::function<void(Scene&, SurfaceFactory&, ThemeSource&)> stage;
  // Shot a third time in a contrast theme.
  bool inContrast = false;
};

std::vector<SceneMaker> AllScenes();

}  // namespace tessary::viewshots
