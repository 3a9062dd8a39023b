#include "base/log.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessary {
namespace {

// Installs a fresh recorded environment: a settable variable, an in-memory "file system" of
// appended lines, and clocks that move only when the test says so.
class LogTest : public ::testing::Test {
 protected:
  void Install(std::optional<std::string> variable) {
    appended.clear();
    paths.clear();
    reads = 0;
    LogEnvironment environment;
    environment.readLogVariable = [this, variable] {
      ++reads;
      return variable;
    };
    environment.appendToFile = [this](const std::string& path, std::string_view line) {
      paths.insert(path);
      appended.emplace_back(line);
    };
    environment.nowSeconds = [this] { return now; };
    environment.processCpuMs = [this] { return cpu; };
    InstallLogEnvironment(std::move(environment));
  }

  void TearDown() override {
    SetLogRecorder(nullptr);
    InstallLogEnvironment({});
  }

  std::set<std::string> paths;  // of every appended line
  std::vector<std::string> appended;
  int reads = 0;
  double now = 100.0;
  double cpu = 50.0;
};

// Unset, the variable turns logging and records off; empty, or too long for its buffer
// (260 units), it turns records on but names no file. Lines always reach a recording.
TEST_F(LogTest, TheVariableNamesTheFileAndSwitchesRecordsOn) {
  const struct {
    std::optional<std::string> variable;
    bool measures;
    bool writes;
  } cases[] = {
      {"C:\\logs\\tessary.log", true, true},
      {std::nullopt, false, false},
      {"", true, false},
      {std::string(260, 'p'), true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.variable.value_or("(unset)").substr(0, 20));
    Install(c.variable);
    std::vector<std::string> recorded;
    SetLogRecorder([&](std::string_view line) { recorded.emplace_back(line); });
    PerformanceRecord record("switcher-open");
    EXPECT_EQ(record.Enabled(), c.measures);
    Log("placed kind=%d region=%d held=%d", 1, 2, 0);
    now += 0.0164;
    cpu += 9.8;
    record.Finish();
    SetLogRecorder(nullptr);
    Log("after %d", 8);
    std::vector<std::string> lines = {"placed kind=1 region=2 held=0\n"};
    if (c.measures) lines.push_back("perf switcher-open total=16.4 cpu=9.8\n");
    EXPECT_EQ(recorded, lines);
    lines.push_back("after 8\n");
    EXPECT_EQ(appended, c.writes ? lines : std::vector<std::string>{});
    EXPECT_EQ(paths, c.writes ? std::set<std::string>{*c.variable} : std::set<std::string>{});
    EXPECT_EQ(reads, 1);  // read once, on first use, for lines and records
  }
}

// A line is cut at 509 UTF-16 units and still ends with a line feed; a character is never
// split, and one outside the basic plane (two units) that would straddle the cut is left
// out whole.
TEST_F(LogTest, LongLinesAreCutAt509Characters) {
  Install("log.txt");
  std::string accented;  // two bytes, one unit each
  for (int i = 0; i < 520; ++i) accented += "\xC3\xA9";
  const std::pair<std::string, std::string> cases[] = {
      {std::string(600, 'x'), std::string(509, 'x')},
      {std::string(509, 'y'), std::string(509, 'y')},
      {accented, accented.substr(0, 509 * 2)},
      {std::string(508, 'a') + "\xF0\x9F\x98\x80", std::string(508, 'a')},
      {std::string(507, 'a') + "\xF0\x9F\x98\x80", std::string(507, 'a') + "\xF0\x9F\x98\x80"},
  };
  for (const auto& [text, kept] : cases) {
    appended.clear();
    Log("%s", text.c_str());
    EXPECT_EQ(appended, std::vector<std::string>{kept + "\n"});
  }
}

// Layers below a view mark whatever record the innermost scope names, and a null scope
// keeps an operation that is not timed out of an outer record.
TEST_F(LogTest, MarksGoToTheInnermostScopesRecord) {
  Install("log.txt");
  MarkPerformance("nowhere");
  PerformanceRecord outer("picker-show");
  {
    PerformanceMarkScope outerScope(&outer);
    now += 0.001;
    MarkPerformance("layouts");
    PerformanceRecord inner("outline-show");
    {
      PerformanceMarkScope innerScope(&inner);
      now += 0.002;
      MarkPerformance("paint");
      PerformanceMarkScope untimed(nullptr);
      MarkPerformance("untimed");
    }
    inner.Finish();
    now += 0.003;
    MarkPerformance("present");
  }
  MarkPerformance("after");
  outer.Finish();
  EXPECT_EQ(appended, (std::vector<std::string>{
                          "perf outline-show total=2.0 cpu=0.0 [paint=2.0]\n",
                          "perf picker-show total=6.0 cpu=0.0 [layouts=1.0 present=5.0]\n"}));
}

TEST_F(LogTest, RecordsWithFramesMarksGpuAndTailAndTheirP95) {
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
  // p95 of four frames: index min(floor(3.8), 3) = 3, the largest.
  EXPECT_EQ(appended,
            std::vector<std::string>{
                "perf picker-show total=16.4 cpu=12.2 frames=4 first=4.1 avg=14.5 p95=30.0 "
                "max=30.0 long=1 gpu=3.0 gpuFrame=1.5 [layout=4.0 paint=2.5] views=3\n"});

  // p95 is the frame at index floor(count * 0.95) of the sorted frames: of one frame that
  // frame, of 20 the 20th, of 40 the 39th.
  const std::pair<int, std::string> cases[] = {
      {1, " frames=1 first=0.0 avg=1.0 p95=1.0 max=1.0 long=0\n"},
      {20, " frames=20 first=0.0 avg=10.5 p95=20.0 max=20.0 long=0\n"},
      {40, " frames=40 first=0.0 avg=20.5 p95=39.0 max=40.0 long=15\n"},
  };
  for (const auto& [count, expected] : cases) {
    appended.clear();
    PerformanceRecord glide("glide n=2");
    for (int i = count; i >= 1; --i) glide.AddFrame(i);  // unsorted on purpose
    glide.Finish();
    glide.Finish();  // a second Finish writes nothing
    EXPECT_EQ(appended, std::vector<std::string>{"perf glide n=2 total=0.0 cpu=0.0" + expected});
  }
}

// Switches the numeric locale to one whose decimal mark is a comma. Linux machines often
// have none installed; one is then compiled from the system's locale sources into a
// folder of the test's own.
bool UseDecimalCommaLocale() {
  auto comma = [] {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "German_Germany.1252"}) {
      if (std::setlocale(LC_NUMERIC, name) && *std::localeconv()->decimal_point == ',') {
        return true;
      }
    }
    return false;
  };
  if (comma()) return true;
#if defined(__linux__)
  const std::string folder = ::testing::TempDir() + "tessary-locales";
  const std::string make = "mkdir -p '" + folder + "' && localedef -i de_DE -f UTF-8 '" + folder +
                           "/de_DE.UTF-8' >/dev/null 2>&1";
  if (std::system(make.c_str()) == 0 && ::setenv("LOCPATH", folder.c_str(), 1) == 0) {
    return comma();
  }
#endif
  return false;
}

TEST_F(LogTest, NumbersIgnoreTheProcessLocale) {
  Install("log.txt");
  if (!UseDecimalCommaLocale()) {
    std::setlocale(LC_NUMERIC, "C");
    FAIL() << "no locale with a decimal comma could be installed or made";
  }
  PerformanceRecord record("fx-Cards");
  now += 1.25;
  record.Finish();
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(appended, std::vector<std::string>{"perf fx-Cards total=1250.0 cpu=0.0\n"});
}

}  // namespace
}  // namespace tessary
