// The displays as the real system reports them, through the backend and the portable
// ordering and naming rules.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "desktop/desktop.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"

namespace tessary {
namespace {

TEST(Win32Displays, ThePrimaryDisplayComesFirstWithTheSystemsGeometryAndAKey) {
  Win32Platform backend;
  Desktop desktop(backend.platform());

  std::vector<RawMonitor> raw = backend.platform().displays.Monitors();
  std::vector<Monitor> displays = desktop.EnumerateDisplays();
  ASSERT_FALSE(displays.empty());
  ASSERT_EQ(displays.size(), raw.size());

  // The primary display sits at the origin and has the size the system metrics report.
  const Monitor& primary = displays.front();
  EXPECT_EQ(primary.bounds, (Rect{0, 0, static_cast<double>(GetSystemMetrics(SM_CXSCREEN)),
                                  static_cast<double>(GetSystemMetrics(SM_CYSCREEN))}));
  EXPECT_EQ(primary.handle, ToMonitorId(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTONULL)));
  EXPECT_EQ(Intersect(primary.work, primary.bounds), primary.work);  // the work area lies inside
  EXPECT_GT(primary.work.width, 0);

  auto rawPrimary = std::find_if(raw.begin(), raw.end(),
                                 [&](const RawMonitor& m) { return m.handle == primary.handle; });
  ASSERT_NE(rawPrimary, raw.end());
  EXPECT_EQ(rawPrimary->gdiName.rfind("\\\\.\\", 0), 0u) << rawPrimary->gdiName;
  EXPECT_DOUBLE_EQ(primary.scale, rawPrimary->dpi ? *rawPrimary->dpi / 96.0 : 1.0);

  // Key and name come from the display configuration or fall back to the GDI name and
  // "Display"; either way neither is empty.
  EXPECT_FALSE(primary.id.empty());
  EXPECT_FALSE(primary.name.empty());

  // The display under the cursor.
  ASSERT_TRUE(SetCursorPos(static_cast<int>(primary.bounds.width) - 7, 5));
  EXPECT_EQ(desktop.CursorPosition(), (Point{primary.bounds.width - 7, 5}));
  EXPECT_EQ(DisplayAt(displays, desktop.CursorPosition()), 0);

  // A rectangle far outside every display still finds the nearest one.
  std::optional<RawMonitor> nearest =
      backend.platform().displays.NearestMonitor(Rect{-100000, -100000, 10, 10});
  ASSERT_TRUE(nearest.has_value());
  EXPECT_NE(nearest->handle, kNoMonitor);
  EXPECT_FALSE(nearest->gdiName.empty());
}

}  // namespace
}  // namespace tessary
