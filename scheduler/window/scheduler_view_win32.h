#pragma once
// The scheduler window's controls, menus, dialogs and icon as the window logic sees them.
#include <windows.h>

#include <optional>

#include "scheduler/window/schedule_window.h"
#include "ui/file_dialogs_win32.h"
#include "ui/tray_icon_win32.h"

constexpr UINT TRAY_CALLBACK_MESSAGE = WM_USER + 376;  // 1400, the tray icon's

// Shows the tray icon's menu 120 at the pointer; the command chosen, 0 for none.
int TrackSchedulerTrayMenu(HWND window, bool suspended);

class Win32ScheduleList : public ScheduleListView {
  public:
    void Attach(HWND list) { list_ = list; }
    int Append(const std::string& name) override;
    void Remove(int position) override;
    void Clear() override;
    int Count() override;
    int Selection() override;
    void Select(int position) override;

  private:
    HWND list_ = nullptr;
};

class Win32SchedulerView : public SchedulerWindowView {
  public:
    explicit Win32SchedulerView(DesktopPort& desktop);
    void Attach(HWND dialog);
    // While the pane is being filled, its change notifications are no edits of the user's.
    bool FillingPane() const { return fillingPane_; }
    bool AddTrayIconAgainIfShellRestarted(UINT message) {
        return tray_ && tray_->AddAgainIfShellRestarted(message);
    }

    ScheduleListView& List() override { return list_; }
    void ShowItem(const ScheduleItem& item) override;
    void StoreItem(ScheduleItem& item) override;
    void ShowLastPlayed(const std::string& text) override;
    void EnableRunStyles(bool enable) override;
    void EnableSaveSchedule(bool enable) override;
    void ShowDateAndTime(const std::string& date, const std::string& time) override;
    void ShowWindow(bool visible) override;
    std::optional<std::string> AskForMacroFile() override;
    std::optional<std::string> AskScheduleToSave() override;
    std::optional<std::string> AskScheduleToOpen() override;

    bool AddTrayIcon(TrayState state) override;
    bool ModifyTrayIcon(TrayState state) override;
    void DeleteTrayIcon() override;
    void ShowSuspension(bool suspended) override;
    bool SessionLocked() override { return sessionLocked_; }
    // From the session notifications: the session was locked or unlocked.
    void SetSessionLocked(bool locked) { sessionLocked_ = locked; }

  private:
    void EnableMenuCommand(int command, bool enable);

    HWND dialog_ = nullptr;
    Win32ScheduleList list_;
    Win32FileDialogs dialogs_;
    std::optional<TrayIcon> tray_;  // from Attach on
    bool fillingPane_ = false;
    bool sessionLocked_ = false;  // the program starts in an open session
};
