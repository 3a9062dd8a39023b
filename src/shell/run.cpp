#include "shell/run.h"

#include "dialogs/info_window.h"
#include "dialogs/tour_window.h"
#include "shell/shell.h"

namespace tessary {

Shell::Shell(ShellEnvironment environment) : env_(std::move(environment)) {}

int RunTessary(const ShellEnvironment& environment, const std::vector<std::string>& arguments) {
  Shell shell(environment);
  if (std::optional<int> early = shell.Start(arguments)) return *early;
  environment.host.mainWindow.RunMessageLoop();
  return shell.Finish();
}

}  // namespace tessary
