#pragma once

// What a surface window tells screen readers (Microsoft Active Accessibility): the
// window's client area answers WM_GETOBJECT with an IAccessible made from the view's last
// description, its items as simple elements (child ids 1 to n), and a focus that moves to
// another item is announced with a WinEvent, so Narrator follows the keyboard through
// panels that draw everything themselves.

#include <windows.h>

#include "platform/accessible_items.h"

namespace tessary {

class SurfaceAccessible;

class AccessibleSurface {
 public:
  AccessibleSurface() = default;
  ~AccessibleSurface() { Detach(); }
  AccessibleSurface(const AccessibleSurface&) = delete;
  AccessibleSurface& operator=(const AccessibleSurface&) = delete;

  // From the window's creation to its destruction. Clients may hold the object longer; once
  // detached it answers that it is disconnected.
  void Attach(HWND window);
  void Detach();

  // Keeps the description; while the window is visible, announces a focus that moved to
  // another item (EVENT_OBJECT_FOCUS when the window has the keyboard focus, else
  // EVENT_OBJECT_SELECTION), a new name and a new value of the focused item, and an alert
  // (EVENT_SYSTEM_ALERT) each time one is described.
  void Describe(const AccessibleView& view);

  // WM_GETOBJECT: true, with the reference to hand back, for OBJID_CLIENT once the view has
  // described itself; otherwise the system's own object stands.
  bool Answer(WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  HWND window_ = nullptr;
  SurfaceAccessible* object_ = nullptr;  // one reference of ours
  AccessibleView view_;                  // what the last announcements were about
  bool described_ = false;
};

}  // namespace tessary
