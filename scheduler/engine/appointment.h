#pragma once
// What became of each appointment of the schedule, told to whoever keeps an account of it
// (the history, the pane).
#include <cstdint>

#include "scheduler/schedule/schedule_item.h"

enum class AppointmentOutcome {
    Played,
    Stopped,        // Escape or Pause ended the play
    WindowMissing,  // a wait for a window ran out and ended the play
    FileNotFound,
    MissedAsleep,  // the computer slept, hibernated, or its clock was set forward past it
    MissedNotRunning,
    MissedLocked,
    CaughtUp,  // a missed appointment played late, "Play if missed" being ticked
};

struct Appointment {
    const ScheduleItem& item;
    AppointmentOutcome outcome;
    int64_t due;    // the local second it was due (see SecondOf)
    bool late;      // played after its time: a catch-up
    int64_t began;  // the local second its play began; its due second when it did not play
};

class AppointmentObserver {
  public:
    virtual ~AppointmentObserver() = default;
    virtual void AppointmentKept(const Appointment& appointment) = 0;
};
