// The feedback form's input check, the document it posts and its details.

#include <gtest/gtest.h>

#include "services/feedback_document.h"

namespace tessary {
namespace {

TEST(Feedback, InputIsCheckedAddressFirstThenMessage) {
  struct Case {
    const char* message;
    const char* email;
    std::optional<std::string> problem;
  };
  const std::string badAddress = "That email address doesn't look right.";
  const std::vector<Case> cases = {
      {"It works", "", std::nullopt},
      {"It works", "  ann@example.org ", std::nullopt},
      {"It works", "a@b.c", std::nullopt},
      {" \t\r\n ", "", "Write a few words first."},
      {"", "ann@example", badAddress},  // the address is looked at first
      {"It works", "ann@example.", badAddress},
      {"It works", "ann@exa mple.org", badAddress},
      {"It works", "ann.example.org", badAddress},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FeedbackProblem(c.message, c.email), c.problem) << c.message << " / " << c.email;
  }
}

TEST(Feedback, TheDocumentHoldsDetailsAndAddressOnlyWhenGiven) {
  const FeedbackDetails details =
      DescribeForFeedback("1.4.2", 7, SystemDescription{"19045", "22H2", "", "Box", 2});
  EXPECT_EQ(DetailsLine(details),
            "Tessary 1.4.2 (7) \xC2\xB7 Windows 10 22H2 (build 19045) \xC2\xB7 PC Box \xC2\xB7 "
            "Displays 2");
  EXPECT_EQ(FeedbackBody(1, "  Crashed \"here\"\n", " ann@example.org ", "1.4.2", &details),
            R"j({"app":"tessary","platform":"windows","kind":"problem","message":"Crashed \"here\"",)j"
            R"j("version":"1.4.2","email":"ann@example.org","details":{"Tessary":"1.4.2 (7)",)j"
            R"j("Windows":"10 22H2 (build 19045)","PC":"Box","Displays":"2"}})j");
  EXPECT_EQ(FeedbackBody(3, "Hi", "", "1.4.2", nullptr),
            R"({"app":"tessary","platform":"windows","kind":"other","message":"Hi","version":"1.4.2"})");
  const FeedbackDetails eleven =
      DescribeForFeedback("0.1.5", 6, SystemDescription{"22631", "23H2", "Contoso", "Laptop", 1});
  EXPECT_EQ(eleven[1].second, "11 23H2 (build 22631)");
  EXPECT_EQ(eleven[2].second, "Contoso Laptop");
}

}  // namespace
}  // namespace tessary
