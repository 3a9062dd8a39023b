#pragma once

// What a screen reader reads of a window: its client area's accessible object, asked for
// one child (the window itself, or the item with the focus) and that child's name, role
// and place, as Narrator asks.

#include <gtest/gtest.h>
#include <windows.h>

#include <oleacc.h>

#include <string>

namespace tessary::testing {

struct AccessibleRead {
  std::wstring name;
  LONG role = 0;
  RECT where{};
};

enum class AccessibleChild { kSelf, kFocused };

inline AccessibleRead ReadAccessible(HWND window, AccessibleChild which) {
  AccessibleRead read;
  IAccessible* accessible = nullptr;
  EXPECT_EQ(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                       reinterpret_cast<void**>(&accessible)),
            S_OK);
  if (!accessible) return read;
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = CHILDID_SELF;
  if (which == AccessibleChild::kFocused) {
    EXPECT_EQ(accessible->get_accFocus(&child), S_OK);
  }
  BSTR name = nullptr;
  if (accessible->get_accName(child, &name) == S_OK && name) read.name = name;
  SysFreeString(name);
  VARIANT role;
  VariantInit(&role);
  if (accessible->get_accRole(child, &role) == S_OK) read.role = role.lVal;
  LONG x = 0, y = 0, w = 0, h = 0;
  if (accessible->accLocation(&x, &y, &w, &h, child) == S_OK) read.where = {x, y, x + w, y + h};
  accessible->Release();
  return read;
}

}  // namespace tessary::testing
