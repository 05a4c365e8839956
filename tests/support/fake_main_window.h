#pragma once
// Recording doubles of the main window itself and of its notification-area icon. Both write
// into one shared log, so that a test can see the order of window, icon and hot-key steps.
#include <string>
#include <vector>

#include "library/program/main_window_view.h"

class FakeMainWindow : public MainWindowView {
  public:
    explicit FakeMainWindow(std::vector<std::string>& log) : log_(log) {}

    int selected = -1;
    bool visible = true;
    bool ended = false;
    int editorOpenings = 0;
    bool editorOpens = true;
    std::function<void()> whileEditorOpen;
    std::string title;
    std::string description;
    uint16_t triggerDisplay = 0;
    std::string enabledText;
    int32_t progress = 0;
    bool buttons[3] = {true, true, true};  // Play, Pause, Stop

    void SetProgressRange(int32_t) override {}
    void SetProgressPosition(int32_t position) override { progress = position; }
    void EnableButton(PlayButton button, bool enabled) override {
        buttons[static_cast<int>(button)] = enabled;
    }
    void HideWindow() override { visible = false, log_.push_back("hide window"); }
    void RestoreWindow() override { visible = true, log_.push_back("restore window"); }
    void AwaitInputDelivered() override { log_.push_back("await input"); }
    int SelectedEntry() override { return selected; }
    void SelectEntry(int index) override { selected = index; }
    void SetDescriptionText(const std::string& text) override { description = text; }
    void SetTriggerDisplay(uint16_t value) override { triggerDisplay = value; }
    void SetEnabledText(const std::string& text) override { enabledText = text; }
    void SetTitle(const std::string& text) override { title = text; }
    bool OpenEditor() override {
        editorOpenings++;
        log_.push_back("open editor");
        if (whileEditorOpen) whileEditorOpen();
        return editorOpens;
    }
    void EndMainWindow() override { ended = true, log_.push_back("end window"); }

  private:
    std::vector<std::string>& log_;
};

class FakeTrayIcon : public TrayIconPort {
  public:
    explicit FakeTrayIcon(std::vector<std::string>& log) : log_(log) {}

    int refusedAdds = 0;  // the next adds that fail
    bool deletes = true;
    bool present = false;
    int addAttempts = 0;

    bool Add(bool disabledPicture) override {
        addAttempts++;
        log_.push_back(std::string("add icon ") + Picture(disabledPicture));
        if (refusedAdds > 0) return refusedAdds--, false;
        return present = true;
    }
    bool Change(bool disabledPicture) override {
        log_.push_back(std::string("change icon ") + Picture(disabledPicture));
        return true;
    }
    bool Delete() override {
        log_.push_back("delete icon");
        if (deletes) present = false;
        return deletes;
    }
    bool Present() const override { return present; }

  private:
    static const char* Picture(bool disabled) { return disabled ? "disabled" : "enabled"; }
    std::vector<std::string>& log_;
};
