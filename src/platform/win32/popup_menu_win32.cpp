#include "platform/win32/popup_menu_win32.h"

#include <shellscalingapi.h>
#include <vssym32.h>

#include <cmath>

#include "platform/win32/foreground_win32.h"
#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

using SystemParametersForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

// The menu font for a DPI. SystemParametersInfoForDpi exists from Windows 10 1607; before
// it the system's own value (for the primary display) is the best there is.
bool MenuFontFor(UINT dpi, LOGFONTW& font) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  static const auto forDpi = reinterpret_cast<SystemParametersForDpi>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoForDpi")));
  bool ok = forDpi != nullptr &&
            forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi) != FALSE;
  if (!ok) {
    ok = SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) != FALSE;
  }
  if (ok) font = metrics.lfMenuFont;
  return ok;
}

}  // namespace

Win32PopupMenus::~Win32PopupMenus() { ReleaseItems(); }

void Win32PopupMenus::ReleaseItems() {
  for (auto& item : items_) {
    if (item->thumbnail != nullptr) DeleteObject(item->thumbnail);
  }
  items_.clear();
  if (titleFont_ != nullptr) DeleteObject(titleFont_);
  if (subtitleFont_ != nullptr) DeleteObject(subtitleFont_);
  titleFont_ = subtitleFont_ = nullptr;
  if (theme_ != nullptr) CloseThemeData(theme_);
  theme_ = nullptr;
}

void Win32PopupMenus::PrepareLook(POINT cursor) {
  dpi_ = 96;
  UINT dpiX = 0, dpiY = 0;
  HMONITOR monitor = MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
  if (monitor != nullptr && SUCCEEDED(GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY)) &&
      dpiX > 0) {
    dpi_ = dpiX;
  }
  scale_ = dpi_ / 96.0;

  LOGFONTW font{};
  if (MenuFontFor(dpi_, font)) {
    LOGFONTW title = font;
    title.lfWeight = 600;
    titleFont_ = CreateFontIndirectW(&title);
    LOGFONTW subtitle = font;
    subtitle.lfHeight = static_cast<LONG>(std::lround(font.lfHeight * 0.88));
    subtitle.lfWeight = 400;
    subtitleFont_ = CreateFontIndirectW(&subtitle);
  }

  HWND owner = mainWindow_ ? mainWindow_() : nullptr;
  theme_ = OpenThemeData(owner, L"MENU");
  COLORREF text = GetSysColor(COLOR_MENUTEXT);
  if (theme_ != nullptr) GetThemeColor(theme_, MENU_POPUPITEM, MPI_NORMAL, TMT_TEXTCOLOR, &text);
  darkMenu_ = MenuTextIsLight(GetRValue(text), GetGValue(text), GetBValue(text));
}

void Win32PopupMenus::Fill(HMENU menu, const std::vector<MenuItem>& items) {
  for (const MenuItem& item : items) {
    const UINT state = (item.greyed ? MF_GRAYED : 0) | (item.checked ? MF_CHECKED : 0);
    switch (item.kind) {
      case MenuItemKind::kSeparator:
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        break;
      case MenuItemKind::kCommand: {
        const std::wstring label = WideFromUtf8(item.label);
        AppendMenuW(menu, MF_STRING | state, static_cast<UINT_PTR>(item.id), label.c_str());
        break;
      }
      case MenuItemKind::kSubmenu: {
        HMENU submenu = CreatePopupMenu();
        if (submenu == nullptr) break;
        Fill(submenu, item.children);
        const std::wstring label = WideFromUtf8(item.label);
        // The submenu belongs to its parent from here: DestroyMenu takes it along.
        AppendMenuW(menu, MF_POPUP | MF_STRING | (item.greyed ? MF_GRAYED : 0),
                    reinterpret_cast<UINT_PTR>(submenu), label.c_str());
        break;
      }
      case MenuItemKind::kLayout: {
        if (!item.layout) break;
        auto data = std::make_unique<LayoutItemData>();
        data->title = WideFromUtf8(item.layout->title);
        data->subtitle = WideFromUtf8(item.layout->subtitle);
        data->thumbnailWidth = static_cast<int>(std::lround(kLayoutThumbnailWidth * scale_));
        data->thumbnailHeight = static_cast<int>(std::lround(kLayoutThumbnailHeight * scale_));
        data->thumbnail =
            RenderThumbnail(*item.layout, data->thumbnailWidth, data->thumbnailHeight);
        // Screen readers read this text, both from the item data and as the item's string;
        // the item itself is drawn here.
        data->accessibleText = WideFromUtf8(item.layout->accessibleText);
        data->accessible.cchWText = static_cast<DWORD>(data->accessibleText.size());
        data->accessible.pszWText = data->accessibleText.data();
        std::wstring accessible = data->accessibleText;
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_STRING;
        info.fType = MFT_OWNERDRAW;
        info.fState = (item.checked ? MFS_CHECKED : 0) | (item.greyed ? MFS_GRAYED : 0);
        info.wID = static_cast<UINT>(item.id);
        info.dwItemData = reinterpret_cast<ULONG_PTR>(data.get());
        info.dwTypeData = accessible.data();
        info.cch = static_cast<UINT>(accessible.size());
        if (InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info)) {
          items_.push_back(std::move(data));
        } else if (data->thumbnail != nullptr) {
          DeleteObject(data->thumbnail);
        }
        break;
      }
    }
  }
}

int Win32PopupMenus::ShowAtCursor(const MenuModel& model) { return Show(model, nullptr); }

int Win32PopupMenus::ShowAt(const MenuModel& model, Point anchor) {
  const POINT at{static_cast<LONG>(std::lround(anchor.x)),
                 static_cast<LONG>(std::lround(anchor.y))};
  return Show(model, &at);
}

int Win32PopupMenus::Show(const MenuModel& model, const POINT* anchor) {
  HWND owner = mainWindow_ ? mainWindow_() : nullptr;
  if (owner == nullptr) return 0;
  ReleaseItems();
  POINT cursor{};
  GetCursorPos(&cursor);
  if (anchor != nullptr) cursor = *anchor;
  PrepareLook(cursor);

  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) {
    ReleaseItems();
    return 0;
  }
  Fill(menu, model.items);
  // Filling can take a moment (thumbnails): follow the cursor if it moved meanwhile.
  if (anchor == nullptr) GetCursorPos(&cursor);
  // A menu of a background window closes only when its owner is in the foreground.
  TakeForeground(owner, false);
  const int chosen =
      static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_BOTTOMALIGN | TPM_RIGHTBUTTON,
                                      cursor.x, cursor.y, 0, owner, nullptr));
  // Lets the system finish the menu's own mode switch before the next menu can open.
  PostMessageW(owner, WM_NULL, 0, 0);
  DestroyMenu(menu);
  ReleaseItems();
  return chosen;
}

Win32PopupMenus::LayoutItemData* Win32PopupMenus::Find(ULONG_PTR data) const {
  for (const auto& item : items_) {
    if (reinterpret_cast<ULONG_PTR>(item.get()) == data) return item.get();
  }
  return nullptr;
}

bool Win32PopupMenus::HandleOwnerDraw(UINT message, LPARAM lParam) {
  if (lParam == 0) return false;
  if (message == WM_MEASUREITEM) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (measure->CtlType != ODT_MENU) return false;
    LayoutItemData* item = Find(measure->itemData);
    if (item == nullptr) return false;
    Measure(*measure, *item);
    return true;
  }
  if (message == WM_DRAWITEM) {
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (draw->CtlType != ODT_MENU) return false;
    LayoutItemData* item = Find(draw->itemData);
    if (item == nullptr) return false;
    Draw(*draw, *item);
    return true;
  }
  return false;
}

}  // namespace tessary
