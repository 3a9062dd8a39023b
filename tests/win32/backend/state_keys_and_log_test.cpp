#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/win32/key_names_win32.h"
#include "platform/win32/log_environment_win32.h"
#include "state/shortcut_text.h"

namespace tessary {
namespace {

TEST(Win32KeyNamesTest, ShortcutTextsComeFromTheKeyboardOrTheCode) {
  Win32KeyNames names;
  std::string letter = names.KeyName(0x50);
  // Without a keyboard layout loaded the name may be missing; then the code stands in.
  if (letter.empty()) {
    EXPECT_EQ(ShortcutText(names, 0x50, 3), "Ctrl+Alt+Key 80");
  } else {
    EXPECT_EQ(letter, "P");
    EXPECT_EQ(ShortcutText(names, 0x50, 3), "Ctrl+Alt+P");
  }
  EXPECT_EQ(ShortcutText(names, 0, 3), "None");
  // An unassigned code has no scan code and so no name.
  EXPECT_EQ(ShortcutText(names, 0xE8, 3), "Ctrl+Alt+Key 232");
  // The arrow is named as the extended key, never as its number-pad twin.
  std::string left = names.KeyName(0x25);
  EXPECT_EQ(left.find("Num"), std::string::npos) << left;
}

TEST(Win32LogEnvironmentTest, AppendsSharedLinesAndReadsTheVariable) {
  LogEnvironment environment = Win32LogEnvironment();
  std::filesystem::path file = std::filesystem::temp_directory_path() /
                               ("tessary-log-" + std::to_string(GetCurrentProcessId()) + ".txt");
  std::filesystem::remove(file);
  std::u8string path8 = file.u8string();
  std::string path(path8.begin(), path8.end());

  // Someone else holds the file open for reading and writing meanwhile.
  environment.appendToFile(path, "first\n");
  HANDLE other =
      CreateFileW(file.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  environment.appendToFile(path, "second\n");
  CloseHandle(other);
  {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "first\nsecond\n");
  }
  std::filesystem::remove(file);

  SetEnvironmentVariableW(L"TESSARY_LOG", nullptr);
  EXPECT_EQ(environment.readLogVariable(), std::nullopt);
  SetEnvironmentVariableW(L"TESSARY_LOG", L"");
  EXPECT_EQ(environment.readLogVariable(), "");
  SetEnvironmentVariableW(L"TESSARY_LOG", L"C:\\logs\\t\u00e9.log");
  EXPECT_EQ(environment.readLogVariable(), "C:\\logs\\t\xC3\xA9.log");
  SetEnvironmentVariableW(L"TESSARY_LOG", nullptr);

  double before = environment.nowSeconds();
  double cpu = environment.processCpuMs();
  EXPECT_GE(environment.nowSeconds(), before);
  EXPECT_GE(cpu, 0.0);
}

}  // namespace
}  // namespace tessary
