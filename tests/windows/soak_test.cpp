// A long run of both programs in the notification area must not grow. Keyloom, hidden with 100
// macros on hot keys, plays hot-key macros and is hidden and restored over and over; Keyloom
// Scheduler listens with 100 items and fires an interval item again and again. The process's
// handles, GDI and USER objects and private bytes are taken after a warm-up and at the end.
// KEYLOOM_SOAK=long gives the full run (make soak): 2,000 plays, 200 hide/restore cycles and
// 500 fires; the short run of make test does a twentieth of the plays and cycles and 15 fires.
//
// The long run, under Wine 8 on Xvfb (2-core machine): Keyloom, 2,000 hot-key plays and 200
// hide/restore cycles in about 14 minutes: handles 45 -> 45, windows 22 -> 22, private bytes
// 7,667,712 -> 7,667,712. Keyloom Scheduler, 500 fires of the one-second item in 522 s: handles
// 45 -> 44, windows 46 -> 46, private bytes 7,405,568 -> 7,405,568. Wine gives 0 GDI and USER
// objects at both ends.
#include <windows.h>

#include <gtest/gtest.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "resources/keyloom_ids.h"
#include "tests/support/keyloom_driver_win32.h"
#include "tests/support/scheduler_driver_win32.h"
#include "tests/support/temp_files.h"

namespace {

bool LongRun() {
    const char* soak = std::getenv("KEYLOOM_SOAK");
    return soak && std::strcmp(soak, "long") == 0;
}

// How far a figure may grow between the warm-up and the end of the run.
constexpr DWORD HANDLE_BOUND = 16;
constexpr DWORD GUI_OBJECT_BOUND = 8;
constexpr SIZE_T PRIVATE_BYTES_BOUND = 4 * 1024 * 1024;

// What a process holds. Wine gives no handle count, no GDI or USER counts and no private bytes
// for a process: the handle count is then taken from the system's handle table, the private
// bytes from the commit charge, and the windows (top-level and child) stand in for USER
// objects.
struct Footprint {
    DWORD handles = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    DWORD windows = 0;
    SIZE_T privateBytes = 0;
};

// An entry of the system handle table (SystemHandleInformation).
struct SystemHandle {
    ULONG processId;
    UCHAR objectType;
    UCHAR flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};
struct SystemHandles {
    ULONG count;
    SystemHandle handles[1];
};

DWORD HandlesInSystemTable(DWORD processId) {
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    constexpr ULONG SYSTEM_HANDLE_INFORMATION = 16;
    constexpr LONG INFO_LENGTH_MISMATCH = static_cast<LONG>(0xC0000004);
    std::vector<char> buffer(1 << 20);
    ULONG needed = 0;
    LONG status;
    while ((status = query(SYSTEM_HANDLE_INFORMATION, buffer.data(),
                           static_cast<ULONG>(buffer.size()), &needed)) == INFO_LENGTH_MISMATCH)
        buffer.resize(buffer.size() * 2);
    if (status != 0) return 0;
    const auto* table = reinterpret_cast<const SystemHandles*>(buffer.data());
    DWORD count = 0;
    for (ULONG i = 0; i < table->count; ++i)
        if (table->handles[i].processId == processId) ++count;
    return count;
}

BOOL CALLBACK CountWindow(HWND, LPARAM windows) {
    ++*reinterpret_cast<DWORD*>(windows);
    return TRUE;
}

DWORD WindowsOf(DWORD processId) {
    struct Count {
        DWORD processId;
        DWORD windows;
    } count{processId, 0};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& c = *reinterpret_cast<Count*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != c.processId) return TRUE;
            ++c.windows;
            EnumChildWindows(window, CountWindow, reinterpret_cast<LPARAM>(&c.windows));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.windows;
}

Footprint Measure(HANDLE process) {
    Footprint footprint;
    const DWORD processId = GetProcessId(process);
    GetProcessHandleCount(process, &footprint.handles);
    if (footprint.handles == 0) footprint.handles = HandlesInSystemTable(processId);
    footprint.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    footprint.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    footprint.windows = WindowsOf(processId);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory))
        footprint.privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    return footprint;
}

void ExpectNoGrowth(const char* program, const Footprint& start, const Footprint& end) {
    std::printf(
        "%s: handles %lu -> %lu, GDI objects %lu -> %lu, USER objects %lu -> %lu, "
        "windows %lu -> %lu, private bytes %llu -> %llu\n",
        program, start.handles, end.handles, start.gdiObjects, end.gdiObjects, start.userObjects,
        end.userObjects, start.windows, end.windows,
        static_cast<unsigned long long>(start.privateBytes),
        static_cast<unsigned long long>(end.privateBytes));
    EXPECT_GT(start.handles, 0u) << "no handle count";
    EXPECT_GT(start.windows, 0u) << "no windows";
    EXPECT_GT(start.privateBytes, 0u) << "no private bytes";
    EXPECT_LE(end.handles, start.handles + HANDLE_BOUND);
    EXPECT_LE(end.gdiObjects, start.gdiObjects + GUI_OBJECT_BOUND);
    EXPECT_LE(end.userObjects, start.userObjects + GUI_OBJECT_BOUND);
    EXPECT_LE(end.windows, start.windows + GUI_OBJECT_BOUND);
    EXPECT_LE(end.privateBytes, start.privateBytes + PRIVATE_BYTES_BOUND);
}

// The running program behind a window, opened to be measured.
HANDLE OpenProgram(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
}

// Where a macro of the run leaves the pointer: every play is seen by the pointer reaching it.
POINT Target(int macro) {
    return POINT{200 + macro * 3, 300 + macro % 7};
}

bool PointerReaches(POINT target, int timeoutMs) {
    return PumpUntil(
        [&] {
            POINT cursor{};
            GetCursorPos(&cursor);
            return cursor.x == target.x && cursor.y == target.y;
        },
        timeoutMs);
}

// Macro i plays on its own combination: Ctrl+Alt, Ctrl+Shift or Ctrl+Alt+Shift with a letter or
// a digit.
struct Combination {
    std::vector<WORD> modifiers;
    WORD key;
    std::string triggerKeys;  // as the macro file stores it: key, Shift, Ctrl, Alt
};

Combination CombinationOf(int macro) {
    static const std::string keys = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const WORD key = static_cast<WORD>(keys[macro % keys.size()]);
    const int set = macro / static_cast<int>(keys.size());
    const bool shift = set >= 1;
    const bool alt = set != 1;
    std::vector<WORD> modifiers{VK_CONTROL};
    if (shift) modifiers.push_back(VK_SHIFT);
    if (alt) modifiers.push_back(VK_MENU);
    return Combination{modifiers, key,
                       std::to_string(key) + " " + (shift ? "1" : "0") + " 1 " + (alt ? "1" : "0")};
}

class KeyloomSoakTest : public ::testing::Test {
  protected:
    static constexpr int MACROS = 100;

    // A list of 100 macros, each moving the pointer to its own place.
    std::string WriteLibrary() {
        std::string list;
        for (int macro = 0; macro < MACROS; ++macro) {
            const POINT target = Target(macro);
            const std::string code =
                "MOVE_CURSOR " + std::to_string(target.x) + " " + std::to_string(target.y) + "\r\n";
            list += dir.Write("soak" + std::to_string(macro) + ".mro",
                              MacroFileText("Soak " + std::to_string(macro), code,
                                            CombinationOf(macro).triggerKeys)) +
                    "\r\n";
        }
        return dir.Write("soak.lst", list);
    }
    bool PlayByHotKey(int macro) {
        SetCursorPos(5, 5);
        const Combination combination = CombinationOf(macro);
        TapCombination(combination.modifiers, combination.key);
        return PointerReaches(Target(macro), 10000);
    }
    bool HideAndRestore(KeyloomDriver& keyloom) {
        keyloom.TrayMouse(WM_LBUTTONDBLCLK);
        if (!keyloom.WaitUntilVisible(true) || !keyloom.RoundTrip()) return false;
        keyloom.Command(IDM_HIDE_IN_TRAY);
        return keyloom.WaitUntilVisible(false) && keyloom.RoundTrip();
    }
    // `plays` hot-key plays, with a hide/restore cycle after every `playsPerCycle`.
    void Run(KeyloomDriver& keyloom, int plays, int playsPerCycle) {
        for (int play = 0; play < plays; ++play) {
            ASSERT_TRUE(PlayByHotKey(play % MACROS)) << "hot-key play " << play << " not seen";
            if ((play + 1) % playsPerCycle == 0) {
                ASSERT_TRUE(HideAndRestore(keyloom)) << "hide/restore after play " << play;
            }
        }
    }

    TempDir dir;
};

TEST_F(KeyloomSoakTest, HotKeyPlaysAndTrayCyclesDoNotGrow) {
    WriteKeyloomSettings(WriteLibrary());
    KeyloomDriver keyloom("/m");
    ASSERT_NE(keyloom.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(keyloom.WaitForTrayIcon(true));
    HANDLE process = OpenProgram(keyloom.main());
    ASSERT_NE(process, nullptr);

    Run(keyloom, 10, 10);  // warm-up: every kind of step once
    const Footprint start = Measure(process);
    Run(keyloom, LongRun() ? 2000 : 100, 10);  // 200 cycles in the long run, 10 in the short one
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(keyloom.RoundTrip());
    ExpectNoGrowth("Keyloom", start, Measure(process));
    CloseHandle(process);
}

class SchedulerSoakTest : public ::testing::Test {
  protected:
    static constexpr int ITEMS = 100;

    std::string Item(const std::string& name, const std::string& macroPath, int runStyle,
                     int everySeconds) {
        return "\r\nNEW_ITEM\r\nNAME \"" + name + "\"\r\nMACRO_FILENAME \"" + macroPath +
               "\"\r\nRUN_STYLE " + std::to_string(runStyle) +
               "\r\nONCE_DATE 1 1 2001\r\nONCE_TIME 12 0 0\r\nRUN_EVERY 3\r\nRUN_DOW 1\r\n"
               "RUN_TIME 0 0 0\r\nEVERY_HOURS 0\r\nEVERY_MINS 0\r\nEVERY_SECS " +
               std::to_string(everySeconds) + "\r\nACTIVE TRUE\r\nEND_ITEM\r\n";
    }
    // One interval item every second, typing one character into the target, and 99 items that are
    // evaluated but never due.
    std::string WriteSchedule() {
        const std::string fired =
            dir.Write("fired.mro",
                      MacroFileText("Fired", "FOCUS_WINDOW \"" + TARGET + "\"\r\nTYPE \"x\"\r\n"));
        const std::string idle = dir.Write("idle.mro", MacroFileText("Idle", "DELAY 1\r\n"));
        std::string schedule = "//Created by Keyloom Scheduler\r\n//\r\n";
        schedule += Item("every second", fired, 4, 1);
        for (int item = 1; item < ITEMS; ++item)
            schedule += Item("never " + std::to_string(item), idle, 2, 0);
        return dir.Write("soak.scl", schedule);
    }
    // Waits until the fires have typed `times` more characters; the number typed meanwhile.
    // Under Wine without a window manager, bringing the target to the front can take seconds.
    std::size_t Fire(int times) {
        const std::size_t before = target.Text().size();
        EXPECT_TRUE(
            PumpUntil([&] { return target.Text().size() >= before + times; }, times * 4000 + 10000))
            << "fires typed " << target.Text().size() - before << " of " << times;
        return target.Text().size() - before;
    }

    const std::string TARGET = "Keyloom Scheduler soak target";
    TempDir dir;
    TypingTarget target{TARGET};
};

TEST_F(SchedulerSoakTest, IntervalFiresDoNotGrow) {
    WriteSchedulerSettings(WriteSchedule());
    SchedulerDriver scheduler("/m");
    ASSERT_NE(scheduler.WaitForMainWindow(), nullptr);
    HANDLE process = OpenProgram(scheduler.main());
    ASSERT_NE(process, nullptr);

    Fire(5);  // warm-up
    const Footprint start = Measure(process);
    const DWORD started = GetTickCount();
    const std::size_t fires = Fire(LongRun() ? 500 : 15);
    const DWORD seconds = (GetTickCount() - started + 999) / 1000;
    std::printf("Keyloom Scheduler: %zu fires of the 1-second item in %lu s\n", fires, seconds);
    EXPECT_LE(fires, static_cast<std::size_t>(seconds) + 1) << "fired more than once a second";
    ASSERT_TRUE(scheduler.RoundTrip());
    ExpectNoGrowth("Keyloom Scheduler", start, Measure(process));
    CloseHandle(process);
}

}  // namespace
