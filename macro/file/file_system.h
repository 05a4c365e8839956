#pragma once
// The file layer every reader and writer goes through, so that tests can fail any step of it.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

class ReadableFile {
  public:
    virtual ~ReadableFile() = default;
    // Bytes read into `buffer`: 0 at the end of the file, -1 when the read fails.
    virtual long Read(char* buffer, std::size_t size) = 0;
};

class WritableFile {
  public:
    virtual ~WritableFile() = default;
    virtual bool Write(const char* data, std::size_t size) = 0;
    virtual bool Flush() = 0;  // forces the bytes to the disk
    virtual bool Close() = 0;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // An existing file, shared for reading with others; null when it cannot be opened.
    virtual std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) = 0;
    // As above, but a missing file is first created empty.
    virtual std::unique_ptr<ReadableFile> OpenOrCreateForReading(const std::string& path) = 0;
    // A new file, never one that exists; null when it cannot be created.
    virtual std::unique_ptr<WritableFile> CreateForWriting(const std::string& path) = 0;
    // A file whose writes all go to its end, never over what it holds; a missing file is
    // created empty. Null when it cannot be opened or created.
    virtual std::unique_ptr<WritableFile> OpenForAppending(const std::string& path) = 0;
    // Moves `source` over `target` in one step, replacing it. A replace that another program
    // refuses for the moment (a scanner or indexer reading the target) is tried again for a
    // while before it counts as failed.
    virtual bool Replace(const std::string& source, const std::string& target) = 0;
    virtual bool Remove(const std::string& path) = 0;
};

// The platform's own files.
FileSystem& RealFileSystem();

// The whole of a file's bytes; none when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(FileSystem& files, const std::string& path);

// Writes a whole file so that it is either fully replaced or left as it was: the bytes go to a
// scratch file beside the target, which then replaces the target. Returns false on any failure,
// after removing the scratch file.
bool SaveFileAtomically(FileSystem& files, const std::string& path, const std::string& bytes);

// A scratch file's path in the folder of `target`, so that the replace stays on one volume: a
// short name with a random part and the extension ".saving", which no reader takes for a
// document. Created only where no file is, a scratch file is never shared by two saves.
std::string ScratchPathBeside(const std::string& target);
