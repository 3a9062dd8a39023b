#pragma once

// The maker's web site: the product page opened by "User Guide" and the update item, the
// host named at the end of the about text, the update document and the feedback service.

namespace tessary {

// A reserved name until the maker's real host is decided; change it here only.
inline constexpr const char* kMakerHost = "quillfrost.example";
inline constexpr const char* kProductPagePath = "/tessary/";
inline constexpr const char* kUpdateDocumentPath = "/download/Tessary-Windows.json";
inline constexpr const char* kFeedbackPath = "/feedback/api/submit";

}  // namespace tessary
