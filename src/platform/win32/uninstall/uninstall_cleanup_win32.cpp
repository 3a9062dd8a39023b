// The installer's one piece of code: when Tessary is removed, its start-at-sign-in entry
// goes too, or Windows would try to start a program that is no longer there at every
// sign-in. The entry is the program's own (the user ticks it in Tessary, not in the
// installer), so the installer cannot list it among the things it wrote; it calls this
// function instead, as the signed-in user, while the files are being removed. The state
// folder with the user's layouts is left alone on purpose.
//
// Built as a small DLL that the MSI carries in its Binary table and never installs.

#include <windows.h>
// MSIHANDLE.
#include <msi.h>

#include "platform/win32/startup_entry_win32.h"

// The installer ignores the answer (there is nothing to undo when the entry was not there
// or could not be removed), so the function always reports success.
extern "C" __declspec(dllexport) UINT WINAPI RemoveStartupEntry(MSIHANDLE) {
  tessary::Win32StartupEntry().SetRegistered(false);
  return ERROR_SUCCESS;
}
