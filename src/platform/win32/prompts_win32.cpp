#include "platform/win32/prompts_win32.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

UINT IconStyle(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::kInformation:
      return MB_ICONINFORMATION;
    case PromptIcon::kWarning:
      return MB_ICONWARNING;
    case PromptIcon::kError:
      return MB_ICONERROR;
    case PromptIcon::kQuestion:
      return MB_ICONQUESTION;
  }
  return MB_ICONINFORMATION;
}

// "Name\0pattern\0\0", the double-NUL-terminated list the common dialogs read.
std::wstring FilterList(const FileChoice& choice) {
  std::wstring list = WideFromUtf8(choice.filterName);
  list.push_back(L'\0');
  list += WideFromUtf8(choice.filterPattern);
  list.push_back(L'\0');
  if (choice.offerAllFiles) {
    list += L"All files";
    list.push_back(L'\0');
    list += L"*.*";
    list.push_back(L'\0');
  }
  list.push_back(L'\0');
  return list;
}

}  // namespace

HWND Win32Prompts::Owner() const {
  // A question asked from one of our windows belongs to it, so it stays in front of it
  // and that window is disabled while it is open.
  HWND active = GetActiveWindow();
  return active != nullptr ? active : mainWindow_;
}

bool Win32Prompts::Confirm(const std::string& caption, const std::string& text) {
  return Ask(caption, text, PromptIcon::kInformation);
}

int Win32Prompts::Show(const std::string& caption, const std::string& text, UINT style) const {
  const std::wstring wideCaption = WideFromUtf8(caption);
  const std::wstring wideText = WideFromUtf8(text);
  return MessageBoxW(Owner(), wideText.c_str(), wideCaption.c_str(), style);
}

bool Win32Prompts::Ask(const std::string& caption, const std::string& text, PromptIcon icon) {
  return Show(caption, text, MB_OKCANCEL | IconStyle(icon)) == IDOK;
}

bool Win32Prompts::AskYesNo(const std::string& caption, const std::string& text,
                            PromptIcon icon) {
  return Show(caption, text, MB_YESNO | IconStyle(icon)) == IDYES;
}

void Win32Prompts::Inform(const std::string& caption, const std::string& text, PromptIcon icon) {
  Show(caption, text, MB_OK | IconStyle(icon));
}

std::optional<std::string> Win32Prompts::ChooseFile(const FileChoice& choice, bool save) const {
  // Long paths are allowed on recent systems; 32,768 units is the most a path can hold.
  std::vector<wchar_t> path(32768, L'\0');
  const std::wstring suggested = WideFromUtf8(choice.suggestedName);
  if (save) suggested.copy(path.data(), std::min(suggested.size(), path.size() - 1));
  const std::wstring title = WideFromUtf8(choice.title);
  const std::wstring filter = FilterList(choice);
  const std::wstring extension = WideFromUtf8(choice.defaultExtension);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = Owner();
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                 (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST
                       : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  return Utf8FromWide(std::wstring_view(path.data()));
}

std::optional<std::string> Win32Prompts::ChooseFileToOpen(const FileChoice& choice) {
  return ChooseFile(choice, false);
}

std::optional<std::string> Win32Prompts::ChooseFileToSave(const FileChoice& choice) {
  return ChooseFile(choice, true);
}

void Win32Prompts::InformationBeep() { MessageBeep(MB_ICONINFORMATION); }

void Win32Prompts::WarningBeep() { MessageBeep(MB_ICONWARNING); }

}  // namespace tessary
