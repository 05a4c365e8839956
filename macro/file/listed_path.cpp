#include "macro/file/listed_path.h"

#include "macro/file/file_path.h"

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

bool IsPathTakenAsItStands(std::string_view path) {
    if (!path.empty() && IsSeparator(path[0])) return true;
    return path.size() >= 2 && IsLetter(path[0]) && path[1] == ':';
}

std::string ResolveListedPath(std::string_view namingFile, std::string_view listed) {
    if (listed.empty() || IsPathTakenAsItStands(listed)) return std::string(listed);
    return std::string(FolderOf(namingFile)).append(listed);
}

std::string ListedPathFor(std::string_view namingFile, std::string_view listed,
                          std::string_view path) {
    if (!listed.empty() && ResolveListedPath(namingFile, listed) == path)
        return std::string(listed);
    return std::string(path);
}
