#include "layout/exchange_file.h"

#include <optional>

#include "base/utf.h"
#include "layout/json_value.h"
#include "layout/layout_ids.h"
#include "layout/layout_names.h"
#include "layout/sha256.h"
#include "layout/tree_json.h"

namespace tessary {
namespace {

constexpr const char* kChooseCountError = "Choose between 1 and 128 layouts to export.";
constexpr const char* kInvalidRegionsError = "A layout has invalid regions.";
constexpr const char* kExportTooLargeError = "This layout file is too large.";
constexpr const char* kFileTooLargeError = "Layout files must be no larger than 1 MB.";
constexpr const char* kUnreadableError =
    "The data couldn\u2019t be read because it isn\u2019t in the correct format.";
constexpr const char* kNotLayoutFileError = "This is not a Tessary layout file.";
constexpr const char* kVersionError =
    "This layout file uses an unsupported version. Try a newer version of Tessary.";
constexpr const char* kLayoutCountError = "A layout file must contain between 1 and 128 layouts.";
constexpr const char* kMissingNameError = "A layout is missing its name.";

const JsonValue kNull;

JsonValue NameAndTree(std::string_view name, const NodeRef& tree) {
  JsonValue object = JsonValue::MakeObject();
  object.AddMember("name", JsonValue(name));
  object.AddMember("tree", TreeToJson(tree));
  return object;
}

ParsedExchangeFile Failure(std::string message) {
  ParsedExchangeFile result;
  result.error = std::move(message);
  return result;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Names are compared in their trimmed form: the file carries trimmed names, so a layout
// stored as typed with surrounding spaces is still the same layout when it comes back.
std::string ComparableName(const SnapLayout& layout) {
  return NormalizeLayoutName(layout.name).value_or(layout.name);
}

}  // namespace

ExportText BuildExportText(const std::vector<SnapLayout>& layouts) {
  ExportText result;
  if (layouts.empty() || layouts.size() > kMaxExchangeLayouts) {
    result.error = kChooseCountError;
    return result;
  }
  JsonValue list = JsonValue::MakeArray();
  for (const SnapLayout& layout : layouts) {
    if (!ValidateTree(layout.tree)) {
      result.error = kInvalidRegionsError;
      return result;
    }
    const std::optional<std::string> name = NormalizeLayoutName(layout.name);
    if (!name) {
      result.error = std::string(kLayoutNameRule);
      return result;
    }
    list.Append(NameAndTree(*name, layout.tree));
  }
  JsonValue root = JsonValue::MakeObject();
  root.AddMember("format", JsonValue(kExchangeFormat));
  root.AddMember("version", JsonValue(1));
  root.AddMember("layouts", std::move(list));
  std::string text = WriteJsonSorted(root, true);
  if (text.size() > kMaxExchangeFileBytes) {
    result.error = kExportTooLargeError;
    return result;
  }
  result.text = std::move(text);
  return result;
}

std::string ImportedLayoutId(std::string_view trimmedName, const NodeRef& tree) {
  return std::string(kImportedLayoutIdPrefix) +
         Sha256Hex(WriteJsonSorted(NameAndTree(trimmedName, tree), false));
}

ParsedExchangeFile ParseExchangeFile(std::string_view text) {
  if (text.size() > kMaxExchangeFileBytes) return Failure(kFileTooLargeError);
  JsonValue root;
  if (!ParseJson(text, root)) return Failure(kUnreadableError);
  const JsonValue* format = Find(root, "format");
  if (!root.IsObject() || format == nullptr || !format->IsString() ||
      format->AsString() != kExchangeFormat) {
    return Failure(kNotLayoutFileError);
  }
  const JsonValue* version = Find(root, "version");
  if (version == nullptr || !version->IsNumber() || version->AsNumber() != 1.0) {
    return Failure(kVersionError);
  }
  const JsonValue* layouts = Find(root, "layouts");
  if (layouts == nullptr || !layouts->IsArray() || layouts->Elements().empty() ||
      layouts->Elements().size() > kMaxExchangeLayouts) {
    return Failure(kLayoutCountError);
  }
  for (const JsonValue& element : layouts->Elements()) {
    if (!element.IsObject()) return Failure(kLayoutCountError);
  }

  ParsedExchangeFile result;
  for (const JsonValue& element : layouts->Elements()) {
    const JsonValue* name = Find(element, "name");
    if (name == nullptr || !name->IsString()) return Failure(kMissingNameError);
    std::optional<std::string> trimmed = NormalizeLayoutName(name->AsString());
    if (!trimmed) return Failure(std::string(kLayoutNameRule));
    const JsonValue* treeValue = Find(element, "tree");
    std::string error;
    NodeRef tree = ParseLayoutTree(treeValue != nullptr ? *treeValue : kNull, &error);
    if (!tree) return Failure(error.empty() ? std::string(kTreeStructureError) : error);
    SnapLayout layout;
    layout.id = ImportedLayoutId(*trimmed, tree);
    layout.name = std::move(*trimmed);
    layout.tree = std::move(tree);
    result.layouts.push_back(std::move(layout));
  }
  return result;
}

MergeResult MergeImported(const std::vector<SnapLayout>& imported,
                          const std::vector<SnapLayout>& existing,
                          const std::function<std::string()>& newId) {
  MergeResult result;
  result.layouts = existing;
  for (const SnapLayout& layout : imported) {
    const std::string name = NormalizeLayoutName(layout.name).value_or(layout.name);
    bool duplicate = false;
    for (const SnapLayout& entry : result.layouts) {
      duplicate = duplicate || ((entry.id == layout.id || ComparableName(entry) == name) &&
                                TreesEqual(entry.tree, layout.tree));
    }
    if (duplicate) {
      ++result.skipped;
      continue;
    }

    const auto clashes = [&](std::string_view candidate) {
      for (const SnapLayout& entry : result.layouts) {
        if (SameIgnoringAsciiCase(ComparableName(entry), candidate)) return true;
      }
      return false;
    };
    std::string candidate = name;
    for (int attempt = 1; clashes(candidate); ++attempt) {
      const std::string suffix =
          attempt == 1 ? std::string(" (imported)") : " (imported " + std::to_string(attempt) + ")";
      // Cut the way the name check counts, so the shorter name passes it again even when
      // the text is not valid UTF-8.
      candidate = CutToCharacters(name, kMaxLayoutNameCodePoints - suffix.size()) + suffix;
    }

    const auto taken = [&](std::string_view id) {
      for (const SnapLayout& entry : result.layouts) {
        if (entry.id == id) return true;
      }
      return false;
    };
    std::string id = layout.id;
    // A fresh id that is somehow taken too is asked for again, but never forever.
    for (int attempt = 0; taken(id) && attempt < 100; ++attempt) id = newId ? newId() : "";
    if (taken(id) || id.empty()) {
      ++result.skipped;
      continue;
    }

    SnapLayout added;
    added.id = std::move(id);
    added.name = std::move(candidate);
    added.tree = layout.tree;
    result.layouts.push_back(std::move(added));
    ++result.added;
  }
  return result;
}

std::string ImportReportText(int added, int skipped, std::string_view displayName) {
  if (added == 0) return "These layouts are already here; nothing was added.";
  std::string text = std::to_string(added) + (added == 1 ? " layout was" : " layouts were") +
                     " added to " + std::string(displayName) + ".";
  if (skipped > 0) {
    text += " " + std::to_string(skipped) + " already here " + (skipped == 1 ? "was" : "were") +
            " skipped.";
  }
  return text + " No windows were moved.";
}

}  // namespace tessary
