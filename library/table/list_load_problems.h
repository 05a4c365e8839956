#pragma once
// What a macro list held that did not become a macro, told in one box once the whole list has
// been read, however many lines it concerns.
#include <string>
#include <string_view>

#include "library/table/named_lines.h"
#include "macro/desktop/desktop_port.h"

class ListLoadProblems {
  public:
    // A line whose macro was not loaded: `what` names it (its path, or its line number), and
    // `reason` says why.
    void Refuse(std::string_view what, std::string_view reason);
    // Why the rest of the list was not read.
    void Stop(std::string note) { stopNote_ = std::move(note); }
    // The box's text for the list at `listPath`; empty when all went well.
    std::string Text(std::string_view listPath) const;
    // Shows the box ("Keyloom", warning icon, no owner) unless all went well.
    void Report(DesktopPort& desktop, std::string_view listPath) const;

  private:
    NamedLines refused_;
    std::string stopNote_;
};
