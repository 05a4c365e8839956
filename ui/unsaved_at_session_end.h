#pragma once
// What becomes of a document's unsaved changes when the desktop session ends: the Exit
// question may let them go; otherwise they are kept, in the document's own file or, for an
// untitled document, in a kept file that the next start opens.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class UnsavedAtSessionEnd {
  public:
    // Asks the Exit question through `offer` (false: Cancel, the session must not end). A "No"
    // leaves `modified` set: those changes are let go.
    bool Ask(const std::function<bool()>& offer, const bool& modified) {
        declined_ = false;
        if (!offer()) return false;
        declined_ = modified;
        return true;
    }
    // The session goes on: an answer given for the end it asked about no longer counts.
    void Forget() { declined_ = false; }
    // Where the changes go now that the session ends; none when there are none, the user let
    // them go, or an untitled document has no kept file.
    std::optional<std::string> Destination(bool modified, bool untitled, std::string_view ownFile,
                                           const std::string& keptFile) const {
        if (!modified || declined_ || (untitled && keptFile.empty())) return std::nullopt;
        return untitled ? keptFile : std::string(ownFile);
    }

  private:
    bool declined_ = false;
};
