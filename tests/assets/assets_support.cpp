#include "assets/assets_support.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/api/qz.h"
#include "tools/assets/display_colour.h"
#include "maze/maze_grid.h"
#include "maze/screen_layout.h"

namespace assets_test {

namespace {

struct Lock {
    explicit Lock(LPDIRECTDRAWSURFACE7 s) : surface(s) {
        desc.dwSize = sizeof(desc);
        ok = surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) == DD_OK;
    }
    ~Lock() {
        if (ok) surface->Unlock(nullptr);
    }
    const BYTE* Row(int y) const { return static_cast<const BYTE*>(desc.lpSurface) + y * desc.lPitch; }

    LPDIRECTDRAWSURFACE7 surface;
    DDSURFACEDESC desc{};
    bool ok = false;
};

std::uint32_t U32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::uint16_t U16(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1])
                                                                                  << 8);
}

}  // namespace

std::string DataFolder() { return std::string(STALKWAY_BINARY_DIR) + "/game/Stalkway"; }
std::string ScriptsFolder() { return std::string(STALKWAY_BINARY_DIR) + "/game/scripts"; }
std::string Generator() { return std::string(STALKWAY_BINARY_DIR) + "/bin/stalkway-assets"; }

std::string OutputFolder() {
    const std::string folder = std::string(STALKWAY_BINARY_DIR) + "/test-output/assets";
    std::filesystem::create_directories(folder);
    return folder;
}

assets::RgbPicture LoadPicture(const std::string& file) {
    LPDIRECTDRAWSURFACE7 surface = QZLoadBitmap(file.c_str(), 16);
    if (surface == nullptr) return {};
    assets::RgbPicture picture;
    {
        const Lock lock(surface);
        if (lock.ok) {
            picture = assets::RgbPicture(static_cast<int>(lock.desc.dwWidth), static_cast<int>(lock.desc.dwHeight));
            for (int y = 0; y < picture.height; ++y)
                for (int x = 0; x < picture.width; ++x) {
                    std::uint16_t value;
                    std::memcpy(&value, lock.Row(y) + 2 * x, 2);
                    picture.At(x, y) = assets::Expand565(value);
                }
        }
    }
    surface->Release();
    return picture;
}

assets::IndexedPicture LoadIndexed(const std::string& file) {
    LPDIRECTDRAWSURFACE7 surface = QZLoadBitmap(file.c_str(), 8);
    if (surface == nullptr) return {};
    assets::IndexedPicture picture;
    {
        const Lock lock(surface);
        if (lock.ok) {
            picture = assets::IndexedPicture(static_cast<int>(lock.desc.dwWidth), static_cast<int>(lock.desc.dwHeight));
            for (int y = 0; y < picture.height; ++y)
                for (int x = 0; x < picture.width; ++x) picture.At(x, y) = lock.Row(y)[x];
        }
    }
    LPDIRECTDRAWPALETTE palette = nullptr;
    if (surface->GetPalette(&palette) == DD_OK && palette != nullptr) {
        PALETTEENTRY entries[256]{};
        palette->GetEntries(0, 0, 256, entries);
        for (int i = 0; i < 256; ++i) picture.palette[i] = {entries[i].peRed, entries[i].peGreen, entries[i].peBlue};
        palette->Release();
    }
    surface->Release();
    return picture;
}

Wave ReadWave(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string bytes = text.str();
    Wave wave;
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) return wave;
    bool format = false;
    bool data = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const std::uint32_t size = U32(bytes, at + 4);
        const std::size_t body = at + 8;
        if (body + size > bytes.size()) break;
        if (id == "fmt " && size >= 16 && U16(bytes, body) == 1) {
            wave.channels = U16(bytes, body + 2);
            wave.rate = static_cast<int>(U32(bytes, body + 4));
            wave.bits = U16(bytes, body + 14);
            format = true;
        } else if (id == "smpl" && size >= 36) {
            wave.loops = static_cast<int>(U32(bytes, body + 28));
            if (wave.loops > 0 && size >= 60) {
                wave.loopStart = U32(bytes, body + 36 + 8);
                wave.loopEnd = U32(bytes, body + 36 + 12);
            }
        } else if (id == "data") {
            for (std::size_t i = 0; i + 1 < size; i += 2)
                wave.samples.push_back(static_cast<std::int16_t>(U16(bytes, body + i)));
            data = true;
        }
        at = body + size;
    }
    wave.accepted = format && data;
    return wave;
}

std::vector<assets::Click> ScriptClicks(const std::string& script) {
    std::vector<assets::Click> clicks;
    std::istringstream lines(script);
    std::string command;
    while (lines >> command) {
        if (command != "click") {
            std::getline(lines, command);
            continue;
        }
        int x = 0;
        int y = 0;
        lines >> x >> y;
        assets::Click click{assets::Click::Kind::Direction, 0, assets::kAnywhere};
        for (const assets::ButtonSpec& button : assets::kButtons) {
            if (x != button.rect.CentreX() || y != button.rect.CentreY()) continue;
            const std::string name = button.name;
            if (name == "newgame") click.kind = assets::Click::Kind::NewGame;
            if (name == "back") click.kind = assets::Click::Kind::Back;
            if (name == "left") click.direction = assets::kLeft;
            if (name == "right") click.direction = assets::kRight;
            if (name == "up") click.direction = assets::kUp;
            if (name == "down") click.direction = assets::kDown;
        }
        clicks.push_back(click);
    }
    return clicks;
}

assets::MazeRules ModelFromFiles(assets::PixelLayout layout) {
    const std::string folder = DataFolder() + "/";
    return assets::MazeRules(LoadIndexed(folder + "maze02.bmp"), LoadPicture(folder + "hilite2.bmp"),
                             LoadPicture(folder + "nohilite2.bmp"), layout);
}

}  // namespace assets_test
