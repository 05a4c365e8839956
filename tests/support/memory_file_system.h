#pragma once
// Files held in memory, so that a test or a fuzz target reads and writes files without touching
// the disk. A read can be told to fail part way, as a failing disk would, and a folder can be
// missing. A path without a folder names a file of the current folder.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "macro/file/file_system.h"

class MemoryFileSystem : public FileSystem {
  public:
    std::map<std::string, std::string> files;
    // Reads fail once this many bytes of a file have been read; negative: never.
    long failReadsAfter = -1;
    // Folders that are not there, each ending in a backslash: nothing in them opens.
    std::set<std::string> missingFolders;

    std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override {
        auto file = files.find(path);
        if (file == files.end() || InMissingFolder(path)) return nullptr;
        return std::make_unique<Reader>(file->second, failReadsAfter);
    }
    std::unique_ptr<ReadableFile> OpenOrCreateForReading(const std::string& path) override {
        if (InMissingFolder(path)) return nullptr;
        return std::make_unique<Reader>(files[path], failReadsAfter);
    }
    std::unique_ptr<WritableFile> CreateForWriting(const std::string& path) override {
        if (files.count(path) || InMissingFolder(path)) return nullptr;
        return std::make_unique<Writer>(files[path]);
    }
    std::unique_ptr<WritableFile> OpenForAppending(const std::string& path) override {
        if (InMissingFolder(path)) return nullptr;
        return std::make_unique<Writer>(files[path]);
    }
    bool Replace(const std::string& source, const std::string& target) override {
        auto file = files.find(source);
        if (file == files.end()) return false;
        std::string bytes = std::move(file->second);
        files.erase(file);
        files[target] = std::move(bytes);
        return true;
    }
    bool Remove(const std::string& path) override { return files.erase(path) == 1; }

    // ---- One folder for a test's files, as a scratch folder on disk would be ----
    static std::string Path(const std::string& name) { return "C:\\tests\\" + name; }
    std::string Write(const std::string& name, const std::string& bytes) {
        files[Path(name)] = bytes;
        return Path(name);
    }
    // The bytes of the file at `path`; empty when there is none.
    std::string Read(const std::string& path) const {
        auto file = files.find(path);
        return file == files.end() ? std::string() : file->second;
    }
    bool Exists(const std::string& path) const { return files.count(path) == 1; }
    // The names of the files in the folder that holds `path`, sorted: after a failed save, the
    // previous file and nothing half-written beside it.
    std::vector<std::string> NamesBeside(const std::string& path) const {
        const std::string folder = FolderOf(path);
        std::vector<std::string> names;
        for (const auto& [other, bytes] : files)
            if (other.size() > folder.size() && other.compare(0, folder.size(), folder) == 0 &&
                other.find('\\', folder.size()) == std::string::npos)
                names.push_back(other.substr(folder.size()));
        return names;
    }

  private:
    static std::string FolderOf(const std::string& path) {
        return path.substr(0, path.find_last_of('\\') + 1);
    }
    bool InMissingFolder(const std::string& path) const {
        return missingFolders.count(FolderOf(path)) == 1;
    }

    class Reader : public ReadableFile {
      public:
        // Reads the bytes the file held when it was opened, as a file that is rewritten or
        // removed while a reader has it open reads on unchanged.
        Reader(std::string bytes, long failAfter)
            : bytes_(std::move(bytes)), failAfter_(failAfter) {}
        long Read(char* buffer, std::size_t size) override {
            if (failAfter_ >= 0 && static_cast<long>(next_) >= failAfter_) return -1;
            std::size_t count = std::min(size, bytes_.size() - next_);
            std::memcpy(buffer, bytes_.data() + next_, count);
            next_ += count;
            return static_cast<long>(count);
        }

      private:
        const std::string bytes_;
        long failAfter_;
        std::size_t next_ = 0;
    };

    class Writer : public WritableFile {
      public:
        explicit Writer(std::string& bytes) : bytes_(bytes) {}
        bool Write(const char* data, std::size_t size) override {
            bytes_.append(data, size);
            return true;
        }
        bool Flush() override { return true; }
        bool Close() override { return true; }

      private:
        std::string& bytes_;
    };
};
