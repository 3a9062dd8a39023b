#include "base/log.h"

#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <string>
#include <vector>

namespace tessary {
namespace {

// Installs a recorded environment: a settable variable, an in-memory "file system" of
// appended lines, and clocks that move only when the test says so.
class LogTest : public ::testing::Test {
 protected:
  void Install(std::optional<std::string> variable) {
    LogEnvironment environment;
    environment.readLogVariable = [this, variable] {
      ++reads;
      return variable;
    };
    environment.appendToFile = [this](const std::string& path, std::string_view line) {
      appended.push_back({path, std::string(line)});
    };
    environment.nowSeconds = [this] { return now; };
    environment.processCpuMs = [this] { return cpu; };
    InstallLogEnvironment(std::move(environment));
  }

  void TearDown() override {
    SetLogRecorder(nullptr);
    LogEnvironment quiet;
    quiet.readLogVariable = [] { return std::optional<std::string>(); };
    InstallLogEnvironment(std::move(quiet));
  }

  struct Appended {
    std::string path;
    std::string line;
  };
  std::vector<Appended> appended;
  int reads = 0;
  double now = 100.0;
  double cpu = 50.0;
};

TEST_F(LogTest, LinesGoToTheNamedFileOneAppendPerLine) {
  Install("C:\\logs\\tessary.log");
  Log("placed kind=%d region=%d held=%d", 1, 2, 0);
  Log("start %p %s", static_cast<void*>(nullptr), "Notepad");
  ASSERT_EQ(appended.size(), 2u);
  EXPECT_EQ(appended[0].path, "C:\\logs\\tessary.log");
  EXPECT_EQ(appended[0].line, "placed kind=1 region=2 held=0\n");
  EXPECT_EQ(appended[1].line.back(), '\n');
  EXPECT_EQ(reads, 1);  // the variable is read once, on first use
}

TEST_F(LogTest, UnsetVariableWritesNothingAndRecordsDoNotMeasure) {
  Install(std::nullopt);
  Log("nothing %d", 1);
  EXPECT_TRUE(appended.empty());
  PerformanceRecord record("picker-show");
  EXPECT_FALSE(record.Enabled());
  std::vector<std::string> recorded;
  SetLogRecorder([&](std::string_view line) { recorded.emplace_back(line); });
  record.Finish();
  EXPECT_TRUE(recorded.empty());
}

TEST_F(LogTest, EmptyVariableMeasuresButWritesOnlyToARecording) {
  Install("");
  std::vector<std::string> recorded;
  Log("before the recording");
  SetLogRecorder([&](std::string_view line) { recorded.emplace_back(line); });
  PerformanceRecord record("switcher-open");
  EXPECT_TRUE(record.Enabled());
  now += 0.0164;
  cpu += 9.8;
  record.Finish();
  EXPECT_TRUE(appended.empty());
  ASSERT_EQ(recorded.size(), 1u);
  EXPECT_EQ(recorded[0], "perf switcher-open total=16.4 cpu=9.8\n");
}

TEST_F(LogTest, LongLinesAreCutAt509CharactersAndStillEndTheLine) {
  Install("log.txt");
  std::string longText(600, 'x');
  Log("%s", longText.c_str());
  ASSERT_EQ(appended.size(), 1u);
  EXPECT_EQ(appended[0].line, std::string(509, 'x') + "\n");

  // Exactly 509 is kept whole.
  Log("%s", std::string(509, 'y').c_str());
  EXPECT_EQ(appended[1].line, std::string(509, 'y') + "\n");
}

TEST_F(LogTest, CutCountsCharactersNotBytesAndNeverSplitsOne) {
  Install("log.txt");
  // "é" is two bytes and one character: 509 of them are kept whole.
  std::string accented;
  for (int i = 0; i < 520; ++i) accented += "\xC3\xA9";
  Log("%s", accented.c_str());
  ASSERT_EQ(appended.size(), 1u);
  EXPECT_EQ(appended[0].line.size(), 509u * 2 + 1);

  // A character outside the basic plane takes two of the 509 units; one that would
  // straddle the cut is left out whole.
  std::string text(508, 'a');
  text += "\xF0\x9F\x98\x80";
  Log("%s", text.c_str());
  EXPECT_EQ(appended[1].line, std::string(508, 'a') + "\n");
}

TEST_F(LogTest, RecorderReceivesEveryLineEvenWithoutAFile) {
  Install(std::nullopt);
  std::vector<std::string> recorded;
  SetLogRecorder([&](std::string_view line) { recorded.emplace_back(line); });
  Log("drop %d", 7);
  SetLogRecorder(nullptr);
  Log("after %d", 8);
  ASSERT_EQ(recorded.size(), 1u);
  EXPECT_EQ(recorded[0], "drop 7\n");
  EXPECT_TRUE(appended.empty());
}

TEST_F(LogTest, AnOverlongLogPathNamesNoFile) {
  Install(std::string(260, 'p'));
  Log("lost");
  EXPECT_TRUE(appended.empty());
  PerformanceRecord record("slide");
  EXPECT_TRUE(record.Enabled());  // the variable is still defined
}

TEST_F(LogTest, RecordWithFramesMarksGpuAndTail) {
  Install("log.txt");
  PerformanceRecord record("picker-show");
  now += 0.004;
  record.Mark("layout");
  now += 0.0025;
  record.Mark("paint");
  for (double frame : {8.0, 16.0, 4.0, 30.0}) record.AddFrame(frame);
  record.SetFirst(4.1);
  record.AddGpu(1.0);
  record.AddGpu(2.0);
  record.SetTail(" views=3");
  now += 0.0099;
  cpu += 12.25;
  record.Finish();
  ASSERT_EQ(appended.size(), 1u);
  // p95 of four frames: index min(floor(3.8), 3) = 3, the largest.
  EXPECT_EQ(appended[0].line,
            "perf picker-show total=16.4 cpu=12.2 frames=4 first=4.1 avg=14.5 p95=30.0 "
            "max=30.0 long=1 gpu=3.0 gpuFrame=1.5 [layout=4.0 paint=2.5] views=3\n");
}

TEST_F(LogTest, P95OfOneFrameAndOfTwentyFrames) {
  Install("log.txt");
  {
    PerformanceRecord record("one");
    record.AddFrame(12.5);
    record.Finish();
  }
  {
    PerformanceRecord record("twenty");
    for (int i = 20; i >= 1; --i) record.AddFrame(i);  // unsorted on purpose
    record.Finish();
  }
  ASSERT_EQ(appended.size(), 2u);
  EXPECT_NE(appended[0].line.find(" frames=1 first=0.0 avg=12.5 p95=12.5 max=12.5 long=0"),
            std::string::npos)
      << appended[0].line;
  // floor(20 * 0.95) = 19: the 20th smallest, which is also the maximum.
  EXPECT_NE(appended[1].line.find(" frames=20 first=0.0 avg=10.5 p95=20.0 max=20.0 long=0"),
            std::string::npos)
      << appended[1].line;
}

TEST_F(LogTest, P95PicksTheIndexNotTheMaximumForLargerCounts) {
  Install("log.txt");
  PerformanceRecord record("glide n=2");
  for (int i = 1; i <= 40; ++i) record.AddFrame(i);  // floor(38.0) = 38 -> 39.0
  record.Finish();
  ASSERT_EQ(appended.size(), 1u);
  EXPECT_NE(appended[0].line.find(" p95=39.0 max=40.0 long=15"), std::string::npos)
      << appended[0].line;
}

TEST_F(LogTest, FinishTwiceWritesOneLine) {
  Install("log.txt");
  PerformanceRecord record("badge-grow");
  record.Finish();
  record.Finish();
  EXPECT_EQ(appended.size(), 1u);
  EXPECT_EQ(appended[0].line, "perf badge-grow total=0.0 cpu=0.0\n");
}

TEST_F(LogTest, NumbersIgnoreTheProcessLocale) {
  Install("log.txt");
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");  // may be missing; then this is the classic one
  PerformanceRecord record("fx-Cards");
  now += 1.25;
  record.Finish();
  std::setlocale(LC_NUMERIC, "C");
  ASSERT_EQ(appended.size(), 1u);
  EXPECT_EQ(appended[0].line, "perf fx-Cards total=1250.0 cpu=0.0\n");
}

TEST_F(LogTest, TheVariableIsReadOnceForLinesAndRecords) {
  Install("log.txt");
  Log("a");
  PerformanceRecord record("slide");
  Log("b");
  record.Finish();
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(appended.size(), 3u);
}

}  // namespace
}  // namespace tessary
