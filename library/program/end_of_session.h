#pragma once
// The end of the desktop session (signing out, restarting, shutting down) as Keyloom's main
// window takes it: what Exit does, and unsaved changes to the macro list are never lost.
#include <string>

#include "library/program/main_window_commands.h"
#include "settings/settings.h"
#include "ui/unsaved_at_session_end.h"

struct KeyloomSessionEnd {
    MainWindowContext& window;
    SettingsContext& settings;
    std::string keptListPath;  // where the changes of an untitled list are kept; may be empty
    UnsavedAtSessionEnd unsaved{};
};

// The system asks whether the session may end: yes at once without unsaved list changes; with
// them, the question of Exit, "Save changes to current macro list?", and Cancel keeps the
// session.
bool MaySessionEnd(KeyloomSessionEnd& session);
// The system's word on the end it asked about. When the session ends (asked or not): changes
// that the user did not let go are saved, to the list's file or, for an untitled list, to
// `keptListPath`, which the next start opens; then what Exit and Close Keyloom do. When it goes
// on, an answer given for that end no longer counts.
void OnEndSession(KeyloomSessionEnd& session, bool ending);
