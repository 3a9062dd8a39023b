#pragma once

// What the feedback form sends and says: the check of the user's input, the JSON document
// posted to the feedback service, the details about the program and the PC, and the
// sentences for each answer.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/system_description.h"

namespace tessary {


using FeedbackDetails = std::vector<std::pair<std::string, std::string>>;

// "Tessary", "Windows", "PC", "Displays", in that order.
FeedbackDetails DescribeForFeedback(const std::string& versionText, std::uint32_t build,
                                    const SystemDescription& system);
// The pairs as one line: "Tessary 1.4.2 (7) · Windows 11 …".
std::string DetailsLine(const FeedbackDetails& details);

// The status text that stops a send, or none when the input may go. Both are trimmed.
std::optional<std::string> FeedbackProblem(const std::string& message, const std::string& email);

// The kinds, as the drop-down lists them.
inline constexpr const char* kFeedbackKindLabels[] = {"Idea", "Problem", "Question", "Other"};

// The request document; `kind` is the drop-down's index (0..3).
std::string FeedbackBody(int kind, const std::string& message, const std::string& email,
                         const std::string& versionText, const FeedbackDetails* details);

// The form's status after the service answered `outcome` (1: no answer, else the HTTP
// status); success (0) closes the form instead.
std::string FeedbackFailureText(int outcome);

std::string TrimBlanks(const std::string& text);

}  // namespace tessary
