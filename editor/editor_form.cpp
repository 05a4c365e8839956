#include "editor/editor_form.h"

#include "library/table/trigger_encoding.h"
#include "macro/file/decimal.h"
#include "macro/file/text_field.h"

namespace {

// A window text the box shows: not empty and not starting with a line break.
bool ShowsWindowText(std::string_view window) {
    return !window.empty() && window.front() != '\n' && window.front() != '\r';
}

// The radio buttons show the restriction as the file holds it, so that Apply keeps it; a
// restriction to no text works with any window anyway.
void FillWindowRestriction(const Macro& macro, EditorForm& form) {
    form.specificWindow = macro.isPrivate != 0;
    form.anyWindow = !form.specificWindow;
    form.windowBoxEnabled = form.specificWindow;
    std::string_view window = FieldText(macro.window);
    if (ShowsWindowText(window)) form.window = window;
}

void FillPlayStyle(const Macro& macro, EditorForm& form) {
    switch (macro.playStyle) {
        case PLAY_STYLE_FOR_SECONDS:
            form.playFor = true;
            form.timesBoxEnabled = false;
            break;
        case PLAY_STYLE_TIMES:
            form.playTimes = true;
            form.secondsBoxEnabled = false;
            break;
        case PLAY_STYLE_UNTIL_STOPPED:
            form.repeatUntilStopped = true;
            form.timesBoxEnabled = false;
            form.secondsBoxEnabled = false;
            break;
        default:
            break;
    }
    form.times = std::to_string(macro.playCount);
    form.seconds = std::to_string(macro.repeatTime);
}

// A line break in a text (the description box takes several lines) would start a new line of
// the macro file, which the reader would take for a property of its own; each break is stored
// as one space.
std::string OneLine(std::string_view text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool crBeforeLf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        if (crBeforeLf) continue;
        line += text[i] == '\n' ? ' ' : text[i];
    }
    return line;
}

int32_t StoredPlayStyle(const EditorForm& form, int32_t playStyle) {
    if (form.playTimes) return PLAY_STYLE_TIMES;
    if (form.playFor) return PLAY_STYLE_FOR_SECONDS;
    if (form.repeatUntilStopped) return PLAY_STYLE_UNTIL_STOPPED;
    return playStyle;
}

}  // namespace

EditorForm FormFromMacro(const Macro& macro) {
    EditorForm form;
    form.description = FieldText(macro.description);
    form.name = FieldText(macro.name);
    FillWindowRestriction(macro, form);
    form.enabled = macro.active != 0;
    FillPlayStyle(macro, form);
    form.hotKey = HotKeyControlValue(macro.trigger);
    return form;
}

void StoreForm(const EditorForm& form, int32_t macroDelay, Macro& macro) {
    CopyText(macro.name, OneLine(form.name));
    macro.speed = macroDelay;
    macro.active = form.enabled ? 1 : 0;
    CopyText(macro.description, OneLine(form.description));
    macro.isPrivate = form.specificWindow ? 1 : 0;
    CopyText(macro.window, OneLine(form.window));
    macro.playCount = ParseDecimal(form.times);
    macro.repeatTime = ParseDecimal(form.seconds);
    macro.playStyle = StoredPlayStyle(form, macro.playStyle);
    macro.trigger = StoredTrigger(form, macro.trigger);
}

Trigger StoredTrigger(const EditorForm& form, const Trigger& trigger) {
    if (form.hotKey == HotKeyControlValue(trigger)) return trigger;
    return TriggerFromHotKeyControl(form.hotKey);
}
