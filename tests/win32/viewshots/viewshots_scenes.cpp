#include "viewshots_scenes.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <iterator>

#include "layout/builtin_layouts.h"
#include "platform/win32/handles.h"
#include "surfaces/badge_view.h"
#include "surfaces/chooser_panel.h"
#include "surfaces/divider_editor.h"
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

void StagePicker(Scene& scene, SurfaceFactory& factory, ThemeSource& theme) {
  scene.OpenApp(L"Notes", {520, 330, 1400, 900});
  Picker& picker = scene.Create<Picker>(factory, theme);
  PickerIcons icons;
  icons[0][0] = ToIconId(LoadIconW(nullptr, IDI_APPLICATION));
  icons[2][1] = ToIconId(LoadIconW(nullptr, IDI_INFORMATION));
  icons[2][2] = ToIconId(LoadIconW(nullptr, IDI_WARNING));
  picker.Show(BuiltInLayouts(), 0, kWork, 1.0, false, icons);
  // Hover the second card's first region, as a drag over it would.
  const auto& cards = picker.Geometry().cards;
  if (cards.size() > 1 && !cards[1].regions.empty()) {
    const Rect region = cards[1].regions.begin()->second;
    const Rect panel = picker.PanelRect();
    picker.HitTest({panel.x + region.x + region.width / 2, panel.y + region.y + region.height / 2});
  }
  scene.crop = Grow(picker.PanelRect(), 30);
}

// Opened from a shortcut: interactive, choosing a layout for the display.
void StageGallery(Scene& scene, SurfaceFactory& factory, ThemeSource& theme) {
  Picker& picker = scene.Create<Picker>(factory, theme);
  picker.Show(BuiltInLayouts(), 3, kWork, 1.0, true);
  picker.SetGallery(true);
  picker.Paint();
  const auto& cards = picker.Geometry().cards;
  if (cards.size() > 4) {
    const Rect card = cards[4].card;
    const Rect panel = picker.PanelRect();
    picker.HitTest({panel.x + card.x + card.width / 2, panel.y + card.y + card.height / 2});
  }
  scene.crop = Grow(picker.PanelRect(), 30);
}

void StageOutlines(Scene& scene, SurfaceFactory& factory, ThemeSource& theme) {
  scene.OpenApp(L"Notes", {220, 300, 800, 760});
  Outline& armed = scene.Create<Outline>(factory, theme);
  Outline& resting = scene.Create<Outline>(factory, theme);
  Outline& tiny = scene.Create<Outline>(factory, theme);
  resting.Show({100, 120, 820, 820}, 1.0, "Release to return", false);
  armed.Show({960, 120, 820, 820}, 1.0, "This Spot", true);
  // Too small for its label: drawn without one.
  tiny.Show({400, 960, 140, 60}, 1.0, "Not shown", true);
  scene.crop = {80, 100, 1720, 940};
}

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

void StageDropMenus(Scene& scene, SurfaceFactory& factory, ThemeSource& theme) {
  scene.OpenApp(L"Notes", {600, 60, 1320, 380});
  DropMenuView& armed = scene.Create<DropMenuView>(factory, theme);
  DropMenuView& hovered = scene.Create<DropMenuView>(factory, theme);
  const DropActionMenu top = EveryGlyphMenu({960, 330});
  const DropActionMenu bottom = EveryGlyphMenu({960, 640});
  armed.Show(top, 1.0, DropIntent{kDropLeftHalf, 1}, true);
  hovered.Show(bottom, 1.0, DropIntent{kDropSwap, 1}, false);
  scene.crop = Grow(Union(top.rect, bottom.rect), 30);
}

void StageToasts(Scene& scene, SurfaceFactory& factory, ThemeSource& theme) {
  const Point cursor{960, 500};
  Rect shown;
  // Each toast sits 40 units above the bottom of its display's work area; three work
  // areas of different heights stack them one above the other.
  const auto show = [&](double bottom, const char* text) {
    Toast& toast = scene.Create<Toast>(factory, theme, scene.clock);
    const Rect work{0, 0, 1920, bottom};
    toast.Show(text, 600, {ToastDisplay{work, work, 1.0}}, cursor, false);
    if (Surface* surface = toast.GetSurface()) {
      shown = shown.IsEmpty() ? surface->Bounds() : Union(shown, surface->Bounds());
    }
  };
  show(1040,
       "The windows did not settle into the adjusted split. Their prior sizes were restored.");
  show(920, "Layout saved as Focus. It is now in the picker for this display.");
  show(810, "Every badge is back in its usual place.");
  scene.crop = Grow(shown, 40);
}

// Three windows stacked behind "Mail", the second of them twice as wide; the pointer
// beside the badge has grown it and rests on the first icon.
void StageBadge(Scene& scene, SurfaceFactory& factory, ThemeSource& theme) {
  const HWND wide = scene.OpenApp(L"Calendar", {600, 300, 1800, 800});
  const HWND back = scene.OpenApp(L"Notes", {600, 300, 1200, 800});
  const HWND front = scene.OpenApp(L"Mail", {600, 300, 1200, 800});
  Badge& badge = scene.Create<Badge>(factory, theme, scene.clock);
  BadgeContent content;
  content.icons = {{ToWindowId(back), ToIconId(LoadIconW(nullptr, IDI_INFORMATION)), 0},
                   {ToWindowId(wide), ToIconId(LoadIconW(nullptr, IDI_APPLICATION)), 2},
                   {ToWindowId(back), ToIconId(LoadIconW(nullptr, IDI_WARNING)), 0}};
  const Rect frame{600, 300, 600, 500};
  badge.Update(ToWindowId(front), content, {frame, kWork, true, std::nullopt}, 1.0, kNoWindow,
               false);
  const Rect small = badge.Bounds();
  const Point beside{small.x + small.width / 2, small.y + 20};
  badge.TrackPointer(beside);
  badge.OnPointerMove(beside);
  scene.crop = Union(Grow(badge.Bounds(), 24), {frame.x - 40, frame.y - 16, 320, 240});
}

// The divider editor over "Main + stack" with three windows in its regions: the column
// divider selected, the stack's divider under the pointer.
void StageDividers(Scene& scene, SurfaceFactory& factory, ThemeSource& theme) {
  scene.OpenApp(L"Mail", {8, 8, 1148, 1032});
  scene.OpenApp(L"Notes", {1164, 8, 1912, 516});
  scene.OpenApp(L"Calendar", {1164, 524, 1912, 1032});
  DividerEditor& editor = scene.Create<DividerEditor>(factory, theme, scene.clock);
  editor.Show(kWork, 1.0, FindBuiltIn("stack")->tree, 0.5);
  const auto centre = [](const Rect& r) { return Point{r.x + r.width / 2, r.y + r.height / 2}; };
  const auto& handles = editor.Geometry().handles;
  if (handles.size() == 2) {
    editor.OnPointerPress(centre(handles[0].grab));
    editor.OnPointerRelease(centre(handles[0].grab));
    // The real pointer too: the surface hears it wherever it rests over the work area.
    const Point hovered = centre(handles[1].grab);
    SetCursorPos(static_cast<int>(hovered.x), static_cast<int>(hovered.y));
    editor.OnPointerMove(hovered);
  }
  scene.crop = kWork;
}

// Snap Assist's panel over the empty right half, offering three windows (Wine makes no
// live previews, so their icons stand in), the first card under the pointer.
void StageChooserPanel(Scene& scene, SurfaceFactory& factory, ThemeSource& theme) {
  const HWND placed = scene.OpenApp(L"Notes", {8, 8, 956, 1032});
  const HWND mail = scene.OpenApp(L"Mail", {120, 200, 700, 700});
  const HWND calendar = scene.OpenApp(L"Calendar", {200, 300, 800, 800});
  ChooserPanel& panel = scene.Keep<ChooserPanel>(factory, theme);
  const Rect right{964, 8, 948, 1024};
  std::vector<ChooserChoice> choices = {
      {ToWindowId(mail), "Inbox - Mail", "Mail", ToIconId(LoadIconW(nullptr, IDI_INFORMATION))},
      {ToWindowId(calendar), "December", "Calendar", ToIconId(LoadIconW(nullptr, IDI_WARNING))},
      {ToWindowId(placed), "Notes", "Notes", ToIconId(LoadIconW(nullptr, IDI_APPLICATION))},
  };
  panel.Create(
      right, 1.0, std::move(choices),
      {.header = "Choose a window for this space", .primaryText = "Done", .leaveEmpty = true}, {});
  panel.OnPointerMove(panel.ItemCentre(0));
  scene.crop = Grow(right, 8);
}

}  // namespace

HWND OpenWindow(const wchar_t* className, WNDPROC procedure, DWORD exStyle, DWORD style,
                const wchar_t* title, const RECT& rect, void* parameter) {
  WNDCLASSEXW wc{sizeof(wc)};
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = className;
  RegisterClassExW(&wc);
  return CreateWindowExW(exStyle, className, title, style, rect.left, rect.top,
                         rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                         wc.hInstance, parameter);
}

HWND Scene::OpenApp(const wchar_t* title, RECT rect) {
  apps_.emplace_back(OpenWindow(L"TessaryViewshotsApp", &AppProcedure, 0,
                                WS_POPUP | WS_BORDER | WS_VISIBLE, title, rect));
  return apps_.back().get();
}

std::vector<SceneMaker> AllScenes() {
  return {{"picker", &StagePicker, true}, {"picker-gallery", &StageGallery},
          {"outline", &StageOutlines},    {"drop-menu", &StageDropMenus},
          {"toasts", &StageToasts},       {"badge", &StageBadge},
          {"dividers", &StageDividers},   {"chooser-panel", &StageChooserPanel, true}};
}

}  // namespace tessary::viewshots
