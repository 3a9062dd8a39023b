#pragma once

// The maker's web site: the product page opened by "User Guide" and the update item, and
// the host named at the end of the about text.

namespace tessary {

// A reserved name until the maker's real host is decided; change it here only.
inline constexpr const char* kMakerHost = "quillfrost.example";
inline constexpr const char* kProductPagePath = "/tessary/";

}  // namespace tessary
