#include "shell/layout_exchange.h"

#include "layout/exchange_file.h"
#include "layout/layout_ids.h"
#include "layout/layout_import.h"
#include "state/atomic_write.h"

namespace tessary {
namespace {

constexpr const char* kExportTitle = "Export Layouts";
constexpr const char* kImportTitle = "Import Layouts";
constexpr const char* kFilterName = "Tessary layouts (*.json)";
constexpr const char* kFilterPattern = "*.json";
constexpr const char* kSuggestedName = "Tessary Layouts.tessary.json";
constexpr const char* kNotWritten = "The file couldn't be written.";
constexpr const char* kNotRead = "That file couldn't be read.";

FileChoice ExchangeFileChoice(const char* title) {
  FileChoice choice;
  choice.title = title;
  choice.filterName = kFilterName;
  choice.filterPattern = kFilterPattern;
  choice.defaultExtension = "json";
  return choice;
}

}  // namespace

void ExportLayouts(const LayoutExchangeAccess& access, const std::vector<SnapLayout>& layouts) {
  // Checked before the dialog, so the user is never asked where to put a file that will
  // not be written.
  const ExportText exported = BuildExportText(layouts);
  if (!exported.error.empty()) {
    access.prompts.Inform(kExportTitle, exported.error, PromptIcon::kWarning);
    return;
  }
  FileChoice choice = ExchangeFileChoice(kExportTitle);
  choice.suggestedName = kSuggestedName;
  const std::optional<std::string> path = access.prompts.ChooseFileToSave(choice);
  if (!path) return;
  // Written beside the target and renamed over it, so a file being replaced survives a
  // failed write whole.
  if (!AtomicWriteFile(access.files, *path, exported.text)) {
    access.prompts.Inform(kExportTitle, kNotWritten, PromptIcon::kWarning);
  }
}

void ImportLayouts(const LayoutExchangeAccess& access, const ImportTarget& target) {
  FileChoice choice = ExchangeFileChoice(kImportTitle);
  choice.offerAllFiles = true;
  const std::optional<std::string> path = access.prompts.ChooseFileToOpen(choice);
  if (!path) return;
  // One byte past the limit, so that an oversized file fails the size check instead of
  // being cut to a size that passes it.
  const FileRead read = access.files.ReadFile(*path, kMaxExchangeFileBytes + 1);
  if (read.status != ReadStatus::kOk) {
    access.prompts.Inform(kImportTitle, kNotRead, PromptIcon::kWarning);
    return;
  }
  const ImportOutcome outcome = ImportLayoutsText(target.store, target.displayKey, read.bytes,
                                                  [] { return NewUserLayoutId(); });
  if (!outcome.error.empty()) {
    access.prompts.Inform(kImportTitle, outcome.error, PromptIcon::kWarning);
    return;
  }
  access.prompts.Inform(kImportTitle,
                        ImportReportText(outcome.added, outcome.skipped, target.displayName),
                        PromptIcon::kInformation);
}

}  // namespace tessary
