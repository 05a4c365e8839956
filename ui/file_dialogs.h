#pragma once
// The platform's standard open and save dialogs, as both programs ask for their files.
#include <optional>
#include <string>
#include <vector>

#include "macro/desktop/desktop_port.h"

struct FileType {
    std::string description;  // "Macro Lists (*.lst)"
    std::string pattern;      // "*.lst"
};

// Both dialogs are explorer style without a read-only check box and with a name field of
// MACRO_PATH_CAPACITY characters that starts empty. The open dialog wants an existing file; the
// save dialog asks before replacing one. A longer path is refused with a message, never cut.
struct FileDialogRequest {
    WindowHandle owner;
    std::string title;
    std::vector<FileType> types;   // the first is selected
    std::string defaultExtension;  // added to a name typed without one
};

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // The chosen path, or none when the user cancels.
    virtual std::optional<std::string> GetOpenFileNameA(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> GetSaveFileNameA(const FileDialogRequest& request) = 0;
};
