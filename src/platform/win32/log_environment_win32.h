#pragma once

// The logging environment of Windows, installed by the program at start-up with
// InstallLogEnvironment: the performance counter, CPU time from cycle counts, the
// variable read as wide text and the log file appended with shared access.

#include "base/log.h"

namespace tessary {

LogEnvironment Win32LogEnvironment();

}  // namespace tessary
