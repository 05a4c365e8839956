#include "settings/project_page.h"

namespace {
constexpr char PAGE_NAME[] = "README.md";
constexpr int FOLDERS_SEARCHED = 4;  // the program's own and three above it

std::string_view ParentFolder(std::string_view path) {
    std::size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? std::string_view() : path.substr(0, separator);
}

std::string PageIn(std::string_view folder) {
    return std::string(folder) + (folder.empty() ? "" : "\\") + PAGE_NAME;
}
}  // namespace

std::string ProjectPage(std::string_view programPath,
                        const std::function<bool(const std::string&)>& fileExists) {
    std::string_view folder = ParentFolder(programPath);
    for (int level = 0; level < FOLDERS_SEARCHED && !folder.empty(); ++level) {
        if (fileExists(PageIn(folder))) return PageIn(folder);
        folder = ParentFolder(folder);
    }
    return PageIn(ParentFolder(programPath));
}
