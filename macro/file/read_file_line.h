#pragma once
// The one line reader of every text file: a line ends at a line feed or a zero byte, a
// carriage return stays in the line, and the last line may lack a line feed.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "macro/file/file_system.h"
#include "macro/file/macro.h"

class LineReader {
  public:
    explicit LineReader(std::unique_ptr<ReadableFile> file) : file_(std::move(file)) {}

    // Reads the next line into `line` (LINE_CAPACITY bytes). A line longer than
    // LINE_CAPACITY - 1 characters is cut there and the rest of it is passed over.
    bool ReadFileLine(char* line) { return ReadFileLine(line, LINE_CAPACITY); }
    // The same into a buffer of `capacity` bytes.
    bool ReadFileLine(char* line, std::size_t capacity);
    // The next line whole, up to `limit` characters; the rest of a longer line is passed over.
    bool ReadWholeLine(std::string& line, std::size_t limit);
    // Whether the line just read was cut to fit.
    bool LastLineCut() const { return lastLineCut_; }

  private:
    enum class LineEnd { Break, EndOfFile, Failed };
    int NextByte();  // -1 at the end, -2 on a failed read
    // Hands each byte of the line to `keep`, which answers false for a byte it had no room for.
    template <class Keep>
    LineEnd ReadLineBytes(Keep keep);

    std::unique_ptr<ReadableFile> file_;
    char buffer_[4096];
    std::size_t filled_ = 0;
    std::size_t next_ = 0;
    bool lastLineCut_ = false;
};

// A line without the carriage return that ends a CR LF line.
inline std::string_view WithoutCarriageReturn(std::string_view line) {
    return line.ends_with('\r') ? line.substr(0, line.size() - 1) : line;
}

// Opens `path` for reading into a LineReader; null when the file cannot be opened.
std::unique_ptr<LineReader> OpenLineReader(FileSystem& files, const std::string& path);
