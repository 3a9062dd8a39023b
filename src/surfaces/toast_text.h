#pragma once

// How a toast reads a message: its first sentence becomes the bold title and the rest the
// body, and a few tell-tale words choose the tone (problem, success or neutral).

#include <string>
#include <string_view>

namespace tessary {

struct ToastText {
  std::string title;
  std::string body;  // may be empty

  friend bool operator==(const ToastText&, const ToastText&) = default;
};

enum class ToastTone { kNeutral = 0, kSuccess = 1, kProblem = 2 };

// Trims the text; the first '.', '!' or '?' followed by white space ends the title, and
// the body is the rest without its leading white space. Without such a mark the whole
// text is the title.
ToastText SplitToastText(std::string_view text);

// Case-insensitive. Problem words win over success words; both apostrophe forms count.
ToastTone ChooseToastTone(std::string_view text);

}  // namespace tessary
