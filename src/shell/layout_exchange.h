#pragma once

// The user's side of the layout exchange file: choosing where to save or what to open
// with the system's file dialogs, writing and reading the file, and every message box on
// the way. The format, its checks and the merge rules belong to the layout model
// (layout/exchange_file.h, layout/layout_import.h); this only walks the user through them.

#include <string>
#include <vector>

#include "layout/layout_store.h"
#include "layout/layout_tree.h"
#include "platform/file_system.h"
#include "platform/prompts.h"

namespace tessary {

// What the dialogs and the file go through.
struct LayoutExchangeAccess {
  Prompts& prompts;
  FileSystem& files;
};

// The display an import adds to: its key in the catalogue and the name the report uses.
struct ImportTarget {
  LayoutStore& store;
  std::string displayKey;
  std::string displayName;
};

// Checks `layouts`, asks where to save them and writes the file atomically. A refusal or a
// failed write ends in one warning; a cancelled dialog or a written file shows nothing.
void ExportLayouts(const LayoutExchangeAccess& access, const std::vector<SnapLayout>& layouts);

// Asks for a file, reads and checks it, adds its new layouts to the display's own layouts
// and reports what was added or skipped. A file that cannot be read or is refused changes
// nothing; the active layout and the windows are never touched.
void ImportLayouts(const LayoutExchangeAccess& access, const ImportTarget& target);

}  // namespace tessary
