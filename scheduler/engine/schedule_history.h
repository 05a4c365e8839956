#pragma once
// The Scheduler's history: one line for every appointment, in a plain text file that is only
// ever appended to, so that a user can see afterwards what played while nobody watched.
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "macro/desktop/desktop_port.h"
#include "macro/file/file_system.h"
#include "scheduler/engine/appointment.h"

struct HistoryEntry {
    LocalTime time;  // when the play began; for a missed appointment, when it was due
    std::string itemName;
    std::string macroPath;
    AppointmentOutcome outcome;
    std::optional<LocalTime> due;  // a late play: when it was due
};

// A history is started afresh beside the old one rather than grow past this.
constexpr std::size_t HISTORY_LIMIT_BYTES = 1024 * 1024;

// The history line's word, e.g. "missed (asleep)".
std::string_view OutcomeWord(AppointmentOutcome outcome);
// Time, name, path and outcome, and the due time when there is one, between tabs; ends CR LF.
// A tab or line break in the name or path becomes a space, so that a line stays one line.
std::string HistoryLine(const HistoryEntry& entry);
// The full history's name once a new one has begun: "Scheduler history.txt" gives
// "Scheduler history.1.txt".
std::string RotatedHistoryPath(const std::string& path);

// Told of every appointment's outcome, it writes the appointment's line.
class ScheduleHistory : public AppointmentObserver {
  public:
    // An empty `path`: there is nowhere to keep a history, and every line fails.
    ScheduleHistory(FileSystem& files, DesktopPort& desktop, std::string path);

    // The owner of the one box that says the history cannot be written.
    WindowHandle owner = NO_WINDOW;

    // Learns the last line of every item and the size of the file from what is kept.
    void Load();
    // Adds the entry's line at the end of the file. A failure never stops the caller; the
    // first one of the run is said in a box.
    void Append(const HistoryEntry& entry);
    // The appointment's line: when its play began (when it was due, for one missed), and its
    // due time too when it played late.
    void AppointmentKept(const Appointment& appointment) override;
    // The pane's line: "Last played: " and the time and outcome of the item's last line, or
    // "never".
    std::string LastPlayedText(std::string_view itemName, std::string_view macroPath) const;
    bool HasFile() const;
    const std::string& Path() const { return path_; }

  private:
    struct LastLine {
        std::string time;
        std::string outcome;
        std::string due;  // empty when the line has none
    };
    void LoadFile(const std::string& path, bool current);
    void RememberLine(std::string_view line);
    void Remember(const std::string& name, const std::string& path, LastLine last);
    bool StartAfreshIfFull(std::size_t lineSize);
    bool Write(const std::string& line);
    void ReportFailureOnce();

    FileSystem& files_;
    DesktopPort& desktop_;
    const std::string path_;
    std::map<std::string, LastLine> lastLines_;  // by name and path, as the lines hold them
    std::size_t size_ = 0;                       // of the current file
    bool lineCut_ = false;                       // a failed write may have left half a line
    bool failureReported_ = false;
};
