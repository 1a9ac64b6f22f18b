// The game's sound effects by short name ("bell", "nomove") over the sound library, which it also
// brings up and takes down. Ids are 10 + the number of effects loaded before, so a file that fails
// to load shifts the ids of the ones after it.
#pragma once

#include "platform/api/types.h"
#include "base/object_list.h"

class SNDSample;

struct SoundEffectEntry {
    int id;
    char name[32];
};

class SoundEffects {
public:
    // The library's pan scale puts 0 fully right; the game's effects sound from the middle.
    static constexpr int kCentrePan = 0x8000;
    static constexpr int kFullVolume = 0xFFFF;

    SoundEffects() = default;
    ~SoundEffects();
    SoundEffects(const SoundEffects&) = delete;
    SoundEffects& operator=(const SoundEffects&) = delete;

    int Init(HWND hwnd, int maxSamples);
    // Null when the file cannot be loaded; then no entry is added.
    SoundEffectEntry* LoadEffect(const char* file, const char* name);
    SoundEffectEntry* FindEffect(const char* name);
    // The sample that plays, or null. The scripted runner's log shows every request.
    SNDSample* PlayEffect(const char* name, int volume, int pan);
    // Also stops the music.
    void UnloadAll();
    void Shutdown();
    void EnableMusic(int on);
    void EnableSFX(int on);

    int Count() const { return entries_ != nullptr ? entries_->Count() : 0; }

    // Kept for a complete interface; unused by this game.
    // `index` must be below the number of entries.
    SNDSample* PlayEffectAt(int index, int volume, int pan);
    void UnloadEffect(const char* name);

private:
    ObjectList<SoundEffectEntry>* entries_ = nullptr;
};

extern SoundEffects g_SoundEffects;
