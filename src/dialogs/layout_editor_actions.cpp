// The editor's lists ("Start from" and the apps) and the commands that leave the editor:
// saving, with or without applying, and deleting.

#include <string>
#include <utility>

#include "base/utf.h"
#include "dialogs/layout_editor.h"
#include "dialogs/layout_editor_controls.h"
#include "layout/layout_names.h"

namespace tessary {
namespace {

namespace id = editor_id;

const FileChoice kChooseApp{"Choose an App", "Apps (*.exe)", "*.exe", "", ""};

}  // namespace

void LayoutEditor::FillLists() {
  if (!input_.existing) {
    std::vector<std::string> starts{std::string(kEditorBlank)};
    for (const SnapLayout& choice : input_.startChoices) starts.push_back(choice.name);
    window_->SetItems(id::kStartFrom, starts);
    window_->Select(id::kStartFrom, 0);
  }
  std::vector<std::string> apps{std::string(kEditorNoApp)};
  for (const KnownApp& app : input_.knownApps) apps.push_back(app.name);
  apps.emplace_back(kEditorOtherApp);
  window_->SetItems(id::kApps, apps);
}

void LayoutEditor::ChooseStart() {
  const int index = window_->Selection(id::kStartFrom);
  if (index < 0) return;
  const std::size_t choice = static_cast<std::size_t>(index);
  if (choice > input_.startChoices.size()) return;
  const NodeRef tree = choice == 0 ? MakeLeaf(0) : input_.startChoices[choice - 1].tree;
  if (model_.Commit(tree)) Refresh();
}

void LayoutEditor::ChooseApp() {
  const int index = window_->Selection(id::kApps);
  const int known = static_cast<int>(input_.knownApps.size());
  if (index == 0) {
    model_.ClearSelectedApps();
  } else if (index >= 1 && index <= known) {
    model_.ToggleSelectedApp(input_.knownApps[static_cast<std::size_t>(index - 1)].id);
  } else if (index == known + 1) {
    // The file dialog runs its own loop; the editor may be closed by then.
    std::optional<std::string> file = services_.prompts.ChooseFileToOpen(kChooseApp);
    if (!IsOpen()) return;
    if (file) model_.AppendSelectedApp(*file);
  }
  window_->Select(id::kApps, -1);
  Refresh();
}

void LayoutEditor::Save(bool apply) {
  const std::string name = CutToCharacters(window_->Text(id::kName), kEditorNameReadLimit);
  if (!NormalizeLayoutName(name)) {
    services_.prompts.Inform("Tessary", std::string(kLayoutNameHint), PromptIcon::kInformation);
    if (IsOpen()) window_->Focus(id::kName);
    return;
  }
  SnapLayout layout;
  if (input_.existing) layout.id = input_.existing->id;
  layout.name = name;
  layout.tree = model_.Tree();
  layout.apps = model_.AppsInUse();
  // The callback may close this editor, which clears the input holding it.
  const auto onSave = input_.onSave;
  if (onSave && onSave(layout, apply)) Close();
}

void LayoutEditor::Delete() {
  if (!input_.existing) return;
  const std::string name = window_->Text(id::kName);
  const std::string question =
      "Delete \u201C" + name + "\u201D? Windows arranged with it stay where they are.";
  if (!services_.prompts.Ask("Delete Layout", question, PromptIcon::kQuestion)) return;
  if (!IsOpen()) return;
  const std::string layoutId = input_.existing->id;
  const auto onDelete = input_.onDelete;
  Close();
  if (onDelete) onDelete(layoutId);
}

}  // namespace tessary
