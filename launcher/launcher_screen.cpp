#include "launcher/launcher_screen.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "base/app_globals.h"
#include "host/maze_choice.h"
#include "launcher/launcher_layout.h"
#include "maze/maze_number.h"
#include "platform/api/file_names.h"
#include "platform/api/maze_folders.h"
#include "platform/api/program_folders.h"
#include "platform/api/typing_areas.h"
#include "platform/api/win32.h"
#include "screen/button.h"
#include "screen/button_group.h"
#include "game/game_sounds.h"
#include "game/world_server.h"
#include "services/pointer.h"

LauncherScreen g_LauncherScreen;

namespace {

// The places that take typing: the player's three text fields and the maze number.
void NameTypingAreas() {
    RECT areas[launcher::kTextFields + 1];
    for (int field = 0; field <= launcher::kTextFields; ++field) {
        const launcher::Area a = field < launcher::kTextFields ? launcher::FieldValueArea(field)
                                                               : launcher::kNumberChip;
        areas[field] = RECT{a.x, a.y, a.x + a.width, a.y + a.height};
    }
    SetTypingAreas(g_hWnd, areas, launcher::kTextFields + 1);
}

// The game runs in its data folder, which a portable game needs and an installed one ignores.
constexpr char kGameFolder[] = ".";
constexpr char kGameProgram[] = ".\\Stalkway\\Stalkway.exe";
constexpr char kBackground[] = "..\\portico\\portico.bmp";

// What the game reads back of each field: a 64-byte buffer, so 63 characters.
constexpr std::size_t kFieldLimit = sizeof(PlayerRecord::name) - 1;

char* FieldOf(PlayerRecord& record, int field) {
    if (field == 0) return record.name;
    if (field == 1) return record.address;
    return record.email;
}

// An empty slot shows empty fields, although the game would read its name as "PlayerN".
PlayerRecord Shown(const LauncherOptions& options, int player) {
    if (options.SlotUsed(player)) return options.Player(player);
    PlayerRecord empty{};
    std::strcpy(empty.send, "Y");
    return empty;
}

// The launcher's folder is the one its options file is written in, made when first needed, so that
// the game's Menu finds the launcher there. The game is told it whole, quoted, as a Windows command
// line keeps spaces.
std::string LauncherFolderArgument() {
    std::string file = platform::NativeWritePath(kOptionsFile);
    if (file.empty()) file = platform::NativePath(kOptionsFile);
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error).lexically_normal();
    return platform::QuoteArgument(absolute.parent_path().string());
}

}  // namespace

LauncherScreen::LauncherScreen() { SetName("Portico"); }

void LauncherScreen::Enter(LPDIRECTDRAW7 directDraw, LPDIRECTDRAWSURFACE7 target) {
    Screen::Enter(directDraw, target);
    // Entered again when the game it started comes back to it in the same process (the browser's).
    editing_ = -1;
    status_.clear();
    gameStarted_ = false;
    NameTypingAreas();
    backgroundImage_ = LoadScreenImage(kBackground);
    for (const launcher::ButtonPlace& place : launcher::kButtons) {
        auto* button = new Button(place.x, place.y);
        button->LoadStrip(place.file, 3, 0);
        button->SetName(place.name);
        AddButton(button);
    }
    options_.Load(kOptionsFile);
    maze_.Load(kOptionsFile, host::TodaysMaze());
    ReadFame();
    worldFetch_.Start(g_hWnd);
}

void LauncherScreen::Leave() {
    worldFetch_.Stop();
    Screen::Leave();
}

void LauncherScreen::ReadFame() {
    // Only the chosen maze's players' files: the launcher shows no maze pictures.
    platform::UseMazeFolders(maze_.Number(), {}, {"hiscore.dat", "winner.dat"}, platform::FolderRole::Launcher);
    fame_ = ReadFameTable(".\\hiscore.dat", ".\\winner.dat");
}

void LauncherScreen::FetchWorld() {
    if (!showWorld_) return;
    const std::string server = WorldServer();
    world_ = WorldTable{server.empty() ? WorldTable::State::kNoServer : WorldTable::State::kAsking, {}};
    if (!server.empty()) worldFetch_.Ask(server, maze_.Number());
}

void LauncherScreen::OnMazeClick(int x, int y) {
    const std::uint32_t before = maze_.Number();
    if (launcher::kClassicChip.Contains(x, y)) Report(maze_.Choose(MazeChoice::Kind::Classic));
    if (launcher::kTodayChip.Contains(x, y)) Report(maze_.Choose(MazeChoice::Kind::Today));
    if (launcher::kNumberChip.Contains(x, y) && editing_ != kMazeField) {
        field_.Start("", launcher::kNumberDigits);
        SetEditing(kMazeField);
    }
    for (std::size_t i = 0; i < maze_.Recent().size() && editing_ != kMazeField; ++i)
        if (launcher::RecentChip(static_cast<int>(i)).Contains(x, y)) Report(maze_.ChooseNumber(maze_.Recent()[i]));
    if (maze_.Number() == before) return;
    ReadFame();
    FetchWorld();
}

int LauncherScreen::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // The maze number takes digits only.
    const bool digit = wParam >= '0' && wParam <= '9';
    if (message == WM_CHAR && editing_ >= 0 && (editing_ != kMazeField || digit))
        field_.Type(static_cast<unsigned char>(wParam));
    if (message == WM_KEYDOWN) OnKeyDown(hwnd, static_cast<int>(wParam));
    if (message == WM_LBUTTONDOWN) OnClick(LOWORD(lParam), HIWORD(lParam));
    // Another program stored a score or a player: the table shows what the files now hold.
    if (message == WM_PLAYER_FILES_STORED) {
        options_.Load(kOptionsFile);
        ReadFame();
    }
    if (message == kWorldTableArrived) {
        if (auto table = worldFetch_.Take()) world_ = std::move(*table);
    }
    return 0;
}

void LauncherScreen::OnKeyDown(HWND hwnd, int virtualKey) {
    if (editing_ < 0) {
        if (virtualKey == VK_ESCAPE) PostMessageA(hwnd, WM_CLOSE, 0, 0);
        return;
    }
    if (virtualKey == VK_BACK) field_.Backspace();
    if (virtualKey == VK_RETURN) AcceptEdit();
    if (virtualKey == VK_ESCAPE) SetEditing(-1);
    field_.MoveCaret(virtualKey);
}

void LauncherScreen::OnClick(int x, int y) {
    // A click elsewhere keeps what was typed, as Return would.
    const launcher::Area editArea = editing_ == kMazeField ? launcher::kNumberChip : launcher::FieldArea(editing_);
    if (editing_ >= 0 && !editArea.Contains(x, y)) AcceptEdit();
    OnMazeClick(x, y);
    for (int slot = 0; slot < PlayerSettings::kPlayers; ++slot) {
        if (launcher::SlotArea(slot).Contains(x, y)) Report(options_.ChooseCurrent(slot));
    }
    for (int field = 0; field < launcher::kFieldCount; ++field) {
        if (!launcher::FieldArea(field).Contains(x, y) || field == editing_) continue;
        if (field == 3) ToggleSend();
        else BeginEdit(field);
    }
    if (launcher::kFamePanel.Contains(x, y)) {
        showWorld_ = !showWorld_;
        FetchWorld();
    }
}

void LauncherScreen::BeginEdit(int field) {
    PlayerRecord record = Shown(options_, options_.Current());
    field_.Start(FieldOf(record, field), kFieldLimit);
    SetEditing(field);
}

void LauncherScreen::SetEditing(int field) {
    // The caret is drawn with the field; the system's, hidden, says that typing goes there.
    if (field >= 0) CreateCaret(g_hWnd, nullptr, 2, 18);
    else if (editing_ >= 0) DestroyCaret();
    editing_ = field;
}

void LauncherScreen::AcceptEdit() {
    const int field = editing_;
    SetEditing(-1);
    if (field == kMazeField) {
        const auto number = assets::ParseMazeNumber(field_.Text());
        if (number) Report(maze_.ChooseNumber(*number));
        else if (!field_.Text().empty()) status_ = "Maze numbers are 1 to 99999999.";
        ReadFame();
        FetchWorld();
        return;
    }
    PlayerRecord record = Shown(options_, options_.Current());
    const std::string text = field_.Accepted();
    char* value = FieldOf(record, field);
    std::memset(value, 0, sizeof record.name);
    std::memcpy(value, text.data(), std::min(text.size(), kFieldLimit));
    StoreCurrent(record);
}

void LauncherScreen::ToggleSend() {
    PlayerRecord record = Shown(options_, options_.Current());
    std::strcpy(record.send, record.send[0] == 'Y' ? "N" : "Y");
    StoreCurrent(record);
}

void LauncherScreen::StoreCurrent(PlayerRecord record) {
    // An empty name would reach the game's caption and hall of fame as nothing at all; a player
    // without one gets the name the game gives a slot nobody named.
    if (record.name[0] == '\0') std::snprintf(record.name, sizeof record.name, "Player%d", options_.Current() + 1);
    Report(options_.StorePlayer(options_.Current(), record));
}

void LauncherScreen::OnButton(const char* name) {
    PlayGameEffect(kClickEffect);
    if (std::strcmp(name, "music") == 0) Report(options_.SetMusic(!options_.Music()));
    if (std::strcmp(name, "effects") == 0) {
        Report(options_.SetEffects(!options_.Effects()));
        g_SoundEffects.EnableSFX(options_.Effects() ? 1 : 0);
    }
    if (std::strcmp(name, "clear") == 0) Report(options_.ClearSlot(options_.Current()));
    if (std::strcmp(name, "play") == 0) StartGame();
    if (std::strcmp(name, "quit") == 0) PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
}

void LauncherScreen::StartGame() {
    if (editing_ >= 0) AcceptEdit();
    maze_.Played();
    // The classic maze is the game's own: it needs no option.
    std::string parameters = LauncherFolderArgument();
    if (maze_.Number() != assets::kClassicMaze) parameters = "--maze " + maze_.Argument() + " " + parameters;
    const auto result = reinterpret_cast<std::uintptr_t>(
        ShellExecuteA(nullptr, "open", kGameProgram, parameters.c_str(), kGameFolder, SW_SHOWNORMAL));
    // ShellExecuteA reports success above 32.
    gameStarted_ = result > 32;
    if (!gameStarted_) status_ = "The game could not be started.";
}

void LauncherScreen::Report(bool written) {
    status_ = written ? "" : "Could not write options.ini: it keeps what it held.";
}

int LauncherScreen::Frame(int) {
    int x = 0, y = 0, buttons = 0;
    g_Pointer.GetState(&x, &y, &buttons, nullptr, nullptr);
    if (buttonGroup_ != nullptr) {
        buttonGroup_->UpdateAll(x, y, buttons);
        if (Button* clicked = buttonGroup_->FirstClicked()) OnButton(clicked->GetName());
    }
    if (gameStarted_) return kFrameStop;
    Draw();
    Present();
    return kFrameGoOn;
}
