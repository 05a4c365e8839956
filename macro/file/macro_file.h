#pragma once
// Reading and writing .mro macro files, and the trigger clash test.
#include <span>
#include <string>
#include <string_view>

#include "macro/desktop/desktop_port.h"
#include "macro/file/file_system.h"
#include "macro/file/macro.h"

// What differs between the programs when a macro file is loaded.
struct MacroLoadRules {
    int32_t defaultSpeed;                    // MacroDelay in Keyloom, 10 in Keyloom Scheduler
    bool readTimeAsSpeed;                    // the scheduler also takes "TIME" as the pace
    std::span<const Macro> clashCandidates;  // macros in use; empty: no clash test
    WindowHandle mainWindow;                 // owner of the clash message
};

// The scheduler's rules: pace 10, TIME read like SPEED, no hot keys and so no clash test.
constexpr int32_t SCHEDULER_DEFAULT_SPEED = 10;
MacroLoadRules SchedulerLoadRules(WindowHandle mainWindow);

// Fills the properties of `macro` from the file at `path`; fields whose property is absent keep
// their value. Reports its own failures.
bool LoadMacroFile(FileSystem& files, DesktopPort& desktop, const MacroLoadRules& rules,
                   const std::string& path, Macro& macro);

// What kept a macro file from loading.
enum class MacroLoadFailure { NONE, CANNOT_OPEN, TRIGGER_IN_USE };
// LoadMacroFile without a message, for a caller that reports many loads at once.
MacroLoadFailure ReadMacroFile(FileSystem& files, const MacroLoadRules& rules,
                               const std::string& path, Macro& macro);

// The exact bytes of a macro file for `macro` and `codeText`.
std::string FormatMacroFile(std::string_view codeText, const Macro& macro);

// Writes the macro and its code to its fileName; the old file is replaced only by a complete
// new one. False, without a message, when the file cannot be written.
bool SaveMacroFile(FileSystem& files, std::string_view codeText, const Macro& macro);

// Whether a macro other than `ownerId` (NEW_MACRO_ID: none) already has this trigger.
bool IsTriggerInUse(std::span<const Macro> macrosInUse, const Trigger& trigger, int32_t ownerId);
