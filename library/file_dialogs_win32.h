#pragma once
// The standard open and save dialogs of the platform (GetOpenFileNameA, GetSaveFileNameA).
#include "library/file_dialogs.h"

class Win32FileDialogs : public FileDialogs {
  public:
    std::optional<std::string> GetOpenFileNameA(const FileDialogRequest& request) override;
    std::optional<std::string> GetSaveFileNameA(const FileDialogRequest& request) override;
};
