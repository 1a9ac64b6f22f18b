// The game's life: new games, the per-frame work (buttons, finish, moves, step back) and the link
// to the players and the hall of fame.
#include "game/maze_game.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/about_page.h"
#include "game/file_trouble.h"
#include "game/game_sounds.h"
#include "game/key_buttons.h"
#include "game/launcher.h"
#include "game/maze_screen.h"
#include "game/player_settings.h"
#include "game/run_sender.h"
#include "game/winner_file.h"
#include "platform/api/win32.h"
#include "screen/button.h"
#include "screen/button_group.h"
#include "base/app_globals.h"
#include "services/message_pump.h"
#include "services/pointer.h"
#include "services/tick_timer.h"

MazeGame g_MazeGame;

namespace {

constexpr char kWinnerFile[] = "winner.dat";

int g_blinkPhase = 0;
int g_lastBlinkTime = 0;

ButtonGroup* Buttons() { return g_MazeScreen.GetButtonGroup(); }

bool Clicked(const char* name) { return Buttons() != nullptr && Buttons()->ClickedByName(name) != 0; }

}  // namespace

MazeGame::MazeGame() { bestFileTaken_ = true; }

MazeGame::~MazeGame() = default;

void MazeGame::NewGame() {
    model_.Reset();
    LoadPlayer(nullptr);
    scores_.Reload();
    SetPlayState(kWaiting);
    SetScore(0);
    scoreOffered_ = false;
    moves_.Clear();
}

void MazeGame::Release() { scores_.Release(); }

void MazeGame::LoadPlayer(char* text) {
    g_PlayerSettings.SetIniPath("..\\options.ini");
    SetPlayerId(g_PlayerSettings.ReadPlayerId());
    g_PlayerSettings.ReadPlayer(GetPlayerId());
    SetWindowCaption(g_PlayerSettings.Player(GetPlayerId()).name);
    if (text != nullptr) g_PlayerSettings.PlayerText(GetPlayerId(), text);
}

void MazeGame::SaveWinner() {
    if (SaveWinnerFile(kWinnerFile, model_.Route(), std::rand())) return;
    ReportFileTrouble(std::string(kWinnerFile) + " could not be saved");
    g_NoticeLine.Show("Could not save the winner's route");
}

void MazeGame::OfferScore() {
    if (scoreOffered_) return;
    scoreOffered_ = true;
    char text[256];
    LoadPlayer(text);
    SendRun();
    if (scores_.Offer(text, GetScore()) != ScoreKeeper::Offered::kKept) return;
    ReportFileTrouble(scores_.File() + " could not be saved; " + std::to_string(scores_.Waiting()) +
                      " score(s) kept for the next save");
    g_NoticeLine.Show("Could not save the hall of fame");
}

// The world hall of fame gets the moves, never the score: its server plays them again. A game
// without a move has nothing to show it.
void MazeGame::SendRun() {
    const PlayerRecord& player = g_PlayerSettings.Player(GetPlayerId());
    if (player.send[0] != 'Y' || moves_.Letters().empty() || !g_RunSender.Started()) return;
    if (!g_RunSender.Send(player.name, moves_.Letters())) ReportFileTrouble("the run could not be queued for sending");
}

void MazeGame::Finish() {
    model_.ClearFinishPending();
    SetScore(GetScore() * 2);
    PlayGameEffect("congrats");
    SetPlayState(kWaiting);
    if (model_.GoalState() == kGoalPerfect) SaveWinner();
    OfferScore();
}

// kFrameStop when the launcher was started and the game is to stop.
int MazeGame::HandleMenu() {
    PlayGameEffect("click");
    // Without the launcher there is nothing to go back to: the game goes on.
    return StartLauncher("Stalkway") ? kFrameStop : kFrameGoOn;
}

void MazeGame::HandleNewGame() {
    OfferScore();
    NewGame();
    SetPlayState(kPlaying);
}

void MazeGame::BlinkNewGame() {
    Button* button = Buttons() != nullptr ? Buttons()->FindByName("newgame") : nullptr;
    if (button == nullptr || TicksSince(g_lastBlinkTime) <= 500) return;
    g_blinkPhase = 1 - g_blinkPhase;
    button->SetHighlightOffset(g_blinkPhase);
    g_lastBlinkTime = GetTickClock();
}

void MazeGame::HandleDirections() {
    static constexpr struct {
        const char* name;
        int bit;
    } kPad[] = {{"left", kLeft}, {"right", kRight}, {"up", kUp}, {"down", kDown}};
    for (const auto& pad : kPad) {
        if (!Clicked(pad.name)) continue;
        if (model_.AllowedMoves() & pad.bit) {
            model_.Run(pad.bit);
            model_.AddHistory(pad.bit, model_.MoveSteps());
            moves_.Moved(pad.bit);
            PlayGameEffect("positive");
        } else {
            PlayGameEffect("negative");
        }
    }
    // Stepping back replays the kept moves; they collect again without ringing.
    model_.SetBellEnabled(0);
    // A step back past the first move starts a new game, which clears the moves, this "B" with them.
    if (Clicked("back")) {
        moves_.SteppedBack();
        model_.StepBack();
    }
}

bool MazeGame::NothingDue() {
    if (Buttons() != nullptr && Buttons()->FirstClicked() != nullptr) return false;
    if (!g_KeyButtons.Idle() || g_NoticeLine.Showing() || model_.FinishPending() || CharacterDue()) return false;
    return GetPlayState() != kWaiting || TicksSince(g_lastBlinkTime) <= 500;
}

int MazeGame::Frame() {
    int x = 0, y = 0, buttons = 0;
    g_Pointer.GetState(&x, &y, &buttons, nullptr, nullptr);
    if (Buttons() != nullptr) {
        Buttons()->UpdateAll(x, y, buttons);
        g_KeyButtons.Apply(Buttons());
        Buttons()->RedrawAll();
    }
    DrawScores(0);
    AnimateCharacters();
    model_.SetBellEnabled(1);
    if (model_.GoalState() != kGoalNone && model_.FinishPending()) Finish();
    if (Clicked("menu") && HandleMenu() == kFrameStop) return kFrameStop;
    if (Clicked("brindle")) OpenAboutPage();
    if (Clicked("newgame")) HandleNewGame();
    DrawPlayArea(g_lpBackSurface);
    g_NoticeLine.Draw();
    if (GetPlayState() == kWaiting) BlinkNewGame();
    else if (GetPlayState() == kPlaying) HandleDirections();
    return kFrameGoOn;
}
