#pragma once
// Numbers in every text format: leading white space skipped, optional sign, digits up to the
// first non-digit; text without digits counts as 0. Values saturate instead of overflowing.
#include <cstdint>
#include <string_view>

int32_t ParseDecimal(std::string_view text);
