#include "tools/assets/data_folder.h"

#include <filesystem>

#include "tools/assets/game_sounds.h"
#include "maze/screen_layout.h"

namespace assets {

namespace {

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '&') out += "&amp;";
        else out += c;
    }
    return out;
}

std::string AboutPage(const std::string& licence) {
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>About Stalkway</title>\n"
        "<style>body{font-family:sans-serif;max-width:40em;margin:2em auto;background:#fcf0d2;color:#3b2413}"
        "h1{color:#a8342a}pre{white-space:pre-wrap;background:#fff8e6;padding:1em}</style>\n</head>\n<body>\n"
        "<h1>Stalkway</h1>\n"
        "<p>A maze in a corn field. Steer your block with the arrow buttons: each move follows the path to "
        "the next crossing and leaves a red trail that blocks the way back. Gather the hundred golden kernels "
        "and the ten letters, then find the exit to double your score.</p>\n"
        "<p>Stalkway is free software under the MIT License.</p>\n";
    if (!licence.empty()) page += "<pre>" + Escaped(licence) + "</pre>\n";
    page += "</body>\n</html>\n";
    return page;
}

}  // namespace

std::vector<DataFile> GameFiles(const GameArt& art, const std::string& licence) {
    std::vector<DataFile> files = {
        {"maze02.bmp", Bmp8(art.maze)},        {"background.bmp", Bmp16(art.background)},
        {"numbers.bmp", Bmp16(art.numbers)},   {"characters.bmp", Bmp16(art.characters)},
        {"corngrats.bmp", Bmp16(art.wayOut)},  {"ultimatesolution.bmp", Bmp16(art.perfect)},
        {"zoombox.bmp", Bmp16(art.zoomBox)},   {"marker.bmp", Bmp16(art.marker)},
        {"hilite2.bmp", Bmp16(art.hilite)},    {"nohilite2.bmp", Bmp16(art.nohilite)},
        {"kernelH.bmp", Bmp16(art.kernelLit)}, {"kernelN.bmp", Bmp16(art.kernelPlain)},
        {"icon.bmp", Bmp16(art.icon)},         {"title/HowToPlay.bmp", Bmp16(art.howToPlay)},
    };
    for (std::size_t i = 0; i < kButtons.size(); ++i) files.push_back({kButtons[i].file, Bmp16(art.buttons[i])});
    files.push_back({"sounds/bell.wav", Wav(MakeBell())});
    files.push_back({"sounds/congrats.wav", Wav(MakeCongrats())});
    files.push_back({"sounds/legal.wav", Wav(MakeLegal())});
    files.push_back({"sounds/negative.wav", Wav(MakeNegative())});
    files.push_back({"sounds/positive.wav", Wav(MakePositive())});
    files.push_back({"sounds/nomove.wav", Wav(MakeNomove())});
    files.push_back({"sounds/music.wav", Wav(MakeMusic())});
    files.push_back({"about.html", Text(AboutPage(licence))});
    return files;
}

void LayOutDataFolder(const std::string& folder, const std::vector<DataFile>& files) {
    namespace fs = std::filesystem;
    const fs::path root(folder);
    for (const DataFile& file : files) {
        const fs::path path = root / file.name;
        fs::create_directories(path.parent_path());
        WriteFile(path.string(), file.bytes);
    }
    const fs::path setup = root / "setup.ini";
    if (!fs::exists(setup)) WriteFile(setup.string(), Text("[setup]\r\nfullscreen=0\r\n"));
}

}  // namespace assets
