// The displays as the real system reports them, through the backend. (Their places, work
// areas, keys and scales as a user meets them: the drag e2e stories at 96 and 144 DPI.)

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "desktop/desktop.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"

namespace tessary {
namespace {

TEST(Win32Displays, ThePrimaryDisplayIsTheSystemsAndEveryRectangleHasANearestDisplay) {
  Win32Platform backend;
  Desktop desktop(backend.platform());
  std::vector<Monitor> displays = desktop.EnumerateDisplays();
  ASSERT_FALSE(displays.empty());

  // The primary display sits at the origin and has the size the system metrics report.
  const Monitor& primary = displays.front();
  EXPECT_EQ(primary.bounds, (Rect{0, 0, static_cast<double>(GetSystemMetrics(SM_CXSCREEN)),
                                  static_cast<double>(GetSystemMetrics(SM_CYSCREEN))}));
  EXPECT_EQ(primary.handle, ToMonitorId(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTONULL)));
  EXPECT_EQ(Intersect(primary.work, primary.bounds), primary.work);  // the work area lies inside

  // Its GDI name has the form the display configuration's paths are matched by.
  std::vector<RawMonitor> raw = backend.platform().displays.Monitors();
  auto rawPrimary = std::find_if(raw.begin(), raw.end(),
                                 [&](const RawMonitor& m) { return m.handle == primary.handle; });
  ASSERT_NE(rawPrimary, raw.end());
  EXPECT_EQ(rawPrimary->gdiName.rfind("\\\\.\\", 0), 0u) << rawPrimary->gdiName;

  // A rectangle far outside every display still finds the nearest one.
  std::optional<RawMonitor> nearest =
      backend.platform().displays.NearestMonitor(Rect{-100000, -100000, 10, 10});
  ASSERT_TRUE(nearest.has_value());
  EXPECT_NE(nearest->handle, kNoMonitor);
}

}  // namespace
}  // namespace tessary
