#include "library/table/list_load_problems.h"
#include "macro/desktop/error_report.h"

void ListLoadProblems::Refuse(std::string_view what, std::string_view reason) {
    refused_.Add(std::string(what) + ": " + std::string(reason));
}

std::string ListLoadProblems::Text(std::string_view listPath) const {
    std::string text;
    const int refused = refused_.Count();
    if (refused > 0)
        text = (refused == 1 ? "1 macro of " + std::string(listPath) + " was not loaded:"
                             : std::to_string(refused) + " macros of " + std::string(listPath) +
                                   " were not loaded:") +
               refused_.Text();
    if (!stopNote_.empty()) text += (text.empty() ? "" : "\n\n") + stopNote_;
    return text;
}

void ListLoadProblems::Report(DesktopPort& desktop, std::string_view listPath) const {
    const std::string text = Text(listPath);
    if (!text.empty()) ReportWarning(desktop, NO_WINDOW, text, KEYLOOM_CAPTION);
}
