#include "viewshots_scenes.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <iterator>

#include "layout/builtin_layouts.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/handles.h"
#include "surfaces/badge_view.h"
#include "surfaces/divider_editor.h"
#include "surfaces/chooser_panel.h"
#include "surfaces/drop_menu_view.h"
#include "surfaces/outline.h"
#include "surfaces/picker.h"
#include "surfaces/toast.h"

namespace tessary::viewshots {
namespace {

constexpr Rect kWork{0, 0, 1920, 1040};

Rect Grow(const Rect& rect, double by) {
  return {rect.x - by, rect.y - by, rect.width + 2 * by, rect.height + 2 * by};
}

Rect Union(const Rect& a, const Rect& b) {
  const double left = std::min(a.x, b.x), top = std::min(a.y, b.y);
  return {left, top, std::max(a.Right(), b.Right()) - left, std::max(a.Bottom(), b.Bottom()) - top};
}

// An ordinary window with a painted caption (nothing else draws title bars on a bare X
// display), so that overlays are seen over something real.
LRESULT CALLBACK AppProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT caption{0, 0, client.right, 32};
    HBRUSH captionBrush = CreateSolidBrush(RGB(238, 238, 238));
    FillRect(dc, &caption, captionBrush);
    DeleteObject(captionBrush);
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    wchar_t title[64]{};
    GetWindowTextW(window, title, 64);
    RECT titleRect{12, 0, client.right, 32};
    DrawTextW(dc, title, -1, &titleRect, DT_SINGLELINE | DT_VCENTER);
    RECT line{16, 52, 0, 60};
    HBRUSH lineBrush = CreateSolidBrush(RGB(222, 226, 232));
    for (int i = 0; i < 8 && line.bottom < client.bottom - 16; ++i) {
      line.right = client.right - 16 - (i % 3) * 60;
      FillRect(dc, &line, lineBrush);
      OffsetRect(&line, 0, 22);
    }
    DeleteObject(lineBrush);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

class AppWindow {
 public:
  AppWindow(const wchar_t* title, RECT rect) {
    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = &AppProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"TessaryViewshotsApp";
    RegisterClassExW(&wc);  // fails harmlessly from the second window on
    window_ = CreateWindowExW(0, wc.lpszClassName, title, WS_POPUP | WS_BORDER | WS_VISIBLE,
                              rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                              nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~AppWindow() { DestroyWindow(window_); }
  HWND Handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};

class PickerScene : public Scene {
 public:
  PickerScene(SurfaceFactory& factory, ThemeSource& theme)
      : app_(L"Notes", {520, 330, 1400, 900}), picker_(theme) {
    picker_.Create(factory);
    PickerIcons icons;
    icons[0][0] = ToIconId(LoadIconW(nullptr, IDI_APPLICATION));
    icons[2][1] = ToIconId(LoadIconW(nullptr, IDI_INFORMATION));
    icons[2][2] = ToIconId(LoadIconW(nullptr, IDI_WARNING));
    picker_.Show(BuiltInLayouts(), 0, kWork, 1.0, false, icons);
    // Hover the second card's first region, as a drag over it would.
    const auto& cards = picker_.Geometry().cards;
    if (cards.size() > 1 && !cards[1].regions.empty()) {
      const Rect region = cards[1].regions.begin()->second;
      const Rect panel = picker_.PanelRect();
      picker_.HitTest(
          {panel.x + region.x + region.width / 2, panel.y + region.y + region.height / 2});
    }
  }
  Rect Crop() const override { return Grow(picker_.PanelRect(), 30); }

 private:
  AppWindow app_;
  Picker picker_;
};

// Opened from a shortcut: interactive, choosing a layout for the display.
class GalleryScene : public Scene {
 public:
  GalleryScene(SurfaceFactory& factory, ThemeSource& theme) : picker_(theme) {
    picker_.Create(factory);
    picker_.Show(BuiltInLayouts(), 3, kWork, 1.0, true);
    picker_.SetGallery(true);
    picker_.Paint();
    const auto& cards = picker_.Geometry().cards;
    if (cards.size() > 4) {
      const Rect card = cards[4].card;
      const Rect panel = picker_.PanelRect();
      picker_.HitTest({panel.x + card.x + card.width / 2, panel.y + card.y + card.height / 2});
    }
  }
  Rect Crop() const override { return Grow(picker_.PanelRect(), 30); }

 private:
  Picker picker_;
};

class OutlineScene : public Scene {
 public:
  OutlineScene(SurfaceFactory& factory, ThemeSource& theme)
      : app_(L"Notes", {220, 300, 800, 760}), armed_(theme), resting_(theme), tiny_(theme) {
    armed_.Create(factory);
    resting_.Create(factory);
    tiny_.Create(factory);
    resting_.Show({100, 120, 820, 820}, 1.0, "Release to return", false);
    armed_.Show({960, 120, 820, 820}, 1.0, "This Spot", true);
    // Too small for its label: drawn without one.
    tiny_.Show({400, 960, 140, 60}, 1.0, "Not shown", true);
  }
  Rect Crop() const override { return {80, 100, 1720, 940}; }

 private:
  AppWindow app_;
  Outline armed_;
  Outline resting_;
  Outline tiny_;
};

// Nine tiles, one of every pictogram, laid out as the engine lays them: 112 x 92 with
// gaps of 8 inside a padding of 10, rows centred.
DropActionMenu EveryGlyphMenu(Point centre) {
  struct Entry {
    std::int32_t kind;
    const char* label;
  };
  const Entry entries[] = {{kDropAddToStack, "Add to Stack"},  {kDropPutBack, "Put Back"},
                           {kDropTopHalf, "Top Half"},         {kDropBottomHalf, "Bottom Half"},
                           {kDropLeftHalf, "Left Half"},       {kDropRightHalf, "Right Half"},
                           {kDropWholeColumn, "Whole Column"}, {kDropSwap, "Swap"},
                           {kDropSpanColumn, "Span Column"}};
  const int count = static_cast<int>(std::size(entries));
  const int columns = 5;
  const int rows = (count + columns - 1) / columns;
  DropActionMenu menu;
  menu.display = 0;
  menu.region = 1;
  menu.visible = true;
  const double width = columns * 112 + (columns - 1) * 8 + 20;
  const double height = rows * 92 + (rows - 1) * 8 + 20;
  menu.rect = {std::round(centre.x - width / 2), std::round(centre.y - height / 2), width, height};
  for (int i = 0; i < count; ++i) {
    const int row = i / columns, column = i % columns;
    const int inRow = row == rows - 1 ? count - row * columns : columns;
    const double x = std::round(centre.x - (inRow * 112 + (inRow - 1) * 8) / 2.0 + column * 120);
    const double y = menu.rect.y + 10 + row * 100;
    menu.tiles.push_back({{entries[i].kind, 1}, entries[i].label, {x, y, 112, 92}});
  }
  return menu;
}

class DropMenuScene : public Scene {
 public:
  DropMenuScene(SurfaceFactory& factory, ThemeSource& theme)
      : app_(L"Notes", {600, 60, 1320, 380}), armed_(theme), hovered_(theme) {
    armed_.Create(factory);
    hovered_.Create(factory);
    const DropActionMenu top = EveryGlyphMenu({960, 330});
    const DropActionMenu bottom = EveryGlyphMenu({960, 640});
    armed_.Show(top, 1.0, DropIntent{kDropLeftHalf, 1}, true);
    hovered_.Show(bottom, 1.0, DropIntent{kDropSwap, 1}, false);
    crop_ = Grow(Union(top.rect, bottom.rect), 30);
  }
  Rect Crop() const override { return crop_; }

 private:
  AppWindow app_;
  DropMenuView armed_;
  DropMenuView hovered_;
  Rect crop_;
};

class ToastScene : public Scene {
 public:
  ToastScene(SurfaceFactory& factory, ThemeSource& theme)
      : neutral_(theme, clock_), success_(theme, clock_), problem_(theme, clock_) {
    const Point cursor{960, 500};
    // Each toast sits 40 units above the bottom of its display's work area; three work
    // areas of different heights stack them one above the other.
    const auto show = [&](Toast& toast, double bottom, const char* text) {
      toast.Create(factory);
      const Rect work{0, 0, 1920, bottom};
      toast.Show(text, 600, {ToastDisplay{work, work, 1.0}}, cursor, false);
      if (Surface* surface = toast.GetSurface()) {
        crop_ = crop_.IsEmpty() ? surface->Bounds() : Union(crop_, surface->Bounds());
      }
    };
    show(problem_, 1040,
         "The windows did not settle into the adjusted split. Their prior sizes were restored.");
    show(success_, 920, "Layout saved as Focus. It is now in the picker for this display.");
    show(neutral_, 810, "Every badge is back in its usual place.");
    crop_ = Grow(crop_, 40);
  }
  Rect Crop() const override { return crop_; }

 private:
  Win32Clock clock_;
  Toast neutral_;
  Toast success_;
  Toast problem_;
  Rect crop_;
};

// Three windows stacked behind "Mail", the second of them twice as wide; the pointer
// beside the badge has grown it and rests on the first icon.
class BadgeScene : public Scene {
 public:
  BadgeScene(SurfaceFactory& factory, ThemeSource& theme)
      : wide_(L"Calendar", {600, 300, 1800, 800}),
        back_(L"Notes", {600, 300, 1200, 800}),
        front_(L"Mail", {600, 300, 1200, 800}),
        badge_(theme, clock_) {
    badge_.Create(factory);
    BadgeContent content;
    content.icons = {{ToWindowId(back_.Handle()), ToIconId(LoadIconW(nullptr, IDI_INFORMATION)), 0},
                     {ToWindowId(wide_.Handle()), ToIconId(LoadIconW(nullptr, IDI_APPLICATION)), 2},
                     {ToWindowId(back_.Handle()), ToIconId(LoadIconW(nullptr, IDI_WARNING)), 0}};
    const Rect frame{600, 300, 600, 500};
    badge_.Update(ToWindowId(front_.Handle()), content, {frame, kWork, true, std::nullopt}, 1.0,
                  kNoWindow, false);
    const Rect small = badge_.Bounds();
    const Point beside{small.x + small.width / 2, small.y + 20};
    badge_.TrackPointer(beside);
    badge_.OnPointerMove(beside);
    crop_ = Union(Grow(badge_.Bounds(), 24), {frame.x - 40, frame.y - 16, 320, 240});
  }
  Rect Crop() const override { return crop_; }

 private:
  AppWindow wide_;
  AppWindow back_;
  AppWindow front_;
  Win32Clock clock_;
  Badge badge_;
  Rect crop_;
};

// The divider editor over "Main + stack" with three windows in its regions: the column
// divider selected, the stack's divider under the pointer.
class DividersScene : public Scene {
 public:
  DividersScene(SurfaceFactory& factory, ThemeSource& theme)
      : main_(L"Mail", {8, 8, 1148, 1032}),
        top_(L"Notes", {1164, 8, 1912, 516}),
        bottom_(L"Calendar", {1164, 524, 1912, 1032}),
        editor_(theme, clock_) {
    editor_.Create(factory);
    editor_.Show(kWork, 1.0, FindBuiltIn("stack")->tree, 0.5);
    const auto centre = [](const Rect& r) { return Point{r.x + r.width / 2, r.y + r.height / 2}; };
    const auto& handles = editor_.Geometry().handles;
    if (handles.size() == 2) {
      editor_.OnPointerPress(centre(handles[0].grab));
      editor_.OnPointerRelease(centre(handles[0].grab));
      // The real pointer too: the surface hears it wherever it rests over the work area.
      const Point hovered = centre(handles[1].grab);
      SetCursorPos(static_cast<int>(hovered.x), static_cast<int>(hovered.y));
      editor_.OnPointerMove(hovered);
    }
  }
  Rect Crop() const override { return kWork; }

 private:
  AppWindow main_;
  AppWindow top_;
  AppWindow bottom_;
  Win32Clock clock_;
  DividerEditor editor_;
};

// Snap Assist's panel over the empty right half, offering three windows (Wine makes no
// live previews, so their icons stand in), the first card under the pointer.
class ChooserPanelScene : public Scene {
 public:
  ChooserPanelScene(SurfaceFactory& factory, ThemeSource& theme)
      : placed_(L"Notes", {8, 8, 956, 1032}),
        mail_(L"Mail", {120, 200, 700, 700}),
        calendar_(L"Calendar", {200, 300, 800, 800}),
        panel_(factory, theme) {
    const Rect right{964, 8, 948, 1024};
    std::vector<ChooserChoice> choices = {
        {ToWindowId(mail_.Handle()), "Inbox - Mail", "Mail", ToIconId(LoadIconW(nullptr, IDI_INFORMATION))},
        {ToWindowId(calendar_.Handle()), "December", "Calendar", ToIconId(LoadIconW(nullptr, IDI_WARNING))},
        {ToWindowId(placed_.Handle()), "Notes", "Notes", ToIconId(LoadIconW(nullptr, IDI_APPLICATION))},
    };
    panel_.Create(right, 1.0, std::move(choices),
                  {.header = "Choose a window for this space", .primaryText = "Done", .leaveEmpty = true},
                  {});
    panel_.OnPointerMove(panel_.ItemCentre(0));
    crop_ = Grow(right, 8);
  }
  Rect Crop() const override { return crop_; }

 private:
  AppWindow placed_;
  AppWindow mail_;
  AppWindow calendar_;
  ChooserPanel panel_;
  Rect crop_;
};

template <typename T>
SceneMaker Maker(const char* name) {
  return {name, [](SurfaceFactory& factory, ThemeSource& theme) -> std::unique_ptr<Scene> {
            return std::make_unique<T>(factory, theme);
          }};
}

}  // namespace

std::vector<SceneMaker> AllScenes() {
  return {Maker<PickerScene>("picker"), Maker<GalleryScene>("picker-gallery"),
          Maker<OutlineScene>("outline"), Maker<DropMenuScene>("drop-menu"),
          Maker<ToastScene>("toasts"), Maker<BadgeScene>("badge"),
          Maker<DividersScene>("dividers"), Maker<ChooserPanelScene>("chooser-panel")};
}

}  // namespace tessary::viewshots
