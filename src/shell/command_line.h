#pragma once

// The command line: "--open" followed by what to open, any number of times.

#include <string>
#include <vector>

namespace tessary {

enum class OpenTarget { kEditor, kGallery, kDividers, kWelcome, kTour, kSettings };

// `arguments` are the arguments after the program's own name (UTF-8). Every argument that
// is exactly "--open" names what to open with the argument after it; values are
// case-sensitive ("editor", "gallery", "dividers", "welcome", "tour", "settings") and
// anything else is ignored, as is a trailing "--open". In the order given.
std::vector<OpenTarget> OpenTargetsFromArguments(const std::vector<std::string>& arguments);

}  // namespace tessary
