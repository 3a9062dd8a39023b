#pragma once

// Keyboard behaviour of the program's own dialog-like windows (editor, settings, info,
// feedback, tour) without a dialog manager: what the message loop's pre-filter does with
// a WM_KEYDOWN before it is translated and dispatched. The backend gathers the facts
// (class names, the combo box's drop state, the button type, Ctrl) and carries out the
// answer.

#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessary {

enum class DialogKeyAction {
  kNotHandled,      // translate and dispatch as usual
  kCloseRoot,       // post WM_CLOSE to the root window; handled
  kDialogMessage,   // answer IsDialogMessageW(root, message) (Tab moves the focus)
  kClickButton,     // send BM_CLICK to the focused push button; handled
  kResendToEditor,  // re-send the WM_KEYDOWN to the editor's root window; handled
};

struct DialogKeyFacts {
  std::uint32_t virtualKey = 0;
  std::string rootClass;          // class of GetAncestor(window, GA_ROOT), at most 63 characters
  std::string focusClass;         // class of the message's window, at most 31 characters
  bool comboDroppedDown = false;  // the focus is a "ComboBox" with CB_GETDROPPEDSTATE != 0
  // The focus is a "Button" whose type (style bits 0-3) is BS_PUSHBUTTON or BS_DEFPUSHBUTTON.
  bool focusIsPushButton = false;
  bool ctrlDown = false;  // GetKeyState(VK_CONTROL) < 0
};

inline bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

inline bool IsDialogLikeClass(std::string_view rootClass) {
  return rootClass == "TessaryEditor" || rootClass == "TessarySettings" ||
         rootClass == "TessaryInfo" || rootClass == "TessaryFeedback" || rootClass == "TessaryTour";
}

inline DialogKeyAction DecideDialogKey(const DialogKeyFacts& facts) {
  constexpr std::uint32_t kTab = 0x09, kEnter = 0x0D, kEscape = 0x1B, kY = 0x59, kZ = 0x5A;
  if (!IsDialogLikeClass(facts.rootClass)) return DialogKeyAction::kNotHandled;
  const bool edit = SameTextIgnoringCase(facts.focusClass, "Edit");
  // A hotkey field takes Escape as a key to bind; Tab still moves on, as the field itself
  // never binds it (otherwise the keyboard could not leave the field).
  const bool hotkeyField = SameTextIgnoringCase(facts.focusClass, "msctls_hotkey32");
  if (facts.virtualKey == kEscape && !hotkeyField) {
    if (SameTextIgnoringCase(facts.focusClass, "ComboBox") && facts.comboDroppedDown) {
      return DialogKeyAction::kNotHandled;  // the list closes first
    }
    return DialogKeyAction::kCloseRoot;
  }
  if (facts.virtualKey == kTab) return DialogKeyAction::kDialogMessage;
  if (facts.virtualKey == kEnter && facts.focusIsPushButton) return DialogKeyAction::kClickButton;
  if (facts.rootClass == "TessaryEditor" && !edit && facts.ctrlDown &&
      (facts.virtualKey == kZ || facts.virtualKey == kY)) {
    return DialogKeyAction::kResendToEditor;  // the editor's undo and redo
  }
  return DialogKeyAction::kNotHandled;
}

}  // namespace tessary
