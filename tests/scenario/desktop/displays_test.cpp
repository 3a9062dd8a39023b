#include <gtest/gtest.h>

#include "desktop/desktop.h"
#include "platform/sim/sim_desktop.h"

namespace tessary {
namespace {

// The model name and device path of the last configuration path that names the display
// (a cloned display has several), else "Display" and the GDI device name.
TEST(Displays, NameAndIdFromTheLastPathThatNamesTheDisplayElseTheFallbacks) {
  SimDesktop desk;
  desk.AddDisplay({.bounds = {0, 0, 2560, 1440},
                   .work = {0, 0, 2560, 1400},
                   .gdiName = "\\\\.\\DISPLAY1",
                   .devicePath = "\\\\?\\DISPLAY#DEL4242#1",
                   .friendlyName = "DELL U2720Q"});
  Desktop desktop(desk.platform());
  const auto only = [&desktop] {
    const std::vector<Monitor> displays = desktop.EnumerateDisplays();
    EXPECT_EQ(displays.size(), 1u);
    return displays.empty() ? Monitor{} : displays[0];
  };
  Monitor display = only();
  EXPECT_EQ(display.name, "DELL U2720Q");
  EXPECT_EQ(display.id, "\\\\?\\DISPLAY#DEL4242#1");

  desk.AddDisplayPath({"\\\\.\\DISPLAY1", "path-b", "Projector B"});
  display = only();
  EXPECT_EQ(display.id, "path-b");
  EXPECT_EQ(display.name, "Projector B");

  // A path with empty names, or a failed configuration query, leaves the fallbacks.
  desk.AddDisplayPath({"\\\\.\\DISPLAY1", "", ""});
  for (const bool configFails : {false, true}) {
    desk.SetDisplayConfigFails(configFails);
    display = only();
    EXPECT_EQ(display.id, "\\\\.\\DISPLAY1");
    EXPECT_EQ(display.name, "Display");
  }
}

TEST(Displays, PrimaryFirstThenLeftToRightThenTopToBottomTiesKeepSystemOrder) {
  const struct {
    std::vector<std::pair<Rect, std::string>> added;
    std::vector<std::string> order;
  } cases[] = {
      {{{{1920, 0, 1920, 1080}, "right"}, {{0, 0, 1920, 1080}, "primary"},
        {{-1920, 0, 1920, 1080}, "left"}},
       {"primary", "left", "right"}},
      {{{{0, 0, 1920, 1080}, "primary"}, {{1920, 900, 1280, 1024}, "lower"},
        {{1920, -124, 1280, 1024}, "upper"}},
       {"primary", "upper", "lower"}},
      // Identical bounds and no display at the origin: the system's order stays.
      {{{{100, 100, 800, 600}, "first"}, {{100, 100, 800, 600}, "second"}}, {"first", "second"}},
  };
  for (const auto& c : cases) {
    SimDesktop desk;
    for (const auto& [bounds, name] : c.added) desk.AddDisplay({.bounds = bounds, .gdiName = name});
    std::vector<std::string> ids;
    for (const Monitor& m : Desktop(desk.platform()).EnumerateDisplays()) ids.push_back(m.id);
    EXPECT_EQ(ids, c.order);
  }
}

TEST(Displays, ScaleFromDpiAndUnreadableMonitorsLeftOut) {
  SimDesktop desk;
  desk.AddDisplay({.bounds = {0, 0, 3840, 2160}, .scale = 1.5});
  desk.AddDisplay({.bounds = {3840, 0, 1920, 1080}, .scale = 2.0, .dpiReadable = false});
  desk.AddDisplay({.bounds = {-1920, 0, 1920, 1080}, .infoReadable = false});
  const std::vector<Monitor> displays = Desktop(desk.platform()).EnumerateDisplays();
  ASSERT_EQ(displays.size(), 2u);
  EXPECT_EQ(displays[0].scale, 1.5);
  EXPECT_EQ(displays[1].scale, 1.0);
}

TEST(Displays, PointOnAnEdgeBelongsToTheNextDisplay) {
  std::vector<Monitor> displays(3);
  displays[0].bounds = {0, 0, 1920, 1080};
  displays[1].bounds = {1920, 0, 1920, 1080};
  displays[2].bounds = {0, 1080, 1920, 1080};
  EXPECT_EQ(DisplayAt(displays, {0, 0}), 0);
  EXPECT_EQ(DisplayAt(displays, {1919.5, 500}), 0);
  EXPECT_EQ(DisplayAt(displays, {1920, 500}), 1);
  EXPECT_EQ(DisplayAt(displays, {500, 1080}), 2);
  EXPECT_EQ(DisplayAt(displays, {-1, 500}), -1);
  EXPECT_EQ(DisplayAt(displays, {1920, 1080}), -1);
  EXPECT_EQ(DisplayAt(std::vector<Monitor>{}, {0, 0}), -1);
}

}  // namespace
}  // namespace tessary
