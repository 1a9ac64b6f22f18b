// The answer is read by a small JSON reader of its own: the launcher is built for the browser
// too, where the JSON library is not at hand, and it needs only strings and whole numbers.
#include "launcher/world_table.h"

#include <map>

#include "platform/api/web_requests.h"

namespace {

constexpr int kRows = 20;

// One value of the answer: a string, a whole number, an object or an array; true, false and
// null are read and kept as nothing.
struct Value {
    std::string text;
    long long number = 0;
    std::map<std::string, Value> members;
    std::vector<Value> items;
};

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool ReadDocument(Value* value) { return ReadValue(value, 0) && (Skip(), at_ == text_.size()); }

private:
    static constexpr int kDepth = 8;

    void Skip() {
        while (at_ < text_.size() &&
               (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t'))
            ++at_;
    }
    bool Take(char c) {
        Skip();
        if (at_ >= text_.size() || text_[at_] != c) return false;
        ++at_;
        return true;
    }
    bool ReadValue(Value* value, int depth) {
        Skip();
        if (at_ >= text_.size() || depth > kDepth) return false;
        const char c = text_[at_];
        if (c == '"') return ReadString(&value->text);
        if (c == '{') return ReadObject(value, depth);
        if (c == '[') return ReadArray(value, depth);
        if (c == '-' || (c >= '0' && c <= '9')) return ReadNumber(&value->number);
        for (const std::string_view word : {"true", "false", "null"})
            if (text_.substr(at_, word.size()) == word) {
                at_ += word.size();
                return true;
            }
        return false;
    }
    bool ReadObject(Value* value, int depth) {
        ++at_;
        if (Take('}')) return true;
        do {
            std::string name;
            Skip();
            if (!ReadString(&name) || !Take(':') || !ReadValue(&value->members[name], depth + 1)) return false;
        } while (Take(','));
        return Take('}');
    }
    bool ReadArray(Value* value, int depth) {
        ++at_;
        if (Take(']')) return true;
        do {
            value->items.emplace_back();
            if (!ReadValue(&value->items.back(), depth + 1)) return false;
        } while (Take(','));
        return Take(']');
    }
    // Escapes of characters beyond ASCII keep a "?": the launcher's font has none of them.
    bool ReadString(std::string* out) {
        if (at_ >= text_.size() || text_[at_] != '"') return false;
        for (++at_; at_ < text_.size(); ++at_) {
            const char c = text_[at_];
            if (c == '"') {
                ++at_;
                return true;
            }
            if (c != '\\') {
                *out += c;
                continue;
            }
            if (++at_ >= text_.size()) return false;
            const char e = text_[at_];
            if (e == 'u') {
                unsigned code = 0;
                for (int i = 1; i <= 4; ++i) {
                    const int digit = at_ + i < text_.size() ? HexDigit(text_[at_ + i]) : -1;
                    if (digit < 0) return false;
                    code = code * 16 + static_cast<unsigned>(digit);
                }
                *out += code >= 0x20 && code < 0x7F ? static_cast<char>(code) : '?';
                at_ += 4;
            } else {
                *out += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e == 'b' ? '\b' : e == 'f' ? '\f' : e;
            }
        }
        return false;
    }
    bool ReadNumber(long long* number) {
        const std::size_t start = at_;
        if (text_[at_] == '-') ++at_;
        while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
        if (at_ - start > 18 || at_ == start + (text_[start] == '-' ? 1u : 0u)) return false;
        *number = std::stoll(std::string(text_.substr(start, at_ - start)));
        return true;
    }

    static int HexDigit(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

std::string MazePath(std::uint32_t maze) {
    return "/api/v1/mazes/" + (maze == 0 ? std::string("classic") : std::to_string(maze)) + "/top?limit=20";
}

}  // namespace

std::optional<std::vector<FameRow>> ReadWorldRows(std::string_view json) {
    Value answer;
    if (!Reader(json).ReadDocument(&answer) || !answer.members.contains("runs")) return std::nullopt;
    std::vector<FameRow> rows;
    for (const Value& run : answer.members.at("runs").items) {
        if (rows.size() == kRows) break;
        const auto field = [&run](const char* name) {
            const auto found = run.members.find(name);
            return found != run.members.end() ? found->second : Value();
        };
        rows.push_back({static_cast<int>(field("rank").number), field("player").text,
                        static_cast<int>(field("score").number), false});
    }
    return rows;
}

WorldTable FetchWorldTable(const std::string& server, std::uint32_t maze, int timeoutMs) {
    WorldTable table;
    if (server.empty()) return table;
    table.state = WorldTable::State::kOffline;
    const platform::WebReply reply = platform::WebGet(server, MazePath(maze), timeoutMs);
    if (reply.status != 200) return table;
    auto rows = ReadWorldRows(reply.body);
    if (!rows) return table;
    table.state = WorldTable::State::kShown;
    table.rows = std::move(*rows);
    return table;
}
