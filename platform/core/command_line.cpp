#include "platform/core/command_line.h"

#include <string_view>

namespace platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

class Splitter {
public:
    explicit Splitter(std::string_view line) : line_(line) {}

    std::vector<std::string> Run() {
        while (pos_ < line_.size()) {
            const char c = line_[pos_];
            if (c == '\\') {
                Backslashes();
            } else if (c == '"') {
                Quote();
            } else if (IsBlank(c) && !quoted_) {
                EndArgument();
                ++pos_;
            } else {
                Append(std::string_view(&line_[pos_++], 1));
            }
        }
        EndArgument();
        return std::move(arguments_);
    }

private:
    void Backslashes() {
        std::size_t count = 0;
        while (pos_ < line_.size() && line_[pos_] == '\\') {
            ++count;
            ++pos_;
        }
        const bool beforeQuote = pos_ < line_.size() && line_[pos_] == '"';
        Append(std::string(beforeQuote ? count / 2 : count, '\\'));
        if (beforeQuote && count % 2 == 1) Append(std::string_view(&line_[pos_++], 1));
    }

    void Quote() {
        ++pos_;
        if (quoted_ && pos_ < line_.size() && line_[pos_] == '"') {
            Append("\"");
            ++pos_;
            return;
        }
        quoted_ = !quoted_;
        started_ = true;  // "" alone is an empty argument
    }

    void Append(std::string_view text) {
        current_ += text;
        started_ = true;
    }

    void EndArgument() {
        if (started_) arguments_.push_back(std::move(current_));
        current_.clear();
        started_ = false;
    }

    std::string_view line_;
    std::size_t pos_ = 0;
    bool quoted_ = false;
    bool started_ = false;
    std::string current_;
    std::vector<std::string> arguments_;
};

}  // namespace

std::vector<std::string> SplitCommandLine(const char* line) {
    if (line == nullptr) return {};
    return Splitter(line).Run();
}

std::string QuoteArgument(const std::string& argument) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
        } else {
            // Backslashes count only before a quote: doubled there, and the quote escaped.
            if (c == '"') quoted.append(backslashes + 1, '\\');
            backslashes = 0;
        }
        quoted += c;
    }
    // The closing quote follows them too.
    quoted.append(backslashes, '\\');
    return quoted + "\"";
}

}  // namespace platform
