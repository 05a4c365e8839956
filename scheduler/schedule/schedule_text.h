#pragma once
// The quoted values of schedule files and of the macro NAME the scheduler reads.
#include <string_view>

// Any leading double quotes passed over, then up to the next double quote or the line's end.
std::string_view ScheduleQuotedValue(std::string_view value);
