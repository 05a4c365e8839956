#include <windows.h>

#include "macro/file/file_system.h"
#include "macro/file/long_path_win32.h"

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

// How long a replace that another program refuses for the moment is tried again, and the pause
// between tries: scanners, indexers and sync clients open a file the moment it changes.
constexpr DWORD REPLACE_PATIENCE_MS = 2000;
constexpr DWORD REPLACE_RETRY_PAUSE_MS = 10;

// What a file held open by another program answers; anything else will not pass by waiting.
bool IsRefusedForNow(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
           error == ERROR_LOCK_VIOLATION;
}

// Others may read, and may replace or delete the file while it is read: a reader of ours never
// makes a save of the file fail.
std::unique_ptr<ReadableFile> OpenRead(const std::string& path, DWORD disposition) {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
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
    // Saves use the wide calls: a scratch file beside a target of 259 characters passes the
    // limit of the ANSI ones.
    std::unique_ptr<WritableFile> CreateForWriting(const std::string& path) override {
        HANDLE handle = CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_WRITE,
                                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return nullptr;
        return std::make_unique<Win32WritableFile>(handle);
    }
    // Append-only access: every write lands at the end, whatever another writer did. Readers
    // such as a text viewer may have the file open, and may rename it.
    std::unique_ptr<WritableFile> OpenForAppending(const std::string& path) override {
        HANDLE handle = CreateFileW(LongPath(path).c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return nullptr;
        return std::make_unique<Win32WritableFile>(handle);
    }
    bool Replace(const std::string& source, const std::string& target) override {
        const std::wstring from = LongPath(source);
        const std::wstring to = LongPath(target);
        const DWORD start = GetTickCount();
        while (!MoveFileExW(from.c_str(), to.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            if (!IsRefusedForNow(GetLastError()) || GetTickCount() - start >= REPLACE_PATIENCE_MS)
                return false;
            Sleep(REPLACE_RETRY_PAUSE_MS);
        }
        return true;
    }
    bool Remove(const std::string& path) override {
        return DeleteFileW(LongPath(path).c_str()) != 0;
    }
};

}  // namespace

FileSystem& RealFileSystem() {
    static Win32FileSystem files;
    return files;
}
