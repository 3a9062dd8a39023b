#include "surfaces/toast_text.h"

#include <gtest/gtest.h>

namespace tessary {
namespace {

TEST(ToastText, TheFirstSentenceIsTheTitle) {
  const std::pair<const char*, ToastText> cases[] = {
      {"The windows did not settle into the adjusted split. Their prior sizes were restored.",
       {"The windows did not settle into the adjusted split.", "Their prior sizes were restored."}},
      {"Every badge is back in its usual place.", {"Every badge is back in its usual place.", ""}},
      // Trimmed; a mark ends a sentence only with white space after it (no-break too).
      {"  Saved!\t\n Layout kept.  ", {"Saved!", "Layout kept."}},
      {"Version 1.2 is out? Yes", {"Version 1.2 is out?", "Yes"}},
      {"Done!   ", {"Done!", ""}},
      {"   ", {"", ""}},
      {"One.\u00A0Two", {"One.", "Two"}},
  };
  for (const auto& [text, split] : cases) EXPECT_EQ(SplitToastText(text), split) << text;
}

TEST(ToastText, ProblemWordsWinOverSuccessWordsWhichIncludeTheirTrailingBlank) {
  const std::pair<const char*, ToastTone> cases[] = {
      {"The windows did not settle into the adjusted split.", ToastTone::kProblem},
      {"Word couldn\u2019t start.", ToastTone::kProblem},
      {"Word COULDN'T start.", ToastTone::kProblem},
      {"That app isn\u2019t installed.", ToastTone::kProblem},
      {"The windows do not fit.", ToastTone::kProblem},
      {"Update check Failed", ToastTone::kProblem},
      {"Layouts saved but the window won't move.", ToastTone::kProblem},
      {"Layout saved to your folder.", ToastTone::kSuccess},
      {"Windows Arranged by layout.", ToastTone::kSuccess},
      {"Stacks are enabled.", ToastTone::kSuccess},
      {"Tessary forgot those sizes.", ToastTone::kSuccess},
      {"Your layout was saved.", ToastTone::kNeutral},
      {"Every badge is back in its usual place.", ToastTone::kNeutral},
  };
  for (const auto& [text, tone] : cases) EXPECT_EQ(ChooseToastTone(text), tone) << text;
}

}  // namespace
}  // namespace tessary
