#pragma once

// The update document on the maker's web site, {"version": "0.1.5", "build": 6}, and the
// rules that compare what it says with this program's own version.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/version_compare.h"

namespace tessary {

// Answers longer than this are cut (and then no longer parse).
inline constexpr std::size_t kMaxUpdateDocumentBytes = 65536;

struct UpdateInfo {
  std::string version;     // empty when the document has none
  std::int64_t build = 0;  // the document's number (greater than 0), truncated

  friend bool operator==(const UpdateInfo&, const UpdateInfo&) = default;
};

// None unless the text is a JSON object with a number "build" greater than 0; the build
// is truncated to an integer (a huge one saturates), the version is the string "version".
std::optional<UpdateInfo> ParseUpdateDocument(std::string_view body);

// What a check found, as the worker posts it (WM_UPDATE_RESULT's wParam).
enum class UpdateOutcome : int {
  kUpToDate = 0,
  kAvailable = 1,    // a greater build, and this program knows its own (build >= 1)
  kUnreachable = 2,  // no answer, not 200, or no usable document
};
UpdateOutcome OutcomeOf(const std::optional<UpdateInfo>& fetched, std::uint32_t ownBuild);


}  // namespace tessary
