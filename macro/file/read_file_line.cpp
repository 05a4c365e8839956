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

template <class Keep>
LineReader::LineEnd LineReader::ReadLineBytes(Keep keep) {
    lastLineCut_ = false;
    for (;;) {
        int byte = NextByte();
        if (byte == -2) return LineEnd::Failed;
        if (byte == -1) return LineEnd::EndOfFile;
        if (byte == '\n' || byte == '\0') return LineEnd::Break;
        if (!keep(static_cast<char>(byte))) lastLineCut_ = true;
    }
}

bool LineReader::ReadFileLine(char* line, std::size_t capacity) {
    std::size_t length = 0;
    const LineEnd end = ReadLineBytes([&](char byte) {
        if (length == capacity - 1) return false;
        line[length++] = byte;
        return true;
    });
    if (end == LineEnd::Failed) length = 0;
    line[length] = '\0';
    return end == LineEnd::Break || (end == LineEnd::EndOfFile && length > 0);
}

bool LineReader::ReadWholeLine(std::string& line, std::size_t limit) {
    line.clear();
    const LineEnd end = ReadLineBytes([&](char byte) {
        if (line.size() == limit) return false;
        line += byte;
        return true;
    });
    if (end == LineEnd::Failed) line.clear();
    return end == LineEnd::Break || (end == LineEnd::EndOfFile && !line.empty());
}

std::unique_ptr<LineReader> OpenLineReader(FileSystem& files, const std::string& path) {
    std::unique_ptr<ReadableFile> file = files.OpenForReading(path);
    if (!file) return nullptr;
    return std::make_unique<LineReader>(std::move(file));
}
