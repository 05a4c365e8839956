#include "library/program/end_of_session.h"

#include "library/table/macro_list_commands.h"
#include "macro/file/text_field.h"

bool MaySessionEnd(KeyloomSessionEnd& session) {
    MacroLibrary& library = session.window.library;
    return session.unsaved.Ask([&library] { return OfferToSaveList(library); },
                               library.table.modified);
}

void OnEndSession(KeyloomSessionEnd& session, bool ending) {
    if (!ending) {
        session.unsaved.Forget();
        return;
    }
    MainWindowContext& window = session.window;
    const std::string_view listName = FieldText(window.library.table.listFileName);
    if (const auto where =
            session.unsaved.Destination(window.library.table.modified,
                                        listName == UNTITLED_LIST_NAME, listName,
                                        session.keptListPath))
        SaveListTo(window.library, *where);
    // The process may end as soon as this returns: the list's name is remembered now.
    StoreLastFileName(session.settings, FieldText(window.library.table.listFileName));
    if (window.tray.Present()) {
        HotKeysOnLeaveTray(window.hotKeys);
        window.tray.Delete();
    }
    window.view.EndMainWindow();
}
