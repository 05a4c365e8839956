#include "scheduler/schedule/schedule_text.h"
#include "macro/file/property_line.h"
#include "macro/file/read_file_line.h"

std::string_view ScheduleQuotedValue(std::string_view value) {
    // The carriage return of a CR LF line is the line's end, not part of a name or path.
    value = WithoutCarriageReturn(value);
    std::size_t start = value.find_first_not_of('"');
    std::string_view text = start == std::string_view::npos ? "" : QuotedValue(value.substr(start));
    return text.empty() ? "" : text;
}
