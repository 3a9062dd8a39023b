#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <utility>

#include "platform/win32/file_system_win32.h"
#include "platform/win32/key_names_win32.h"
#include "platform/win32/log_environment_win32.h"
#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

// Wine's keyboard is the US layout, whose key names are fixed.
TEST(Win32KeyNamesTest, KeysAreNamedByTheUsLayout) {
  if (LOWORD(reinterpret_cast<UINT_PTR>(GetKeyboardLayout(0))) != 0x0409) {
    GTEST_SKIP() << "not the US layout";
  }
  Win32KeyNames names;
  // The arrow and Delete are named as the extended keys, not as their number-pad twins;
  // an unassigned code has no scan code and so no name.
  const std::pair<std::uint32_t, const char*> named[] = {
      {'P', "P"}, {'7', "7"}, {VK_F5, "F5"}, {VK_LEFT, "Left"}, {VK_DELETE, "Delete"}, {0xE8, ""}};
  for (const auto& [key, name] : named) EXPECT_EQ(names.KeyName(key), name) << key;
}

TEST(Win32LogEnvironmentTest, AppendsSharedLinesAndReadsTheVariable) {
  LogEnvironment environment = Win32LogEnvironment();
  std::filesystem::path file = std::filesystem::temp_directory_path() /
                               ("tessary-log-" + std::to_string(GetCurrentProcessId()) + ".txt");
  std::filesystem::remove(file);
  const std::string path = Utf8FromWide(file.wstring());

  // Someone else holds the file open for reading and writing meanwhile.
  environment.appendToFile(path, "first\n");
  HANDLE other =
      CreateFileW(file.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  environment.appendToFile(path, "second\n");
  CloseHandle(other);
  EXPECT_EQ(Win32FileSystem().ReadFile(path, 100).bytes, "first\nsecond\n");
  std::filesystem::remove(file);

  // TESSARY_LOG, as wide text; empty is not missing.
  SetEnvironmentVariableW(L"TESSARY_LOG", L"C:\\logs\\t\u00e9.log");
  EXPECT_EQ(environment.readLogVariable(), "C:\\logs\\t\xC3\xA9.log");
  SetEnvironmentVariableW(L"TESSARY_LOG", L"");
  EXPECT_EQ(environment.readLogVariable(), "");
  SetEnvironmentVariableW(L"TESSARY_LOG", nullptr);
  EXPECT_EQ(environment.readLogVariable(), std::nullopt);

  // Both clocks advance with what happens: the wall clock over a sleep, the CPU time
  // over busy work (and not over the sleep).
  const double before = environment.nowSeconds();
  const double cpuBefore = environment.processCpuMs();
  Sleep(50);
  const double cpuAfterSleep = environment.processCpuMs();
  EXPECT_GE(environment.nowSeconds() - before, 0.045);
  EXPECT_LT(cpuAfterSleep - cpuBefore, 25.0);
  // Busy until 40 ms of CPU time are counted; a clock that does not count runs into the
  // time limit. (On a busy machine that may take longer than 40 ms of wall time.)
  const double limit = environment.nowSeconds() + 5.0;
  while (environment.processCpuMs() - cpuAfterSleep < 40.0 && environment.nowSeconds() < limit) {
  }
  EXPECT_LT(environment.nowSeconds(), limit);
}

}  // namespace
}  // namespace tessary
