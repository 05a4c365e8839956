#pragma once
// The main window's play controls: the progress bar (1027), the Play (1018), Pause (1019) and
// Stop (1020) buttons, and the window itself.
#include <cstdint>

enum class PlayButton { Play, Pause, Stop };

class PlayView {
  public:
    virtual ~PlayView() = default;
    // Range 0 to `steps`; the whole range is kept, also above 65535 steps.
    virtual void SetProgressRange(int32_t steps) = 0;
    virtual void SetProgressPosition(int32_t position) = 0;
    virtual void EnableButton(PlayButton button, bool enabled) = 0;
    virtual void HideWindow() = 0;
    virtual void RestoreWindow() = 0;
    // Returns, within a bound, once the program the play typed into has taken every key: the
    // window comes back only then, so that the last keys do not go to it.
    virtual void AwaitInputDelivered() = 0;
};
