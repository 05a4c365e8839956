// Saving a macro file, a macro list and a schedule through the platform's files: at the longest
// path the programs open, and while another program reads the file or holds it open. The test
// starts itself a second time as that other program.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "library/table/macro_list_file.h"
#include "macro/file/long_path_win32.h"
#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"
#include "scheduler/schedule/schedule_file.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_macro_library_views.h"
#include "tests/support/fake_scheduler_window.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/temp_files.h"
#include "tests/support/win32_test_helpers.h"

namespace {

using ::testing::ElementsAre;

constexpr const char* KEEP_READING = "--keep-reading";
constexpr const char* HOLD = "--hold";
constexpr int MAX_ANSI_PATH = 259;  // MAX_PATH without the terminator
constexpr DWORD HOLD_MS = 9000;     // longer than three saves wait for a refused replace

// ---- The other program ----

// Opens, reads and closes each file every few milliseconds, as a scanner or indexer does, with
// every sharing flag; tells `ready` after the first round. Runs until it is ended.
int KeepReading(HANDLE ready, const std::vector<std::string>& paths) {
    for (;;) {
        for (const std::string& path : paths) {
            HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE) continue;
            char buffer[512];
            DWORD got = 0;
            ReadFile(file, buffer, sizeof buffer, &got, nullptr);
            Sleep(3);
            CloseHandle(file);
        }
        SetEvent(ready);
        Sleep(2);
    }
}

// Holds each file open without letting it be deleted or replaced, then lets go.
int Hold(HANDLE ready, const std::vector<std::string>& paths) {
    std::vector<HANDLE> files;
    for (const std::string& path : paths)
        files.push_back(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    SetEvent(ready);
    Sleep(HOLD_MS);
    for (HANDLE file : files)
        CloseHandle(file);
    return 0;
}

// The test run a second time: `<mode> <ready event> <path>...`.
class OtherProgram {
  public:
    OtherProgram(const char* mode, const std::vector<std::string>& paths) {
        static int serial = 0;
        std::string event = "keyloom-file-save-test-" + std::to_string(GetCurrentProcessId()) +
                            "-" + std::to_string(serial++);
        ready_ = CreateEventA(nullptr, TRUE, FALSE, event.c_str());
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, sizeof self);
        std::string arguments = std::string(mode) + " " + event;
        for (const std::string& path : paths)
            arguments += " \"" + path + "\"";
        program_ = std::make_unique<RunningProgram>(self, arguments);
    }
    ~OtherProgram() { CloseHandle(ready_); }
    bool WaitUntilBusy() { return WaitForSingleObject(ready_, 20000) == WAIT_OBJECT_0; }
    bool WaitForExit() { return program_->WaitForExit(20000); }

  private:
    HANDLE ready_;
    std::unique_ptr<RunningProgram> program_;
};

// ---- The three documents ----

// A folder whose path leaves exactly room for `nameLength` characters of a file name in a path
// of `pathLength` characters; made with the wide calls, as the ANSI ones stop short of it.
std::string FolderFor(const TempDir& dir, std::size_t nameLength, std::size_t pathLength) {
    std::string folder = dir.Path("long");
    CreateDirectoryW(LongPath(folder).c_str(), nullptr);
    const std::size_t length = pathLength - nameLength - 1;
    while (folder.size() < length) {
        std::size_t room = length - folder.size() - 1;  // after the separator
        std::size_t part = std::min<std::size_t>(100, room);
        if (room - part == 1) --part;  // a separator needs a name after it
        folder.append("\\").append(part, 'f');
        CreateDirectoryW(LongPath(folder).c_str(), nullptr);
    }
    return folder;
}

// A macro file, a list and a schedule, each saved in a new version on every call.
class Documents {
  public:
    Documents(const std::string& macroPath, const std::string& listPath,
              const std::string& schedulePath)
        : macroPath(macroPath), listPath(listPath), schedulePath(schedulePath) {
        CopyText(macro.fileName, macroPath);
        macro.playStyle = PLAY_STYLE_TIMES;
    }
    std::vector<std::string> Paths() const { return {macroPath, listPath, schedulePath}; }

    // Whether every save of this version was reported as done.
    bool Save(int version) {
        Prepare(version);
        bool macroSaved = SaveMacroFile(RealFileSystem(), Code(version), macro);
        bool listSaved = SaveMacroList(library, listPath);
        bool scheduleSaved = SaveSchedule(RealFileSystem(), schedulePath, *schedule, scheduleList);
        return macroSaved && listSaved && scheduleSaved;
    }
    // Whether the three files hold exactly this version.
    bool Hold(int version) {
        Prepare(version);
        return ReadWholeFile(macroPath) == FormatMacroFile(Code(version), macro) &&
               ReadWholeFile(listPath) == ListBytes() &&
               ReadWholeFile(schedulePath) ==
                   FormatSchedule(*schedule, scheduleList.Count(), schedulePath);
    }

    const std::string macroPath, listPath, schedulePath;
    FakeDesktop desktop;

  private:
    static std::string Code(int version) {
        return "TYPE \"version " + std::to_string(version) + "\"\r\n";
    }
    // Version n: the macro named after it, n + 1 macros in the list, one schedule item named
    // after it.
    void Prepare(int version) {
        CopyText(macro.name, "Version " + std::to_string(version));
        list.entries.clear();
        table->count = 0;
        for (int i = 0; i <= version; ++i) {
            Macro& listed = table->macros[table->count++];
            const std::string number = std::to_string(i);
            CopyText(listed.fileName, "C:\\macros\\m" + number + ".mro");
            listed.id = list.AppendEntry("M" + number);
        }
        scheduleList.Clear();
        ScheduleItem& item = schedule->items[0];
        CopyText(item.name, "Item " + std::to_string(version));
        CopyText(item.macroFileName, "C:\\macros\\m0.mro");
        item.runStyle = RUN_STYLE_STARTUP;
        item.id = scheduleList.Append("Item");
        schedule->count = 1;
    }
    std::string ListBytes() const {
        std::string bytes;
        for (int i = 0; i < table->count; ++i)
            bytes += std::string(FieldText(table->macros[i].fileName)) + "\r\n";
        return bytes;
    }

    Macro macro{};
    std::unique_ptr<MacroTable> table = std::make_unique<MacroTable>();
    FakeMacroList list;
    FakeSaveItem saveItem;
    FakeFileDialogs dialogs;
    MacroLibrary library{*table,           list,    saveItem,  dialogs,
                         RealFileSystem(), desktop, NO_WINDOW, [] { return 10; }};
    std::unique_ptr<ScheduleTable> schedule = std::make_unique<ScheduleTable>();
    FakeScheduleList scheduleList;
};

const std::vector<std::string> DOCUMENT_NAMES = {"l.lst", "m.mro", "s.scl"};

// Whether another program could delete or replace the file now.
bool CanBeDeleted(const std::string& path) {
    HANDLE file =
        CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// A path that the ANSI file calls still open: any of them must save too.
TEST(FileSaveTest, FilesAtTheLongestPathSaveAgainAndAgain) {
    TempDir dir;
    std::string folder = FolderFor(dir, 5, MAX_ANSI_PATH);
    Documents documents(folder + "\\m.mro", folder + "\\l.lst", folder + "\\s.scl");
    for (const std::string& path : documents.Paths())
        ASSERT_EQ(path.size(), 259u);
    for (int version = 0; version < 3; ++version) {
        SCOPED_TRACE("version " + std::to_string(version));
        EXPECT_TRUE(documents.Save(version));
        EXPECT_TRUE(documents.Hold(version));
    }
    EXPECT_TRUE(documents.desktop.boxes.empty());
}

TEST(FileSaveTest, EverySaveLandsWhileAnotherProgramKeepsReadingTheFiles) {
    TempDir dir;
    Documents documents(dir.Path("m.mro"), dir.Path("l.lst"), dir.Path("s.scl"));
    ASSERT_TRUE(documents.Save(0));
    OtherProgram reader(KEEP_READING, documents.Paths());
    ASSERT_TRUE(reader.WaitUntilBusy());
    for (int version = 1; version <= 8; ++version) {
        SCOPED_TRACE("version " + std::to_string(version));
        EXPECT_TRUE(documents.Save(version));
        EXPECT_TRUE(documents.Hold(version));
    }
    EXPECT_TRUE(documents.desktop.boxes.empty());
    EXPECT_EQ(FilesBeside(documents.macroPath), DOCUMENT_NAMES);
}

// The programs read a macro file at every play, and the list and schedule at start: a save
// that meets a read of their own lands once the read is over.
TEST(FileSaveTest, ASaveDuringAReadOfTheProgramsLandsAfterTheRead) {
    TempDir dir;
    const std::string path = dir.Write("m.mro", "old");
    std::unique_ptr<ReadableFile> reader = RealFileSystem().OpenForReading(path);
    ASSERT_NE(reader, nullptr);
    std::thread endOfRead([&reader] {
        Sleep(300);
        reader.reset();
    });
    EXPECT_TRUE(SaveFileAtomically(RealFileSystem(), path, "new"));
    endOfRead.join();
    EXPECT_EQ(ReadWholeFile(path), "new");
    EXPECT_THAT(FilesBeside(path), ElementsAre("m.mro"));
}

TEST(FileSaveTest, AReplaceRefusedPastTheWaitFailsAndKeepsTheOldFiles) {
    TempDir dir;
    Documents documents(dir.Path("m.mro"), dir.Path("l.lst"), dir.Path("s.scl"));
    ASSERT_TRUE(documents.Save(0));
    OtherProgram holder(HOLD, documents.Paths());
    ASSERT_TRUE(holder.WaitUntilBusy());
    for (const std::string& path : documents.Paths())
        ASSERT_FALSE(CanBeDeleted(path)) << path << " is not held";
    DWORD start = GetTickCount();
    EXPECT_FALSE(documents.Save(1));
    DWORD waited = GetTickCount() - start;
    EXPECT_GE(waited, 3 * 1900u);          // each of the three tried again before it failed...
    EXPECT_LT(waited, 3 * 2000u + 2000u);  // ...for a bounded time
    EXPECT_TRUE(documents.Hold(0));
    ASSERT_EQ(documents.desktop.boxes.size(), 1u);
    EXPECT_EQ(documents.desktop.boxes[0].text, "Error writing file");
    EXPECT_EQ(FilesBeside(documents.macroPath), DOCUMENT_NAMES);
    ASSERT_TRUE(holder.WaitForExit());
    EXPECT_TRUE(documents.Save(2));
    EXPECT_TRUE(documents.Hold(2));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && (std::string(argv[1]) == KEEP_READING || std::string(argv[1]) == HOLD)) {
        HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
        std::vector<std::string> paths(argv + 3, argv + argc);
        return std::string(argv[1]) == HOLD ? Hold(ready, paths) : KeepReading(ready, paths);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
