#pragma once
// Apply: the form and the code box stored into the current macro, its file and its entry in
// the main window's macro list.
#include <cstdint>
#include <string>

#include "editor/editor_form.h"
#include "editor/editor_state.h"
#include "library/table/macro_list_view.h"
#include "library/table/macro_table.h"
#include "macro/desktop/desktop_port.h"
#include "macro/file/file_system.h"

// The editor's controls as Apply reads and changes them.
class EditorFormView {
  public:
    virtual ~EditorFormView() = default;
    virtual WindowHandle EditorWindow() = 0;
    virtual EditorForm ReadForm() = 0;
    virtual std::string CodeText() = 0;
    virtual void ClearTrigger() = 0;  // the hot-key control shows no key
    virtual void EnableApply(bool enabled) = 0;
};

struct ApplyContext {
    MacroTable& table;  // the macro edited is its currentMacro
    EditorState& state;
    DesktopPort& desktop;
    FileSystem& files;
    MacroListView& macroList;  // the main window's
    int32_t macroDelay;        // the MacroDelay in effect: the stored pace
    // The file's whole code while the code box shows it cut: stored instead of the box's text.
    const std::string* heldCode = nullptr;
};

enum class ApplyResult {
    Stored,
    NoMacro,       // nothing is being edited
    TriggerInUse,  // refused: nothing stored, the trigger cleared
    LineTooLong,   // refused: a code line would not open again whole; nothing stored
    NotRewritten,  // the record took the form, its file could not be rewritten
};

// The changes stay pending (editorModified set, Apply enabled) unless the result is Stored.
ApplyResult ApplyChanges(ApplyContext& context, EditorFormView& view);
