// Both programs carry version information, as Windows shows it in a file's details and in the
// task manager: the product, its release number and what each program is.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "resources/product_version.h"
#include "tests/support/win32_test_helpers.h"

namespace {

// The version.dll functions, looked up at run time (the tests link no version library).
class VersionInfo {
  public:
    explicit VersionInfo(const std::string& file) {
        HMODULE library = LoadLibraryA("version.dll");
        auto size = Function<DWORD(WINAPI*)(LPCSTR, LPDWORD)>(library, "GetFileVersionInfoSizeA");
        auto info =
            Function<BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID)>(library, "GetFileVersionInfoA");
        query_ =
            Function<BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT)>(library, "VerQueryValueA");
        if (!size || !info || !query_) return;
        DWORD handle = 0;
        data_.resize(size(file.c_str(), &handle));
        if (!data_.empty() &&
            !info(file.c_str(), 0, static_cast<DWORD>(data_.size()), data_.data()))
            data_.clear();
    }

    // A text of the US English block; empty when there is none.
    std::string Text(const std::string& name) const {
        char* value = nullptr;
        UINT length = 0;
        std::string path = "\\StringFileInfo\\040904E4\\" + name;
        if (data_.empty() ||
            !query_(data_.data(), path.c_str(), reinterpret_cast<LPVOID*>(&value), &length))
            return "";
        return value;
    }

    // The fixed part: file version as major.minor.build.revision.
    std::string FileVersion() const {
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        if (data_.empty() ||
            !query_(data_.data(), "\\", reinterpret_cast<LPVOID*>(&fixed), &length) || !fixed)
            return "";
        return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
               std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
               std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
               std::to_string(LOWORD(fixed->dwFileVersionLS));
    }

  private:
    template <typename F>
    static F Function(HMODULE library, const char* name) {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    }
    BOOL(WINAPI* query_)(LPCVOID, LPCSTR, LPVOID*, PUINT) = nullptr;
    std::vector<char> data_;
};

TEST(ProgramVersionTest, BothProgramsNameTheProductItsReleaseAndWhatTheyAre) {
    const struct {
        const char* file;
        const char* description;
    } programs[] = {
        {"Keyloom.exe", "Keyloom - records and plays keyboard and mouse macros"},
        {"Keyloom Scheduler.exe", "Keyloom Scheduler - plays macros on a schedule"},
    };
    for (const auto& program : programs) {
        VersionInfo info(BuildFolder() + "\\" + program.file);
        EXPECT_EQ(info.Text("ProductName"), "Keyloom") << program.file;
        EXPECT_EQ(info.Text("ProductVersion"), KEYLOOM_VERSION_TEXT) << program.file;
        EXPECT_EQ(info.Text("FileVersion"), KEYLOOM_VERSION_TEXT) << program.file;
        EXPECT_EQ(info.Text("FileDescription"), program.description) << program.file;
        EXPECT_EQ(info.Text("OriginalFilename"), program.file) << program.file;
        EXPECT_EQ(info.FileVersion(), std::string(KEYLOOM_VERSION_TEXT) + ".0") << program.file;
    }
}

}  // namespace
