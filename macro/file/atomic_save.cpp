#include "macro/file/file_system.h"

bool SaveFileAtomically(FileSystem& files, const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".saving";
    std::unique_ptr<WritableFile> file = files.CreateForWriting(temporary);
    if (!file) return false;
    bool written = file->Write(bytes.data(), bytes.size()) && file->Flush();
    bool closed = file->Close();
    if (written && closed && files.Replace(temporary, path)) return true;
    files.Remove(temporary);
    return false;
}
