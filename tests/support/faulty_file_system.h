#pragma once
// A file layer over another that fails one chosen step of a save: the create, any single write,
// the flush, the close or the final replace. A failing write lets half of its bytes reach the
// file first, as a full disk does.
#include <string>
#include <vector>

#include "macro/file/file_system.h"

enum class FaultPoint { None, Create, Write, Flush, Close, Replace };

struct Fault {
    FaultPoint point = FaultPoint::None;
    int write = 0;  // for FaultPoint::Write: which write fails, 1 for the first

    std::string Describe() const;
};

class FaultyFileSystem : public FileSystem {
  public:
    explicit FaultyFileSystem(FileSystem& inner) : inner_(inner) {}

    Fault fault;                       // the step to fail; it fails every time it is reached
    int writes = 0;                    // writes made so far
    int faultsMade = 0;                // how often the fault struck
    std::vector<std::string> created;  // the paths of the files created, in order
    std::vector<std::string> opened;   // the paths opened for reading, in order

    // From now on, `next` fails; the counts start again.
    void Arm(Fault next) {
        fault = next;
        writes = faultsMade = 0;
    }

    std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override;
    std::unique_ptr<ReadableFile> OpenOrCreateForReading(const std::string& path) override;
    std::unique_ptr<WritableFile> CreateForWriting(const std::string& path) override;
    // Fails at FaultPoint::Create as a create does; its writes fail as a save's do.
    std::unique_ptr<WritableFile> OpenForAppending(const std::string& path) override;
    bool Replace(const std::string& source, const std::string& target) override;
    bool Remove(const std::string& path) override;

    // Whether the fault strikes at `point`; counts it when it does.
    bool Strikes(FaultPoint point);

  private:
    std::unique_ptr<WritableFile> Faulty(std::unique_ptr<WritableFile> file);

    FileSystem& inner_;
};

// Every step at which a save that makes `writes` writes can fail.
std::vector<Fault> EveryFault(int writes);

// The names of the files in the folder that holds `path`, sorted: after a failed save, the
// previous file and nothing half-written beside it.
std::vector<std::string> FilesBeside(const std::string& path);
