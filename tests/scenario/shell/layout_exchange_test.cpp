// Exporting and importing layouts from the tray menu: the file dialogs, the file on disk,
// the message boxes and what ends up in the display's own layouts.

#include "layout/exchange_file.h"
#include "layout/layout_store.h"
#include "shell_fixture.h"

namespace tessary::testing {
namespace {

namespace id = tray_command;

const NodeRef kWide = MakeSplit(Axis::Columns, 0.6, MakeLeaf(0), MakeLeaf(1));
const NodeRef kThree = MakeSplit(Axis::Rows, 0.5, MakeLeaf(0),
                                 MakeSplit(Axis::Columns, 0.3, MakeLeaf(1), MakeLeaf(2)));
const std::string kFile = "C:\\Exchange\\mine.json";

class LayoutExchangeStory : public ShellTest {
 protected:
  void SetUp() override {
    desk.AddDisplay({.bounds = {1920, 0, 1920, 1080}, .friendlyName = "Side Display"});
    StartWith();
    SaveOwnLayout("user-1", "Work", kWide);
    SaveOwnLayout("user-2", "Focus", kThree);
  }
  std::vector<SnapLayout> OwnOn(int screen) {
    return Coord().Layouts().CustomLayouts(DisplayKey(screen));
  }
  // The user opens the tray menu over display `screen`, picks `command` and answers the file
  // dialog with `path` (nothing: Cancel). The prompts this showed.
  std::vector<SimPrompt> Choose(int command, std::optional<std::string> path, int screen = 0) {
    desk.MoveCursor({screen * 1920 + 900.0, 500});
    const std::size_t before = desk.PromptsShown().size();
    desk.AnswerFileDialog(std::move(path));
    ChooseFromMenu(command);
    return {desk.PromptsShown().begin() + static_cast<std::ptrdiff_t>(before),
            desk.PromptsShown().end()};
  }
  std::string LayoutsFile() { return files.files[JoinPath("state", "layouts.json")]; }
};

TEST_F(LayoutExchangeStory, ExportedLayoutsComeBackEqualOnAnotherDisplayAndAreAlreadyHereAtHome) {
  std::vector<SimPrompt> shown = Choose(id::kExportMyLayouts, kFile);
  ASSERT_EQ(shown.size(), 1u);  // a written file shows nothing more
  EXPECT_EQ(Told(shown[0]), std::tuple(SimPromptKind::kSaveFile, PromptIcon::kInformation,
                                       "Export Layouts", "Tessary layouts (*.json)"));
  EXPECT_EQ(files.files[kFile].rfind("{\n  \"format\" : \"quandervolt.Tessary.layouts\"", 0), 0u);
  EXPECT_EQ(files.files.count(kFile + ".tmp"), 0u);

  shown = Choose(id::kImportLayouts, kFile);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].kind, SimPromptKind::kOpenFile);
  EXPECT_EQ(shown[0].caption, "Import Layouts");
  EXPECT_EQ(Told(shown[1]),
            std::tuple(SimPromptKind::kInform, PromptIcon::kInformation, "Import Layouts",
                       "These layouts are already here; nothing was added."));
  EXPECT_EQ(OwnOn(0).size(), 2u);

  shown = Choose(id::kImportLayouts, kFile, 1);
  EXPECT_EQ(shown.back().text, "2 layouts were added to Side Display. No windows were moved.");
  const std::vector<SnapLayout> home = OwnOn(0);
  const std::vector<SnapLayout> side = OwnOn(1);
  ASSERT_EQ(side.size(), 2u);
  for (std::size_t i = 0; i < side.size(); ++i) {
    EXPECT_EQ(side[i].name, home[i].name);
    EXPECT_TRUE(TreesEqual(side[i].tree, home[i].tree)) << home[i].name;
  }
  EXPECT_FALSE(Coord().Layouts().ActiveLayout(DisplayKey(1)).has_value());

  // The arrangement in use alone, imported where it is already one of the user's own.
  Coord().Layouts().SetActiveLayout(DisplayKey(1), OwnOn(1)[1]);
  ASSERT_EQ(Choose(id::kExportArrangement, kFile, 1).size(), 1u);
  const ParsedExchangeFile one = ParseExchangeFile(files.files[kFile]);
  ASSERT_EQ(one.layouts.size(), 1u);
  EXPECT_EQ(one.layouts[0].name, "Focus");
  EXPECT_EQ(Choose(id::kImportLayouts, kFile, 0).back().text,
            "These layouts are already here; nothing was added.");
}

// Why a file is refused is the exchange file's own concern (ExchangeFile.ChecksInOrder);
// here, how the user hears of it.
TEST_F(LayoutExchangeStory, AFileThatIsRefusedChangesNothing) {
  struct Case {
    std::optional<std::string> content;  // nothing: the file cannot be opened
    std::string message;
  };
  const std::vector<Case> cases = {
      {std::nullopt, "That file couldn't be read."},
      {std::string(kMaxExchangeFileBytes + 1, ' '), "Layout files must be no larger than 1 MB."},
      {"{\"format\":\"quandervolt.Tessary.layouts\",\"version\":2,\"layouts\":[]}",
       "This layout file uses an unsupported version. Try a newer version of Tessary."},
  };
  const std::string stored = LayoutsFile();
  for (const Case& c : cases) {
    files.unreadable.clear();
    if (c.content) {
      files.files[kFile] = *c.content;
    } else {
      files.unreadable.insert(kFile);
    }
    const std::vector<SimPrompt> shown = Choose(id::kImportLayouts, kFile);
    ASSERT_EQ(shown.size(), 2u) << c.message;
    EXPECT_EQ(Told(shown[1]), std::tuple(SimPromptKind::kInform, PromptIcon::kWarning,
                                         "Import Layouts", c.message));
    EXPECT_EQ(OwnOn(0).size(), 2u);
    EXPECT_EQ(LayoutsFile(), stored);
  }
}

TEST_F(LayoutExchangeStory, CancelOrAFailedWriteLosesNothing) {
  files.files[kFile] = "what the user had";
  const int writes = files.writes;
  // Cancelled dialogs: only the dialog was shown.
  for (int command : {id::kImportLayouts, id::kExportMyLayouts}) {
    EXPECT_EQ(Choose(command, std::nullopt).size(), 1u) << command;
  }
  EXPECT_EQ(files.writes, writes);
  EXPECT_EQ(OwnOn(0).size(), 2u);

  files.failWrites = true;
  const std::vector<SimPrompt> shown = Choose(id::kExportMyLayouts, kFile);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(Told(shown[1]), std::tuple(SimPromptKind::kInform, PromptIcon::kWarning,
                                       "Export Layouts", "The file couldn't be written."));
  EXPECT_EQ(files.files[kFile], "what the user had");

  // Nothing to export is said before any dialog is shown (the item is greyed then, but
  // the display's layouts may have gone while the menu was open).
  const std::vector<SimPrompt> none = Choose(id::kExportMyLayouts, kFile, 1);
  ASSERT_EQ(none.size(), 1u);
  EXPECT_EQ(Told(none[0]),
            std::tuple(SimPromptKind::kInform, PromptIcon::kWarning, "Export Layouts",
                       "Choose between 1 and 128 layouts to export."));
}

}  // namespace
}  // namespace tessary::testing
