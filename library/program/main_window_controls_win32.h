#pragma once
// The main window's controls as the library, the engine and the commands see them.
#include <windows.h>

#include <functional>

#include "library/program/main_window_view.h"
#include "library/table/macro_list_view.h"

class MainWindowControls : public MacroListView, public MainWindowView {
  public:
    MainWindowControls(HWND window, std::function<bool()> openEditor)
        : window_(window), openEditor_(std::move(openEditor)) {}

    // The macro list (1022).
    int AppendEntry(const std::string& name) override;
    void InsertEntry(int index, const std::string& name) override;
    void DeleteEntry(int index) override;
    int EntryCount() override;
    int SelectedEntry() override;
    void SelectEntry(int index) override;

    // The progress bar (1027), the playback buttons and the window.
    void SetProgressRange(int32_t steps) override;
    void SetProgressPosition(int32_t position) override;
    void EnableButton(PlayButton button, bool enabled) override;
    void HideWindow() override;
    void RestoreWindow() override;
    void AwaitInputDelivered() override;

    // The details pane, the title, the editor and the end of the window.
    void SetDescriptionText(const std::string& text) override;
    void SetTriggerDisplay(uint16_t hotKeyValue) override;
    void SetEnabledText(const std::string& text) override;
    void SetTitle(const std::string& title) override;
    bool OpenEditor() override { return openEditor_(); }
    void EndMainWindow() override;

  private:
    LRESULT Send(int control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    HWND window_;
    std::function<bool()> openEditor_;
};
