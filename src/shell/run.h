#pragma once

// The program's whole run, for the backend's entry point (wWinMain on Windows): start-up,
// the message loop, and the exit code.

#include <string>
#include <vector>

#include "shell/shell_environment.h"

namespace tessary {

// `arguments`: the command line after the program's own name, UTF-8. Returns the exit
// code: 0 after a normal run and when another copy is running, 1 when start-up failed.
int RunTessary(const ShellEnvironment& environment, const std::vector<std::string>& arguments);

}  // namespace tessary
