#include <cstring>

#include "macro/desktop/error_report.h"
#include "macro/file/decimal.h"
#include "macro/file/macro_file.h"
#include "macro/file/property_line.h"
#include "macro/file/read_file_line.h"
#include "macro/file/text_field.h"

namespace {

// The longest property line that SaveMacroFile writes, a full quoted description with its
// carriage return, fits: a saved macro reads back whole.
constexpr std::size_t PROPERTY_LINE_CAPACITY =
    sizeof "DESCRIPTION \"\";\r" - 1 + MACRO_DESCRIPTION_CAPACITY;

void ReadTrigger(std::string_view value, Trigger& trigger) {
    int32_t numbers[4] = {trigger.virtualKey, trigger.shift, trigger.control, trigger.alt};
    std::string_view rest = PlainValue(value);
    for (int32_t& number : numbers) {
        std::string_view word = NextWord(rest);
        if (word.empty()) break;
        number = ParseDecimal(word);
    }
    trigger.virtualKey = static_cast<int16_t>(numbers[0]);
    trigger.shift = numbers[1];
    trigger.control = numbers[2];
    trigger.alt = numbers[3];
}

// Applies one property line; returns true when the line was a TRIGGER_KEYS line.
bool ApplyProperty(const MacroLoadRules& rules, std::string_view keyword, std::string_view value,
                   Macro& macro) {
    if (keyword == "ID") {
        macro.id = ParseDecimal(PlainValue(value));
    } else if (keyword == "NAME") {
        CopyText(macro.name, QuotedValue(value));
    } else if (keyword == "DESCRIPTION") {
        CopyText(macro.description, QuotedValue(value));
    } else if (keyword == "TRIGGER_KEYS") {
        ReadTrigger(value, macro.trigger);
        return true;
    } else if (keyword == "ACTIVE") {
        macro.active = PlainValue(value) != "FALSE";
    } else if (keyword == "PRIVATE") {
        macro.isPrivate = PlainValue(value) == "TRUE";
    } else if (keyword == "WINDOW") {
        CopyText(macro.window, PlainValue(value));
    } else if (keyword == "PLAY_COUNT") {
        macro.playCount = ParseDecimal(PlainValue(value));
    } else if (keyword == "REPEAT_TIME") {
        macro.repeatTime = ParseDecimal(PlainValue(value));
    } else if (keyword == "PLAY_STYLE") {
        macro.playStyle = ParseDecimal(PlainValue(value));
    } else if (keyword == "SPEED" || (rules.readTimeAsSpeed && keyword == "TIME")) {
        macro.speed = ParseDecimal(PlainValue(value));
    }
    return false;
}

}  // namespace

MacroLoadRules SchedulerLoadRules(WindowHandle mainWindow) {
    return MacroLoadRules{SCHEDULER_DEFAULT_SPEED, true, {}, mainWindow};
}

bool LoadMacroFile(FileSystem& files, DesktopPort& desktop, const MacroLoadRules& rules,
                   const std::string& path, Macro& macro) {
    switch (ReadMacroFile(files, rules, path, macro)) {
        case MacroLoadFailure::NONE:
            return true;
        case MacroLoadFailure::CANNOT_OPEN:
            ReportOpenError(desktop, NO_WINDOW, path);
            return false;
        case MacroLoadFailure::TRIGGER_IN_USE:
            ReportError(desktop, rules.mainWindow,
                        "Cannot load macro as the trigger has already been used by an existing "
                        "macro",
                        ERROR_CAPTION);
            return false;
    }
    return false;
}

MacroLoadFailure ReadMacroFile(FileSystem& files, const MacroLoadRules& rules,
                               const std::string& path, Macro& macro) {
    std::unique_ptr<LineReader> reader = OpenLineReader(files, path);
    if (!reader) return MacroLoadFailure::CANNOT_OPEN;
    macro.speed = rules.defaultSpeed;
    CopyText(macro.fileName, path);
    char line[PROPERTY_LINE_CAPACITY];
    while (reader->ReadFileLine(line, sizeof line)) {
        if (IsCommentLine(line)) continue;
        PropertyLine property = SplitPropertyLine(line);
        if (property.keyword.empty() || !property.hasValue) continue;
        if (ApplyProperty(rules, property.keyword, property.value, macro) &&
            IsTriggerInUse(rules.clashCandidates, macro.trigger, NEW_MACRO_ID))
            return MacroLoadFailure::TRIGGER_IN_USE;
    }
    return MacroLoadFailure::NONE;
}

bool IsTriggerInUse(std::span<const Macro> macrosInUse, const Trigger& trigger, int32_t ownerId) {
    for (const Macro& other : macrosInUse) {
        if (other.trigger.virtualKey == 0) continue;
        if (other.trigger.virtualKey != trigger.virtualKey ||
            other.trigger.shift != trigger.shift || other.trigger.control != trigger.control ||
            other.trigger.alt != trigger.alt)
            continue;
        if (ownerId == NEW_MACRO_ID || ownerId != other.id) return true;
    }
    return false;
}
