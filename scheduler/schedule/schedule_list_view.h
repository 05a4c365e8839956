#pragma once
// The window's schedule list: one entry per item, entry k showing the name of item k.
#include <string>

constexpr int NO_SELECTION = -1;

class ScheduleListView {
  public:
    virtual ~ScheduleListView() = default;
    virtual int Append(const std::string& name) = 0;  // the new entry's position
    virtual void Remove(int position) = 0;
    virtual void Clear() = 0;
    virtual int Count() = 0;
    virtual int Selection() = 0;  // NO_SELECTION when no entry is selected
    virtual void Select(int position) = 0;
};
