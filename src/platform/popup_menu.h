#pragma once

// Popup menus as models: the shell builds the tray menu as plain values, the backend shows
// it with the system's menus and answers the chosen command id. Layout items are drawn by
// the backend itself (owner-drawn) from the texts here and a thumbnail painter.

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "platform/canvas.h"

namespace tessary {

enum class MenuItemKind {
  kCommand,    // a text item (MF_STRING); the label's "\t" separates the shortcut text
  kSeparator,  // MF_SEPARATOR
  kSubmenu,    // MF_POPUP with `children`
  kLayout,     // an owner-drawn layout item (MFT_OWNERDRAW) with `layout`
};

// Thumbnail size of a layout item, in units (DIPs); the bitmap is this times the scale.
inline constexpr double kLayoutThumbnailWidth = 82;
inline constexpr double kLayoutThumbnailHeight = 46;

// (canvas, width, height, darkMenu): darkMenu when the menu's text colour is light
// (MenuTextIsLight), so the picture suits the menu behind it.
using ThumbnailPainter =
    std::function<void(Canvas& canvas, double width, double height, bool darkMenu)>;

struct LayoutMenuItem {
  std::string title;
  std::string subtitle;
  // The text accessibility tools read: title, ", current layout" when checked, ", ", the
  // region count, " regions, " and the subtitle.
  std::string accessibleText;
  // Paints the thumbnail over a transparent 82 x 46 unit area. The backend renders it once,
  // when the item is made, at the menu's scale (a canvas whose units are DIPs), and keeps
  // the bitmap until the next menu is built.
  ThumbnailPainter thumbnail;
};

struct MenuItem {
  MenuItemKind kind = MenuItemKind::kCommand;
  int id = 0;                      // what ShowAtCursor answers when this item is chosen; 0 for none
  std::string label;               // UTF-8; kCommand and kSubmenu
  bool greyed = false;             // MF_GRAYED
  bool checked = false;            // MF_CHECKED (MFS_CHECKED for a layout item)
  std::vector<MenuItem> children;  // kSubmenu
  std::shared_ptr<const LayoutMenuItem> layout;  // kLayout

  static MenuItem Command(int id, std::string label, bool greyed = false, bool checked = false) {
    MenuItem item;
    item.id = id;
    item.label = std::move(label);
    item.greyed = greyed;
    item.checked = checked;
    return item;
  }
  static MenuItem Separator() {
    MenuItem item;
    item.kind = MenuItemKind::kSeparator;
    return item;
  }
  static MenuItem Submenu(std::string label, std::vector<MenuItem> children) {
    MenuItem item;
    item.kind = MenuItemKind::kSubmenu;
    item.label = std::move(label);
    item.children = std::move(children);
    return item;
  }
};

struct MenuModel {
  std::vector<MenuItem> items;
};

class PopupMenus {
 public:
  virtual ~PopupMenus() = default;

  // Windows: release the previous menu's owner-drawn data; take the scale of the display
  // under the cursor (GetDpiForMonitor / 96, 1 on failure) and the menu fonts for it;
  // build the menu (CreatePopupMenu, AppendMenuW, InsertMenuItemW at the end for layout
  // items with the item's data pointer); read the cursor; SetForegroundWindow(main
  // window); TrackPopupMenu(TPM_RETURNCMD | TPM_BOTTOMALIGN | TPM_RIGHTBUTTON) at the
  // cursor, owned by the main window; DestroyMenu. Answers the chosen id, 0 when the menu
  // was dismissed. Runs a nested message loop: timers and hooks keep being served.
  // WM_MEASUREITEM and WM_DRAWITEM of the main window belong to this implementation.
  virtual int ShowAtCursor(const MenuModel& menu) = 0;
  // The same at `anchor` (desktop pixels) instead of the cursor: where the notification
  // area says the menu belongs when it was opened from the keyboard.
  virtual int ShowAt(const MenuModel& menu, Point anchor) = 0;
};

// Where things go in an owner-drawn layout item, in pixels for a display scale. The item
// rectangle's left and top are the origin.
struct LayoutItemMetrics {
  int height = 60;                 // round(60 x scale)
  int minimumWidth = 330;          // round(330 x scale)
  int textAllowance = 150;         // round(150 x scale): added to the wider text
  int checkCentreX = 16;           // round(16 x scale): centre of the check mark
  Rect thumbnail{30, 7, 82, 46};   // at (round(30 x s), round(7 x s)), 82 x 46 times s
  int textLeft = 126;              // round(126 x scale) from the left edge
  int textRightInset = 12;         // round(12 x scale) from the right edge
  int titleBottomBelowMiddle = 1;  // the title's rectangle ends round(scale) below the middle
  int subtitleTopBelowMiddle = 3;  // the subtitle's starts round(3 x scale) below it
  unsigned char greyedThumbnailAlpha = 110;  // of 255; opaque otherwise
};

inline LayoutItemMetrics LayoutMenuItemMetrics(double scale) {
  if (!(scale > 0) || !std::isfinite(scale)) scale = 1;
  auto px = [scale](double units) { return static_cast<int>(std::lround(units * scale)); };
  LayoutItemMetrics m;
  m.height = px(60);
  m.minimumWidth = px(330);
  m.textAllowance = px(150);
  m.checkCentreX = px(16);
  m.thumbnail = Rect{static_cast<double>(px(30)), static_cast<double>(px(7)),
                     kLayoutThumbnailWidth * scale, kLayoutThumbnailHeight * scale};
  m.textLeft = px(126);
  m.textRightInset = px(12);
  m.titleBottomBelowMiddle = px(1);
  m.subtitleTopBelowMiddle = px(3);
  return m;
}

// The measured width of a layout item: max(round(330 s), wider text + round(150 s)) less
// the system's check-mark width for the display (SM_CXMENUCHECK).
inline int LayoutMenuItemWidth(const LayoutItemMetrics& m, int titleWidth, int subtitleWidth,
                               int checkMarkWidth) {
  const int wider = titleWidth > subtitleWidth ? titleWidth : subtitleWidth;
  const int wanted = wider + m.textAllowance;
  return (wanted > m.minimumWidth ? wanted : m.minimumWidth) - checkMarkWidth;
}

// Whether the menu's normal text colour is light (its luminance (299 R + 587 G + 114 B) /
// 1000 above 128): the thumbnails are then drawn for a dark menu.
inline bool MenuTextIsLight(int red, int green, int blue) {
  return (299 * red + 587 * green + 114 * blue) / 1000 > 128;
}

}  // namespace tessary
