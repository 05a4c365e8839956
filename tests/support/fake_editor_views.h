#pragma once
// Doubles of what the editor's Apply reads and changes: its form and code box, and the main
// window's macro list with every call in order.
#include <string>
#include <vector>

#include "editor/apply_changes.h"
#include "library/table/macro_list_view.h"

// The editor window that owns Apply's messages.
inline constexpr WindowHandle FAKE_EDITOR = 0x124;

class FakeFormView : public EditorFormView {
  public:
    WindowHandle EditorWindow() override { return FAKE_EDITOR; }
    EditorForm ReadForm() override { return form; }
    std::string CodeText() override { return code; }
    void ClearTrigger() override { form.hotKey = 0; }
    void EnableApply(bool enabled) override { applyEnabled = enabled; }

    EditorForm form;
    std::string code;
    bool applyEnabled = true;
};

class CallRecordingMacroList : public MacroListView {
  public:
    int AppendEntry(const std::string& name) override {
        calls.push_back("append " + name);
        return 0;
    }
    void InsertEntry(int index, const std::string& name) override {
        calls.push_back("insert " + std::to_string(index) + " " + name);
    }
    void DeleteEntry(int index) override { calls.push_back("delete " + std::to_string(index)); }
    int EntryCount() override { return 0; }

    // "append <name>", "insert <index> <name>", "delete <index>"
    std::vector<std::string> calls;
};
