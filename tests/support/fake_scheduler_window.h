#pragma once
// Test doubles of the scheduler window's controls and of the playback engine: they keep what
// the logic showed, and answer from scripted values.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "scheduler/window/schedule_window.h"

class FakeScheduleList : public ScheduleListView {
  public:
    std::vector<std::string> entries;
    int selection = NO_SELECTION;

    int Append(const std::string& name) override {
        entries.push_back(name);
        return static_cast<int>(entries.size()) - 1;
    }
    void Remove(int position) override {
        entries.erase(entries.begin() + position);
        selection = NO_SELECTION;
    }
    void Clear() override {
        entries.clear();
        selection = NO_SELECTION;
    }
    int Count() override { return static_cast<int>(entries.size()); }
    int Selection() override { return selection; }
    void Select(int position) override {
        selection = position >= 0 && position < Count() ? position : NO_SELECTION;
    }
};

class FakeSchedulerWindow : public SchedulerWindowView {
  public:
    FakeScheduleList list;
    ScheduleItem pane;       // what the properties pane shows; tests edit it as the user would
    std::string lastPlayed;  // the pane's "Last played: ..." line
    bool runStylesEnabled = true;
    bool saveEnabled = true;
    bool visible = true;
    bool suspendedShown = false;         // "Enable All" enabled, "Disable All" grayed
    std::string dateLine, timeLine;      // "Current date:" and "Current time:"
    std::function<void()> onShowWindow;  // the window's show/hide handler

    bool trayIconPresent = false;
    std::vector<TrayState> trayStates;  // every state the icon was given, the first on adding
    int refusedAdds = 0;                // the next this many adds fail
    int refusedModifies = 0;
    int addAttempts = 0;
    int modifyAttempts = 0;

    std::deque<std::optional<std::string>> macroFileAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<std::optional<std::string>> openAnswers;
    std::vector<std::string> dialogsShown;

    ScheduleListView& List() override { return list; }
    void ShowItem(const ScheduleItem& item) override { CopyPaneFields(item, pane); }
    void StoreItem(ScheduleItem& item) override { CopyPaneFields(pane, item); }
    void ShowLastPlayed(const std::string& text) override { lastPlayed = text; }
    void EnableRunStyles(bool enable) override { runStylesEnabled = enable; }
    void EnableSaveSchedule(bool enable) override { saveEnabled = enable; }
    void ShowDateAndTime(const std::string& date, const std::string& time) override {
        dateLine = date, timeLine = time;
    }
    void ShowWindow(bool show) override {
        visible = show;
        if (onShowWindow) onShowWindow();
    }
    std::optional<std::string> AskForMacroFile() override {
        return Answer("Select a macro to run", macroFileAnswers);
    }
    std::optional<std::string> AskScheduleToSave() override {
        return Answer("Save current schedule", saveAnswers);
    }
    std::optional<std::string> AskScheduleToOpen() override {
        return Answer("Open existing schedule", openAnswers);
    }

    bool AddTrayIcon(TrayState state) override {
        ++addAttempts;
        if (refusedAdds > 0) return --refusedAdds, false;
        trayIconPresent = true;
        trayStates.push_back(state);
        return true;
    }
    bool ModifyTrayIcon(TrayState state) override {
        ++modifyAttempts;
        if (!trayIconPresent) return false;
        if (refusedModifies > 0) return --refusedModifies, false;
        trayStates.push_back(state);
        return true;
    }
    void DeleteTrayIcon() override { trayIconPresent = false; }
    void ShowSuspension(bool suspended) override { suspendedShown = suspended; }
    bool sessionLocked = false;
    bool SessionLocked() override { return sessionLocked; }

  private:
    // The fields that the pane shows and stores.
    static void CopyPaneFields(const ScheduleItem& from, ScheduleItem& to) {
        to.runStyle = from.runStyle;
        to.active = from.active;
        to.catchUp = from.catchUp;
        to.runEvery = from.runEvery;
        to.runDayOfWeek = from.runDayOfWeek;
        to.runDayOfMonth = from.runDayOfMonth;
        to.everyHours = from.everyHours;
        to.everyMinutes = from.everyMinutes;
        to.everySeconds = from.everySeconds;
        to.onceDay = from.onceDay;
        to.onceMonth = from.onceMonth;
        to.onceYear = from.onceYear;
        to.onceHour = from.onceHour;
        to.onceMinute = from.onceMinute;
        to.onceSecond = from.onceSecond;
        to.runHour = from.runHour;
        to.runMinute = from.runMinute;
        to.runSecond = from.runSecond;
    }
    std::optional<std::string> Answer(const std::string& title,
                                      std::deque<std::optional<std::string>>& answers) {
        dialogsShown.push_back(title);
        if (answers.empty()) return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Records each play; `onPlay` lets a test act while the macro "plays" (advance the clock,
// press keys, restore the window from a box the macro shows); every play ends as `end` says.
class FakePlayback : public MacroPlayback {
  public:
    std::vector<Macro> plays;
    std::function<void(const Macro&)> onPlay;
    PlayEnd end = PlayEnd::StyleSatisfied;  // how every play ends
    PlayEnd PlayMacro(const Macro& macro) override {
        plays.push_back(macro);
        if (onPlay) onPlay(macro);
        return end;
    }
};
