#include "editor/apply_changes.h"

#include "library/table/trigger_encoding.h"
#include "macro/desktop/debug_trace.h"
#include "macro/desktop/error_report.h"
#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"

namespace {

constexpr char TRIGGER_IN_USE_TEXT[] =
    "The trigger your have chosen is already being used by another macro. Please choose a "
    "different trigger.";

void RenameListEntry(MacroListView& list, const Macro& macro) {
    list.DeleteEntry(macro.id);
    list.InsertEntry(macro.id, std::string(FieldText(macro.name)));
}

}  // namespace

ApplyResult ApplyChanges(ApplyContext& context, EditorFormView& view) {
    Macro* macro = context.table.currentMacro;
    if (!macro) return ApplyResult::NoMacro;
    EditorForm form = view.ReadForm();
    Trigger trigger = TriggerFromHotKeyControl(form.hotKey);
    DebugTrace(context.desktop, "ID: " + std::to_string(macro->id));
    if (IsTriggerInUse(context.table.InUse(), trigger, macro->id)) {
        ReportError(context.desktop, view.EditorWindow(), TRIGGER_IN_USE_TEXT, ERROR_CAPTION);
        view.ClearTrigger();
        return ApplyResult::TriggerInUse;
    }
    view.EnableApply(false);
    StoreForm(form, context.macroDelay, *macro);
    bool rewritten = SaveMacroFile(context.files,
                                   context.heldCode ? *context.heldCode : view.CodeText(), *macro);
    if (!rewritten)
        ReportError(context.desktop, view.EditorWindow(), "Error rewriting macro file",
                    FAILURE_CAPTION);
    RenameListEntry(context.macroList, *macro);
    // A file that was not rewritten keeps the changes pending, so that they are not lost.
    context.state.editorModified = !rewritten;
    if (!rewritten) view.EnableApply(true);
    return rewritten ? ApplyResult::Stored : ApplyResult::NotRewritten;
}
