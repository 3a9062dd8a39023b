#include "viewshots_transitions.h"

#include <windows.h>

#include <vector>

#include "desktop/desktop.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"

namespace tessary::viewshots {
namespace {

// An app window with a toolbar band and lines of "text" in its own colour. Plain popups:
// without a window manager on the X display Wine draws no captions anyway.
struct AppLook {
  const wchar_t* title;
  COLORREF band;
};

void PaintApp(HDC dc, const RECT& client, COLORREF band) {
  HBRUSH page = CreateSolidBrush(RGB(250, 250, 248));
  FillRect(dc, &client, page);
  DeleteObject(page);
  HBRUSH bar = CreateSolidBrush(band);
  HBRUSH grey = CreateSolidBrush(RGB(200, 204, 210));
  RECT top{0, 0, client.right, 44};
  FillRect(dc, &top, bar);
  for (int line = 0; line < 12; ++line) {
    RECT text{24, 70 + line * 26, client.right - 24 - (line % 3) * 70, 82 + line * 26};
    FillRect(dc, &text, line % 4 == 0 ? bar : grey);
  }
  DeleteObject(grey);
  DeleteObject(bar);
}

LRESULT CALLBACK AppProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  const auto band = static_cast<COLORREF>(GetWindowLongPtrW(window, GWLP_USERDATA));
  RECT client;
  GetClientRect(window, &client);
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    PaintApp(BeginPaint(window, &paint), client, band);
    EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_PRINTCLIENT) {
    PaintApp(reinterpret_cast<HDC>(wParam), client, band);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND OpenApp(const AppLook& look, const RECT& rect) {
  WNDCLASSEXW wc{sizeof(wc)};
  wc.lpfnWndProc = &AppProcedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"TessaryViewshotsStackedApp";
  RegisterClassExW(&wc);  // fails harmlessly once registered
  HWND window = CreateWindowExW(
      0, wc.lpszClassName, look.title, WS_POPUP, rect.left, rect.top,
      rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, wc.hInstance,
      reinterpret_cast<void*>(static_cast<LONG_PTR>(look.band)));
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  return window;
}

void Pump(double seconds) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  MSG message;
  while (GetTickCount64() < end) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

TransitionMesh Grid(int columns, int rows) {
  TransitionMesh mesh{columns, rows, {}, {}};
  for (int y = 0; y <= rows; ++y) {
    for (int x = 0; x <= columns; ++x) {
      const float u = static_cast<float>(x) / columns, v = static_cast<float>(y) / rows;
      mesh.vertices.push_back({u, v, u, v});
    }
  }
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < columns; ++x) {
      const auto a = static_cast<std::uint32_t>(y * (columns + 1) + x);
      const auto b = a + static_cast<std::uint32_t>(columns + 1);
      mesh.indices.insert(mesh.indices.end(), {a, a + 1, b, a + 1, b + 1, b});
    }
  }
  return mesh;
}

struct Effect {
  const char* key;
  float number;  // the mesh pass's effect number; 0 for the cards
};

// The window's rectangle inside the overlay, in its device coordinates.
TransitionUniforms ItemUniforms(const Rect& window, const Rect& overlay, float effect,
                                float progress) {
  TransitionUniforms u;
  u.rect[0] = static_cast<float>(2 * (window.x - overlay.x) / overlay.width - 1);
  u.rect[1] = static_cast<float>(1 - 2 * (window.y - overlay.y) / overlay.height);
  u.rect[2] = static_cast<float>(2 * window.width / overlay.width);
  u.rect[3] = static_cast<float>(2 * window.height / overlay.height);
  u.target[0] = static_cast<float>((window.width - 115) / window.width);
  u.target[1] = static_cast<float>(16 / window.height);
  u.progress = progress;
  u.aspect = static_cast<float>(window.width / window.height);
  u.columns = effect == 4 ? 160.0f : 64.0f;
  u.rows = effect == 4 ? 60.0f : 40.0f;
  u.effect = effect;
  u.seamCount = effect == 3 ? 4.0f : 0.0f;
  const float seams[4] = {0.18f, 0.41f, 0.63f, 0.82f};
  for (int i = 0; i < 4; ++i) u.seams[i] = seams[i];
  return u;
}

void ShootGpuEffect(SurfaceFactory& factory, const Effect& effect, HWND front, HWND back,
                    const Rect& window, const Rect& overlay, const PixelImage& backdrop,
                    const TakeShot& shoot) {
  TransitionGpu& gpu = *factory.Transitions();
  WindowImages& images = *factory.Images();
  double warm = 0;
  if (!gpu.Device(warm) || !gpu.Open(overlay)) return;
  const int frontTexture = gpu.AddTexture(images.DrawnImage(ToWindowId(front)));
  const int backTexture = gpu.AddTexture(images.DrawnImage(ToWindowId(back)));
  const int backdropTexture = gpu.AddTexture(backdrop);
  std::vector<TransitionDraw> draws;
  TransitionPass pass = TransitionPass::kCards;
  if (effect.number > 0) {
    pass = TransitionPass::kMesh;
    const int mesh = effect.number == 4 ? gpu.AddMesh(Grid(160, 60)) : gpu.AddMesh(Grid(64, 40));
    draws = {{backTexture, mesh, ItemUniforms(window, overlay, effect.number, 0)},
             {frontTexture, mesh, ItemUniforms(window, overlay, effect.number, 0.5f)}};
  } else {
    // The window behind is the one coming forward: the selected card, drawn last.
    TransitionUniforms leaving = ItemUniforms(window, overlay, 0, 0.5f);
    TransitionUniforms coming = leaving;
    leaving.card[0] = 1;
    leaving.card[1] = coming.card[1] = 2;
    draws = {{frontTexture, -1, leaving}, {backTexture, -1, coming}};
  }
  if (gpu.DrawFrame(pass, backdropTexture, draws) && gpu.Show() &&
      gpu.DrawFrame(pass, backdropTexture, draws)) {
    Pump(0.4);
    shoot(std::string("transition-") + effect.key, overlay);
  }
  gpu.Close();
}

}  // namespace

void ShootTransitions(SurfaceFactory& factory, const TakeShot& shoot) {
  const Rect window{560, 260, 720, 460};
  const Rect overlay{window.x - 120, window.y - 90, window.width + 240, window.height + 200};
  const PixelImage backdrop = factory.Images()->ScreenImage(overlay);
  const RECT place{560, 260, 1280, 720};
  HWND back = OpenApp({L"Inbox", RGB(40, 120, 200)}, place);
  HWND front = OpenApp({L"Quarterly report", RGB(200, 90, 40)}, place);
  Pump(0.8);
  factory.Transitions()->Warm();
  const Effect effects[] = {{"cards", 0}, {"genie", 1}, {"tornado", 2}, {"melt", 4},
                            {"disintegrate", 3}};
  for (const Effect& effect : effects) {
    ShootGpuEffect(factory, effect, front, back, window, overlay, backdrop, shoot);
  }
  // The slide moves the real window out and back; its shot is taken while the window is
  // out, just as the window behind comes forward.
  Win32Platform platform;
  Desktop desktop(platform.platform());
  const Rect wider{overlay.x, overlay.y, overlay.width + 300, overlay.height};
  desktop.SlideOutAndBack(ToWindowId(front), window, {window.x + 360, window.y}, [&] {
    SetWindowPos(back, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Pump(0.3);
    shoot("transition-shuffle", wider);
  });
  DestroyWindow(front);
  DestroyWindow(back);
}

}  // namespace tessary::viewshots
