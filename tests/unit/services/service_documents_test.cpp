// What the services read and send: the update document, version texts, the services'
// addresses, and the feedback form's input check and the document it posts.

#include <gtest/gtest.h>

#include <limits>

#include "services/feedback_document.h"
#include "services/service_address.h"
#include "services/update_document.h"

namespace tessary {
namespace {

TEST(UpdateDocument, OnlyAnObjectWithAPositiveNumberBuildIsUsable) {
  struct Case {
    std::string body;
    std::optional<UpdateInfo> expected;
  };
  const std::vector<Case> cases = {
      {R"({"version":"0.1.5","build":6})", UpdateInfo{"0.1.5", 6}},
      {R"({"build":6.9,"version":7})", UpdateInfo{"", 6}},  // truncated; a version must be text
      {R"({"build":1e300})", UpdateInfo{"", std::numeric_limits<std::int64_t>::max()}},
      {R"({"build":0.5})", UpdateInfo{"", 0}},  // greater than 0, so usable; worth nothing
      {R"({"version":"0.1.5"})", std::nullopt},
      {R"({"build":0})", std::nullopt},
      {R"({"build":-3})", std::nullopt},
      {R"({"build":"6"})", std::nullopt},
      {R"({"build":true})", std::nullopt},
      {R"([{"build":6}])", std::nullopt},
      {R"({"build":6)", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseUpdateDocument(c.body), c.expected) << c.body;
  // Cut at the cap, a longer answer no longer parses.
  const std::string padded = R"({"build":6,"pad":")" + std::string(kMaxUpdateDocumentBytes, ' ') + "\"}";
  EXPECT_EQ(ParseUpdateDocument(padded.substr(0, kMaxUpdateDocumentBytes)), std::nullopt);
}

// A greater build, an equal one and no answer are told in the update stories.
TEST(UpdateDocument, OutcomeNeedsAGreaterBuildAndAKnownOwnOne) {
  EXPECT_EQ(OutcomeOf(UpdateInfo{"0.1.4", 5}, 6), UpdateOutcome::kUpToDate);
  EXPECT_EQ(OutcomeOf(UpdateInfo{"9.0.0", 99}, 0), UpdateOutcome::kUpToDate);
}

TEST(Versions, CompareAsPaddedListsOfLeadingNumbers) {
  EXPECT_EQ(CompareVersions("0.1", "0.1.0"), 0);
  EXPECT_EQ(CompareVersions("0.1.2", "0.1.10"), -1);
  EXPECT_EQ(CompareVersions("0.1.5", "0.1.4"), 1);
  EXPECT_EQ(CompareVersions("0.1.0", "0.1.0.1"), -1);  // a prefix is smaller
  EXPECT_EQ(CompareVersions("1.2rc3.0", "1.2.0"), 0);
  EXPECT_EQ(CompareVersions("", "0.0.0"), 0);
}

TEST(ServiceAddress, OverridesParseAndPlainHttpIsOnlyForThisMachine) {
  const HttpAddress fallback{"quillfrost.example", 443, "/download/Tessary-Windows.json", true};
  struct Case {
    std::optional<std::string> url;
    HttpAddress expected;
  };
  const std::vector<Case> cases = {
      {std::nullopt, fallback},
      {"http://127.0.0.1:8123/u.json", {"127.0.0.1", 8123, "/u.json", false}},
      {"http://localhost/u", {"localhost", 80, "/u", false}},
      {"https://updates.test.example", {"updates.test.example", 443, "/", true}},
      {"https://[::1]:9443/x", {"[::1]", 9443, "/x", true}},
      {"http://updates.test.example/u.json", fallback},  // plain over the network: refused
      {"ftp://127.0.0.1/u", fallback},
      {"https://:443/u", fallback},
      {"https://host:0/u", fallback},
      {"https://host:99999/u", fallback},
      {"https://user@host/u", fallback},
      {"https://host/" + std::string(600, 'a'), fallback},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ServiceAddress(c.url, "/download/Tessary-Windows.json"), c.expected)
        << c.url.value_or("(none)");
  }
}

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
  EXPECT_EQ(
      FeedbackBody(1, "  Crashed \"here\"\n", " ann@example.org ", "1.4.2", &details),
      R"j({"app":"tessary","platform":"windows","kind":"problem","message":"Crashed \"here\"",)j"
      R"j("version":"1.4.2","email":"ann@example.org","details":{"Tessary":"1.4.2 (7)",)j"
      R"j("Windows":"10 22H2 (build 19045)","PC":"Box","Displays":"2"}})j");
  EXPECT_EQ(
      FeedbackBody(3, "Hi", "", "1.4.2", nullptr),
      R"({"app":"tessary","platform":"windows","kind":"other","message":"Hi","version":"1.4.2"})");
  const FeedbackDetails eleven =
      DescribeForFeedback("0.1.5", 6, SystemDescription{"22631", "23H2", "Contoso", "Laptop", 1});
  EXPECT_EQ(eleven[1].second, "11 23H2 (build 22631)");
  EXPECT_EQ(eleven[2].second, "Contoso Laptop");
}

}  // namespace
}  // namespace tessary
