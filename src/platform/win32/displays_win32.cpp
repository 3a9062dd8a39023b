#include "platform/win32/displays_win32.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellscalingapi.h>

#include <cmath>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

Rect FromRect(const RECT& rect) {
  return Rect::FromEdges(rect.left, rect.top, rect.right, rect.bottom);
}

std::optional<RawMonitor> ReadMonitor(HMONITOR monitor) {
  MONITORINFOEXW info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return std::nullopt;
  RawMonitor raw;
  raw.handle = ToMonitorId(monitor);
  raw.bounds = FromRect(info.rcMonitor);
  raw.work = FromRect(info.rcWork);
  UINT dpiX = 0;
  UINT dpiY = 0;
  // A zero DPI would make every scaled length vanish; treat it as unreadable.
  if (SUCCEEDED(GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY)) && dpiX > 0) {
    raw.dpi = static_cast<double>(dpiX);
  }
  raw.gdiName = Utf8FromBuffer(info.szDevice);
  return raw;
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context) {
  auto* monitors = reinterpret_cast<std::vector<RawMonitor>*>(context);
  if (std::optional<RawMonitor> raw = ReadMonitor(monitor)) monitors->push_back(*raw);
  return TRUE;  // a monitor that cannot be read is skipped, the others still count
}

}  // namespace

std::vector<RawMonitor> Win32DisplaySource::Monitors() {
  std::vector<RawMonitor> monitors;
  EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

std::vector<DisplayPath> Win32DisplaySource::ActivePaths() {
  std::vector<DisplayPath> paths;
  UINT32 pathCount = 0;
  UINT32 modeCount = 0;
  if (GetDisplayConfigBufferSizes(QDC_ONLY_ACTIVE_PATHS, &pathCount, &modeCount) != ERROR_SUCCESS) {
    return paths;
  }
  std::vector<DISPLAYCONFIG_PATH_INFO> pathInfo(pathCount);
  std::vector<DISPLAYCONFIG_MODE_INFO> modeInfo(modeCount);
  if (QueryDisplayConfig(QDC_ONLY_ACTIVE_PATHS, &pathCount, pathInfo.data(), &modeCount,
                         modeInfo.data(), nullptr) != ERROR_SUCCESS) {
    return paths;
  }
  // The query may answer with fewer paths than the sizes promised.
  pathInfo.resize(pathCount);

  for (const DISPLAYCONFIG_PATH_INFO& path : pathInfo) {
    DISPLAYCONFIG_SOURCE_DEVICE_NAME source{};
    source.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_SOURCE_NAME;
    source.header.size = sizeof(source);
    source.header.adapterId = path.sourceInfo.adapterId;
    source.header.id = path.sourceInfo.id;
    if (DisplayConfigGetDeviceInfo(&source.header) != ERROR_SUCCESS) continue;

    DISPLAYCONFIG_TARGET_DEVICE_NAME target{};
    target.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_TARGET_NAME;
    target.header.size = sizeof(target);
    target.header.adapterId = path.targetInfo.adapterId;
    target.header.id = path.targetInfo.id;
    if (DisplayConfigGetDeviceInfo(&target.header) != ERROR_SUCCESS) continue;

    paths.push_back(DisplayPath{Utf8FromBuffer(source.viewGdiDeviceName),
                                Utf8FromBuffer(target.monitorDevicePath),
                                Utf8FromBuffer(target.monitorFriendlyDeviceName)});
  }
  return paths;
}

std::optional<RawMonitor> Win32DisplaySource::NearestMonitor(const Rect& rect) {
  RECT system{std::lround(rect.x), std::lround(rect.y), std::lround(rect.Right()),
              std::lround(rect.Bottom())};
  HMONITOR monitor = MonitorFromRect(&system, MONITOR_DEFAULTTONEAREST);
  if (monitor == nullptr) return std::nullopt;
  return ReadMonitor(monitor);
}

}  // namespace tessary
