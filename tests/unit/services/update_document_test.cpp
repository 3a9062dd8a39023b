// The update document, version texts and the services' addresses.

#include <gtest/gtest.h>

#include <limits>

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

}  // namespace
}  // namespace tessary
