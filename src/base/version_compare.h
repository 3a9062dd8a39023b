#pragma once

// Version texts ("0.1.5") as the update check and the release notes compare them.

#include <string_view>

namespace tessary {

// Version texts as lists of numbers ("0.1" equals "0.1.0"; each piece counts by its leading
// digits): negative when `a` is older, zero when equal, positive when newer.
int CompareVersions(std::string_view a, std::string_view b);

}  // namespace tessary
