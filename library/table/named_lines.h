#pragma once
// The lines of a box that names many things, one a line: the first few (ten unless told), then
// how many more.
#include <string>
#include <string_view>
#include <vector>

constexpr int NAMED_LINES_SHOWN = 10;

class NamedLines {
  public:
    explicit NamedLines(int shown = NAMED_LINES_SHOWN, std::string_view lineBreak = "\n")
        : shownCount_(shown), lineBreak_(lineBreak) {}
    void Add(std::string line) {
        if (count_++ < shownCount_) shown_.push_back(std::move(line));
    }
    int Count() const { return count_; }
    // Each shown line after a line break, then "and N more" for the others.
    std::string Text() const {
        std::string text;
        for (const std::string& line : shown_)
            text += lineBreak_ + line;
        if (count_ > shownCount_)
            text += lineBreak_ + "and " + std::to_string(count_ - shownCount_) + " more";
        return text;
    }

  private:
    int shownCount_;
    std::string lineBreak_;
    std::vector<std::string> shown_;
    int count_ = 0;
};
