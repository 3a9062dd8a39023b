#pragma once

// The one bitmap layout the program draws into and reads icons from: 32 bits per pixel,
// rows from the top (as Direct2D and layered windows want them), no compression.

#include <windows.h>

namespace tessary {

inline BITMAPINFO TopDownBitmapInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // a negative height means top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace tessary
