#pragma once
// Keyloom Scheduler's logic over a fake desktop, window and playback, with its macro and schedule
// files in memory; any step of a save can be made to fail. The wall clock is a count of local
// seconds that each tick sets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro/desktop/wall_clock.h"
#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"
#include "scheduler/engine/scheduler.h"
#include "scheduler/window/schedule_item_commands.h"
#include "scheduler/window/schedule_window.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_scheduler_window.h"
#include "tests/support/fake_settings_store.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/memory_file_system.h"

inline int64_t At(int year, int month, int day, int hour, int minute, int second) {
    return SecondOf(LocalTime{year, month, 0, day, hour, minute, second, 0});
}

// Every appointment's outcome, in order, as a history would write it.
struct KeptAppointment {
    std::string name;
    AppointmentOutcome outcome;
    int64_t due;
    bool late;
    bool operator==(const KeptAppointment&) const = default;
};

class AppointmentLog : public AppointmentObserver {
  public:
    std::vector<KeptAppointment> kept;
    void AppointmentKept(const Appointment& a) override {
        kept.push_back({a.item.name, a.outcome, a.due, a.late});
    }
};

class SchedulerRig : public ::testing::Test {
  protected:
    static constexpr WindowHandle MAIN_WINDOW = 55;
    static constexpr const char* HISTORY_PATH = "C:\\history\\Scheduler history.txt";

    SchedulerRig() {
        view.onShowWindow = [this] { OnShownOrHidden(window); };
        playback.onPlay = [this](const Macro&) { clock += playSeconds; };
        history.owner = MAIN_WINDOW;
    }

    // A macro file `name`.mro whose macro is named `name`.
    std::string MacroFile(const std::string& name, const std::string& properties = "") {
        return disk.Write(name + ".mro",
                          "NAME \"" + name + "\";\r\n" + properties + "START\r\nEND\r\n");
    }
    // The names of the macros played, in order.
    std::vector<std::string> Played() const {
        std::vector<std::string> names;
        for (const Macro& macro : playback.plays)
            names.emplace_back(macro.name);
        return names;
    }

    // ---- The window as the user first sees it, and the user adding a macro ----
    void Open() {
        OnWindowCreated(window);
        OnShownOrHidden(window);
    }
    void AddMacro(const std::string& name) {
        view.macroFileAnswers.push_back(MacroFile(name));
        AddItem(window);
    }

    // ---- Items as a schedule file would give them ----
    ScheduleItem& Add(const std::string& name, int32_t runStyle) {
        ScheduleItem& item = table.items[table.count];
        item.id = table.count++;
        CopyText(item.name, name);
        CopyText(item.macroFileName, MacroFile(name));
        item.runStyle = runStyle;
        item.active = true;
        return item;
    }
    ScheduleItem& AddOnce(const std::string& name, int64_t second) {
        ScheduleItem& item = Add(name, RUN_STYLE_ONCE);
        LocalTime when = LocalTimeAt(second);
        item.onceDay = when.day, item.onceMonth = when.month, item.onceYear = when.year;
        item.onceHour = when.hour, item.onceMinute = when.minute, item.onceSecond = when.second;
        return item;
    }
    ScheduleItem& AddPeriodic(const std::string& name, int32_t period, int hour, int minute,
                              int second) {
        ScheduleItem& item = Add(name, RUN_STYLE_PERIODIC);
        item.runEvery = period;
        item.runHour = hour, item.runMinute = minute, item.runSecond = second;
        return item;
    }
    ScheduleItem& AddInterval(const std::string& name, int hours, int minutes, int seconds) {
        ScheduleItem& item = Add(name, RUN_STYLE_INTERVAL);
        item.everyHours = hours, item.everyMinutes = minutes, item.everySeconds = seconds;
        return item;
    }

    // ---- The one-second timer ----
    void DriveClock() {
        desktop.localTime = [this] { return LocalTimeAt(clock); };
    }
    void Start() {
        view.trayIconPresent = true;
        StartScheduler(scheduler);
    }
    // The one-second timer lands while the wall clock reads `second`.
    void TickAt(int64_t second) {
        clock = second;
        Tick();
    }
    void Tick() {
        ASSERT_TRUE(desktop.HasThreadTimer(state.schedulerTimer));
        desktop.FireThreadTimer(state.schedulerTimer);
    }
    void TickEverySecond(int64_t from, int64_t to) {
        for (int64_t second = from; second <= to; ++second)
            TickAt(second);
    }

    MemoryFileSystem disk;
    FaultyFileSystem files{disk};
    FakeDesktop desktop;
    ScheduleTable table;
    SchedulerState state;
    FakeSchedulerWindow view;
    FakePlayback playback;
    ScheduleHistory history{files, desktop, HISTORY_PATH};
    FakeSettingsStore settings;
    AppointmentLog appointments;
    Scheduler scheduler{table,    state,   desktop,     files,     view,
                        playback, history, MAIN_WINDOW, &settings, &appointments};
    ScheduleWindow window{scheduler, view};
    int64_t clock = At(2026, 3, 5, 14, 30, 0);
    int playSeconds = 0;
};
