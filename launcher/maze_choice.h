// The maze the launcher hands the game: the classic maze, today's maze or a number typed in, and
// the numbered mazes played lately. Kept in the options file's [maze] section, so that the same
// maze is still chosen when the game's Menu brings the launcher back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class MazeChoice {
public:
    enum class Kind { Classic, Today, Number };
    static constexpr std::size_t kRecentKept = 2;

    // `today` is today's maze number.
    void Load(const char* optionsFile, std::uint32_t today);

    Kind Chosen() const { return kind_; }
    std::uint32_t Today() const { return today_; }
    // The maze chosen: 0 for the classic maze.
    std::uint32_t Number() const;
    // What the game's --maze takes for it.
    std::string Argument() const;
    const std::vector<std::uint32_t>& Recent() const { return recent_; }

    // Each returns false when the options file could not be written.
    bool Choose(Kind kind);
    // A maze number from 1 to 99,999,999.
    bool ChooseNumber(std::uint32_t number);
    // The chosen maze, when numbered, goes first among the recent ones.
    bool Played();

private:
    bool Save() const;

    std::string file_;
    Kind kind_ = Kind::Classic;
    std::uint32_t number_ = 0;
    std::uint32_t today_ = 0;
    std::vector<std::uint32_t> recent_;
};
