// Entry points of the engine's later parts (the overview). They exist so that
// the shell can call them today; each says once in the log that it is not built yet.

#include "base/log.h"
#include "engine/coordinator.h"

namespace tessary {

bool Coordinator::ShowOverview(WindowId /*window*/) {
  NotYetBuilt("ShowOverview");
  return false;
}

}  // namespace tessary
