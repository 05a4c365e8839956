#include "library/program/end_of_session.h"

#include "library/table/macro_list_commands.h"
#include "macro/file/text_field.h"

namespace {

// The list's changes saved without a question: under its own name, else under the kept name.
void KeepChanges(KeyloomSessionEnd& session) {
    MacroLibrary& library = session.window.library;
    const bool untitled = FieldText(library.table.listFileName) == UNTITLED_LIST_NAME;
    if (untitled && session.keptListPath.empty()) return;
    SaveListTo(library, untitled ? session.keptListPath
                                 : std::string(FieldText(library.table.listFileName)));
}

}  // namespace

bool MaySessionEnd(KeyloomSessionEnd& session) {
    session.changesDeclined = false;
    if (!OfferToSaveList(session.window.library)) return false;
    session.changesDeclined = session.window.library.table.modified;
    return true;
}

void OnEndSession(KeyloomSessionEnd& session, bool ending) {
    if (!ending) {
        session.changesDeclined = false;
        return;
    }
    MainWindowContext& window = session.window;
    if (window.library.table.modified && !session.changesDeclined) KeepChanges(session);
    // The process may end as soon as this returns: the list's name is remembered now.
    StoreLastFileName(session.settings, FieldText(window.library.table.listFileName));
    if (window.tray.Present()) {
        HotKeysOnLeaveTray(window.hotKeys);
        window.tray.Delete();
    }
    window.view.EndMainWindow();
}
