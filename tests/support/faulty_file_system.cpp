#include "tests/support/faulty_file_system.h"

#include <algorithm>
#include <filesystem>

namespace {

class FaultyWritableFile : public WritableFile {
  public:
    FaultyWritableFile(FaultyFileSystem& files, std::unique_ptr<WritableFile> file)
        : files_(files), file_(std::move(file)) {}
    bool Write(const char* data, std::size_t size) override {
        ++files_.writes;
        if (files_.fault.point == FaultPoint::Write && files_.fault.write == files_.writes) {
            ++files_.faultsMade;
            file_->Write(data, size / 2);
            return false;
        }
        return file_->Write(data, size);
    }
    bool Flush() override { return !files_.Strikes(FaultPoint::Flush) && file_->Flush(); }
    bool Close() override {
        bool closed = file_->Close();
        return !files_.Strikes(FaultPoint::Close) && closed;
    }

  private:
    FaultyFileSystem& files_;
    std::unique_ptr<WritableFile> file_;
};

}  // namespace

std::string Fault::Describe() const {
    switch (point) {
        case FaultPoint::None:
            return "no fault";
        case FaultPoint::Create:
            return "the create fails";
        case FaultPoint::Write:
            return "write " + std::to_string(write) + " fails";
        case FaultPoint::Flush:
            return "the flush fails";
        case FaultPoint::Close:
            return "the close fails";
        case FaultPoint::Replace:
            return "the replace fails";
    }
    return "?";
}

bool FaultyFileSystem::Strikes(FaultPoint point) {
    if (fault.point != point) return false;
    ++faultsMade;
    return true;
}

std::unique_ptr<ReadableFile> FaultyFileSystem::OpenForReading(const std::string& path) {
    opened.push_back(path);
    return inner_.OpenForReading(path);
}

std::unique_ptr<ReadableFile> FaultyFileSystem::OpenOrCreateForReading(const std::string& path) {
    opened.push_back(path);
    return inner_.OpenOrCreateForReading(path);
}

std::unique_ptr<WritableFile> FaultyFileSystem::CreateForWriting(const std::string& path) {
    created.push_back(path);
    if (Strikes(FaultPoint::Create)) return nullptr;
    return Faulty(inner_.CreateForWriting(path));
}

std::unique_ptr<WritableFile> FaultyFileSystem::OpenForAppending(const std::string& path) {
    if (Strikes(FaultPoint::Create)) return nullptr;
    return Faulty(inner_.OpenForAppending(path));
}

std::unique_ptr<WritableFile> FaultyFileSystem::Faulty(std::unique_ptr<WritableFile> file) {
    if (!file) return nullptr;
    return std::make_unique<FaultyWritableFile>(*this, std::move(file));
}

bool FaultyFileSystem::Replace(const std::string& source, const std::string& target) {
    return !Strikes(FaultPoint::Replace) && inner_.Replace(source, target);
}

bool FaultyFileSystem::Remove(const std::string& path) {
    return inner_.Remove(path);
}

std::vector<Fault> EveryFault(int writes) {
    std::vector<Fault> faults{{FaultPoint::Create, 0}};
    for (int write = 1; write <= writes; ++write)
        faults.push_back({FaultPoint::Write, write});
    faults.push_back({FaultPoint::Flush, 0});
    faults.push_back({FaultPoint::Close, 0});
    faults.push_back({FaultPoint::Replace, 0});
    return faults;
}

std::vector<std::string> FilesBeside(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
