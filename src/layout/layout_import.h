#pragma once

// Importing an exchange file's text into one display's own layouts: the steps between
// reading the file and telling the user, without the dialogs.

#include <functional>
#include <string>
#include <string_view>

#include "layout/layout_store.h"

namespace tessary {

struct ImportOutcome {
  std::string error;  // the sentence to show when the file was refused; then nothing changed
  int added = 0;
  int skipped = 0;
};

// Parses `text`, merges it into the display's custom layouts and stores the result when
// at least one layout was added. The active layout and the windows are left alone.
ImportOutcome ImportLayoutsText(LayoutStore& store, std::string_view display, std::string_view text,
                                const std::function<std::string()>& newId);

}  // namespace tessary
