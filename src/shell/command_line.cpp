#include "shell/command_line.h"

#include <optional>
#include <string_view>

namespace tessary {
namespace {

std::optional<OpenTarget> TargetNamed(std::string_view value) {
  if (value == "editor") return OpenTarget::kEditor;
  if (value == "gallery") return OpenTarget::kGallery;
  if (value == "dividers") return OpenTarget::kDividers;
  if (value == "welcome") return OpenTarget::kWelcome;
  if (value == "tour") return OpenTarget::kTour;
  if (value == "settings") return OpenTarget::kSettings;
  return std::nullopt;
}

}  // namespace

std::vector<OpenTarget> OpenTargetsFromArguments(const std::vector<std::string>& arguments) {
  std::vector<OpenTarget> targets;
  // Overlapping pairs (1 with 2, 2 with 3, ...): "--open --open tour" still opens the tour.
  for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
    if (arguments[i] != "--open") continue;
    if (std::optional<OpenTarget> target = TargetNamed(arguments[i + 1])) {
      targets.push_back(*target);
    }
  }
  return targets;
}

}  // namespace tessary
