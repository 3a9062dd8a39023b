#pragma once

// A simulated desktop with the Coordinator wired up as the shell wires it: window events
// to OnMoveSizeStart/End, the main window's timers to OnTimer, posted commands back
// through the message loop, the Escape watch, and a notify callback that records what
// the user would read. Layouts and minimum sizes live in in-memory document stores.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/log.h"
#include "desktop/desktop.h"
#include "engine/coordinator.h"
#include "layout/builtin_layouts.h"
#include "layout/document_store.h"
#include "layout/layout_documents.h"
#include "layout/tree_geometry.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_surface.h"
#include "platform/sim/sim_theme_source.h"
#include "state/minimum_sizes_document.h"
#include "surfaces/toast.h"

namespace tessary {

class EngineTest : public ::testing::Test {
 protected:
  EngineTest() {
    // Log lines are collected here instead of going to a file.
    InstallLogEnvironment({
        .readLogVariable = [] { return std::optional<std::string>("engine-test.log"); },
        .appendToFile = [this](const std::string&,
                               std::string_view line) { logLines.emplace_back(line); },
    });
  }
  ~EngineTest() override {
    if (engine) desk.platform().timers.SetTimerHandler(nullptr);
    desk.platform().events.Uninstall();
    InstallLogEnvironment({});
  }

  // How many logged lines begin with `prefix`.
  int LoggedCount(std::string_view prefix) const {
    int n = 0;
    for (const std::string& line : logLines) n += line.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
  }
  bool Logged(std::string_view prefix) const { return LoggedCount(prefix) > 0; }
  // The one message the user was told (else how many there were).
  std::string Told() const {
    return messages.size() == 1 ? messages[0] : std::to_string(messages.size()) + " messages";
  }

  // The primary display used by most stories: 1920 x 1080 with a 40-pixel task bar.
  static constexpr Rect kPrimaryWork{0, 0, 1920, 1040};
  MonitorId AddPrimary(double scale = 1.0) {
    return desk.AddDisplay({.bounds = {0, 0, 1920, 1080},
                            .work = kPrimaryWork,
                            .scale = scale,
                            .devicePath = "\\\\?\\DISPLAY#PRIMARY"});
  }

  // A second display to the right of the primary, at 150 %.
  static constexpr Rect kSecondWork{1920, 0, 2560, 1392};
  MonitorId AddSecond() {
    return desk.AddDisplay({.bounds = {1920, 0, 2560, 1440},
                            .work = kSecondWork,
                            .scale = 1.5,
                            .devicePath = "\\\\?\\DISPLAY#SECOND"});
  }

  // The primary display with a built-in layout active: how most stories begin.
  void StartWith(std::string_view layout, double scale = 1.0) {
    AddPrimary(scale);
    Start();
    engine->Layouts().SetActiveLayout(DisplayKey(), *FindBuiltIn(layout));
    layoutId = layout;
  }
  std::string layoutId;  // the layout StartWith made active

  // The primary display with one loose window at `frame`: how the drag stories begin.
  void StartWithWindow(const Rect& frame) {
    AddPrimary();
    window = desk.AddWindow({.frame = frame});
    Start();
  }
  WindowId window{};  // the window StartWithWindow added

  // The surfaces' factory: standalone, or the desktop's own when `surfacesOnDesktop` is set
  // before Start (then a surface can be the foreground window).
  SimSurfaceFactory& Factory() { return surfacesOnDesktop ? desk.Surfaces() : surfaces; }

  // Creates and initialises the Coordinator on the desktop as it stands.
  void Start() {
    engine = std::make_unique<Coordinator>(CoordinatorServices{
        .desktop = desktop,
        .surfaces = Factory(),
        .theme = theme,
        .layoutDocuments = &layoutDocuments,
        .minimumDocuments = &minimumDocuments,
        .postCommand =
            [this](int code, std::int64_t argument) {
              desk.After(0, [this, code, argument] { engine->HandleCommand(code, argument); });
            },
        .badgeDocuments = &badgeDocuments,
        .menus = menus,
    });
    ShellCallbacks callbacks;
    callbacks.setEscapeWatch = [this](bool on) {
      escapeWatchCalls.push_back(on);
      if (on) {
        desk.platform().input.StartEscapeWatch([this] { OnEscapePressed(); });
      } else {
        desk.platform().input.StopEscapeWatch();
      }
    };
    callbacks.notify = [this](const std::string& text) {
      messages.push_back(text);
      std::vector<ToastDisplay> displays;
      for (const Monitor& m : engine->Displays()) displays.push_back({m.bounds, m.work, m.scale});
      toast.Show(text, kToastSeconds, displays, desk.Cursor(), true);
    };
    callbacks.showTip = [this](const std::string& key) { tips.push_back(key); };
    engine->SetCallbacks(std::move(callbacks));
    desk.platform().timers.SetTimerHandler([this](int id) { engine->OnTimer(id); });
    desk.platform().events.Install([this](const WindowEvent& e) {
      if (e.kind == WindowEventKind::kMoveSizeStart) engine->OnMoveSizeStart(e.window);
      if (e.kind == WindowEventKind::kMoveSizeEnd) engine->OnMoveSizeEnd(e.window);
      if (e.kind == WindowEventKind::kDisplayChange || e.kind == WindowEventKind::kWorkAreaChange) {
        engine->OnDisplaysChanged();
      }
    });
    if (!switchingEffects) engine->SetStackSwitch(nullptr);
    ASSERT_TRUE(toast.Create(Factory()));
    ASSERT_TRUE(engine->Init());
  }

  // The shell's Escape handling: what the Coordinator does not consume reaches the app.
  void OnEscapePressed() {
    if (engine->CancelDragByEscape()) return;
    desk.platform().input.StopEscapeWatch();
    desk.platform().keys.Send({KeyStroke{Key::kEscape, false}, KeyStroke{Key::kEscape, true}});
  }

  // --- Driving a drag ---
  // Presses on the title bar and lets the message loop see the start.
  void Grab(WindowId w, Point at) {
    desk.BeginTitleDrag(w, at);
    desk.Advance(0.001);
  }
  // Drags `w` by `grab` into the primary display's hot zone, onto a region of the
  // picker, and releases there.
  void PlaceByPicker(WindowId w, Point grab, int layout, int region, double settle = 0.6) {
    Grab(w, grab);
    MoveTo({960, 10});
    MoveTo(PickerPoint(layout, region));
    Drop(settle);
  }
  // Moves the cursor in steps of one tick to `to`, then lets `hold` seconds pass there.
  void MoveTo(Point to, double hold = 0.03, int steps = 6) {
    Point from = desk.Cursor();
    for (int i = 1; i <= steps; ++i) {
      double t = static_cast<double>(i) / steps;
      desk.MoveCursor({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
      desk.Advance(0.015);
    }
    desk.Advance(hold);
  }
  // Releases the button and lets placing run to its end.
  void Drop(double after = 0.6) {
    desk.Release();
    desk.Advance(after);
  }
  // Releases, and checks that the drop placed nothing: `w` stays where the drag left it.
  void DropInPlace(WindowId w) {
    const Rect carried = desk.Frame(w);
    Drop();
    EXPECT_EQ(desk.Frame(w), carried);
  }

  // --- What the user sees ---
  SimSurface& PickerSurface() { return *Factory().FindByTitle("Choose a Layout"); }
  SimSurface& OutlineSurface() { return *Factory().FindByTitle("Tessary destination"); }
  bool OutlineVisible() { return OutlineSurface().Visible(); }
  Rect OutlineRect() { return OutlineSurface().Bounds(); }
  // Every destination outline on screen, the drag's own first.
  std::vector<Rect> OutlinesShown() {
    std::vector<Rect> shown;
    for (SimSurface* surface : surfaces.Surfaces()) {
      if (surface->Visible() && surface->Options().title == "Tessary destination") {
        shown.push_back(surface->Bounds());
      }
    }
    return shown;
  }
  // The caption on the outline (empty when hidden or without one).
  std::string OutlineCaption() {
    if (!OutlineVisible()) return "";
    std::vector<std::string> texts = OutlineSurface().LastPaint().Texts();
    return texts.empty() ? "" : texts.front();
  }

  // The desktop point at the centre of a region's thumbnail in the picker.
  Point PickerPoint(int layout, int region) {
    Picker& picker = engine->GetPicker();
    Rect panel = picker.PanelRect();
    double scale = PickerSurface().Scale();
    for (const PickerCard& card : picker.Geometry().cards) {
      if (card.layout != layout) continue;
      const Rect* r = card.regions.Get(region);
      if (!r) break;
      return {panel.x + (r->x + r->width / 2) * scale, panel.y + (r->y + r->height / 2) * scale};
    }
    ADD_FAILURE() << "no region " << region << " in card " << layout;
    return {};
  }

  // Region rectangles of a built-in layout on a work area at a scale.
  static RegionMap Regions(std::string_view id, const Rect& work, double scale = 1.0) {
    return PixelRegionRects(*FindBuiltIn(id), work, RegionGap(scale));
  }
  static RegionMap Regions(const SnapLayout& layout, const Rect& work, double scale = 1.0) {
    return PixelRegionRects(layout, work, RegionGap(scale));
  }

  // Region `region` of a built-in layout (the one StartWith made active unless named) on
  // a display, at its scale.
  Rect Region(int region, int display = 0, std::string_view layout = {}) {
    const Monitor& m = engine->Displays()[static_cast<std::size_t>(display)];
    return *Regions(layout.empty() ? std::string_view(layoutId) : layout, m.work, m.scale)
                .Get(region);
  }
  static Point Centre(const Rect& r) { return {r.x + r.width / 2, r.y + r.height / 2}; }

  // --- Arranging windows ---
  // Two programs the composition and editor stories install.
  inline static const std::string kNotes = "C:\\Apps\\notes.exe";
  inline static const std::string kPaint = "C:\\Apps\\paint.exe";
  // The program of the app `exe`, and a window of that app of its own.
  static std::string AppPath(const std::string& exe) { return "C:\\Apps\\" + exe + ".exe"; }
  WindowId AddApp(const std::string& exe, SimWindowSetup setup = {}) {
    setup.process = desk.AddProcess({.imagePath = AppPath(exe)});
    return desk.AddWindow(setup);
  }
  // A window (of the app `exe` when named) the program placed at `rect`: it joins the use
  // order now, and its move has been seen once this returns.
  WindowId PlacedAt(const Rect& rect, SimWindowSetup setup = {}, const std::string& exe = "") {
    setup.frame = rect;
    const WindowId w = exe.empty() ? desk.AddWindow(setup) : AddApp(exe, setup);
    engine->MoveWindowTo(w, rect);
    desk.Advance(0.3);
    return w;
  }
  WindowId PlacedIn(int region, SimWindowSetup setup = {}) {
    return PlacedAt(Region(region), std::move(setup));
  }
  // The stack pass the shell schedules after window events, then the fades settle (the
  // fixture's surfaces see a frame only when asked).
  void Pass() {
    engine->ScheduleRefresh(0.15);
    desk.Advance(0.5);
    surfaces.RunFrame();
  }
  // A window's place in the Z-order, 0 in front.
  std::ptrdiff_t ZIndex(WindowId w) {
    const std::vector<WindowId> z = desk.ZOrder();
    return std::find(z.begin(), z.end(), w) - z.begin();
  }

  // The windows a chooser panel offers, in the order of its cards.
  static std::vector<WindowId> ChoiceWindows(const ChooserPanel& panel) {
    std::vector<WindowId> windows;
    for (const ChooserChoice& choice : panel.Choices()) windows.push_back(choice.window);
    return windows;
  }

  // The simulated surface a view draws on.
  template <typename View>
  static SimSurface& SurfaceOf(View& view) {
    return static_cast<SimSurface&>(*view.GetSurface());
  }

  std::string ActiveLayoutId(const std::string& display) {
    std::optional<SnapLayout> active = engine->Layouts().ActiveLayout(display);
    return active ? active->id : "";
  }
  // The active layouts as stored in layouts.json.
  ActiveLayouts StoredActiveLayouts() {
    return ReadActiveLayouts(layoutDocuments.Get(kActiveLayoutsKey));
  }
  AppMinimumSizes StoredMinimums() {
    return ParseAppMinimumSizes(minimumDocuments.Get(kAppMinimumSizesKey));
  }
  const std::string& DisplayKey(int index = 0) { return engine->Displays()[index].id; }

  SimDesktop desk;
  Desktop desktop{desk.platform()};
  SimSurfaceFactory surfaces{&desk.platform().clock};
  bool surfacesOnDesktop = false;
  bool switchingEffects = false;  // false: stack switches are instant (set before Start)
  SimThemeSource theme;
  MemoryDocumentStore layoutDocuments;
  MemoryDocumentStore minimumDocuments;
  MemoryDocumentStore badgeDocuments;
  PopupMenus* menus = nullptr;  // set before Start by a story that opens menus
  Toast toast{theme, desk.platform().clock};
  std::unique_ptr<Coordinator> engine;
  std::vector<std::string> messages;
  std::vector<std::string> tips;
  std::vector<bool> escapeWatchCalls;
  std::vector<std::string> logLines;
};

inline void ExpectNear(const Rect& actual, const Rect& expected, double tolerance = 1.0) {
  EXPECT_TRUE(NearlyEqual(actual, expected, tolerance))
      << "actual {" << actual.x << ", " << actual.y << ", " << actual.width << ", " << actual.height
      << "} expected {" << expected.x << ", " << expected.y << ", " << expected.width << ", "
      << expected.height << "}";
}

}  // namespace tessary
