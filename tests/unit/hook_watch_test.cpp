// Telling a low-level hook the system removed from one that is slow or merely idle.
#include <gtest/gtest.h>

#include <vector>

#include "macro/desktop/hook_watch.h"

namespace {

struct Step {
    bool look;  // a look with the desktop's last input at `tick`; else the hooks saw one then
    uint32_t tick;
    bool setAgain;  // what the look answers
};

TEST(HookWatchTest, HooksAreSetAgainWhenTheyMissedAnInputALookAgo) {
    const struct {
        const char* rule;
        std::vector<Step> steps;
    } cases[] = {
        {"hooks that see every input",
         {{false, 1000, false},
          {true, 1000, false},
          {false, 1500, false},
          {true, 1500, false},
          {true, 1500, false}}},
        {"an input on its way at one look, seen by the next",
         {{false, 1000, false}, {true, 1200, false}, {false, 1201, false}, {true, 1201, false}}},
        {"an input never seen", {{false, 1000, false}, {true, 1200, false}, {true, 1200, true}}},
        {"nothing new after setting again",
         {{true, 1200, false}, {true, 1200, true}, {true, 1200, false}, {true, 1200, false}}},
        {"clocks a little apart", {{false, 1000, false}, {true, 1050, false}, {true, 1050, false}}},
        {"an input missed, one before it seen late",
         {{false, 1000, false}, {true, 1300, false}, {false, 1150, false}, {true, 1400, true}}},
        {"the tick count wrapping",
         {{false, 0xFFFFFF00u, false}, {true, 0x10, false}, {true, 0x10, true}}},
    };
    for (const auto& test : cases) {
        HookWatch watch;
        for (std::size_t i = 0; i < test.steps.size(); ++i) {
            const Step& step = test.steps[i];
            if (!step.look) {
                watch.Saw(step.tick);
                continue;
            }
            EXPECT_EQ(watch.MissedInput(step.tick), step.setAgain) << test.rule << ", step " << i;
        }
    }
}

}  // namespace
