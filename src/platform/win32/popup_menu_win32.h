#pragma once

// Popup menus on Windows: the shell's menu model turned into a system menu and tracked at
// the cursor. Layout items are owner-drawn here (WM_MEASUREITEM, WM_DRAWITEM of the main
// window): a thumbnail rendered once per item with Direct2D, a title and a subtitle.

#include <windows.h>
// The theme API needs the Windows types above.
#include <uxtheme.h>
// MSAAMENUINFO: what screen readers read of an owner-drawn item.
#include <oleacc.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/popup_menu.h"
#include "platform/win32/graphics_factories.h"
#include "platform/win32/icon_bitmap_cache.h"
#include "platform/win32/text_formats_d2d.h"

namespace tessary {

class Win32PopupMenus : public PopupMenus {
 public:
  Win32PopupMenus(GraphicsFactories& graphics, std::function<HWND()> mainWindow)
      : graphics_(graphics), mainWindow_(std::move(mainWindow)) {}
  ~Win32PopupMenus() override;
  Win32PopupMenus(const Win32PopupMenus&) = delete;
  Win32PopupMenus& operator=(const Win32PopupMenus&) = delete;

  int ShowAtCursor(const MenuModel& menu) override;
  int ShowAt(const MenuModel& menu, Point anchor) override;

  // WM_MEASUREITEM and WM_DRAWITEM of the main window: true when the item was one of
  // this menu's layout items (the window procedure then answers 1).
  bool HandleOwnerDraw(UINT message, LPARAM lParam);

  // One owner-drawn layout item's data, pointed at by the menu item.
  struct LayoutItemData {
    // First, where the system's menu accessibility looks for an owner-drawn item's text;
    // it points into accessibleText.
    MSAAMENUINFO accessible{MSAA_MENU_SIG, 0, nullptr};
    std::wstring accessibleText;
    std::wstring title;
    std::wstring subtitle;
    HBITMAP thumbnail = nullptr;  // premultiplied 32-bit, null when it could not be made
    int thumbnailWidth = 0;
    int thumbnailHeight = 0;
  };

 private:
  // Shows the menu at `anchor`, or at the cursor when there is none.
  int Show(const MenuModel& menu, const POINT* anchor);
  void ReleaseItems();
  void PrepareLook(POINT cursor);
  void Fill(HMENU menu, const std::vector<MenuItem>& items);
  HBITMAP RenderThumbnail(const LayoutMenuItem& item, int width, int height);
  LayoutItemData* Find(ULONG_PTR data) const;
  void Measure(MEASUREITEMSTRUCT& measure, const LayoutItemData& item);
  void Draw(const DRAWITEMSTRUCT& draw, const LayoutItemData& item);

  GraphicsFactories& graphics_;
  std::function<HWND()> mainWindow_;
  std::unique_ptr<TextFormats> formats_;
  IconBitmapCache icons_;

  // The look of the menu being shown, taken before it is built.
  std::vector<std::unique_ptr<LayoutItemData>> items_;
  double scale_ = 1;
  UINT dpi_ = 96;
  HFONT titleFont_ = nullptr;
  HFONT subtitleFont_ = nullptr;
  bool darkMenu_ = false;
  HTHEME theme_ = nullptr;
};

}  // namespace tessary
