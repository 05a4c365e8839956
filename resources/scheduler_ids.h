#pragma once
// Resource and control ids of Keyloom Scheduler.

#define IDD_SCHEDULER 105
