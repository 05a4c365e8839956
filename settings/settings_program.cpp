#include "resources/options_ids.h"
#include "settings/settings.h"

const SettingsProgram KEYLOOM_SETTINGS{
    "Software\\Keyloom", "Keyloom", "Failed to retrieve Keyloom's filename", "", true, true,
    IDD_OPTIONS};

const SettingsProgram SCHEDULER_SETTINGS{"Software\\Keyloom Scheduler",
                                         "Keyloom Scheduler",
                                         "Failed to retrieve Keyloom Scheduler's filename",
                                         UNTITLED_FILE_NAME,
                                         false,
                                         false,
                                         IDD_SCHEDULER_OPTIONS};
