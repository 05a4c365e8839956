#include "library/program/hot_keys.h"

#include <string>

#include "library/program/user_modifiers.h"
#include "library/table/named_lines.h"
#include "library/table/trigger_encoding.h"
#include "macro/desktop/error_report.h"
#include "macro/file/text_field.h"
#include "macro/language/upper_case.h"

namespace {

constexpr int WINDOW_TITLE_COUNT = 299;  // buffer count for the front window's title

void ReportHotKeyError(HotKeys& hotKeys, const std::string& text) {
    ReportError(hotKeys.desktop, hotKeys.mainWindow, text, KEYLOOM_CAPTION);
}

// Whether the front window's title holds the macro's window text, letters in any case.
bool RestrictionMet(HotKeys& hotKeys, const Macro& macro) {
    DesktopPort& desktop = hotKeys.desktop;
    std::string windowTitle =
        desktop.GetWindowTextA(desktop.GetForegroundWindow(), WINDOW_TITLE_COUNT);
    std::string windowToCheck(FieldText(macro.window));
    UpperCaseInPlace(windowTitle);
    UpperCaseInPlace(windowToCheck);
    return windowTitle.find(windowToCheck) != std::string::npos;
}

void HandleHotKey(HotKeys& hotKeys, int id) {
    MacroTable& table = hotKeys.table;
    if (id < 0 || id >= table.count) return;
    Macro& macro = table.macros[id];
    table.currentMacro = &macro;
    if (macro.isPrivate && !RestrictionMet(hotKeys, macro)) return;
    if (!macro.active) return;
    const std::vector<uint8_t> setAside = SetAsideUserModifiers(hotKeys.desktop);
    hotKeys.player.PlayTriggered(macro);
    RestoreUserModifiers(hotKeys.desktop, setAside);
}

}  // namespace

void RegisterTriggers(HotKeys& hotKeys) {
    NamedLines refused;
    for (const Macro& macro : hotKeys.table.InUse()) {
        if (macro.trigger.virtualKey == 0) continue;
        if (hotKeys.desktop.RegisterHotKey(hotKeys.mainWindow, macro.id,
                                           HotKeyModifiers(macro.trigger),
                                           static_cast<uint16_t>(macro.trigger.virtualKey)))
            hotKeys.registered.push_back(macro.id);
        else
            refused.Add(std::string(FieldText(macro.name)));
    }
    if (refused.Count() > 0)
        ReportHotKeyError(hotKeys,
                          "Failed to register hotkey for these macros: another program or macro "
                          "already uses their combinations" +
                              refused.Text());
}

void UnregisterTriggers(HotKeys& hotKeys) {
    hotKeys.setAside.clear();
    for (int id : hotKeys.registered)
        if (!hotKeys.desktop.UnregisterHotKey(hotKeys.mainWindow, id))
            ReportHotKeyError(hotKeys, "Failed to unregister hotkey");
    hotKeys.registered.clear();
}

void OnHotKey(HotKeys& hotKeys, int id) {
    hotKeys.setAside.push_back(id);
    if (hotKeys.handling || hotKeys.player.Playing()) return;
    hotKeys.handling = true;
    while (!hotKeys.setAside.empty()) {
        int next = hotKeys.setAside.front();
        hotKeys.setAside.pop_front();
        HandleHotKey(hotKeys, next);
    }
    hotKeys.handling = false;
}

void HotKeysOnHideInTray(HotKeys& hotKeys) {
    if (!hotKeys.macrosDisabled) RegisterTriggers(hotKeys);
}

void HotKeysOnLeaveTray(HotKeys& hotKeys) {
    if (!hotKeys.macrosDisabled) UnregisterTriggers(hotKeys);
}

void DisableAllMacros(HotKeys& hotKeys) {
    hotKeys.macrosDisabled = true;
    UnregisterTriggers(hotKeys);
}

void EnableAllMacros(HotKeys& hotKeys) {
    hotKeys.macrosDisabled = false;
    RegisterTriggers(hotKeys);
}
