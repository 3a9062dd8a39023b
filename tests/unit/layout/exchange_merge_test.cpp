#include <gtest/gtest.h>

#include <string>

#include "catalogue_support.h"
#include "layout/exchange_file.h"
#include "layout/layout_ids.h"
#include "layout/layout_import.h"

namespace tessary {
namespace {

using namespace testing::builders;

// Ids user-00000001-..., user-00000002-..., in order.
std::function<std::string()> CountingIds() {
  return [counter = std::uint32_t{0}]() mutable { return UserLayoutIdFromGuid(Guid{++counter}); };
}

std::vector<std::string> Names(const std::vector<SnapLayout>& layouts) {
  std::vector<std::string> names;
  for (const SnapLayout& layout : layouts) names.push_back(layout.name);
  return names;
}

SnapLayout Imported(const std::string& name, NodeRef tree) {
  SnapLayout layout = MakeLayout("", name, tree);
  layout.id = ImportedLayoutId(name, tree);
  return layout;
}

TEST(MergeImported, NameClashesGetNumberedSuffixes) {
  const std::vector<SnapLayout> existing = {MakeLayout("user-1", "work", C(0.5, L(0), L(1)))};
  const std::vector<SnapLayout> imported = {Imported("Work", R(0.5, L(0), L(1))),
                                            Imported("Work", L(0)),
                                            Imported("WORK", C(0.3, L(0), L(1)))};
  const MergeResult merged = MergeImported(imported, existing, CountingIds());
  EXPECT_EQ(std::make_pair(merged.added, merged.skipped), std::make_pair(3, 0));
  EXPECT_EQ(Names(merged.layouts),
            (std::vector<std::string>{"work", "Work (imported)", "Work (imported 2)",
                                      "WORK (imported 3)"}));
  EXPECT_EQ(merged.layouts[1].id, imported[0].id);
  // Names of another length never clash: "Workk" is fine next to "work".
  EXPECT_EQ(MergeImported({Imported("Workk", L(0))}, existing, CountingIds()).layouts[1].name,
            "Workk");
}

std::string Repeat(std::string_view text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

// A 60-code-point name that clashes is cut to 49 code points before " (imported)" (11
// bytes), and to 47 before " (imported 2)" (13 bytes).
TEST(MergeImported, LongNamesAreCutByCodePoints) {
  const std::string name = Repeat("a\xE6\x97\xA5", 30);  // a, U+65E5, ... 60 code points
  const std::vector<SnapLayout> existing = {MakeLayout("user-1", name, L(0))};
  const MergeResult merged =
      MergeImported({Imported(name, L(1)), Imported(name, L(2))}, existing, CountingIds());
  EXPECT_EQ(Names(merged.layouts),
            (std::vector<std::string>{name, Repeat("a\xE6\x97\xA5", 24) + "a (imported)",
                                      Repeat("a\xE6\x97\xA5", 23) + "a (imported 2)"}));
}

TEST(MergeImported, DuplicatesAreSkippedIncludingWithinOneFile) {
  const std::vector<SnapLayout> existing = {
      MakeLayout("user-1", "  Work ", C(0.5, L(0), L(1))),  // stored as typed
      MakeLayout("user-2", "Other", L(0))};
  const std::vector<SnapLayout> imported = {
      Imported("Work", C(0.5, L(0), L(1))),  // same name and tree
      Imported("Renamed", L(0)),             // new name, same tree as "Other": not a duplicate
      Imported("Renamed", L(0))};            // a repeat within the file
  const MergeResult merged = MergeImported(imported, existing, CountingIds());
  EXPECT_EQ(std::make_pair(merged.added, merged.skipped), std::make_pair(1, 2));
  EXPECT_EQ(Names(merged.layouts), (std::vector<std::string>{"  Work ", "Other", "Renamed"}));
}

TEST(MergeImported, TakenIdsGetFreshOnes) {
  // Same id as an existing layout but a different tree: kept under a fresh id.
  SnapLayout clash = Imported("Grid", L(0));
  const std::vector<SnapLayout> existing = {MakeLayout(clash.id, "Grid", C(0.5, L(0), L(1)))};
  const MergeResult merged = MergeImported({clash}, existing, CountingIds());
  ASSERT_EQ(merged.added, 1);
  EXPECT_EQ(merged.layouts[1].id, "user-00000001-0000-0000-0000-000000000000");
  EXPECT_EQ(merged.layouts[1].name, "Grid (imported)");
  // A broken id source that keeps giving a taken id cannot loop forever.
  const MergeResult stuck = MergeImported({clash}, existing, [&] { return std::string(clash.id); });
  EXPECT_EQ(std::make_pair(stuck.added, stuck.skipped), std::make_pair(0, 1));
}

TEST(ImportReport, Texts) {
  EXPECT_EQ(ImportReportText(2, 1, "Main"),
            "2 layouts were added to Main. 1 already here was skipped. No windows were moved.");
  EXPECT_EQ(ImportReportText(1, 0, "DELL U2720Q"),
            "1 layout was added to DELL U2720Q. No windows were moved.");
  EXPECT_EQ(ImportReportText(1, 2, "Main"),
            "1 layout was added to Main. 2 already here were skipped. No windows were moved.");
}

// Bringing the layouts to another display, and a refused file, are the exchange stories'
// (LayoutExchangeStory.ExportedLayoutsComeBackEqualOnAnotherDisplayAndAreAlreadyHereAtHome,
// LayoutExchangeStory.AFileThatIsRefusedChangesNothing); here, a file that adds nothing
// stores nothing.
TEST(ImportLayouts, AFileWithNothingNewStoresNothing) {
  testing::RecordingDocumentStore documents;
  LayoutStore store(&documents);
  ASSERT_TRUE(store.SaveCustomLayout("A", MakeLayout("user-1", " Work ", C(0.5, L(0), L(1)))));
  ASSERT_TRUE(store.SaveCustomLayout("A", MakeLayout("user-2", "Focus", C(0.7, L(1), L(0)))));
  const ExportText exported = BuildExportText(store.CustomLayouts("A"));
  const std::size_t saves = documents.saves.size();
  const ImportOutcome same = ImportLayoutsText(store, "A", exported.text, CountingIds());
  EXPECT_EQ(same.error, "");
  EXPECT_EQ(std::make_pair(same.added, same.skipped), std::make_pair(0, 2));
  EXPECT_EQ(documents.saves.size(), saves);
}

}  // namespace
}  // namespace tessary
