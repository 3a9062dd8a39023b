#pragma once

// The release notes of every version, and the What's New text made from them: after an
// upgrade the user reads what each version since the last one they saw has added.

#include <span>
#include <string>
#include <string_view>

namespace tessary {

struct ReleaseNote {
  std::string_view version;
  std::string_view notes;  // bullet lines, each starting with "• "
};

// Newest first.
std::span<const ReleaseNote> ReleaseNotes();

// Version texts compared as lists of numbers ("0.1" equals "0.1.0"): negative, zero or
// positive as `a` is older than, the same as or newer than `b`.
int CompareVersions(std::string_view a, std::string_view b);

// The notes of the versions after `lastSeen` (all of them when it is empty) up to
// `current`, newest first, each under "Tessary " + its version; empty when none.
std::string WhatsNewText(std::string_view lastSeen, std::string_view current);

}  // namespace tessary
