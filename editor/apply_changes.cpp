#include "editor/apply_changes.h"

#include "editor/code_box_text.h"

#include "macro/desktop/debug_trace.h"
#include "macro/desktop/error_report.h"
#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"

namespace {

constexpr char TRIGGER_IN_USE_TEXT[] =
    "The trigger your have chosen is already being used by another macro. Please choose a "
    "different trigger.";

// A longer line would be stored whole, but read back cut: the macro would reopen read-only and
// play the line cut.
std::string LineTooLongText(std::size_t lineNumber) {
    return "Line " + std::to_string(lineNumber) +
           " of the macro code is longer than 299 characters. Please shorten it or split it "
           "into several lines; nothing has been saved.";
}

void RenameListEntry(MacroListView& list, const Macro& macro) {
    list.DeleteEntry(macro.id);
    list.InsertEntry(macro.id, std::string(FieldText(macro.name)));
}

}  // namespace

ApplyResult ApplyChanges(ApplyContext& context, EditorFormView& view) {
    Macro* macro = context.table.currentMacro;
    if (!macro) return ApplyResult::NoMacro;
    EditorForm form = view.ReadForm();
    Trigger trigger = StoredTrigger(form, macro->trigger);
    DebugTrace(context.desktop, "ID: " + std::to_string(macro->id));
    if (IsTriggerInUse(context.table.InUse(), trigger, macro->id)) {
        ReportError(context.desktop, view.EditorWindow(), TRIGGER_IN_USE_TEXT, ERROR_CAPTION);
        view.ClearTrigger();
        return ApplyResult::TriggerInUse;
    }
    // Held code is the file's own and is kept as it was; typed code must open again whole.
    std::string code = context.heldCode ? *context.heldCode : view.CodeText();
    std::size_t longLine = context.heldCode ? 0 : FirstLineTooLong(code);
    if (longLine) {
        ReportError(context.desktop, view.EditorWindow(), LineTooLongText(longLine), ERROR_CAPTION);
        return ApplyResult::LineTooLong;
    }
    view.EnableApply(false);
    StoreForm(form, context.macroDelay, *macro);
    bool rewritten = SaveMacroFile(context.files, code, *macro);
    if (!rewritten)
        ReportError(context.desktop, view.EditorWindow(), "Error rewriting macro file",
                    FAILURE_CAPTION);
    RenameListEntry(context.macroList, *macro);
    // A file that was not rewritten keeps the changes pending, so that they are not lost.
    context.state.editorModified = !rewritten;
    if (!rewritten) view.EnableApply(true);
    return rewritten ? ApplyResult::Stored : ApplyResult::NotRewritten;
}
