#include "services/feedback_document.h"

#include <cstdlib>

#include "layout/json_value.h"
#include "services/maker_site.h"

namespace tessary {
namespace {

constexpr const char* kKindKeys[] = {"idea", "problem", "question", "other"};
// Windows 11 reports itself as build 22000 and later.
constexpr long kFirstWindows11Build = 22000;

}  // namespace

std::string TrimBlanks(const std::string& text) {
  constexpr const char* kBlanks = " \t\r\n\v\f";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

FeedbackDetails DescribeForFeedback(const std::string& versionText, std::uint32_t build,
                                    const SystemDescription& system) {
  const long windowsBuild = std::strtol(system.currentBuild.c_str(), nullptr, 10);
  const std::string windows = std::string(windowsBuild < kFirstWindows11Build ? "10 " : "11 ") +
                              system.displayVersion + " (build " + system.currentBuild + ")";
  std::string pc = system.manufacturer;
  if (!pc.empty()) pc += " ";
  pc += system.productName;
  return {{"Tessary", versionText + " (" + std::to_string(build) + ")"},
          {"Windows", windows},
          {"PC", pc},
          {"Displays", std::to_string(system.displays)}};
}

std::string DetailsLine(const FeedbackDetails& details) {
  std::string line;
  for (const auto& [label, value] : details) {
    if (!line.empty()) line += " \xC2\xB7 ";  // a middle dot between the pairs
    line += label + " " + value;
  }
  return line;
}

std::optional<std::string> FeedbackProblem(const std::string& message, const std::string& email) {
  const std::string address = TrimBlanks(email);
  if (!address.empty()) {
    const std::size_t at = address.find('@');
    // Text before the at sign, a full stop after it that is not the last character, and
    // no blank anywhere.
    const std::size_t dot = at == std::string::npos ? at : address.find('.', at + 1);
    const bool looksRight = at != std::string::npos && at > 0 && dot != std::string::npos &&
                            dot < address.size() - 1 &&
                            address.find_first_of(" \t") == std::string::npos;
    if (!looksRight) return "That email address doesn't look right.";
  }
  if (TrimBlanks(message).empty()) return "Write a few words first.";
  return std::nullopt;
}

std::string FeedbackBody(int kind, const std::string& message, const std::string& email,
                         const std::string& versionText, const FeedbackDetails* details) {
  JsonValue document = JsonValue::MakeObject();
  document.AddMember("app", "tessary");
  document.AddMember("platform", "windows");
  document.AddMember("kind", kKindKeys[kind >= 0 && kind < 4 ? kind : 0]);
  document.AddMember("message", TrimBlanks(message));
  document.AddMember("version", versionText);
  const std::string address = TrimBlanks(email);
  if (!address.empty()) document.AddMember("email", address);
  if (details != nullptr) {
    JsonValue pairs = JsonValue::MakeObject();
    for (const auto& [label, value] : *details) pairs.AddMember(label, value);
    document.AddMember("details", std::move(pairs));
  }
  return WriteJsonCompact(document);
}

std::string FeedbackFailureText(int outcome) {
  if (outcome == 1) {
    return std::string("Couldn't reach ") + kMakerHost + ". Check your connection and try again.";
  }
  return "The feedback service said " + std::to_string(outcome) + ".";
}

}  // namespace tessary
