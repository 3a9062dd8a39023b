#include "layout/layout_import.h"

#include "layout/exchange_file.h"

namespace tessary {

ImportOutcome ImportLayoutsText(LayoutStore& store, std::string_view display, std::string_view text,
                                const std::function<std::string()>& newId) {
  ImportOutcome outcome;
  ParsedExchangeFile parsed = ParseExchangeFile(text);
  if (!parsed.error.empty()) {
    outcome.error = std::move(parsed.error);
    return outcome;
  }
  MergeResult merged = MergeImported(parsed.layouts, store.CustomLayouts(display), newId);
  if (merged.added > 0 && !store.ReplaceCustomLayouts(display, std::move(merged.layouts))) {
    // The merge only adds acceptable layouts, so only a broken id source gets here.
    outcome.error = "The layouts couldn\u2019t be added.";
    return outcome;
  }
  outcome.added = merged.added;
  outcome.skipped = merged.skipped;
  return outcome;
}

}  // namespace tessary
