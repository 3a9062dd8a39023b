#include "platform/win32/displays_win32.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellscalingapi.h>

#include <algorithm>
#include <cmath>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

Rect FromRect(const RECT& rect) {
  return Rect::FromEdges(rect.left, rect.top, rect.right, rect.bottom);
}

// Fills `raw` in place (its name keeps its buffer); false when the monitor cannot be read.
bool ReadMonitor(HMONITOR monitor, RawMonitor& raw) {
  MONITORINFOEXW info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return false;
  raw.handle = ToMonitorId(monitor);
  raw.bounds = FromRect(info.rcMonitor);
  raw.work = FromRect(info.rcWork);
  UINT dpiX = 0;
  UINT dpiY = 0;
  raw.dpi.reset();
  // A zero DPI would make every scaled length vanish; treat it as unreadable.
  if (SUCCEEDED(GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY)) && dpiX > 0) {
    raw.dpi = static_cast<double>(dpiX);
  }
  AssignUtf8FromBuffer(info.szDevice, raw.gdiName);
  return true;
}

// The caller's list, filled from the front; `count` entries are this call's.
struct MonitorCollection {
  std::vector<RawMonitor>* out;
  std::size_t count = 0;
};

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context) {
  auto* collection = reinterpret_cast<MonitorCollection*>(context);
  std::vector<RawMonitor>& out = *collection->out;
  if (collection->count == out.size()) out.emplace_back();
  // A monitor that cannot be read is skipped (its slot is filled by the next), the others
  // still count.
  if (ReadMonitor(monitor, out[collection->count])) ++collection->count;
  return TRUE;
}

}  // namespace

void Win32DisplaySource::Monitors(std::vector<RawMonitor>& out) {
  MonitorCollection collection{&out};
  EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&collection));
  out.resize(collection.count);
}

void Win32DisplaySource::ActivePaths(std::vector<DisplayPath>& out) {
  std::size_t count = 0;
  UINT32 pathCount = 0;
  UINT32 modeCount = 0;
  if (GetDisplayConfigBufferSizes(QDC_ONLY_ACTIVE_PATHS, &pathCount, &modeCount) != ERROR_SUCCESS) {
    out.clear();
    return;
  }
  pathInfo_.resize(pathCount);
  modeInfo_.resize(modeCount);
  if (QueryDisplayConfig(QDC_ONLY_ACTIVE_PATHS, &pathCount, pathInfo_.data(), &modeCount,
                         modeInfo_.data(), nullptr) != ERROR_SUCCESS) {
    out.clear();
    return;
  }
  // The query may answer with fewer paths than the sizes promised.
  const std::size_t answered = std::min<std::size_t>(pathCount, pathInfo_.size());

  for (std::size_t i = 0; i < answered; ++i) {
    const DISPLAYCONFIG_PATH_INFO& path = pathInfo_[i];
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

    if (count == out.size()) out.emplace_back();
    DisplayPath& entry = out[count++];
    AssignUtf8FromBuffer(source.viewGdiDeviceName, entry.gdiName);
    AssignUtf8FromBuffer(target.monitorDevicePath, entry.devicePath);
    AssignUtf8FromBuffer(target.monitorFriendlyDeviceName, entry.friendlyName);
  }
  out.resize(count);
}

std::optional<RawMonitor> Win32DisplaySource::NearestMonitor(const Rect& rect) {
  RECT system{std::lround(rect.x), std::lround(rect.y), std::lround(rect.Right()),
              std::lround(rect.Bottom())};
  HMONITOR monitor = MonitorFromRect(&system, MONITOR_DEFAULTTONEAREST);
  if (monitor == nullptr) return std::nullopt;
  RawMonitor raw;
  if (!ReadMonitor(monitor, raw)) return std::nullopt;
  return raw;
}

}  // namespace tessary
