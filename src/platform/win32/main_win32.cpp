// Tessary's entry point on Windows: the system's pieces are assembled here and handed to
// the portable shell, which does everything else (see shell/shell.h). The main thread runs
// every window, hook callback and timer of the program through the one message loop.

#include <windows.h>
// COM and the command line splitter need the Windows types above.
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "base/log.h"
#include "platform/win32/log_environment_win32.h"
#include "platform/win32/shell_host_win32.h"
#include "platform/win32/wide_text.h"
#include "shell/run.h"

namespace {

// The arguments after the program's own name, as UTF-8, split the way the C runtime
// splits them (quotes and backslashes included).
std::vector<std::string> Arguments() {
  std::vector<std::string> arguments;
  int count = 0;
  LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
  if (list == nullptr) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(tessary::Utf8FromWide(list[i]));
  LocalFree(list);
  return arguments;
}

int Run(HINSTANCE instance) {
  // Outlives the shell inside RunTessary: the shell's windows and hooks go first.
  tessary::Win32ShellHost backend(instance);
  const tessary::ShellEnvironment environment{
      backend.Desktop(), backend.Host(),    backend.Surfaces(), backend.Theme(),
      backend.Files(),   backend.Startup(), backend.Keys(),     {}};
  return tessary::RunTessary(environment, Arguments());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // First of all, before anything loads a DLL by name: such DLLs come from System32 only,
  // never from the program's own folder or the current one, where a downloaded file
  // could pose as a system DLL (Tessary.exe is often started from a Downloads folder).
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Before anything can log: the file named by TESSARY_LOG, the performance counter.
  tessary::InstallLogEnvironment(tessary::Win32LogEnvironment());
  // The shell's icons, known folders and file dialogs are COM; the main thread is the UI
  // thread, so a single-threaded apartment.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const int exitCode = Run(instance);
  if (SUCCEEDED(com)) CoUninitialize();
  return exitCode;
}
