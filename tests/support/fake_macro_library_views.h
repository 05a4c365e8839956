#pragma once
// Recording doubles of the main window's views that the macro table drives, and of the file
// dialogs.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "library/table/macro_list_view.h"
#include "ui/file_dialogs.h"

class FakeMacroList : public MacroListView {
  public:
    std::vector<std::string> entries;

    int AppendEntry(const std::string& name) override {
        entries.push_back(name);
        return static_cast<int>(entries.size()) - 1;
    }
    void InsertEntry(int index, const std::string& name) override {
        entries.insert(entries.begin() + index, name);
    }
    void DeleteEntry(int index) override { entries.erase(entries.begin() + index); }
    int EntryCount() override { return static_cast<int>(entries.size()); }
};

class FakeSaveItem : public SaveMenuItem {
  public:
    bool enabled = false;
    bool missing = false;  // the menu has no Save item
    std::vector<bool> changes;

    bool EnableSave(bool on) override {
        if (missing) return false;
        enabled = on;
        changes.push_back(on);
        return true;
    }
};

class FakeFileDialogs : public FileDialogs {
  public:
    struct Shown {
        bool save;
        FileDialogRequest request;
    };
    std::vector<Shown> shown;
    std::deque<std::optional<std::string>> answers;  // next answers; none: cancel

    std::optional<std::string> GetOpenFileNameA(const FileDialogRequest& request) override {
        return Answer(false, request);
    }
    std::optional<std::string> GetSaveFileNameA(const FileDialogRequest& request) override {
        return Answer(true, request);
    }

  private:
    std::optional<std::string> Answer(bool save, const FileDialogRequest& request) {
        shown.push_back(Shown{save, request});
        if (answers.empty()) return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
