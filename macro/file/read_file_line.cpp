#include "macro/file/read_file_line.h"

int LineReader::NextByte() {
    if (next_ == filled_) {
        long got = file_->Read(buffer_, sizeof buffer_);
        if (got < 0) return -2;
        if (got == 0) return -1;
        filled_ = static_cast<std::size_t>(got);
        next_ = 0;
    }
    return static_cast<unsigned char>(buffer_[next_++]);
}

bool LineReader::ReadFileLine(char* line, std::size_t capacity) {
    std::size_t length = 0;
    lastLineCut_ = false;
    for (;;) {
        int byte = NextByte();
        if (byte == -2) {
            line[0] = '\0';
            return false;
        }
        if (byte == -1) {
            line[length] = '\0';
            return length > 0;
        }
        if (byte == '\n' || byte == '\0') {
            line[length] = '\0';
            return true;
        }
        if (length < capacity - 1)
            line[length++] = static_cast<char>(byte);
        else
            lastLineCut_ = true;
    }
}

std::unique_ptr<LineReader> OpenLineReader(FileSystem& files, const std::string& path) {
    std::unique_ptr<ReadableFile> file = files.OpenForReading(path);
    if (!file) return nullptr;
    return std::make_unique<LineReader>(std::move(file));
}
