#pragma once
// The lines of a box that names many things, one a line: the first ten, then how many more.
#include <string>
#include <vector>

constexpr int NAMED_LINES_SHOWN = 10;

class NamedLines {
  public:
    void Add(std::string line) {
        if (count_++ < NAMED_LINES_SHOWN) shown_.push_back(std::move(line));
    }
    int Count() const { return count_; }
    // Each shown line after a line break, then "and N more" for the others.
    std::string Text() const {
        std::string text;
        for (const std::string& line : shown_)
            text += "\n" + line;
        if (count_ > NAMED_LINES_SHOWN)
            text += "\nand " + std::to_string(count_ - NAMED_LINES_SHOWN) + " more";
        return text;
    }

  private:
    std::vector<std::string> shown_;
    int count_ = 0;
};
