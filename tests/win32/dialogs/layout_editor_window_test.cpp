// The real layout editor window under Wine: its controls are real Win32 controls, keys go
// through the program's dialog key filter as in its message loop, and a saved layout lands
// in layouts.json.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/layout_editor.h"
#include "dialogs/layout_editor_controls.h"
#include "layout/layout_ids.h"
#include "layout/layout_store.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/graphics_factories.h"
#include "platform/win32/shell_main_window_win32.h"
#include "platform/win32/surface_win32.h"
#include "state/state_store.h"

namespace tessary {
namespace {

namespace id = editor_id;

// Nothing modal in a test: questions are answered and recorded.
class AnsweringPrompts final : public Prompts {
 public:
  bool Confirm(const std::string&, const std::string&) override { return true; }
  bool Ask(const std::string&, const std::string&, PromptIcon) override { return true; }
  bool AskYesNo(const std::string&, const std::string&, PromptIcon) override { return true; }
  void Inform(const std::string&, const std::string& text, PromptIcon) override {
    told.push_back(text);
  }
  std::optional<std::string> ChooseFileToOpen(const FileChoice&) override { return {}; }
  std::optional<std::string> ChooseFileToSave(const FileChoice&) override { return {}; }
  void InformationBeep() override {}
  void WarningBeep() override {}
  std::vector<std::string> told;
};

// The program's loop: the dialog key filter first, then translation and dispatch.
void Pump(double seconds) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  MSG message;
  while (GetTickCount64() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_KEYDOWN && RouteDialogKey(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

// A key pressed on the control that has the focus, as the keyboard delivers it.
void Press(WPARAM key) {
  HWND focus = GetFocus();
  PostMessageW(focus, WM_KEYDOWN, key, 1);
  PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
  Pump(0.15);
}

int FocusedId() { return GetDlgCtrlID(GetFocus()); }

class EditorWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static GraphicsFactories graphics;
    ASSERT_TRUE(graphics.Create());
    static Win32SurfaceFactory factory(GetModuleHandleW(nullptr), graphics);
    surfaces_ = &factory;
  }
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("tessary-editor-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    path = (folder / "layouts.json").string();
    store = std::make_unique<StateStore>(files, path);
    layouts = std::make_unique<LayoutStore>(store.get());
  }
  void TearDown() override {
    editor.Close();
    std::filesystem::remove_all(folder);
  }
  bool OpenNew() {
    LayoutEditorInput input;
    input.display = {{0, 0, 1600, 900}, 1.0, "display-1", "Test display"};
    input.onSave = [this](const SnapLayout& layout, bool) {
      SnapLayout own = layout;
      own.id = NewUserLayoutId();
      return layouts->SaveCustomLayout("display-1", own);
    };
    const bool opened = editor.Open(std::move(input));
    Pump(0.3);
    return opened;
  }
  HWND Root() const { return FindWindowW(L"TessaryEditor", nullptr); }
  std::string FileText() {
    FileRead read = files.ReadFile(path, 1 << 20);
    return read.bytes;
  }

  static Win32SurfaceFactory* surfaces_;
  std::filesystem::path folder;
  std::string path;
  Win32FileSystem files;
  AnsweringPrompts prompts;
  std::unique_ptr<StateStore> store;
  std::unique_ptr<LayoutStore> layouts;
  LayoutEditor editor{LayoutEditorServices{*surfaces_, prompts, {}, {}}};
};

Win32SurfaceFactory* EditorWindowTest::surfaces_ = nullptr;

TEST_F(EditorWindowTest, TabWalksTheControlsAndTheKeyboardSplitsAndSaves) {
  ASSERT_TRUE(OpenNew());
  HWND root = Root();
  ASSERT_NE(root, nullptr);
  wchar_t title[64] = L"";
  GetWindowTextW(root, title, 64);
  EXPECT_STREQ(title, L"Create Custom Layout");
  EXPECT_NE(FindWindowExW(root, nullptr, L"TessaryEditorCanvas", nullptr), nullptr);
  RECT client{};
  GetClientRect(root, &client);
  EXPECT_EQ(client.right, 860);
  EXPECT_EQ(client.bottom, 680);
  ASSERT_EQ(FocusedId(), id::kName);

  // Disabled buttons (Merge, Undo, Redo) are passed over; the preview takes no focus.
  std::vector<int> order;
  for (int i = 0; i < 8; ++i) {
    Press(VK_TAB);
    order.push_back(FocusedId());
  }
  EXPECT_EQ(order, (std::vector<int>{101, 103, 104, 102, 109, 110, 111, id::kName}));

  Press(VK_TAB);
  Press(VK_TAB);  // "Split Side by Side"
  ASSERT_EQ(FocusedId(), id::kSplitSideBySide);
  Press(VK_SPACE);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(root, id::kUndo)));
  Press(VK_TAB);  // "Split Top and Bottom", by Enter
  Press(VK_RETURN);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(root, id::kMerge)));

  SetFocus(GetDlgItem(root, id::kName));
  for (wchar_t c : std::wstring(L"Trio")) PostMessageW(GetFocus(), WM_CHAR, c, 1);
  Pump(0.1);
  SetFocus(GetDlgItem(root, id::kSave));
  Press(VK_RETURN);
  EXPECT_EQ(Root(), nullptr);
  EXPECT_TRUE(prompts.told.empty());
  // Read back from the file as the program reads it at start-up.
  StateStore reread(files, path);
  const std::vector<SnapLayout> saved = LayoutStore(&reread).CustomLayouts("display-1");
  ASSERT_EQ(saved.size(), 1u) << FileText();
  EXPECT_EQ(saved[0].name, "Trio");
  EXPECT_TRUE(TreesEqual(saved[0].tree,
                         MakeSplit(Axis::Columns, 0.5,
                                   MakeSplit(Axis::Rows, 0.5, MakeLeaf(0), MakeLeaf(2)),
                                   MakeLeaf(1))));
}

TEST_F(EditorWindowTest, EscapeClosesWithoutSaving) {
  ASSERT_TRUE(OpenNew());
  ASSERT_NE(Root(), nullptr);
  Press(VK_ESCAPE);
  Pump(0.2);
  EXPECT_EQ(Root(), nullptr);
  EXPECT_FALSE(editor.IsOpen());
  EXPECT_FALSE(files.Exists(path));
}

}  // namespace
}  // namespace tessary
