#include "macro/file/file_system.h"

std::optional<std::string> ReadWholeFile(FileSystem& files, const std::string& path) {
    std::unique_ptr<ReadableFile> file = files.OpenForReading(path);
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[8192];
    for (;;) {
        const long got = file->Read(buffer, sizeof buffer);
        if (got < 0) return std::nullopt;
        if (got == 0) return bytes;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}
