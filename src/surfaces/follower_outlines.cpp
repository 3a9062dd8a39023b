#include "surfaces/follower_outlines.h"

namespace tessary {

void FollowerOutlines::Show(const std::vector<Rect>& rects, double scale,
                            const std::string& caption, WindowId anchor) {
  if (rects.empty()) {
    Hide();
    return;
  }
  first_.Show(rects.front(), scale, caption, false, anchor);
  std::size_t wanted = rects.size() - 1;
  while (extras_.size() < wanted) {
    auto outline = std::make_unique<Outline>(theme_);
    if (!outline->Create(factory_)) break;
    extras_.push_back(std::move(outline));
  }
  for (std::size_t i = 0; i < extras_.size(); ++i) {
    if (i < wanted) {
      extras_[i]->Show(rects[i + 1], scale, std::string(), false, anchor);
    } else {
      extras_[i]->Hide();
    }
  }
}

void FollowerOutlines::Hide() {
  first_.Hide();
  for (auto& outline : extras_) outline->Hide();
}

int FollowerOutlines::VisibleExtras() const {
  int visible = 0;
  for (const auto& outline : extras_) visible += outline->Visible() ? 1 : 0;
  return visible;
}

}  // namespace tessary
