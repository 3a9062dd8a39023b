#pragma once

// Icons from windows, window classes, the shell and the system.

#include "platform/icon_source.h"

namespace tessary {

class Win32IconSource : public IconSource {
 public:
  IconId WindowMessageIcon(WindowId window, WindowIconKind kind) override;
  IconId ClassIcon(WindowId window) override;
  IconId DefaultApplicationIcon() override;
  IconId FileIcon(const std::string& path) override;
};

}  // namespace tessary
