// Stories of dropping a window onto a region that already holds one (or onto an empty
// region that could be rejoined, or back onto its own): the drop menu, its tiles carried
// out, and the drops that are refused or undone.

#include "engine_fixture.h"

namespace tessary {
namespace {

class Drops : public EngineTest {
 protected:
  void SetUp() override {
    AddPrimary();
    dragged = AddApp("Notes", {.frame = {300, 300, 600, 400}});
  }
  void Use(std::string_view id) {
    if (!engine) Start();
    engine->Layouts().SetActiveLayout(DisplayKey(), *FindBuiltIn(id));
  }
  SnapLayout Active() { return *engine->Layouts().ActiveLayout(DisplayKey()); }
  Rect RegionRect(int region) { return *Regions(Active(), kPrimaryWork).Get(region); }

  // Takes `w` by its title bar over the centre of the region and holds it there until the
  // menu (if any) is up.
  void HoldOver(WindowId w, int region) {
    Grab(w, {desk.Frame(w).x + 60, desk.Frame(w).y + 10});
    MoveTo(Centre(RegionRect(region)), 0.2, 4);
  }
  std::vector<std::string> Labels() {
    std::vector<std::string> labels;
    if (!engine->GetDropMenu().Visible() || !engine->Drag().menu) return labels;
    for (const DropTile& tile : engine->Drag().menu->tiles) labels.push_back(tile.label);
    return labels;
  }
  // Moves onto the tile and holds it until it arms.
  void Hover(const std::string& label) {
    ASSERT_TRUE(engine->Drag().menu.has_value()) << label;
    for (const DropTile& tile : engine->Drag().menu->tiles) {
      if (tile.label == label) return MoveTo(Centre(tile.rect), 0.2, 2);
    }
    FAIL() << "no tile " << label;
  }
  // ... and releases there.
  void Choose(const std::string& label) {
    Hover(label);
    Drop();
  }

  WindowId dragged{};
};

TEST_F(Drops, AnOccupiedRegionAsksThroughTheMenuAndPreviewsTheHoveredTile) {
  Use("halves");
  WindowId resident = AddApp("Term", {.frame = RegionRect(1)});
  HoldOver(dragged, 1);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"Left Half", "Right Half", "Add to Stack",
                                                "Top Half", "Bottom Half"}));
  EXPECT_TRUE(Logged("demo tile Add to Stack 1 1382 474 112 92"));
  EXPECT_EQ(tips, std::vector<std::string>{"dropMenu"});
  // Over "Left Half" the outline shows where the window would go, without a caption.
  Hover("Left Half");
  EXPECT_EQ(engine->Drag().intent, (DropIntent{kDropLeftHalf, 1}));
  ExpectNear(OutlineRect(), {964, 8, 470, 1024});
  EXPECT_EQ(OutlineCaption(), "");
  Drop();
  // Both windows share the old region, 8 pixels apart, and the display remembers it.
  ExpectNear(desk.Frame(dragged), {964, 8, 470, 1024});
  ExpectNear(desk.Frame(resident), {1442, 8, 470, 1024});
  EXPECT_EQ(engine->PlacementOf(dragged), (PlacementRecord{DisplayKey(), 1}));
  EXPECT_EQ(engine->PlacementOf(resident), (PlacementRecord{DisplayKey(), 2}));
  EXPECT_EQ(StoredActiveLayouts().at(DisplayKey()).id, Active().id);
  EXPECT_TRUE(TreesEqual(Active().tree,
                         MakeSplit(Axis::Columns, 0.5, MakeLeaf(0),
                                   MakeSplit(Axis::Columns, 0.5, MakeLeaf(1), MakeLeaf(2)))));
  EXPECT_TRUE(Logged("split drop intent=4 region=1 noRoom=0"));
}

// An empty region of "halves" simply snaps (the region stories); region 1 of "Main + stack"
// sits two splits deep: it could take the whole column.
TEST_F(Drops, EmptyRegionsThatCouldBeRejoinedOrSpannedAsk) {
  Use("stack");
  WindowId other = AddApp("Term", {.frame = {100, 100, 500, 400}});
  HoldOver(other, 1);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"Whole Column", "This Spot", "Span Column"}));
  // Released inside the region but on no tile: "This Spot" is what that means.
  MoveTo({1200, 480}, 0.05, 2);
  EXPECT_EQ(engine->Drag().intent.kind, kDropPending);
  Drop();
  ExpectNear(desk.Frame(other), RegionRect(1));

  // "Span Column" lays a window over both regions of the column and leaves the layout alone
  // ("Whole Column" is the top band's story).
  desk.Activate(dragged);
  HoldOver(dragged, 1);
  Choose("Span Column");
  EXPECT_TRUE(TreesEqual(Active().tree, FindBuiltIn("stack")->tree));
  ExpectNear(desk.Frame(dragged), {1155, 8, 757, 1024});
  ExpectNear(desk.Frame(other), RegionRect(1));
}

TEST_F(Drops, ReleasingOnNoTileOfAnOccupiedRegionChangesNothing) {
  Use("halves");
  WindowId resident = AddApp("Term", {.frame = RegionRect(1)});
  HoldOver(dragged, 1);
  MoveTo({1100, 1000}, 0.05, 2);
  DropInPlace(dragged);
  ExpectNear(desk.Frame(resident), RegionRect(1));
}

TEST_F(Drops, BackOnItsOwnRegionWithNothingElseToOfferThereIsNoMenu) {
  // Notes is known to need more than half of its region either way.
  minimumDocuments.Set(kAppMinimumSizesKey, "{\"C:\\\\Apps\\\\Notes.exe\": [700, 600]}");
  Use("halves");
  desk.MoveWindow(dragged, RegionRect(0));
  Grab(dragged, {400, 20});
  MoveTo({1400, 500}, 0.05);
  MoveTo({500, 500}, 0.2, 3);
  EXPECT_TRUE(Labels().empty());
  EXPECT_EQ(OutlineCaption(), "Release to put back");
  Drop();
  ExpectNear(desk.Frame(dragged), RegionRect(0));
}

// A swap trades regions; if the resident closes meanwhile, the dropped window still goes.
// A resident running as administrator cannot be moved: only the dropped window moves, the
// user is told why, no place is recorded for the resident and nothing is undone.
TEST_F(Drops, SwapTradesRegionsWithWhateverResidentCanMove) {
  enum class Resident { kStays, kCloses, kElevated };
  for (Resident kind : {Resident::kStays, Resident::kCloses, Resident::kElevated}) {
    SCOPED_TRACE(static_cast<int>(kind));
    Use("halves");
    desk.MoveWindow(dragged, RegionRect(0));
    const bool elevated = kind == Resident::kElevated;
    const ProcessId process =
        desk.AddProcess({.fileDescription = "Services", .elevated = elevated});
    const WindowId resident = desk.AddWindow({.process = process, .frame = RegionRect(1)});
    desk.Activate(dragged);
    HoldOver(dragged, 1);
    if (kind == Resident::kCloses) desk.CloseWindow(resident);
    Choose("Swap");
    ExpectNear(desk.Frame(dragged), RegionRect(1));
    EXPECT_TRUE(Logged("region drop intent=7 region=1"));
    if (kind == Resident::kCloses) continue;
    ExpectNear(desk.Frame(resident), RegionRect(elevated ? 1 : 0));
    const std::optional<PlacementRecord> swapped = PlacementRecord{DisplayKey(), 0};
    EXPECT_EQ(engine->PlacementOf(resident), elevated ? std::nullopt : swapped);
    desk.CloseWindow(resident);
  }
  EXPECT_EQ(Told(),
            "Services is running as administrator, so Tessary can\u2019t arrange "
            "it unless Tessary also runs as administrator.");
}

TEST_F(Drops, HalvesCreatedByADropCanBeRejoined) {
  Use("quarters");
  WindowId resident = AddApp("Term", {.frame = RegionRect(0)});
  HoldOver(dragged, 0);
  Choose("Left Half");
  ASSERT_EQ(engine->PlacementOf(resident), (PlacementRecord{DisplayKey(), 4}));
  EXPECT_EQ(Active().id, "corner-custom");

  // The resident comes back over the dragged window's half: the pair may become one again.
  HoldOver(resident, 0);
  Choose("Rejoin Halves");
  EXPECT_EQ(Active().id, "quarters");
  EXPECT_EQ(StoredActiveLayouts().at(DisplayKey()).id, "quarters");
  ExpectNear(desk.Frame(dragged), RegionRect(0));
  ExpectNear(desk.Frame(resident), RegionRect(0));
  EXPECT_TRUE(Logged("region drop intent=6 region=0"));
}

TEST_F(Drops, HalvesTooSmallForTheirWindowsStackInstead) {
  Use("halves");
  WindowId resident = AddApp("Term", {.frame = RegionRect(1), .minWidth = 900});
  HoldOver(dragged, 1);
  Choose("Left Half");
  EXPECT_EQ(Told(),
            "Those windows can\u2019t get small enough to split this spot, so Notes was added to "
            "its stack instead.");
  ExpectNear(desk.Frame(dragged), RegionRect(1));
  ExpectNear(desk.Frame(resident), RegionRect(1));
  EXPECT_EQ(Active().id, "halves");
  EXPECT_EQ(engine->PlacementOf(dragged), (PlacementRecord{DisplayKey(), 1}));
  EXPECT_TRUE(Logged("split drop intent=4 region=1 noRoom=1"));
}

TEST_F(Drops, AWholeColumnDropThatAWindowRefusesIsUndoneEntirely) {
  Use("stack");
  WindowId upper = AddApp("Term", {.frame = RegionRect(1)});
  WindowId lower = AddApp("Term", {.frame = RegionRect(2)});
  desk.Setup(dragged).minWidth = 800;  // the column is 757 wide
  desk.MoveWindow(dragged, {300, 300, 800, 400});
  desk.Activate(dragged);
  HoldOver(dragged, 1);
  Choose("Whole Column");
  EXPECT_EQ(Told(), "Notes needs more room than this space has. Its prior size was restored.");
  EXPECT_EQ(desk.Frame(dragged), (Rect{300, 300, 800, 400}));
  EXPECT_EQ(desk.Frame(upper), RegionRect(1));
  EXPECT_EQ(desk.Frame(lower), RegionRect(2));
  EXPECT_EQ(Active().id, "stack");
  EXPECT_EQ(StoredActiveLayouts().at(DisplayKey()).id, "stack");
  EXPECT_FALSE(engine->PlacementOf(dragged).has_value());
}

// A window spanning the two right columns of "Three columns" is dropped onto: each tile
// shares the span its own way. The right column and the bottom half are the mirrors of the
// left and the top; the span's division plans walk both sides.
TEST_F(Drops, DroppingOntoASpanningWindow) {
  struct Case {
    const char* layout;
    const char* tile;
    Rect draggedAt;
    Rect spanningAt;
    const char* layoutAfter;
  };
  Start();
  // The two right columns of "Three columns", and the left column of "Four quarters".
  const Rect r1 = Region(1, 0, "thirds"), r2 = Region(2, 0, "thirds");
  const Rect wide{r1.x, 8, r2.Right() - r1.x, 1024};
  const Rect tall{8, 8, 948, 1024};
  const std::vector<std::string> wideTiles{"Left Column", "Top Half", "Add to Stack", "Bottom Half",
                                           "Right Column"};
  const std::vector<std::string> tallTiles{"Top Half", "Add to Stack", "Bottom Half"};
  const Case cases[] = {
      {"thirds", "Add to Stack", wide, wide, "thirds"},
      {"thirds", "Left Column", r1, r2, "thirds"},
      // Every region of the span split into rows: a layout of the display's own.
      {"thirds",
       "Top Half",
       {wide.x, 8, wide.width, 508},
       {wide.x, 524, wide.width, 508},
       "corner-custom"},
      {"quarters", "Top Half", {8, 8, 948, 508}, {8, 524, 948, 508}, "quarters"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.layout) + " " + c.tile);
    Use(c.layout);
    const bool isWide = std::string_view(c.layout) == "thirds";
    const Rect span = isWide ? wide : tall;
    WindowId spanning = AddApp("Term", {.frame = span});
    WindowId dropped = AddApp("Notes", {.frame = {100, 300, 500, 400}});
    Grab(dropped, {200, 310});
    MoveTo(Centre(span), 0.2, 4);
    EXPECT_EQ(Labels(), isWide ? wideTiles : tallTiles);
    Choose(c.tile);
    ExpectNear(desk.Frame(dropped), c.draggedAt);
    ExpectNear(desk.Frame(spanning), c.spanningAt);
    EXPECT_EQ(StoredActiveLayouts().at(DisplayKey()).id, c.layoutAfter);
    for (WindowId w : {spanning, dropped}) desk.CloseWindow(w);
  }
}

}  // namespace
}  // namespace tessary
