#pragma once
// Paths for the wide file calls, which reach beyond the 259 characters of the ANSI ones.
#include <string>

// `path` (in the ANSI code page, absolute or relative to the current folder) made absolute and
// given the "\\?\" prefix, so that no length limit applies; unchanged but widened when it
// cannot be made absolute.
std::wstring LongPath(const std::string& path);
