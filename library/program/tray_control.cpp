#include "library/program/tray_control.h"

#include "library/table/macro_list_commands.h"
#include "macro/desktop/error_report.h"
#include "resources/keyloom_ids.h"

namespace {

bool AddIcon(MainWindowContext& context) {
    return AddTrayIconPatiently(context.library.desktop,
                                [&] { return context.tray.Add(context.hotKeys.macrosDisabled); });
}

void DeleteIcon(MainWindowContext& context) {
    if (!context.tray.Delete())
        ReportError(context.library.desktop, context.library.mainWindow,
                    "Failed to delete tray icon", ERROR_CAPTION);
}

void CloseFromTray(MainWindowContext& context) {
    if (!OfferToSaveList(context.library)) return;
    context.view.EndMainWindow();
    HotKeysOnLeaveTray(context.hotKeys);
    DeleteIcon(context);
}

}  // namespace

void HideInTray(MainWindowContext& context) {
    if (PlayRunning(context)) return;
    if (context.tray.Present()) return;  // already there: a second close request changes nothing
    if (!AddIcon(context)) {
        // Without an icon there would be no way back to a hidden window.
        context.view.RestoreWindow();
        ReportError(context.library.desktop, context.library.mainWindow, "Failed to add tray icon",
                    ERROR_CAPTION);
        return;
    }
    context.view.HideWindow();
    HotKeysOnHideInTray(context.hotKeys);
}

void RestoreFromTray(MainWindowContext& context) {
    if (PlayRunning(context)) return;
    context.view.RestoreWindow();
    HotKeysOnLeaveTray(context.hotKeys);
    DeleteIcon(context);
}

bool TrayCommandOffered(const MainWindowContext& context, int command) {
    switch (command) {
        case IDM_TRAY_DISABLE:
            return !context.hotKeys.macrosDisabled;
        case IDM_TRAY_ENABLE:
            return context.hotKeys.macrosDisabled;
        case IDM_TRAY_RESTORE:
        case IDM_TRAY_CLOSE:
            return !PlayRunning(context);
        default:
            return false;
    }
}

void OnTrayCommand(MainWindowContext& context, int command) {
    if (!TrayCommandOffered(context, command)) return;
    switch (command) {
        case IDM_TRAY_DISABLE:
            context.tray.Change(true);
            DisableAllMacros(context.hotKeys);
            break;
        case IDM_TRAY_ENABLE:
            context.tray.Change(false);
            EnableAllMacros(context.hotKeys);
            break;
        case IDM_TRAY_CLOSE:
            CloseFromTray(context);
            break;
        case IDM_TRAY_RESTORE:
            RestoreFromTray(context);
            break;
        default:
            break;
    }
}
