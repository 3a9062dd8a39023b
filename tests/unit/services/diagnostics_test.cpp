// The diagnostics file: its snapshot text, the stamped steps, the cap and the pruning.

#include <gtest/gtest.h>

#include "base/log.h"
#include "services/diagnostics_recorder.h"
#include "services/diagnostics_snapshot.h"
#include "support/memory_files.h"

namespace tessary::testing {
namespace {

TEST(DiagnosticsSnapshot, NamesDisplaysRegionsAndAppsInItsFixedFormat) {
  SnapshotFacts facts;
  const RegionMap halves{{0, Rect{8, 8, 948, 1024}}, {1, Rect{964, 8, 948, 1024}}};
  facts.displays.push_back({"Studio Display", {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 1.0,
                            std::string("halves"), halves});
  facts.displays.push_back({"Side", {1920, -200, 2560, 1440}, {1920, -200, 2560, 1400}, 1.5, {}, {}});
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
            "  " + std::string(handle) + " Notepad: 964,8 948x1024\r\n"
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
  EXPECT_EQ(recorder.Stop("END\r\n"), JoinPath("diag", "Tessary Diagnostics 2026-12-07 at 04.05.06.txt"));
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
  for (std::uint64_t i = 0; i <= kMaxDiagnosticsStepBytes / 1000; ++i) recorder.WriteStep(line + "\n");
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
