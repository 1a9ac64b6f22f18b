#include "launcher/text_field.h"

#include "platform/api/user.h"

void TextField::Start(const std::string& text, std::size_t limit) {
    limit_ = limit;
    text_ = text.substr(0, limit);
    caret_ = text_.size();
}

bool TextField::Type(unsigned char character) {
    // The font draws the printable ASCII characters only.
    if (character < 0x20 || character > 0x7E || character == ':') return false;
    if (text_.size() >= limit_) return false;
    text_.insert(caret_, 1, static_cast<char>(character));
    ++caret_;
    return true;
}

void TextField::Backspace() {
    if (caret_ == 0) return;
    text_.erase(caret_ - 1, 1);
    --caret_;
}

void TextField::MoveCaret(int virtualKey) {
    if (virtualKey == VK_LEFT && caret_ > 0) --caret_;
    if (virtualKey == VK_RIGHT && caret_ < text_.size()) ++caret_;
}

std::string TextField::Accepted() const {
    const std::size_t first = text_.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const std::string text = text_.substr(first, text_.find_last_not_of(' ') - first + 1);
    const bool quoted = text.size() >= 2 && text.front() == text.back() &&
                        (text.front() == '"' || text.front() == '\'');
    return quoted ? text.substr(1, text.size() - 2) : text;
}
