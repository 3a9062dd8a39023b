#include "win32/surfaces/surface_fixture.h"

#include <cstdlib>

namespace tessary::testing {

GraphicsFactories* SurfaceTest::graphics_ = nullptr;
Win32SurfaceFactory* SurfaceTest::factory_ = nullptr;

void SurfaceTest::SetUpTestSuite() {
  if (graphics_) return;
  // Kept for the whole run, as the program keeps them.
  graphics_ = new GraphicsFactories();
  ASSERT_TRUE(graphics_->Create());
  factory_ = new Win32SurfaceFactory(GetModuleHandleW(nullptr), *graphics_);
}

std::unique_ptr<Win32Surface> SurfaceTest::NewSurface(SurfaceOptions options) {
  std::unique_ptr<Win32Surface> surface = factory_->NewWin32Surface();
  if (options.title.empty()) options.title = "Tessary test surface";
  if (!surface->Create(options)) return nullptr;
  return surface;
}

PaintFunction Fill(Color colour) {
  return [colour](Canvas& canvas, double width, double height) {
    canvas.FillRounded({0, 0, width, height}, 0, colour);
  };
}

Bgr ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 1, 1);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, 1, 1, screen, x, y, SRCCOPY);
  COLORREF colour = GetPixel(memory, 0, 0);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

::testing::AssertionResult Near(Bgr actual, Bgr expected, int tolerance) {
  if (std::abs(actual.r - expected.r) <= tolerance &&
      std::abs(actual.g - expected.g) <= tolerance &&
      std::abs(actual.b - expected.b) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "(" << actual.r << ", " << actual.g << ", " << actual.b << ") is not within "
         << tolerance << " of (" << expected.r << ", " << expected.g << ", " << expected.b << ")";
}

std::uint32_t BitmapPixel(const Win32Surface& surface, int x, int y) {
  const PixelSize size = surface.Allocated();
  if (!surface.Pixels() || x < 0 || y < 0 || x >= size.width || y >= size.height) return 0;
  return surface.Pixels()[static_cast<std::size_t>(y) * size.width + x];
}

void PumpUntil(const std::function<bool()>& done, double seconds) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  MSG message;
  while (!done() && GetTickCount64() < end) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

PlainWindow::PlainWindow(RECT rect, COLORREF colour, bool topmost) {
  static const wchar_t* kClass = L"TessaryTestPlainWindow";
  WNDCLASSEXW wc{sizeof(wc)};
  if (!GetClassInfoExW(GetModuleHandleW(nullptr), kClass, &wc)) {
    wc = WNDCLASSEXW{sizeof(wc)};
    wc.lpfnWndProc = &PlainWindow::Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
  }
  brush_ = CreateSolidBrush(colour);
  window_ = CreateWindowExW(topmost ? WS_EX_TOPMOST : 0, kClass, L"plain", WS_POPUP | WS_VISIBLE,
                            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                            nullptr, nullptr, GetModuleHandleW(nullptr), this);
  UpdateWindow(window_);
}

PlainWindow::~PlainWindow() {
  if (window_) DestroyWindow(window_);
  if (brush_) DeleteObject(brush_);
}

LRESULT CALLBACK PlainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(
        window, GWLP_USERDATA,
        reinterpret_cast<LONG_PTR>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<PlainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self) {
    if (message == WM_LBUTTONDOWN) ++self->clicks_;
    if (message == WM_ERASEBKGND) {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, self->brush_);
      return 1;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tessary::testing
