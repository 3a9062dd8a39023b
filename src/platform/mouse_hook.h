#pragma once

// The low-level mouse hook behind mouse-button shortcuts, the settings window's button
// capture and the switcher's wheel. On Windows it runs on a thread of its own; the rules
// of what it swallows are the portable DecideMouseHook below, which the hook callback
// calls for every event (nCode 0) and which touches only MouseHookShared.

#include <array>
#include <vector>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>

#include "base/geometry.h"
#include "platform/main_window.h"

namespace tessary {

inline constexpr int kMouseBindingCount = 11;
// Button codes that are ever matched: middle, back (XBUTTON1), forward (XBUTTON2).
inline constexpr std::uint32_t kHookButtonMiddle = 3;
inline constexpr std::uint32_t kHookButtonBack = 4;
inline constexpr std::uint32_t kHookButtonForward = 5;
// WM_COORDINATOR_COMMAND code of a wheel turn for the open switcher; lParam the delta.
inline constexpr int kCommandSwitcherWheel = -15;
// WM_COORDINATOR_COMMAND code of the pointer coming onto a hover spot; lParam the point.
inline constexpr int kCommandHoverSpot = -16;

struct MouseBinding {
  std::uint32_t button = 0;  // below 3: unbound
  std::uint32_t modifiers = 0;

  friend bool operator==(const MouseBinding&, const MouseBinding&) = default;
};

// What the main thread and the hook thread share: the bindings under one mutex, three
// atomic values. Owned by the shell for the whole run; the hook only reads the bindings.
class MouseHookShared {
 public:
  void SetBindings(const std::array<MouseBinding, kMouseBindingCount>& bindings) {
    std::lock_guard<std::mutex> lock(mutex_);
    bindings_ = bindings;
  }
  std::array<MouseBinding, kMouseBindingCount> Bindings() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return bindings_;
  }
  // The places (desktop pixels) where the pointer's arrival is reported: the minimise
  // buttons of windows standing in front of a stack (the caption band of one that draws
  // its own caption).
  void SetHoverSpots(std::vector<Rect> spots) {
    std::lock_guard<std::mutex> lock(mutex_);
    spots_ = std::move(spots);
  }
  bool HasHoverSpots() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return !spots_.empty();
  }
  bool OnHoverSpot(Point p) const {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Rect& spot : spots_) {
      if (spot.Contains(p)) return true;
    }
    return false;
  }
  // The first binding with a button of 3 or more equal to (button, modifiers); -1 none.
  int FindBinding(std::uint32_t button, std::uint32_t modifiers) const {
    std::lock_guard<std::mutex> lock(mutex_);
    for (int i = 0; i < kMouseBindingCount; ++i) {
      const MouseBinding& b = bindings_[static_cast<std::size_t>(i)];
      if (b.button >= kHookButtonMiddle && b.button == button && b.modifiers == modifiers) {
        return i;
      }
    }
    return -1;
  }

  std::atomic<bool> capturing{false};       // the settings window waits for a button
  std::atomic<bool> wheelWanted{false};     // the stack switcher takes wheel turns
  std::atomic<std::uint32_t> swallowed{0};  // the button whose press was swallowed, 0 none
  std::atomic<bool> onSpot{false};          // the pointer was on a hover spot at the last move

 private:
  mutable std::mutex mutex_;
  std::array<MouseBinding, kMouseBindingCount> bindings_{};
  std::vector<Rect> spots_;
};

// One low-level mouse event, as the hook callback sees it.
enum class MouseHookEventKind {
  kWheel,       // WM_MOUSEWHEEL
  kButtonDown,  // WM_MBUTTONDOWN, WM_XBUTTONDOWN
  kButtonUp,    // WM_MBUTTONUP, WM_XBUTTONUP
  kMove,        // WM_MOUSEMOVE: reported once when it comes onto a hover spot
  kOther,       // anything else: always passed on
};

struct MouseHookEvent {
  MouseHookEventKind kind = MouseHookEventKind::kOther;
  // 3 for the middle button; 4 when the high word of mouseData is XBUTTON1, else 5.
  std::uint32_t button = 0;
  int wheelDelta = 0;  // the signed high word of mouseData
  int x = 0;           // the event's point (pt)
  int y = 0;
  // A press only: from GetAsyncKeyState, Ctrl 2, Alt 1, Shift 4, either Windows key 8.
  std::uint32_t modifiers = 0;
};

struct MouseHookVerdict {
  bool swallow = false;  // answer 1 instead of calling CallNextHookEx
  // PostMessageW to the main window, when set.
  std::optional<MainWindowMessage> post;
};

// x in the low 16 bits and y in the high 16 bits, each as a signed 16-bit value.
inline std::int64_t PackPointParam(int x, int y) {
  const auto lo = static_cast<std::uint16_t>(static_cast<std::int16_t>(x));
  const auto hi = static_cast<std::uint16_t>(static_cast<std::int16_t>(y));
  return static_cast<std::int64_t>((static_cast<std::uint32_t>(hi) << 16) | lo);
}
inline void UnpackPointParam(std::int64_t lParam, int& x, int& y) {
  const auto bits = static_cast<std::uint32_t>(static_cast<std::uint64_t>(lParam));
  x = static_cast<std::int16_t>(static_cast<std::uint16_t>(bits & 0xFFFF));
  y = static_cast<std::int16_t>(static_cast<std::uint16_t>(bits >> 16));
}

// The hook's rules. A bound press and its release never reach the application under the
// cursor; an unbound button behaves as usual.
inline MouseHookVerdict DecideMouseHook(MouseHookShared& shared, const MouseHookEvent& event) {
  namespace msg = main_window_message;
  MouseHookVerdict verdict;
  switch (event.kind) {
    case MouseHookEventKind::kOther:
      return verdict;
    case MouseHookEventKind::kMove: {
      const bool on =
          shared.OnHoverSpot({static_cast<double>(event.x), static_cast<double>(event.y)});
      if (on && !shared.onSpot.exchange(true)) {
        verdict.post = MainWindowMessage{
            msg::kCoordinatorCommand,
            static_cast<std::uint64_t>(static_cast<std::int64_t>(kCommandHoverSpot)),
            PackPointParam(event.x, event.y)};
      } else if (!on) {
        shared.onSpot.store(false);
      }
      return verdict;
    }
    case MouseHookEventKind::kWheel:
      if (shared.wheelWanted.load()) {
        verdict.swallow = true;
        verdict.post = MainWindowMessage{
            msg::kCoordinatorCommand,
            static_cast<std::uint64_t>(static_cast<std::int64_t>(kCommandSwitcherWheel)),
            event.wheelDelta};
      }
      return verdict;
    case MouseHookEventKind::kButtonUp: {
      std::uint32_t expected = event.button;
      // Only the release of the press that was swallowed is swallowed too.
      if (expected != 0 && shared.swallowed.compare_exchange_strong(expected, 0)) {
        verdict.swallow = true;
      }
      return verdict;
    }
    case MouseHookEventKind::kButtonDown:
      break;
  }
  if (shared.capturing.load()) {
    shared.swallowed.store(event.button);
    verdict.swallow = true;
    verdict.post = MainWindowMessage{msg::kMouseCaptured, event.button, event.modifiers};
    return verdict;
  }
  const int index = shared.FindBinding(event.button, event.modifiers);
  if (index < 0) return verdict;
  shared.swallowed.store(event.button);
  verdict.swallow = true;
  verdict.post = MainWindowMessage{msg::kMouseShortcut, static_cast<std::uint64_t>(index),
                                   PackPointParam(event.x, event.y)};
  return verdict;
}

class MouseHook {
 public:
  virtual ~MouseHook() = default;

  // Starts the hook thread unless it runs: CreateThread; the thread installs WH_MOUSE_LL,
  // runs GetMessageW/DispatchMessageW until GetMessageW answers 0 or less, and removes
  // the hook. Its callback hands every nCode-0 event to DecideMouseHook(shared, ...),
  // posts the verdict's message to the main window and swallows when told; everything
  // else goes to CallNextHookEx. `shared` outlives the thread. False when the thread
  // cannot be started.
  virtual bool Start(MouseHookShared& shared) = 0;
  // PostThreadMessageW(WM_QUIT), wait up to 1,000 ms, close the handle (a thread that
  // does not end in time is left). Nothing when no thread runs.
  virtual void Stop() = 0;
  virtual bool Running() const = 0;
};

}  // namespace tessary
