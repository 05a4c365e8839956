// Keyloom Scheduler started with "/m" on a wall clock shifted by libfaketime in a zone with
// daylight saving (scripts/run-shifted-clock-test.sh sets it up): the test jumps the clock to
// just before the changes of daylight saving and watches what the scheduled macros type.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "macro/desktop/wall_clock.h"
#include "tests/support/scheduler_driver_win32.h"
#include "tests/support/temp_files.h"

namespace {

constexpr char TARGET_TITLE[] = "Shifted clock target";

int64_t At(int year, int month, int day, int hour, int minute, int second) {
    return SecondOf(LocalTime{year, month, 0, day, hour, minute, second, 0});
}

// In UTC: 02:00 CET becomes 03:00 CEST, and 03:00 CEST becomes 02:00 CET.
const int64_t SPRING_FORWARD = At(2026, 3, 29, 1, 0, 0);
const int64_t FALL_BACK = At(2026, 10, 25, 1, 0, 0);

int64_t SecondOfSystemTime(const SYSTEMTIME& time) {
    return SecondOf(LocalTime{time.wYear, time.wMonth, 0, time.wDay, time.wHour, time.wMinute,
                              time.wSecond, 0});
}

int64_t LocalNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return SecondOfSystemTime(now);
}

// The wall clock of every process of this run: libfaketime shifts the real one by a number of
// seconds that it reads from a file at every reading.
class ShiftedClock {
  public:
    ShiftedClock() {
        if (const char* file = std::getenv("FAKETIME_TIMESTAMP_FILE")) {
            file_ = std::string("Z:") + file;
            offset_ = std::stoll(ReadWholeFile(file_));
        }
    }
    bool Present() const { return !file_.empty(); }

    // From now on UTC reads `utc`. The file is replaced whole: a reading never finds it empty.
    void SetUtc(int64_t utc) {
        SYSTEMTIME now;
        GetSystemTime(&now);
        offset_ = utc - (SecondOfSystemTime(now) - offset_);
        const std::string next = file_ + ".next";
        WriteWholeFile(next, (offset_ < 0 ? "" : "+") + std::to_string(offset_) + "\n");
        MoveFileExA(next.c_str(), file_.c_str(), MOVEFILE_REPLACE_EXISTING);
    }

  private:
    static void WriteWholeFile(const std::string& path, const std::string& bytes) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }

    std::string file_;
    int64_t offset_ = 0;
};

class SchedulerShiftedClockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!clock.Present())
            GTEST_SKIP() << "needs the shifted clock of scripts/run-shifted-clock-test.sh";
    }

    // An item whose macro types `letter` into the target; `rule` holds its RUN_ lines and any
    // CATCH_UP line.
    std::string Item(const std::string& letter, const std::string& rule) {
        const std::string macro = dir.Write(
            letter + ".mro", MacroFileText(letter, "FOCUS_WINDOW \"" + std::string(TARGET_TITLE) +
                                                       "\"\r\nTYPE \"" + letter + "\"\r\n"));
        return "NEW_ITEM\r\nNAME \"" + letter + "\"\r\nMACRO_FILENAME \"" + macro + "\"\r\n" +
               rule + "ACTIVE TRUE\r\nEND_ITEM\r\n";
    }
    // Starts the scheduler hidden in the notification area, listening to `items`.
    void StartListening(const std::string& items) {
        WriteSchedulerSettings(
            dir.Write("shifted.scl", "//Created by Keyloom Scheduler\r\n//\r\n\r\n" + items));
        scheduler = std::make_unique<SchedulerDriver>("/m");
        ASSERT_NE(scheduler->WaitForMainWindow(60000), nullptr);
        ASSERT_TRUE(scheduler->WaitUntilVisible(false, 30000));
        ASSERT_TRUE(scheduler->WaitForTrayIcon(true));
    }
    bool WaitForLocalTime(int64_t second, int timeoutMs) {
        return PumpUntil([&] { return LocalNow() >= second; }, timeoutMs);
    }

    ShiftedClock clock;
    TempDir dir;
    TypingTarget target{TARGET_TITLE};
    std::unique_ptr<SchedulerDriver> scheduler;
};

TEST_F(SchedulerShiftedClockTest, ItemsOfTheSkippedHourRunOnceInOrderWhenSummerTimeBegins) {
    clock.SetUtc(SPRING_FORWARD - 600);  // 01:50 winter time
    StartListening(Item("o", "RUN_STYLE 2\r\nONCE_DATE 29 3 2026\r\nONCE_TIME 2 45 0\r\n") +
                   Item("d", "RUN_STYLE 3\r\nRUN_EVERY 3\r\nRUN_TIME 2 30 0\r\n"));
    clock.SetUtc(SPRING_FORWARD - 3);  // set forward to 01:59:57, nothing due meanwhile
    ASSERT_TRUE(target.WaitForText("do", 15000)) << "typed: " << target.Text();
    EXPECT_GE(LocalNow(), At(2026, 3, 29, 3, 0, 0));
    ASSERT_TRUE(WaitForLocalTime(At(2026, 3, 29, 3, 0, 4), 10000));
    EXPECT_EQ(target.Text(), "do");
}

TEST_F(SchedulerShiftedClockTest, AnItemOfTheHourThatComesTwiceRunsOnceWhenSummerTimeEnds) {
    clock.SetUtc(FALL_BACK - 2400);  // 02:20 summer time
    StartListening(Item("d", "RUN_STYLE 3\r\nRUN_EVERY 3\r\nRUN_TIME 2 30 0\r\n") +
                   Item("o",
                        "RUN_STYLE 2\r\nONCE_DATE 25 10 2026\r\nONCE_TIME 2 45 0\r\n"
                        "CATCH_UP 1\r\n"));
    clock.SetUtc(FALL_BACK - 1803);  // 02:29:57 summer time
    ASSERT_TRUE(target.WaitForText("d", 15000)) << "typed: " << target.Text();
    // The play has ended: a clock set during a play is not caught up.
    ASSERT_TRUE(WaitForLocalTime(At(2026, 10, 25, 2, 30, 2), 10000));
    // Set forward to 02:59:57 past the item at 02:45: "Play if missed" plays it at once.
    clock.SetUtc(FALL_BACK - 3);
    ASSERT_TRUE(target.WaitForText("do", 15000)) << "typed: " << target.Text();
    // 03:00 summer time becomes 02:00 winter time.
    ASSERT_TRUE(PumpUntil([] { return LocalNow() < At(2026, 10, 25, 2, 30, 0); }, 10000));
    clock.SetUtc(FALL_BACK + 1797);  // 02:29:57 winter time, in the hour lived again
    ASSERT_TRUE(WaitForLocalTime(At(2026, 10, 25, 2, 30, 4), 10000));
    EXPECT_EQ(target.Text(), "do");
}

}  // namespace
