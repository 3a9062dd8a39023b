// Contrast themes: the theme made of the system's colours, and a view painted in them.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "surfaces/chooser_panel_paint.h"
#include "surfaces/picker.h"
#include "surfaces/toast.h"
#include "surfaces_test_support.h"

namespace tessary {
namespace {

// A dark contrast theme, each colour distinct so that a swapped pair shows. 0x00BBGGRR.
constexpr ContrastColors kNight{.window = 0x000000u,
                                .windowText = 0xFFFFFFu,
                                .grayText = 0xA6A6A6u,
                                .highlight = 0xF0E38Eu,
                                .highlightText = 0x263B00u,
                                .buttonFace = 0x202020u};
const Color kWindow{0, 0, 0, 1};
const Color kWindowText{1, 1, 1, 1};
const Color kGrayText{166 / 255.0, 166 / 255.0, 166 / 255.0, 1};
const Color kHighlight{142 / 255.0, 227 / 255.0, 240 / 255.0, 1};
const Color kHighlightText{0, 59 / 255.0, 38 / 255.0, 1};
const Color kButtonFace{32 / 255.0, 32 / 255.0, 32 / 255.0, 1};
constexpr const char* kProblemText = "The windows could not be arranged.";

// Nothing see-through and nothing of the program's own palette.
void ExpectOnlySystemColours(const RecordingCanvas& paint) {
  const std::vector<Color> system = {kWindow,    kWindowText,    kGrayText,
                                     kHighlight, kHighlightText, kButtonFace};
  for (const CanvasOp& op : paint.Ops()) {
    if (op.kind == CanvasOpKind::kShadow || op.kind == CanvasOpKind::kIcon) continue;
    EXPECT_NE(std::find(system.begin(), system.end(), op.color), system.end())
        << static_cast<int>(op.kind) << " " << op.text;
  }
}

TEST(Theme, ContrastThemeTakesEveryColourFromTheSystemAndOnlyWhileOneIsOn) {
  SimThemeSource source;
  source.SetDark(true);
  source.accentColor = 0xFF0000CCu;
  const Theme dark = ReadTheme(source);
  EXPECT_EQ(dark, MakeTheme(true, AccentFromColorValue(0xFF0000CCu, true)));
  EXPECT_FALSE(dark.highContrast);
  EXPECT_EQ(dark.highlightText, kWhite);

  source.highContrast = kNight;
  const Theme contrast = ReadTheme(source);
  EXPECT_TRUE(contrast.highContrast);
  EXPECT_TRUE(contrast.dark);  // a black window
  const std::pair<Color, Color> rows[] = {
      {contrast.background, kWindow},      {contrast.text, kWindowText},
      {contrast.secondaryText, kGrayText}, {contrast.regionFill, kButtonFace},
      {contrast.hoverFill, kHighlight},    {contrast.cardFill, kWindow},
      {contrast.accent, kHighlight},       {contrast.accentTint, kHighlight},
      {contrast.border, kWindowText},      {contrast.highlightText, kHighlightText},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(rows[i].first, rows[i].second) << i;
  }
  source.highContrast.reset();  // turned off: the next read is the dark theme again
  EXPECT_EQ(ReadTheme(source), dark);
  source.highContrast = ContrastColors{.window = 0xEFFAFFu};
  EXPECT_FALSE(ReadTheme(source).dark);  // a cream window
}

TEST(Picker, InAContrastThemePaintsOnlySystemColoursWithHighlightTextOnTheHoveredCard) {
  testing::SimView<Picker> f("Choose a Layout");
  f.theme.highContrast = kNight;
  f.view.Show(testing::Layouts(7), 2, {0, 0, 1920, 1080}, 1.0, false);
  const Rect panel = f.view.PanelRect();
  f.view.HitTest({panel.x + 100, panel.y + 95});  // halves, region 1
  const RecordingCanvas& paint = f.Paint();

  const auto fills = paint.OfKind(CanvasOpKind::kFillRounded);
  EXPECT_EQ(fills[0]->color, kWindow);     // the body
  EXPECT_EQ(fills[1]->color, kHighlight);  // the hovered card
  EXPECT_EQ(paint.FindText("Halves")->color, kHighlightText);
  EXPECT_EQ(paint.FindText("Wide + narrow")->color, kHighlight);  // current, not hovered
  ExpectOnlySystemColours(paint);
}

TEST(Toast, InAContrastThemeAProblemIsPaintedInSystemColoursOnly) {
  testing::SimView<Toast> f("Tessary message");
  f.theme.highContrast = kNight;
  const std::vector<ToastDisplay> display = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 1.0}};
  ASSERT_TRUE(f.view.Show(kProblemText, 4.0, display, {100, 100}, false));
  const RecordingCanvas& paint = f.Paint();
  EXPECT_EQ(paint.FindText("!")->color, kHighlightText);
  EXPECT_EQ(paint.FindText(kProblemText)->color, kWindowText);
  ExpectOnlySystemColours(paint);
}

// Cards and buttons at rest are filled with the panel's own colour, so their edges show them.
TEST(ChooserPaint, InAContrastThemeEveryItemAtRestHasAnEdgeInTheTextColour) {
  const ChooserConfig config{.header = "Choose", .primaryText = "Done", .leaveEmpty = true};
  const std::vector<ChooserChoice> choices(3, {WindowId{1}, "Inbox", "Mail", IconId{5}});
  const ChooserGeometry g = LayOutChooser(config, 3, 948, 512);
  RecordingCanvas paint;
  PaintChooser(paint, MakeContrastTheme(kNight),
               {.geometry = &g, .config = &config, .choices = &choices}, 948, 512);
  std::vector<Rect> edges;
  for (const CanvasOp* op : paint.OfKind(CanvasOpKind::kStrokeRounded)) {
    if (op->color == kWindowText) edges.push_back(op->rect);
  }
  EXPECT_EQ(edges, (std::vector<Rect>{g.cards[0], g.cards[1], g.cards[2], g.leaveEmpty}));
  ExpectOnlySystemColours(paint);
}

}  // namespace
}  // namespace tessary
