// Entry points of the engine's later parts (the editor). They exist so that
// the shell can call them today; each says once in the log that it is not built yet.

#include "base/log.h"
#include "engine/coordinator.h"

namespace tessary {

bool Coordinator::OpenLayoutEditor(const SnapLayout* /*layout*/) {
  NotYetBuilt("OpenLayoutEditor");
  return false;
}

}  // namespace tessary
