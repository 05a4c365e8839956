#include <windows.h>

#include "macro/file/file_system.h"

namespace {

class Win32ReadableFile : public ReadableFile {
  public:
    explicit Win32ReadableFile(HANDLE handle) : handle_(handle) {}
    ~Win32ReadableFile() override { CloseHandle(handle_); }
    long Read(char* buffer, std::size_t size) override {
        DWORD done = 0;
        if (!ReadFile(handle_, buffer, static_cast<DWORD>(size), &done, nullptr)) return -1;
        return static_cast<long>(done);
    }

  private:
    HANDLE handle_;
};

class Win32WritableFile : public WritableFile {
  public:
    explicit Win32WritableFile(HANDLE handle) : handle_(handle) {}
    ~Win32WritableFile() override { Close(); }
    bool Write(const char* data, std::size_t size) override {
        while (size > 0) {
            DWORD done = 0;
            if (!WriteFile(handle_, data, static_cast<DWORD>(size), &done, nullptr) || done == 0)
                return false;
            data += done;
            size -= done;
        }
        return true;
    }
    bool Flush() override { return FlushFileBuffers(handle_) != 0; }
    bool Close() override {
        if (handle_ == INVALID_HANDLE_VALUE) return true;
        BOOL closed = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed != 0;
    }

  private:
    HANDLE handle_;
};

std::unique_ptr<ReadableFile> OpenRead(const std::string& path, DWORD disposition) {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32ReadableFile>(handle);
}

class Win32FileSystem : public FileSystem {
  public:
    std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override {
        return OpenRead(path, OPEN_EXISTING);
    }
    std::unique_ptr<ReadableFile> OpenOrCreateForReading(const std::string& path) override {
        return OpenRead(path, OPEN_ALWAYS);
    }
    std::unique_ptr<WritableFile> CreateForWriting(const std::string& path) override {
        HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return nullptr;
        return std::make_unique<Win32WritableFile>(handle);
    }
    bool Replace(const std::string& source, const std::string& target) override {
        return MoveFileExA(source.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }
    bool Remove(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }
};

}  // namespace

FileSystem& RealFileSystem() {
    static Win32FileSystem files;
    return files;
}
