#include "scheduler/schedule/macro_name.h"

#include <string>

#include "macro/desktop/error_report.h"
#include "macro/file/property_line.h"
#include "macro/file/read_file_line.h"
#include "macro/file/text_field.h"
#include "macro/language/upper_case.h"
#include "scheduler/schedule/schedule_text.h"

namespace {

bool IsNameLine(std::string_view keyword) {
    std::string word(keyword);
    UpperCaseInPlace(word);
    return word == "NAME";
}

}  // namespace

bool ReadMacroName(const ScheduleFiles& io, const std::string& path,
                   char (&name)[ITEM_NAME_CAPACITY]) {
    std::unique_ptr<LineReader> lines = OpenLineReader(io.files, path);
    if (!lines) {
        ReportOpenError(io.desktop, io.owner, path);
        return false;
    }
    char line[LINE_CAPACITY];
    while (lines->ReadFileLine(line)) {
        PropertyLine property = SplitPropertyLine(line);
        if (!IsNameLine(property.keyword)) continue;
        std::string_view value = ScheduleQuotedValue(property.value);
        if (lines->LastLineCut() || value.size() >= ITEM_NAME_CAPACITY) {
            ReportWarning(io.desktop, io.owner,
                          "The macro name in " + path + " is longer than 99 characters.",
                          SCHEDULER_CAPTION);
            return false;
        }
        CopyText(name, value);
        return true;
    }
    return false;
}
