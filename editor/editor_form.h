#pragma once
// The properties half of the editor as plain data: what the form shows for a macro, and what
// Apply stores from it.
#include <cstdint>
#include <string>

#include "macro/file/macro.h"

struct EditorForm {
    std::string name;
    std::string description;
    uint16_t hotKey = 0;  // the hot-key control's value
    bool enabled = false;
    bool anyWindow = false;       // "Works with any window"
    bool specificWindow = false;  // "Works with specific window:"
    bool windowBoxEnabled = true;
    std::string window;
    bool playTimes = false;           // "Play macro" ... "times"
    bool playFor = false;             // "Play for" ... "seconds"
    bool repeatUntilStopped = false;  // "Repeat until stopped"
    bool timesBoxEnabled = true;
    bool secondsBoxEnabled = true;
    std::string times;
    std::string seconds;
};

// The form filled from a macro when the editor opens.
EditorForm FormFromMacro(const Macro& macro);

// The trigger Apply stores: the macro's own while the hot-key control still shows it (the control
// holds a key's low byte and modifier flags of 1 only), else the control's.
Trigger StoredTrigger(const EditorForm& form, const Trigger& trigger);

// Stores the form into the macro; its pace becomes `macroDelay`. A play style whose radio
// button is not checked leaves the macro's own.
void StoreForm(const EditorForm& form, int32_t macroDelay, Macro& macro);
