#pragma once
// The main window's controls that the macro table keeps in step with itself.
#include <string>

// The macro list: entry i shows the name of the macro at position i.
class MacroListView {
  public:
    virtual ~MacroListView() = default;
    // Appends an entry; returns its index, or a negative number when the list refuses it.
    virtual int AppendEntry(const std::string& name) = 0;
    // Puts an entry at `index`, moving the entries from there down by one.
    virtual void InsertEntry(int index, const std::string& name) = 0;
    virtual void DeleteEntry(int index) = 0;
    virtual int EntryCount() = 0;
};

// The File menu's Save item, enabled exactly while the list has unsaved changes.
class SaveMenuItem {
  public:
    virtual ~SaveMenuItem() = default;
    // False when the menu has no Save item.
    virtual bool EnableSave(bool enabled) = 0;
};
