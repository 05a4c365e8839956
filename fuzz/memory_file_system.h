#pragma once
// Files held in memory, so that a fuzz target reads its input and writes its output without
// touching the disk. A read can be told to fail part way, as a failing disk would.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "macro/file/file_system.h"

class MemoryFileSystem : public FileSystem {
  public:
    std::map<std::string, std::string> files;
    // Reads fail once this many bytes of a file have been read; negative: never.
    long failReadsAfter = -1;

    std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override {
        auto file = files.find(path);
        if (file == files.end()) return nullptr;
        return std::make_unique<Reader>(file->second, failReadsAfter);
    }
    std::unique_ptr<ReadableFile> OpenOrCreateForReading(const std::string& path) override {
        return std::make_unique<Reader>(files[path], failReadsAfter);
    }
    std::unique_ptr<WritableFile> CreateForWriting(const std::string& path) override {
        if (files.count(path)) return nullptr;
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

  private:
    class Reader : public ReadableFile {
      public:
        // The file's bytes stay where they are: nothing changes them while they are read.
        Reader(const std::string& bytes, long failAfter) : bytes_(bytes), failAfter_(failAfter) {}
        long Read(char* buffer, std::size_t size) override {
            if (failAfter_ >= 0 && static_cast<long>(next_) >= failAfter_) return -1;
            std::size_t count = std::min(size, bytes_.size() - next_);
            std::memcpy(buffer, bytes_.data() + next_, count);
            next_ += count;
            return static_cast<long>(count);
        }

      private:
        const std::string& bytes_;
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
