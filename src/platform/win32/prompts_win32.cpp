#include "platform/win32/prompts_win32.h"

#include "platform/win32/wide_text.h"

namespace tessary {

bool Win32Prompts::Confirm(const std::string& caption, const std::string& text) {
  std::wstring wideCaption = WideFromUtf8(caption);
  std::wstring wideText = WideFromUtf8(text);
  return MessageBoxW(mainWindow_, wideText.c_str(), wideCaption.c_str(),
                     MB_OKCANCEL | MB_ICONINFORMATION) == IDOK;
}

void Win32Prompts::InformationBeep() { MessageBeep(MB_ICONINFORMATION); }

}  // namespace tessary
