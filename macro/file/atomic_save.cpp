#include <cstdio>
#include <random>

#include "macro/file/file_path.h"
#include "macro/file/file_system.h"

std::string ScratchPathBeside(const std::string& target) {
    char name[32];
    std::snprintf(name, sizeof name, "~keyloom-%08x.saving",
                  static_cast<unsigned>(std::random_device{}()));
    return std::string(FolderOf(target)) + name;
}

bool SaveFileAtomically(FileSystem& files, const std::string& path, const std::string& bytes) {
    const std::string scratch = ScratchPathBeside(path);
    std::unique_ptr<WritableFile> file = files.CreateForWriting(scratch);
    if (!file) return false;
    bool written = file->Write(bytes.data(), bytes.size()) && file->Flush();
    bool closed = file->Close();
    if (written && closed && files.Replace(scratch, path)) return true;
    files.Remove(scratch);
    return false;
}
