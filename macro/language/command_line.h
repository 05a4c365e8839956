#pragma once
// One command of macro code as its implementation sees it: the interpreter, the command word
// and the arguments still to be taken.
#include <string>
#include <string_view>

#include "macro/language/interpreter.h"

// How a command ended. The pace wait follows Done only; WaitedItself is DELAY's own wait;
// Stopped is a command that a stop key cut short, its rest in the interpreter's `unfinished`.
enum class CommandOutcome { Done, Failed, WaitedItself, Stopped };

class CommandLine {
  public:
    // `arguments` is the text after the space that ends the command word.
    CommandLine(MacroInterpreter& interpreter, std::string_view word, std::string_view arguments)
        : interpreter_(interpreter), word_(word), arguments_(arguments), unread_(arguments) {}

    MacroInterpreter& interpreter() const { return interpreter_; }
    DesktopPort& desktop() const { return interpreter_.desktop; }
    bool strict() const { return interpreter_.mode == InterpreterMode::Strict; }

    // The next run of non-space characters; empty when none is left.
    std::string_view NextWord();
    // The next quoted run: leading double quotes passed over, up to the next double quote or
    // the end of the line; empty when none is left. With `passLoneSpace`, a run of exactly one
    // space (two spaces before the opening quote) is passed over.
    std::string_view NextQuoted(bool passLoneSpace);
    // Everything after the command word's space.
    std::string_view RestOfLine() const { return arguments_; }
    std::string_view word() const { return word_; }
    // The command word and its arguments, as the line named them.
    std::string WholeLine() const { return std::string(word_) + ' ' + std::string(arguments_); }

    // A missing or unrecognised argument. Strict: "<COMMAND> command has incorrect parameters"
    // and the line fails; Lenient: the line is left without effect and counts as done.
    CommandOutcome RefuseArguments();

  private:
    MacroInterpreter& interpreter_;
    std::string_view word_;
    std::string_view arguments_;
    std::string_view unread_;
};

// Whether `argument`, turned to upper case, contains the option word.
bool HasOption(std::string_view argument, std::string_view option);
