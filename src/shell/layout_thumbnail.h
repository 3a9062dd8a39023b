#pragma once

// The small picture of a layout in the tray menu: its regions, with the icons of the apps
// the layout assigns to them.

#include <cstdint>
#include <map>

#include "layout/layout_tree.h"
#include "platform/popup_menu.h"

namespace tessary {

// Paints over the whole area it is given (82 x 46 units in the menu). `icons`: region ->
// the icon of its first assigned app.
ThumbnailPainter MakeLayoutThumbnail(const SnapLayout& layout,
                                     std::map<std::int32_t, IconId> icons);

}  // namespace tessary
