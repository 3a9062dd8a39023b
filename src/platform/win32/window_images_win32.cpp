#include "platform/win32/window_images_win32.h"

#include <dwmapi.h>
#include <windows.h>

#include <algorithm>
#include <cmath>

#include "platform/win32/handles.h"
#include "platform/win32/memory_bitmap_win32.h"

#ifndef PW_RENDERFULLCONTENT
#define PW_RENDERFULLCONTENT 0x00000002
#endif

namespace tessary {
namespace {

RECT PixelRect(const Rect& area) {
  const LONG left = std::lround(area.x), top = std::lround(area.y);
  return RECT{left, top, left + std::lround(area.width), top + std::lround(area.height)};
}

}  // namespace

PixelImage Win32WindowImages::DrawnImage(WindowId window) {
  const HWND hwnd = ToHwnd(window);
  RECT whole{};
  if (!IsWindow(hwnd) || !GetWindowRect(hwnd, &whole)) return {};
  MemoryBitmap memory(whole.right - whole.left, whole.bottom - whole.top);
  if (!memory.Ready() || !PrintWindow(hwnd, memory.Dc(), PW_RENDERFULLCONTENT)) return {};
  // The window's rectangle includes invisible resize borders; the image is its visible
  // frame, which is where the animated item stands.
  RECT frame = whole;
  if (FAILED(DwmGetWindowAttribute(hwnd, DWMWA_EXTENDED_FRAME_BOUNDS, &frame, sizeof(frame))) ||
      !IntersectRect(&frame, &frame, &whole)) {
    frame = whole;
  }
  OffsetRect(&frame, -whole.left, -whole.top);
  return memory.Read(frame);
}

PixelImage Win32WindowImages::ScreenImage(const Rect& area) {
  const RECT pixels = PixelRect(area);
  MemoryBitmap memory(pixels.right - pixels.left, pixels.bottom - pixels.top);
  if (!memory.Ready()) return {};
  HDC screen = GetDC(nullptr);
  if (!screen) return {};
  const bool copied = BitBlt(memory.Dc(), 0, 0, pixels.right - pixels.left,
                             pixels.bottom - pixels.top, screen, pixels.left, pixels.top,
                             SRCCOPY | CAPTUREBLT) != FALSE;
  ReleaseDC(nullptr, screen);
  return copied ? memory.ReadAll() : PixelImage{};
}

PixelImage Win32WindowImages::DesktopImage(const Rect& area) {
  const RECT pixels = PixelRect(area);
  MemoryBitmap memory(pixels.right - pixels.left, pixels.bottom - pixels.top);
  if (!memory.Ready()) return {};
  // PaintDesktop lays the wallpaper out in the DC's logical coordinates, which this
  // makes the desktop's.
  SetWindowOrgEx(memory.Dc(), pixels.left, pixels.top, nullptr);
  return PaintDesktop(memory.Dc()) ? memory.ReadAll() : PixelImage{};
}

std::uint64_t Win32WindowImages::WallpaperStamp() {
  wchar_t path[MAX_PATH + 1] = {};
  SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
  // FNV-1a over the wallpaper's path and the desktop colour behind it.
  std::uint64_t stamp = 14695981039346656037ULL;
  auto mix = [&stamp](std::uint32_t value) {
    stamp ^= value;
    stamp *= 1099511628211ULL;
  };
  for (const wchar_t* c = path; *c; ++c) mix(static_cast<std::uint32_t>(*c));
  mix(static_cast<std::uint32_t>(GetSysColor(COLOR_DESKTOP)));
  return stamp;
}

}  // namespace tessary
