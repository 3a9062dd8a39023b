#include "surfaces/toast_text.h"

#include <gtest/gtest.h>

namespace tessary {
namespace {

TEST(ToastText, FirstSentenceIsTheTitle) {
  const std::string message =
      "The windows did not settle into the adjusted split. Their prior sizes were restored.";
  EXPECT_EQ(SplitToastText(message),
            (ToastText{"The windows did not settle into the adjusted split.",
                       "Their prior sizes were restored."}));
  EXPECT_EQ(ChooseToastTone(message), ToastTone::kProblem);
}

TEST(ToastText, AMarkEndingTheTextLeavesTheBodyEmpty) {
  EXPECT_EQ(SplitToastText("Every badge is back in its usual place."),
            (ToastText{"Every badge is back in its usual place.", ""}));
  EXPECT_EQ(ChooseToastTone("Every badge is back in its usual place."), ToastTone::kNeutral);
}

TEST(ToastText, SplittingTrimsAndNeedsWhiteSpaceAfterTheMark) {
  EXPECT_EQ(SplitToastText("  Saved!\t\n Layout kept.  "), (ToastText{"Saved!", "Layout kept."}));
  EXPECT_EQ(SplitToastText("Version 1.2 is out? Yes"), (ToastText{"Version 1.2 is out?", "Yes"}));
  EXPECT_EQ(SplitToastText("Done!   "), (ToastText{"Done!", ""}));
  EXPECT_EQ(SplitToastText("   "), (ToastText{"", ""}));
  // A no-break space counts as white space too.
  EXPECT_EQ(SplitToastText("One.\u00A0Two"), (ToastText{"One.", "Two"}));
}

TEST(ToastText, ProblemWordsInEitherApostropheAndAnyCase) {
  EXPECT_EQ(ChooseToastTone("Word couldn\u2019t start."), ToastTone::kProblem);
  EXPECT_EQ(ChooseToastTone("Word COULDN'T start."), ToastTone::kProblem);
  EXPECT_EQ(ChooseToastTone("That app isn\u2019t installed."), ToastTone::kProblem);
  EXPECT_EQ(ChooseToastTone("The windows do not fit."), ToastTone::kProblem);
  EXPECT_EQ(ChooseToastTone("Update check Failed"), ToastTone::kProblem);
  // A problem word wins over a success word.
  EXPECT_EQ(ChooseToastTone("Layouts saved but the window won't move."), ToastTone::kProblem);
}

TEST(ToastText, SuccessWordsIncludeTheirTrailingBlank) {
  EXPECT_EQ(ChooseToastTone("Layout saved to your folder."), ToastTone::kSuccess);
  EXPECT_EQ(ChooseToastTone("Your layout was saved."), ToastTone::kNeutral);
  EXPECT_EQ(ChooseToastTone("Windows Arranged by layout."), ToastTone::kSuccess);
  EXPECT_EQ(ChooseToastTone("Stacks are enabled."), ToastTone::kSuccess);
  EXPECT_EQ(ChooseToastTone("Tessary forgot those sizes."), ToastTone::kSuccess);
}

}  // namespace
}  // namespace tessary
