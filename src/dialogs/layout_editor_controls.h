#pragma once

// The layout editor's window: its class, size, texts and controls, in units. The table's
// order is the Tab order.

#include <cstddef>
#include <string_view>

#include "platform/control_table.h"

namespace tessary {

inline constexpr std::string_view kEditorClass = "TessaryEditor";
inline constexpr double kEditorWidth = 860;
inline constexpr double kEditorHeight = 680;
inline constexpr std::string_view kEditorTitleCreate = "Create Custom Layout";
inline constexpr std::string_view kEditorTitleEdit = "Edit Layout";
inline constexpr int kEditorNameLimit = 60;
// What is read back from the name box (a pasted name may be longer than the limit).
inline constexpr std::size_t kEditorNameReadLimit = 127;
// The preview's canvas within the client area.
inline constexpr Rect kEditorCanvasUnits{16, 56, 828, 380};

namespace editor_id {
inline constexpr int kName = 100;
inline constexpr int kStartFrom = 101;
inline constexpr int kApps = 102;
inline constexpr int kSplitSideBySide = 103;
inline constexpr int kSplitTopAndBottom = 104;
inline constexpr int kMerge = 105;
inline constexpr int kUndo = 106;
inline constexpr int kRedo = 107;
inline constexpr int kDelete = 108;
inline constexpr int kCancel = 109;
inline constexpr int kSave = 110;
inline constexpr int kSaveAndApply = 111;
// Controls the program changes but no command comes from.
inline constexpr int kCanvas = 120;
inline constexpr int kAppLabel = 121;
inline constexpr int kAppText = 122;
}  // namespace editor_id

inline constexpr std::string_view kEditorBlank = "Blank";
inline constexpr std::string_view kEditorNoApp = "No App";
inline constexpr std::string_view kEditorOtherApp = "Other App\u2026";
inline constexpr std::string_view kEditorAppLabel = "App in Region ";
inline constexpr std::string_view kEditorNoAppText = "No app: any window can go here";
inline constexpr std::string_view kEditorCanvasName = "Layout preview";

// The controls of a new layout (with "Start from") or of one being edited (with
// "Delete Layout…").
ControlTable LayoutEditorControls(bool editing);

}  // namespace tessary
