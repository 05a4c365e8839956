// The macro file loader in both programs' variants, on any bytes: no overrun, every text field
// terminated, the clash test kept, and what was read survives a save and a second load. The
// editor's code box reading of the same bytes stays within the box and keeps what it cuts.
#include <cstdint>
#include <cstring>
#include <string>

#include "editor/code_box_text.h"
#include "fuzz/fuzz_check.h"
#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/memory_file_system.h"

namespace {

constexpr char PATH[] = "C:\\fuzz.mro";

template <std::size_t N>
bool Terminated(const char (&field)[N]) {
    return FieldLength(field) < N;
}

bool FieldsTerminated(const Macro& macro) {
    return Terminated(macro.name) && Terminated(macro.fileName) && Terminated(macro.description) &&
           Terminated(macro.window);
}

// Every property that a macro file stores (the id is not written).
bool SameProperties(const Macro& a, const Macro& b) {
    return FieldText(a.name) == FieldText(b.name) &&
           FieldText(a.description) == FieldText(b.description) &&
           FieldText(a.window) == FieldText(b.window) &&
           a.trigger.virtualKey == b.trigger.virtualKey && a.trigger.shift == b.trigger.shift &&
           a.trigger.control == b.trigger.control && a.trigger.alt == b.trigger.alt &&
           a.active == b.active && a.isPrivate == b.isPrivate && a.playCount == b.playCount &&
           a.repeatTime == b.repeatTime && a.playStyle == b.playStyle && a.speed == b.speed;
}

Macro Load(MemoryFileSystem& files, const MacroLoadRules& rules, bool* loaded = nullptr) {
    FakeDesktop desktop;
    Macro macro;
    std::memset(&macro, 0, sizeof macro);
    bool result = LoadMacroFile(files, desktop, rules, PATH, macro);
    if (loaded) *loaded = result;
    FUZZ_CHECK(FieldsTerminated(macro));
    FUZZ_CHECK(!result || FieldText(macro.fileName) == PATH);
    return macro;
}

Macro InUse(int32_t id, Trigger trigger) {
    Macro macro;
    std::memset(&macro, 0, sizeof macro);
    macro.id = id;
    macro.trigger = trigger;
    return macro;
}

void CheckCodeBox(MemoryFileSystem& files) {
    FakeDesktop desktop;
    const CodeBoxText code = ReadCodeBoxText(files, desktop, PATH);
    FUZZ_CHECK(CodeLengthInFile(code.text) <= CODE_CAPACITY - 1);
    FUZZ_CHECK(code.fit != CodeFit::TooLong);  // inputs are far below the limit
    FUZZ_CHECK(code.fit == CodeFit::Cut ? code.wholeCode.size() >= code.text.size()
                                        : code.wholeCode.empty());
    FUZZ_CHECK(code.text.find('\0') == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    MemoryFileSystem files;
    files.files[PATH] = std::string(reinterpret_cast<const char*>(data), size);

    // Keyloom, with macros in use whose triggers a file may clash with.
    const Macro inUse[] = {InUse(0, Trigger{65, 1, 0, 0}), InUse(1, Trigger{112, 0, 1, 0})};
    const MacroLoadRules keyloom{20, false, inUse, 77};
    bool loaded = false;
    Macro main = Load(files, keyloom, &loaded);
    FUZZ_CHECK(!loaded || !IsTriggerInUse(inUse, main.trigger, NEW_MACRO_ID));

    // Keyloom Scheduler never refuses a file it can read; what it read is saved and read back.
    Macro scheduled = Load(files, SchedulerLoadRules(NO_WINDOW), &loaded);
    FUZZ_CHECK(loaded);
    files.files[PATH] = FormatMacroFile("", scheduled);
    FUZZ_CHECK(SameProperties(Load(files, SchedulerLoadRules(NO_WINDOW)), scheduled));

    files.files[PATH] = std::string(reinterpret_cast<const char*>(data), size);
    CheckCodeBox(files);

    // A disk that fails part way through the file.
    files.failReadsAfter = static_cast<long>(size / 2);
    Load(files, keyloom);
    CheckCodeBox(files);
    return 0;
}
