// Exporting and importing layouts through the system's own save and open dialogs (under
// Wine here). The dialogs are modal on the test's thread; a second thread acts as the
// user: it finds each dialog, enters the file name and presses OK, and reads and closes
// the message box that reports the import.

#include <gtest/gtest.h>
#include <windows.h>
// The dialogs' control ids; needs the types of <windows.h> first.
#include <dlgs.h>

#include <filesystem>
#include <string>
#include <thread>

#include "layout/layout_store.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/prompts_win32.h"
#include "shell/layout_exchange.h"

namespace tessary {
namespace {

// A visible dialog titled `title`: a file dialog (it has a file-type box) or a message
// box. Null when none came within the time.
HWND WaitForDialog(const wchar_t* title, bool fileDialog) {
  for (int attempt = 0; attempt < 600; ++attempt) {
    Sleep(50);
    HWND found = FindWindowW(L"#32770", title);
    if (found != nullptr && IsWindowVisible(found) &&
        (GetDlgItem(found, cmb1) != nullptr) == fileDialog) {
      return found;
    }
  }
  return nullptr;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  if (window != nullptr) SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

// What the user saw in one file dialog.
struct SeenDialog {
  std::wstring fileName;  // the name in the box before it is replaced
  LRESULT filterCount = 0;
  std::wstring filter;  // the one chosen at the start
};

// Replaces the file name by `path` and presses OK; the dialog must close. (The name box is
// an edit, or the edit of a combo box, which takes the text for it.)
SeenDialog EnterFileName(const wchar_t* title, const std::wstring& path) {
  SeenDialog seen;
  HWND dialog = WaitForDialog(title, true);
  if (dialog == nullptr) return seen;
  HWND name = GetDlgItem(dialog, edt1) ? GetDlgItem(dialog, edt1) : GetDlgItem(dialog, cmb13);
  seen.fileName = TextOf(name);
  HWND filters = GetDlgItem(dialog, cmb1);
  seen.filterCount = SendMessageW(filters, CB_GETCOUNT, 0, 0);
  seen.filter = TextOf(filters);
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  for (int attempt = 0; attempt < 200 && IsWindow(dialog); ++attempt) Sleep(50);
  // A dialog that did not take the name is cancelled, so the test fails instead of
  // waiting forever.
  if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  return seen;
}

TEST(Win32LayoutExchange, TheSaveDialogWritesAFileThatTheOpenDialogImports) {
  if (GetSystemMetrics(SM_CXSCREEN) < 500) GTEST_SKIP() << "no usable display";
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("tessary-exchange-" + std::to_string(GetCurrentProcessId()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "desk layouts.json";

  LayoutStore home;
  ASSERT_TRUE(home.SaveCustomLayout(
      "A",
      SnapLayout{"user-1", "Work", MakeSplit(Axis::Columns, 0.6, MakeLeaf(0), MakeLeaf(1)), {}}));
  ASSERT_TRUE(home.SaveCustomLayout(
      "A",
      SnapLayout{"user-2", "Focus", MakeSplit(Axis::Rows, 0.3, MakeLeaf(1), MakeLeaf(0)), {}}));
  LayoutStore away;

  SeenDialog saved;
  SeenDialog opened;
  std::wstring report;
  std::thread user([&] {
    saved = EnterFileName(L"Export Layouts", file.wstring());
    opened = EnterFileName(L"Import Layouts", file.wstring());
    if (HWND box = WaitForDialog(L"Import Layouts", false)) {
      report = TextOf(GetDlgItem(box, 0xFFFF));
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
  });
  Win32Prompts prompts;
  Win32FileSystem files;
  ExportLayouts(LayoutExchangeAccess{prompts, files}, home.CustomLayouts("A"));
  ImportLayouts(LayoutExchangeAccess{prompts, files}, ImportTarget{away, "B", "Main"});
  user.join();

  EXPECT_EQ(saved.fileName, L"Tessary Layouts.tessary.json");
  EXPECT_EQ(saved.filterCount, 1);
  EXPECT_EQ(saved.filter, L"Tessary layouts (*.json)");
  EXPECT_EQ(opened.filterCount, 2);  // and "All files"
  // The exported file was read back, both its layouts added. (What the file and the imported
  // layouts hold: the LayoutExchangeStory scenario tests.)
  EXPECT_EQ(report, L"2 layouts were added to Main. No windows were moved.");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tessary
