#pragma once

// What a test describes when it builds a simulated desktop: displays, processes and
// windows. Every field has a Windows-like default, so a test names only what matters
// to its story.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/geometry.h"
#include "platform/ids.h"
#include "platform/input.h"
#include "platform/prompts.h"
#include "platform/window_access.h"

namespace tessary {

struct SimDisplaySetup {
  Rect bounds{0, 0, 1920, 1080};
  Rect work;                    // all-zero: the whole bounds (no task bar)
  double scale = 1.0;           // effective DPI / 96
  bool dpiReadable = true;      // false: the DPI query fails
  bool infoReadable = true;     // false: the monitor's information cannot be read
  std::string gdiName;          // empty: "\\.\DISPLAYn", n counting displays added
  std::string devicePath;       // the configuration's target path (may be empty)
  std::string friendlyName;     // the configuration's model name (may be empty)
  bool inConfiguration = true;  // has an active display-configuration path
};

struct SimProcessSetup {
  std::string imagePath;                       // empty: "C:\Program Files\Sim\appN.exe"
  std::optional<std::string> userModelId;      // set for a packaged app
  std::optional<std::string> fileDescription;  // the executable's version description
  bool elevated = false;
  bool openable = true;  // false: OpenProcess fails (a protected process)
};

// A top-level window (or, with `parent`, a child window). Geometry is given as the
// visible frame; the window rectangle around it is derived the way current Windows does.
struct SimWindowSetup {
  std::string className = "SimAppWindow";
  std::string title = "Untitled";
  ProcessId process{};  // kNoProcess: a process of its own is made for it
  Rect frame{100, 100, 800, 600};
  std::uint32_t style = window_style::kOverlappedWindow;
  std::uint32_t exStyle = 0;
  WindowId owner{};
  WindowId parent{};  // a child window: not top-level, never in the z-order
  bool visible = true;
  bool minimized = false;
  bool maximized = false;  // `frame` is then the restored frame
  bool cloaked = false;
  bool activate = true;  // becomes the foreground window when added
  // Invisible resize borders: round(7 x scale) left, right and bottom, none at the top
  // (round(8 x scale) all round when maximized).
  bool invisibleBorders = true;
  bool frameBoundsReadable = true;  // false: the DWM frame query fails
  // The app draws its own caption (no WS_CAPTION, so the compositor reports no buttons);
  // its minimise button, relative to the frame's top-left, answers the hit test.
  std::optional<Rect> drawnMinimiseButton;
  // The app refuses a smaller visible frame (it answers WM_GETMINMAXINFO).
  double minWidth = 0;
  double minHeight = 0;
  // The app sizes itself in whole cells of this many pixels (a terminal).
  double widthStep = 0;
  double heightStep = 0;
  // The app's thread takes this many display frames to carry out a move or resize.
  int settleFrames = 0;
  // Any further rule of the app's own about the frame it accepts (applied last).
  std::function<Rect(const Rect& requested)> sizing;
  bool closesOnEscape = false;  // Escape while it is in the foreground closes it
  // Does not answer messages: WM_GETICON times out, and a synchronous call into it
  // (SetWindowPos without SWP_ASYNCWINDOWPOS, SetWindowPlacement, ShowWindow, a z-order
  // change) freezes the caller (SimDesktop counts it as "FrozenCall"). Live.
  bool hung = false;
  IconId bigIcon{};
  IconId smallIcon{};
  IconId classIcon{};
};

// Which edges a resize drag moves.
enum SimEdge : int {
  kSimEdgeLeft = 1,
  kSimEdgeTop = 2,
  kSimEdgeRight = 4,
  kSimEdgeBottom = 8,
};

struct SimDragOptions {
  // false: the system raises no move/size start and end events (as under Wine 8).
  bool raiseEvents = true;
};

struct SimSystemSettings {
  std::optional<bool> windowArranging = true;  // absent: the query fails
  std::optional<bool> dockMoving = true;       // absent: the query fails
  std::optional<std::uint32_t> snapBarValue;   // absent: "EnableSnapBar" is missing
  std::optional<bool> clientAreaAnimation = true;
  bool turnOffSucceeds = true;
  bool userBusy = false;  // a full-screen app, a presentation, quiet time
};

// A question, message or file dialog the program showed. Confirm and Ask record the
// answer given; file dialogs record their title as the caption and their filter as text.
enum class SimPromptKind { kConfirm, kAsk, kAskYesNo, kInform, kOpenFile, kSaveFile };
struct SimPrompt {
  std::string caption;
  std::string text;
  bool answer = false;
  SimPromptKind kind = SimPromptKind::kConfirm;
  PromptIcon icon = PromptIcon::kInformation;
};

struct SimLaunch {
  std::string file;
  std::string parameters;
  bool started = false;
};

// A keystroke as a window received it.
struct SimKeyRecord {
  Key key = Key::kEscape;
  bool release = false;
  bool injected = false;  // sent by the program itself (tagged)
};

}  // namespace tessary
