#pragma once

// Shared pieces of the surface tests: a clock that moves only when told, and layouts.

#include <string>
#include <vector>

#include "layout/builtin_layouts.h"
#include "layout/layout_tree.h"
#include "platform/clock.h"

namespace tessary::testing {

class ManualClock : public Clock {
 public:
  double Now() override { return now; }
  bool WaitForFrame() override {
    now += 1.0 / 60;
    return true;
  }
  void Sleep(std::uint32_t milliseconds) override { now += milliseconds / 1000.0; }

  double now = 100.0;
};

// The first `count` built-in layouts, repeated when more are asked for.
inline std::vector<SnapLayout> Layouts(std::size_t count) {
  const std::vector<SnapLayout>& builtIns = BuiltInLayouts();
  std::vector<SnapLayout> layouts;
  for (std::size_t i = 0; i < count; ++i) layouts.push_back(builtIns[i % builtIns.size()]);
  return layouts;
}

inline SnapLayout Named(const std::string& id) {
  const SnapLayout* layout = FindBuiltIn(id);
  return layout ? *layout : SnapLayout{};
}

}  // namespace tessary::testing
