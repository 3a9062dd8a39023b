#pragma once

// The tour's five pages: what each says and which action its button offers.

#include <string_view>

namespace tessary {

inline constexpr int kTourPageCount = 5;

enum class TourAction {
  kNone,
  kShowGallery,      // the layout gallery
  kShowStack,        // the stack switcher of the last window the user worked in
  kCreateLayout,     // the layout editor with a new layout
  kOpenSettings,     // the settings window, where the shortcuts are
};

struct TourPage {
  std::string_view title;
  std::string_view body;
  std::string_view actionText;  // empty: no action button
  TourAction action = TourAction::kNone;
};

// Page `index`, clamped to 0..4.
const TourPage& TourPageAt(int index);

}  // namespace tessary
