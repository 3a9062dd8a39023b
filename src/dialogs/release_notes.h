#pragma once

// The release notes of every version, and the What's New text made from them: after an
// upgrade the user reads what each version since the last one they saw has added.

#include <span>
#include <string>
#include <string_view>

#include "base/version_compare.h"

namespace tessary {

struct ReleaseNote {
  std::string_view version;
  std::string_view notes;  // bullet lines, each starting with "• "
};

// Newest first.
std::span<const ReleaseNote> ReleaseNotes();


// The notes of the versions after `lastSeen` (all of them when it is empty) up to
// `current`, newest first, each under "Tessary " + its version; empty when none.
std::string WhatsNewText(std::string_view lastSeen, std::string_view current);

}  // namespace tessary
