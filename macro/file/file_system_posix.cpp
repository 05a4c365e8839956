#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "macro/file/file_system.h"

namespace {

class PosixReadableFile : public ReadableFile {
  public:
    explicit PosixReadableFile(int fd) : fd_(fd) {}
    ~PosixReadableFile() override { ::close(fd_); }
    long Read(char* buffer, std::size_t size) override { return ::read(fd_, buffer, size); }

  private:
    int fd_;
};

class PosixWritableFile : public WritableFile {
  public:
    explicit PosixWritableFile(int fd) : fd_(fd) {}
    ~PosixWritableFile() override { Close(); }
    bool Write(const char* data, std::size_t size) override {
        while (size > 0) {
            ssize_t done = ::write(fd_, data, size);
            if (done <= 0) return false;
            data += done;
            size -= static_cast<std::size_t>(done);
        }
        return true;
    }
    bool Flush() override { return ::fsync(fd_) == 0; }
    bool Close() override {
        if (fd_ < 0) return true;
        int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

  private:
    int fd_;
};

class PosixFileSystem : public FileSystem {
  public:
    std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override {
        return Open(path, O_RDONLY);
    }
    std::unique_ptr<ReadableFile> OpenOrCreateForReading(const std::string& path) override {
        return Open(path, O_RDONLY | O_CREAT);
    }
    std::unique_ptr<WritableFile> CreateForWriting(const std::string& path) override {
        return OpenWritable(path, O_WRONLY | O_CREAT | O_EXCL);
    }
    std::unique_ptr<WritableFile> OpenForAppending(const std::string& path) override {
        return OpenWritable(path, O_WRONLY | O_CREAT | O_APPEND);
    }
    bool Replace(const std::string& source, const std::string& target) override {
        return std::rename(source.c_str(), target.c_str()) == 0;
    }
    bool Remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

  private:
    static std::unique_ptr<ReadableFile> Open(const std::string& path, int flags) {
        int fd = ::open(path.c_str(), flags, 0644);
        if (fd < 0) return nullptr;
        return std::make_unique<PosixReadableFile>(fd);
    }
    static std::unique_ptr<WritableFile> OpenWritable(const std::string& path, int flags) {
        int fd = ::open(path.c_str(), flags, 0644);
        if (fd < 0) return nullptr;
        return std::make_unique<PosixWritableFile>(fd);
    }
};

}  // namespace

FileSystem& RealFileSystem() {
    static PosixFileSystem files;
    return files;
}
