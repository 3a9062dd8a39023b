// What the services read, send and write: the update document, version texts, the
// services' addresses, the feedback form's input check and the document it posts, and the
// diagnostics file (its snapshot text, the stamped steps, the cap and the pruning).

#include <gtest/gtest.h>

#include <limits>

#include "base/log.h"
#include "services/diagnostics_recorder.h"
#include "services/diagnostics_snapshot.h"
#include "services/feedback_document.h"
#include "services/service_address.h"
#include "services/update_document.h"
#include "support/memory_files.h"

namespace tessary::testing {
namespace {

TEST(UpdateDocument, OnlyAnObjectWithAPositiveNumberBuildIsUsableAndOnlyAboveAKnownBuild) {
  struct Case {
    std::string body;
    std::optional<UpdateInfo> expected;
  };
  const std::vector<Case> cases = {
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
  // A usable document finds an update only above a known own build (a greater build, an
  // equal one and no answer are told in the update stories).
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

TEST(DiagnosticsSnapshot, NamesDisplaysRegionsAndAppsInItsFixedFormat) {
  SnapshotFacts facts;
  const RegionMap halves{{0, Rect{8, 8, 948, 1024}}, {1, Rect{964, 8, 948, 1024}}};
  facts.displays.push_back({"Studio Display",
                            {0, 0, 1920, 1080},
                            {0, 0, 1920, 1040},
                            1.0,
                            std::string("halves"),
                            halves});
  facts.displays.push_back(
      {"Side", {1920, -200, 2560, 1440}, {1920, -200, 2560, 1400}, 1.5, {}, {}});
  facts.windows.push_back({0x2a, "Notepad", {964, 8, 948, 1024}});
  facts.rememberedSizes = 3;
  facts.movedBadges = true;
  facts.badges = false;
  char handle[32];
  std::snprintf(handle, sizeof handle, "%p", reinterpret_cast<void*>(std::uintptr_t{0x2a}));
  EXPECT_EQ(SnapshotText(facts),
            "Display Studio Display: 0,0 1920x1080, work 0,0 1920x1040, scale 1.00\r\n"
            "  layout halves\r\n"
            "  region 0: 8,8 948x1024\r\n"
            "  region 1: 964,8 948x1024\r\n"
            "Display Side: 1920,-200 2560x1440, work 1920,-200 2560x1400, scale 1.50\r\n"
            "  no layout\r\n"
            "Windows, front to back (apps only, no titles):\r\n"
            "  " +
                std::string(handle) +
                " Notepad: 964,8 948x1024\r\n"
                "Remembered sizes: 3 apps; moved badges: yes; paused: no; stacks: on; badges: off "
                "(edge: yes)\r\n");
}

class RecorderTest : public ::testing::Test {
 protected:
  void TearDown() override { SetDiagnosticsRecorder(nullptr); }
  const std::string& File() { return files.files.begin()->second; }

  MemoryFiles files;
  double now = 100;
  DiagnosticsRecorder recorder{files, [this] { return now; }};
  LocalTime time{2026, 12, 7, 4, 5, 6};
};

TEST_F(RecorderTest, StepsBetweenTheSnapshotsAreStampedWithSecondsSinceTheStart) {
  Log("before %d", 1);
  ASSERT_TRUE(recorder.Start("diag", time, "START\r\n"));
  EXPECT_FALSE(recorder.Start("diag", time, "again"));
  now = 101.256;
  Log("placed kind=%d", 1);
  now = 1300;
  EXPECT_EQ(recorder.Stop("END\r\n"),
            JoinPath("diag", "Tessary Diagnostics 2026-12-07 at 04.05.06.txt"));
  Log("after %d", 2);
  EXPECT_EQ(File(),
            "\xEF\xBB\xBFTessary diagnostics, started 2026-12-07 04:05:06\r\n\r\n"
            "== At the start ==\r\nSTART\r\n\r\n== Steps ==\r\n"
            "    1.26  placed kind=1\n"
            "\r\n== At the end (20.0 minutes) ==\r\nEND\r\n");
  EXPECT_EQ(recorder.Stop("x"), "");
}

TEST_F(RecorderTest, PastEightMebibytesOfStepsOnlyTheEndSnapshotIsWritten) {
  ASSERT_TRUE(recorder.Start("diag", time, ""));
  const std::string line(1000, 'x');
  for (std::uint64_t i = 0; i <= kMaxDiagnosticsStepBytes / 1000; ++i)
    recorder.WriteStep(line + "\n");
  const std::size_t capped = File().size();
  EXPECT_GT(capped, kMaxDiagnosticsStepBytes);
  recorder.WriteStep("one more\n");
  recorder.WriteStep("");
  EXPECT_EQ(File().size(), capped);
  recorder.Stop("END\r\n");
  EXPECT_EQ(File().substr(File().size() - 5), "END\r\n");
}

TEST_F(RecorderTest, AFailedStartStaysClosedAndAStopKeepsTheFiveNewestRecordings) {
  files.failWrites = true;
  EXPECT_FALSE(recorder.Start("diag", time, ""));
  EXPECT_FALSE(recorder.Open());
  files.failWrites = false;
  for (int day = 1; day <= 6; ++day) {
    files.files[JoinPath("diag", DiagnosticsFileName({2026, 11, day, 9, 0, 0}))] = "old";
  }
  files.files[JoinPath("diag", "notes.txt")] = "kept";
  ASSERT_TRUE(recorder.Start("diag", time, ""));
  recorder.Stop("");
  std::vector<std::string> left;
  for (const auto& [path, bytes] : files.files) left.push_back(path);
  EXPECT_EQ(left, (std::vector<std::string>{
                      JoinPath("diag", "Tessary Diagnostics 2026-11-03 at 09.00.00.txt"),
                      JoinPath("diag", "Tessary Diagnostics 2026-11-04 at 09.00.00.txt"),
                      JoinPath("diag", "Tessary Diagnostics 2026-11-05 at 09.00.00.txt"),
                      JoinPath("diag", "Tessary Diagnostics 2026-11-06 at 09.00.00.txt"),
                      JoinPath("diag", "Tessary Diagnostics 2026-12-07 at 04.05.06.txt"),
                      JoinPath("diag", "notes.txt")}));
}

}  // namespace
}  // namespace tessary::testing
