// Drives the desktop from a script as a user would: finds windows, brings them to the front,
// presses keys with injected input, reads what windows show, sends menu commands. Used by the
// demo, the screenshots of the documentation and the tests of the packages. Each command waits
// at most its timeout and exits with 0 when what it waited for happened, 1 otherwise.
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int DEFAULT_TIMEOUT_MS = 15000;
constexpr int POLL_MS = 100;
constexpr UINT REPLY_TIMEOUT_MS = 5000;

const char USAGE[] =
    "usage: desktop_driver_win32 COMMAND ARGUMENTS\n"
    "  A TITLE is a window's whole title, or *TEXT for a title that contains TEXT, or\n"
    "  @active for the window in front.\n"
    "  wait-window TITLE [MS]        until a top-level window has the title\n"
    "  wait-gone TITLE [MS]          until no top-level window has the title\n"
    "  wait-visible TITLE yes|no [MS]\n"
    "  front TITLE                   restores the window and brings it to the front\n"
    "  keys COMBINATION              presses and releases e.g. Ctrl+Shift+N, F5, Enter\n"
    "  wait-text TITLE TEXT [MS]     until the window's edit control holds TEXT; prints it\n"
    "  list TITLE CONTROL            prints the entries of a list box, one a line\n"
    "  select TITLE CONTROL INDEX    selects a list entry as a click does\n"
    "  command TITLE ID              sends a menu or button command\n"
    "  rect TITLE                    prints WIDTHxHEIGHT+X+Y of the window\n"
    "  version FILE                  prints the program's version information\n";

std::string Utf8(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string result(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
    return result;
}

std::string TitleOf(HWND window) {
    char title[300] = "";
    GetWindowTextA(window, title, sizeof title);
    return title;
}

bool TitleMatches(const std::string& title, const std::string& pattern) {
    if (!pattern.empty() && pattern[0] == '*')
        return title.find(pattern.substr(1)) != std::string::npos;
    return title == pattern;
}

struct Search {
    std::string pattern;
    HWND visible = nullptr;
    HWND any = nullptr;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (!TitleMatches(TitleOf(window), search->pattern)) return TRUE;
    if (!search->any) search->any = window;
    if (IsWindowVisible(window)) {
        search->visible = window;
        return FALSE;
    }
    return TRUE;
}

// The visible window with the title, else a hidden one; null when there is none.
HWND FindWindowTitled(const std::string& pattern) {
    if (pattern == "@active") return GetForegroundWindow();
    Search search{pattern};
    EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.visible ? search.visible : search.any;
}

template <typename Condition>
bool WaitFor(Condition condition, int timeoutMs) {
    for (DWORD start = GetTickCount();; Sleep(POLL_MS)) {
        if (condition()) return true;
        if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    }
}

int TimeoutArgument(int argc, char** argv, int index) {
    return argc > index ? std::atoi(argv[index]) : DEFAULT_TIMEOUT_MS;
}

HWND RequireWindow(const std::string& pattern) {
    HWND window = FindWindowTitled(pattern);
    if (!window) std::fprintf(stderr, "no window titled \"%s\"\n", pattern.c_str());
    return window;
}

// ---- Keys ----

bool KeyOfName(const std::string& name, WORD* key) {
    struct Named {
        const char* name;
        WORD key;
    };
    static const Named named[] = {{"Enter", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Pause", VK_PAUSE},
                                  {"Tab", VK_TAB},      {"Space", VK_SPACE},   {"End", VK_END},
                                  {"Home", VK_HOME},    {"Delete", VK_DELETE}};
    for (const Named& entry : named)
        if (name == entry.name) return *key = entry.key, true;
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return *key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(name[0]))), true;
    if (name.size() >= 2 && name[0] == 'F') {
        int number = std::atoi(name.c_str() + 1);
        if (number >= 1 && number <= 24) return *key = static_cast<WORD>(VK_F1 + number - 1), true;
    }
    return false;
}

// "Ctrl+Shift+N": the modifiers in order, then the key.
bool ParseCombination(const std::string& combination, std::vector<WORD>* keys) {
    std::size_t start = 0;
    while (start <= combination.size()) {
        std::size_t end = combination.find('+', start);
        std::string part = combination.substr(start, end == std::string::npos ? end : end - start);
        WORD key = 0;
        if (part == "Ctrl")
            key = VK_CONTROL;
        else if (part == "Shift")
            key = VK_SHIFT;
        else if (part == "Alt")
            key = VK_MENU;
        else if (!KeyOfName(part, &key))
            return false;
        keys->push_back(key);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return !keys->empty();
}

int PressKeys(const std::string& combination) {
    std::vector<WORD> keys;
    if (!ParseCombination(combination, &keys)) {
        std::fprintf(stderr, "unknown key combination \"%s\"\n", combination.c_str());
        return 1;
    }
    std::vector<INPUT> inputs;
    for (bool up : {false, true})
        for (std::size_t i = 0; i < keys.size(); ++i) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = keys[up ? keys.size() - 1 - i : i];
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            inputs.push_back(input);
        }
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size() ? 0 : 1;
}

// ---- What windows show ----

std::wstring EditText(HWND window) {
    HWND edit = FindWindowExA(window, nullptr, "Edit", nullptr);
    if (!edit) return L"";
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, REPLY_TIMEOUT_MS,
                             &length))
        return L"";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(edit, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, REPLY_TIMEOUT_MS, &copied);
    text.resize(copied);
    return text;
}

int WaitForText(const std::string& pattern, const std::string& expected, int timeoutMs) {
    std::string text;
    bool found = WaitFor(
        [&] {
            HWND window = FindWindowTitled(pattern);
            text = window ? Utf8(EditText(window)) : "";
            return text.find(expected) != std::string::npos;
        },
        timeoutMs);
    std::printf("%s\n", text.c_str());
    return found ? 0 : 1;
}

int PrintList(HWND window, int control) {
    HWND list = GetDlgItem(window, control);
    if (!list) return 1;
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        std::wstring entry(SendMessageW(list, LB_GETTEXTLEN, index, 0) + 1, L'\0');
        LRESULT length =
            SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(entry.data()));
        entry.resize(length > 0 ? length : 0);
        std::printf("%s\n", Utf8(entry).c_str());
    }
    return 0;
}

int SelectEntry(HWND window, int control, int index) {
    HWND list = GetDlgItem(window, control);
    if (!list || SendMessageA(list, LB_SETCURSEL, index, 0) == LB_ERR) return 1;
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(control, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    return 0;
}

int BringToFront(HWND window) {
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window);
    return WaitFor([&] { return GetForegroundWindow() == window; }, DEFAULT_TIMEOUT_MS) ? 0 : 1;
}

int PrintRect(HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) return 1;
    std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
                rect.top);
    return 0;
}

// The version.dll functions, looked up when needed.
int PrintVersion(const char* file) {
    HMODULE library = LoadLibraryA("version.dll");
    using SizeFunction = DWORD(WINAPI*)(LPCSTR, LPDWORD);
    using InfoFunction = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
    using QueryFunction = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);
    auto size = reinterpret_cast<SizeFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "GetFileVersionInfoSizeA")));
    auto info = reinterpret_cast<InfoFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "GetFileVersionInfoA")));
    auto query = reinterpret_cast<QueryFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "VerQueryValueA")));
    if (!size || !info || !query) return 1;
    DWORD handle = 0;
    std::vector<char> data(size(file, &handle));
    if (data.empty() || !info(file, 0, static_cast<DWORD>(data.size()), data.data())) {
        std::fprintf(stderr, "%s has no version information\n", file);
        return 1;
    }
    for (const char* name : {"ProductName", "ProductVersion", "FileDescription", "FileVersion"}) {
        char* value = nullptr;
        UINT length = 0;
        std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
        if (query(data.data(), path.c_str(), reinterpret_cast<LPVOID*>(&value), &length))
            std::printf("%s: %s\n", name, value);
    }
    return 0;
}

int Run(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    const std::string title = argc > 2 ? argv[2] : "";
    if (command == "wait-window" && argc >= 3)
        return WaitFor([&] { return FindWindowTitled(title) != nullptr; },
                       TimeoutArgument(argc, argv, 3))
                   ? 0
                   : 1;
    if (command == "wait-gone" && argc >= 3)
        return WaitFor([&] { return FindWindowTitled(title) == nullptr; },
                       TimeoutArgument(argc, argv, 3))
                   ? 0
                   : 1;
    if (command == "wait-visible" && argc >= 4) {
        const bool visible = std::strcmp(argv[3], "yes") == 0;
        return WaitFor(
                   [&] {
                       HWND window = FindWindowTitled(title);
                       return window && (IsWindowVisible(window) != FALSE) == visible;
                   },
                   TimeoutArgument(argc, argv, 4))
                   ? 0
                   : 1;
    }
    if (command == "keys" && argc >= 3) return PressKeys(argv[2]);
    if (command == "wait-text" && argc >= 4)
        return WaitForText(title, argv[3], TimeoutArgument(argc, argv, 4));
    if (command == "version" && argc >= 3) return PrintVersion(argv[2]);

    HWND window = nullptr;
    if (command == "front" && argc >= 3)
        return (window = RequireWindow(title)) ? BringToFront(window) : 1;
    if (command == "list" && argc >= 4)
        return (window = RequireWindow(title)) ? PrintList(window, std::atoi(argv[3])) : 1;
    if (command == "select" && argc >= 5)
        return (window = RequireWindow(title))
                   ? SelectEntry(window, std::atoi(argv[3]), std::atoi(argv[4]))
                   : 1;
    if (command == "command" && argc >= 4) {
        if (!(window = RequireWindow(title))) return 1;
        return PostMessageA(window, WM_COMMAND, std::atoi(argv[3]), 0) ? 0 : 1;
    }
    if (command == "rect" && argc >= 3)
        return (window = RequireWindow(title)) ? PrintRect(window) : 1;
    std::fputs(USAGE, stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int result = Run(argc, argv);
    std::fflush(stdout);
    return result;
}
