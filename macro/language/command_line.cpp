#include "macro/language/command_line.h"

#include "macro/desktop/error_report.h"
#include "macro/file/property_line.h"
#include "macro/language/upper_case.h"

std::string_view CommandLine::NextWord() {
    return ::NextWord(unread_);
}

namespace {

std::string_view TakeQuotedRun(std::string_view& unread) {
    std::size_t start = unread.find_first_not_of('"');
    if (start == std::string_view::npos) {
        unread = {};
        return {};
    }
    std::size_t end = unread.find('"', start);
    std::string_view run = unread.substr(start, end == std::string_view::npos ? end : end - start);
    unread = end == std::string_view::npos ? std::string_view{} : unread.substr(end + 1);
    return run;
}

}  // namespace

std::string_view CommandLine::NextQuoted(bool passLoneSpace) {
    std::string_view run = TakeQuotedRun(unread_);
    if (passLoneSpace && run == " ") run = TakeQuotedRun(unread_);
    return run;
}

CommandOutcome CommandLine::RefuseArguments() {
    if (!strict()) return CommandOutcome::Done;
    ReportError(desktop(), interpreter_.mainWindow,
                std::string(word_) + " command has incorrect parameters", ERROR_CAPTION);
    return CommandOutcome::Failed;
}

bool HasOption(std::string_view argument, std::string_view option) {
    std::string upper(argument);
    UpperCaseInPlace(upper);
    return upper.find(option) != std::string::npos;
}
