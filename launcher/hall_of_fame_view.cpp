#include "launcher/hall_of_fame_view.h"

#include "game/hall_of_fame.h"
#include "game/winner_file.h"

namespace {

// The game keeps twenty records and ignores a file of another size; so does the launcher.
constexpr int kRecords = 20;

}  // namespace

FameTable ReadFameTable(const char* hallOfFameFile, const char* winnerFile) {
    HallOfFame hallOfFame;
    hallOfFame.Allocate(kRecords);
    hallOfFame.Load(hallOfFameFile);
    FameTable table;
    for (int i = 0; i < hallOfFame.Count(); ++i) {
        const HallOfFameRecord& record = hallOfFame.Records()[i];
        const std::string text = record.text;
        table.rows.push_back({i + 1, text.substr(0, text.find(':')), record.score, text.empty() && record.score == 0});
    }
    table.perfectMoves = ReadWinnerMoves(winnerFile);
    return table;
}
