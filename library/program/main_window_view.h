#pragma once
// What the main window's commands drive in the window itself, beyond the macro list and the
// Save item: the selection, the details pane, the title, the editor and the end of the window.
#include <cstdint>
#include <string>

#include "library/program/play_view.h"

class MainWindowView : public PlayView {
  public:
    // The selected entry of the macro list; -1 when none is selected.
    virtual int SelectedEntry() = 0;
    virtual void SelectEntry(int index) = 0;
    virtual void SetDescriptionText(const std::string& text) = 0;  // 1029
    virtual void SetTriggerDisplay(uint16_t hotKeyValue) = 0;      // 1094
    virtual void SetEnabledText(const std::string& text) = 0;      // 1031
    virtual void SetTitle(const std::string& title) = 0;
    // Opens the macro editor modally, without an owner, on the table's current macro; false when
    // it cannot be created.
    virtual bool OpenEditor() = 0;
    // Ends the window's modal loop with the result 0.
    virtual void EndMainWindow() = 0;
};

// The notification-area icon (id 1, tip "Keyloom") with the enabled or the disabled picture.
class TrayIconPort {
  public:
    virtual ~TrayIconPort() = default;
    virtual bool Add(bool disabledPicture) = 0;
    virtual bool Change(bool disabledPicture) = 0;
    virtual bool Delete() = 0;
    // Whether the icon has been added and not deleted since.
    virtual bool Present() const = 0;
};
