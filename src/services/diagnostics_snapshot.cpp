#include "services/diagnostics_snapshot.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace tessary {
namespace {

template <typename... Values>
void Append(std::string& text, const char* format, Values... values) {
  char line[1024];
  const int written = std::snprintf(line, sizeof line, format, values...);
  if (written > 0) text.append(line, std::min<std::size_t>(static_cast<std::size_t>(written),
                                                           sizeof line - 1));
}

const char* YesNo(bool value) { return value ? "yes" : "no"; }
const char* OnOff(bool value) { return value ? "on" : "off"; }

void AppendDisplay(std::string& text, const SnapshotDisplay& d) {
  Append(text, "Display %s: %.0f,%.0f %.0fx%.0f, work %.0f,%.0f %.0fx%.0f, scale %.2f\r\n",
         d.name.c_str(), d.bounds.x, d.bounds.y, d.bounds.width, d.bounds.height, d.work.x,
         d.work.y, d.work.width, d.work.height, d.scale);
  if (!d.layoutId) {
    text += "  no layout\r\n";
    return;
  }
  text += "  layout " + *d.layoutId + "\r\n";
  for (const auto& [region, rect] : d.regions) {
    Append(text, "  region %d: %.0f,%.0f %.0fx%.0f\r\n", static_cast<int>(region), rect.x, rect.y,
           rect.width, rect.height);
  }
}

}  // namespace

std::string SnapshotText(const SnapshotFacts& facts) {
  std::string text;
  for (const SnapshotDisplay& display : facts.displays) AppendDisplay(text, display);
  text += "Windows, front to back (apps only, no titles):\r\n";
  for (const SnapshotWindow& w : facts.windows) {
    // The handle as the system prints a pointer, so lines match the trace lines' "%p".
    Append(text, "  %p %s: %.0f,%.0f %.0fx%.0f\r\n",
           reinterpret_cast<void*>(static_cast<std::uintptr_t>(w.handle)), w.app.c_str(),
           w.frame.x, w.frame.y, w.frame.width, w.frame.height);
  }
  Append(text,
         "Remembered sizes: %d apps; moved badges: %s; paused: %s; stacks: %s; badges: %s "
         "(edge: %s)\r\n",
         facts.rememberedSizes, YesNo(facts.movedBadges), YesNo(facts.paused), OnOff(facts.stacks),
         OnOff(facts.badges), YesNo(facts.badgesOnEdge));
  return text;
}

}  // namespace tessary
