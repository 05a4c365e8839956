// The scheduler's look-up of a macro file's NAME, on any bytes: the name field is never
// overrun, and a name found is the NAME line's value.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "macro/file/text_field.h"
#include "scheduler/schedule/macro_name.h"
#include "scheduler/schedule/schedule_file.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/memory_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    MemoryFileSystem files;
    files.files["C:\\fuzz.mro"] = bytes;
    FakeDesktop desktop;
    char name[ITEM_NAME_CAPACITY];
    std::memset(name, 'x', sizeof name);
    name[ITEM_NAME_CAPACITY - 1] = '\0';
    const bool found =
        ReadMacroName(ScheduleFiles{files, desktop, NO_WINDOW}, "C:\\fuzz.mro", name);
    FUZZ_CHECK(FieldLength(name) < ITEM_NAME_CAPACITY);
    // The name comes from the file: its bytes stand in the file, without a quote or line end.
    if (found) {
        std::string_view text = FieldText(name);
        FUZZ_CHECK(text.find_first_of("\"\n") == std::string_view::npos);
        FUZZ_CHECK(bytes.find(text) != std::string::npos);
    }
    return 0;
}
