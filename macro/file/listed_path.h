#pragma once
// Macro file paths as a macro list or a schedule names them. A relative path is taken against
// the folder of the file that names it, never against the current folder, which depends on how
// the program was started; drive-letter, UNC and rooted paths are taken as they stand.
#include <string>
#include <string_view>

// Whether `path` names its file wherever it is read: a drive letter, or a leading slash or
// backslash (rooted, UNC).
bool IsPathTakenAsItStands(std::string_view path);

// The path that reaches the macro which the file at `namingFile` names as `listed`.
std::string ResolveListedPath(std::string_view namingFile, std::string_view listed);

// What the file at `namingFile` writes for the macro at `path` that it was read as `listed`
// (empty when it was not read from a file): `listed` itself while it still reaches `path` from
// that file's folder, so that an unchanged list is written as it was read; otherwise `path`.
std::string ListedPathFor(std::string_view namingFile, std::string_view listed,
                          std::string_view path);
