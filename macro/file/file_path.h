#pragma once
// Parts of a file path, with either slash and a drive letter's colon as separators.
#include <string_view>

// The folder of a file path with its closing separator; empty when the path names no folder.
std::string_view FolderOf(std::string_view filePath);
