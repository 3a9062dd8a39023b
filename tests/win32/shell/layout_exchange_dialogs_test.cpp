// Exporting and importing layouts through the system's own save and open dialogs (under
// Wine here). The dialogs are modal on the test's thread; a second thread acts as the
// user: it finds each dialog, types the file name and presses Enter, and reads and closes
// the message box that reports the import.

#include <gtest/gtest.h>
#include <windows.h>
// The dialogs' control ids; needs the types of <windows.h> first.
#include <dlgs.h>

#include <filesystem>
#include <string>
#include <thread>

#include "layout/exchange_file.h"
#include "layout/layout_store.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/prompts_win32.h"
#include "platform/win32/wide_text.h"
#include "shell/layout_exchange.h"

namespace tessary {
namespace {

struct DialogSearch {
  const wchar_t* title;
  bool fileDialog;
  HWND found;
};

// A visible dialog of this process titled `title`: a file dialog (it has a file-type box)
// or a message box. Null when none came within the time.
HWND WaitForDialog(const wchar_t* title, bool fileDialog) {
  DialogSearch search{title, fileDialog, nullptr};
  for (int attempt = 0; attempt < 600 && search.found == nullptr; ++attempt) {
    Sleep(50);
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto& wanted = *reinterpret_cast<DialogSearch*>(data);
          DWORD process = 0;
          GetWindowThreadProcessId(window, &process);
          wchar_t className[16] = {};
          wchar_t text[64] = {};
          GetClassNameW(window, className, 16);
          GetWindowTextW(window, text, 64);
          if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
              wcscmp(className, L"#32770") == 0 && wcscmp(text, wanted.title) == 0 &&
              (GetDlgItem(window, cmb1) != nullptr) == wanted.fileDialog) {
            wanted.found = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
  }
  return search.found;
}

// The file-name box: an edit, or the edit somewhere inside the file-name combo box.
HWND FileNameEdit(HWND dialog) {
  if (HWND edit = GetDlgItem(dialog, edt1)) return edit;
  HWND combo = GetDlgItem(dialog, cmb13);
  HWND edit = nullptr;
  if (combo != nullptr) {
    EnumChildWindows(
        combo,
        [](HWND child, LPARAM data) -> BOOL {
          wchar_t className[16] = {};
          GetClassNameW(child, className, 16);
          if (wcscmp(className, L"Edit") != 0) return TRUE;
          *reinterpret_cast<HWND*>(data) = child;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&edit));
  }
  return edit;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  if (window != nullptr) SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

// What the user saw in one file dialog.
struct SeenDialog {
  bool shown = false;
  std::wstring fileName;  // the name in the box before typing
  LRESULT filterCount = 0;
  std::wstring firstFilter;
};

// Replaces the file name by typing `path` and presses Enter; the dialog must close.
SeenDialog TypeFileNameAndEnter(const wchar_t* title, const std::wstring& path) {
  SeenDialog seen;
  HWND dialog = WaitForDialog(title, true);
  HWND edit = dialog != nullptr ? FileNameEdit(dialog) : nullptr;
  if (edit == nullptr) {
    // A dialog without a name box to type into is cancelled, so the test fails instead of
    // waiting forever.
    if (dialog != nullptr) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return seen;
  }
  seen.shown = true;
  seen.fileName = TextOf(edit);
  HWND filters = GetDlgItem(dialog, cmb1);
  seen.filterCount = SendMessageW(filters, CB_GETCOUNT, 0, 0);
  seen.firstFilter.resize(256);
  SendMessageW(filters, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(seen.firstFilter.data()));
  seen.firstFilter.resize(wcslen(seen.firstFilter.c_str()));
  PostMessageW(edit, EM_SETSEL, 0, -1);
  for (wchar_t unit : path) PostMessageW(edit, WM_CHAR, unit, 1);
  PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(edit, WM_KEYUP, VK_RETURN, 0xC0000001);
  for (int attempt = 0; attempt < 200 && IsWindow(dialog); ++attempt) Sleep(50);
  // Nor does a dialog that did not take the name stay open.
  if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  return seen;
}

std::string Utf8(const std::filesystem::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
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
    saved = TypeFileNameAndEnter(L"Export Layouts", file.wstring());
    opened = TypeFileNameAndEnter(L"Import Layouts", file.wstring());
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

  EXPECT_TRUE(saved.shown);
  EXPECT_EQ(saved.fileName, L"Tessary Layouts.tessary.json");
  EXPECT_EQ(saved.filterCount, 1);
  EXPECT_EQ(saved.firstFilter, L"Tessary layouts (*.json)");
  EXPECT_TRUE(opened.shown);
  EXPECT_EQ(opened.filterCount, 2);  // and "All files"
  EXPECT_EQ(report, L"2 layouts were added to Main. No windows were moved.");
  const FileRead written = files.ReadFile(Utf8(file), kMaxExchangeFileBytes);
  EXPECT_EQ(written.bytes, BuildExportText(home.CustomLayouts("A")).text);
  const std::vector<SnapLayout> imported = away.CustomLayouts("B");
  ASSERT_EQ(imported.size(), 2u);
  EXPECT_EQ(imported[0].name, "Work");
  EXPECT_TRUE(TreesEqual(imported[1].tree, home.CustomLayouts("A")[1].tree));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tessary
