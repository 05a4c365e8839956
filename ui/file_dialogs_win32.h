#pragma once
// The standard open and save dialogs of the platform (GetOpenFileNameA, GetSaveFileNameA).
#include <string>

#include "ui/file_dialogs.h"

class Win32FileDialogs : public FileDialogs {
  public:
    // `pathTooLongText` is the program's message, through `desktop`, for a chosen path longer
    // than the name field.
    Win32FileDialogs(DesktopPort& desktop, std::string pathTooLongText)
        : desktop_(desktop), pathTooLongText_(std::move(pathTooLongText)) {}
    std::optional<std::string> GetOpenFileNameA(const FileDialogRequest& request) override;
    std::optional<std::string> GetSaveFileNameA(const FileDialogRequest& request) override;

  private:
    std::optional<std::string> Ask(const FileDialogRequest& request, bool save);
    DesktopPort& desktop_;
    std::string pathTooLongText_;
};
