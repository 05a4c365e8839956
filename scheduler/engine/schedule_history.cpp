#include "scheduler/engine/schedule_history.h"

#include <utility>
#include <vector>

#include "macro/desktop/error_report.h"
#include "macro/desktop/wall_clock.h"
#include "macro/file/text_field.h"

namespace {

constexpr std::string_view LINE_END = "\r\n";
constexpr char FIELD_SEPARATOR = '\t';

// A name or path as a line holds it: one field on one line.
std::string Field(std::string_view text) {
    std::string field(text);
    for (char& c : field)
        if (c == FIELD_SEPARATOR || c == '\r' || c == '\n') c = ' ';
    return field;
}

std::string Key(std::string_view name, std::string_view path) {
    return Field(name) + FIELD_SEPARATOR + Field(path);
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t end = line.find(FIELD_SEPARATOR, start);
        fields.push_back(line.substr(start, end - start));
        if (end == std::string_view::npos) return fields;
        start = end + 1;
    }
}

}  // namespace

std::string_view OutcomeWord(AppointmentOutcome outcome) {
    switch (outcome) {
        case AppointmentOutcome::Played:
            return "played";
        case AppointmentOutcome::Stopped:
            return "stopped";
        case AppointmentOutcome::WindowMissing:
            return "stopped (window did not appear)";
        case AppointmentOutcome::FileNotFound:
            return "file not found";
        case AppointmentOutcome::MissedAsleep:
            return "missed (asleep)";
        case AppointmentOutcome::MissedNotRunning:
            return "missed (not running)";
        case AppointmentOutcome::MissedLocked:
            return "missed (locked)";
        case AppointmentOutcome::CaughtUp:
            return "caught up";
    }
    return "?";
}

std::string HistoryLine(const HistoryEntry& entry) {
    std::string line = TimestampText(entry.time) + FIELD_SEPARATOR + Field(entry.itemName) +
                       FIELD_SEPARATOR + Field(entry.macroPath) + FIELD_SEPARATOR +
                       std::string(OutcomeWord(entry.outcome));
    if (entry.due) line += FIELD_SEPARATOR + TimestampText(*entry.due);
    return line += LINE_END;
}

std::string RotatedHistoryPath(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t folder = path.find_last_of("\\/");
    if (dot == std::string::npos || (folder != std::string::npos && dot < folder))
        return path + ".1";
    return path.substr(0, dot) + ".1" + path.substr(dot);
}

ScheduleHistory::ScheduleHistory(FileSystem& files, DesktopPort& desktop, std::string path)
    : files_(files), desktop_(desktop), path_(std::move(path)) {}

void ScheduleHistory::Load() {
    if (path_.empty()) return;
    LoadFile(RotatedHistoryPath(path_), false);
    LoadFile(path_, true);
}

void ScheduleHistory::LoadFile(const std::string& path, bool current) {
    // A history that cannot be read is taken as empty: its size counts from the next line.
    const std::string bytes = ReadWholeFile(files_, path).value_or(std::string());
    if (current) {
        size_ = bytes.size();
        lineCut_ = !bytes.empty() && bytes.back() != '\n';
    }
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string_view line(bytes.data() + start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        RememberLine(line);
        start = end + 1;
    }
}

// A line that does not hold a time, a name, a path and an outcome is passed over.
void ScheduleHistory::RememberLine(std::string_view line) {
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() < 4) return;
    LastLine last{std::string(fields[0]), std::string(fields[3]),
                  fields.size() > 4 ? std::string(fields[4]) : std::string()};
    Remember(std::string(fields[1]), std::string(fields[2]), std::move(last));
}

void ScheduleHistory::Remember(const std::string& name, const std::string& path, LastLine last) {
    lastLines_[Key(name, path)] = std::move(last);
}

void ScheduleHistory::Append(const HistoryEntry& entry) {
    Remember(entry.itemName, entry.macroPath,
             {TimestampText(entry.time), std::string(OutcomeWord(entry.outcome)),
              entry.due ? TimestampText(*entry.due) : std::string()});
    const std::string line = HistoryLine(entry);
    const bool bounded = StartAfreshIfFull(line.size());
    if (!Write(line) || !bounded) ReportFailureOnce();
}

// A full file becomes "… .1.txt", replacing the one before it; false when that fails, and the
// line then goes to the end of the full file rather than be lost.
void ScheduleHistory::AppointmentKept(const Appointment& appointment) {
    const ScheduleItem& item = appointment.item;
    std::optional<LocalTime> due;
    if (appointment.late) due = LocalTimeAt(appointment.due);
    Append({LocalTimeAt(appointment.began), std::string(FieldText(item.name)),
            std::string(FieldText(item.macroFileName)), appointment.outcome, due});
}

bool ScheduleHistory::StartAfreshIfFull(std::size_t lineSize) {
    if (path_.empty() || size_ == 0 || size_ + lineSize <= HISTORY_LIMIT_BYTES) return true;
    if (!files_.Replace(path_, RotatedHistoryPath(path_))) return false;
    size_ = 0;
    lineCut_ = false;
    return true;
}

// After a write that failed part way, the next line starts on a line of its own.
bool ScheduleHistory::Write(const std::string& line) {
    if (path_.empty()) return false;
    std::unique_ptr<WritableFile> file = files_.OpenForAppending(path_);
    if (!file) return false;
    const std::string bytes = lineCut_ ? std::string(LINE_END) + line : line;
    const bool written = file->Write(bytes.data(), bytes.size()) && file->Flush();
    const bool closed = file->Close();
    lineCut_ = !written;
    if (written) size_ += bytes.size();
    return written && closed;
}

void ScheduleHistory::ReportFailureOnce() {
    if (failureReported_) return;
    failureReported_ = true;
    const std::string where = path_.empty() ? "no folder for it was found" : path_;
    ReportError(desktop_, owner,
                "The Scheduler history could not be written: " + where +
                    "\n\nScheduled macros go on playing; this is not said again until the "
                    "Scheduler starts anew.",
                FAILURE_CAPTION);
}

std::string ScheduleHistory::LastPlayedText(std::string_view itemName,
                                            std::string_view macroPath) const {
    auto found = lastLines_.find(Key(itemName, macroPath));
    if (found == lastLines_.end()) return "Last played: never";
    const LastLine& last = found->second;
    std::string text = "Last played: " + last.time + ", " + last.outcome;
    if (!last.due.empty()) text += " (due " + last.due + ")";
    return text;
}

bool ScheduleHistory::HasFile() const {
    return !path_.empty() && files_.OpenForReading(path_) != nullptr;
}
