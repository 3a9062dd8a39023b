#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/startup_entry_win32.h"
#include "platform/win32/wide_text.h"
#include "window_host_client.h"

namespace tessary {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A value name of the test's own, so that a real installation's entry is never touched.
std::string TestValueName() { return "Tessary-test-" + std::to_string(GetCurrentProcessId()); }

TEST(Win32StartupEntryTest, RunValueIsWrittenReadAndRemoved) {
  std::string name = TestValueName();
  Win32StartupEntry entry(name);
  EXPECT_FALSE(entry.ManagedByPackage());  // a plain program, not packaged
  EXPECT_FALSE(entry.IsRegistered());

  ASSERT_TRUE(entry.SetRegistered(true));
  EXPECT_TRUE(entry.IsRegistered());
  // A string value (RRF_RT_REG_SZ refuses any other type) quoting this program's path.
  wchar_t value[1024] = {};
  DWORD size = sizeof value;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, kRunKey, WideFromUtf8(name).c_str(), RRF_RT_REG_SZ,
                         nullptr, value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(value), L"\"" + testing::OwnExecutablePath() + L"\"");

  // Only a string value counts as the entry.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  DWORD number = 1;
  RegSetValueExW(key, WideFromUtf8(name).c_str(), 0, REG_DWORD, reinterpret_cast<BYTE*>(&number),
                 sizeof number);
  RegCloseKey(key);
  EXPECT_FALSE(entry.IsRegistered());

  ASSERT_TRUE(entry.SetRegistered(false));
  EXPECT_FALSE(entry.IsRegistered());
  EXPECT_TRUE(entry.SetRegistered(false));  // removing what is not there is fine
}

}  // namespace
}  // namespace tessary
