#pragma once
// A folder of scratch files that is removed with the test.
#include <filesystem>
#include <string>

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path(const std::string& name) const { return (root_ / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const;

  private:
    std::filesystem::path root_;
};

std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);
