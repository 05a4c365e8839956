#include "macro/file/file_path.h"

std::string_view FolderOf(std::string_view filePath) {
    std::size_t last = filePath.find_last_of("\\/:");
    return last == std::string_view::npos ? std::string_view{} : filePath.substr(0, last + 1);
}
