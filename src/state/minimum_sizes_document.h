#pragma once

// The document under "appMinimumSizes.v1" in minimums.json: each app's smallest usable
// window size, as learned, keyed by app identity.

#include <map>
#include <string>
#include <string_view>

namespace tessary {

inline constexpr std::string_view kAppMinimumSizesKey = "appMinimumSizes.v1";

struct AppMinimumSize {
  double width = 0;
  double height = 0;

  friend bool operator==(const AppMinimumSize&, const AppMinimumSize&) = default;
};

using AppMinimumSizes = std::map<std::string, AppMinimumSize>;

// Every member whose value is an array of exactly two elements is taken, the elements
// read as numbers without checking their kind (anything else reads as 0); other members
// are skipped. Text that is not a JSON object gives an empty table.
AppMinimumSizes ParseAppMinimumSizes(std::string_view text);

// An object of app key -> [width, height], written with the general writer.
std::string WriteAppMinimumSizes(const AppMinimumSizes& sizes);

}  // namespace tessary
