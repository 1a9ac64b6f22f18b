#include "sound/sound_effects.h"

#include <cstring>
#include <string>

#include "platform/api/kernel.h"
#include "sound/qz_sound.h"

SoundEffects g_SoundEffects;

namespace {

constexpr int kFirstId = 10;

}  // namespace

SoundEffects::~SoundEffects() {
    if (entries_ != nullptr) entries_->DeleteAll();
    delete entries_;
}

int SoundEffects::Init(HWND hwnd, int maxSamples) {
    if (entries_ == nullptr) entries_ = new ObjectList<SoundEffectEntry>(1);
    return g_QZSound.Init(hwnd, maxSamples);
}

SoundEffectEntry* SoundEffects::LoadEffect(const char* file, const char* name) {
    if (entries_ == nullptr) return nullptr;
    const int id = entries_->Count() + kFirstId;
    if (!g_QZSound.LoadSample(file, static_cast<DWORD>(id))) return nullptr;
    auto* entry = new SoundEffectEntry{id, {}};
    std::strncpy(entry->name, name, sizeof entry->name - 1);
    return entries_->Push(entry);
}

SoundEffectEntry* SoundEffects::FindEffect(const char* name) {
    for (int i = 0; i < Count(); ++i)
        if (std::strcmp(entries_->At(i)->name, name) == 0) return entries_->At(i);
    return nullptr;
}

SNDSample* SoundEffects::PlayEffect(const char* name, int volume, int pan) {
    SoundEffectEntry* entry = FindEffect(name);
    OutputDebugStringA((std::string(entry != nullptr ? "sound " : "sound-missing ") + name).c_str());
    if (entry == nullptr) return nullptr;
    return g_QZSound.PlaySample(entry->id, volume, pan);
}

SNDSample* SoundEffects::PlayEffectAt(int index, int volume, int pan) {
    return g_QZSound.PlaySample(entries_->At(index)->id, volume, pan);
}

void SoundEffects::UnloadEffect(const char* name) {
    SoundEffectEntry* entry = FindEffect(name);
    if (entry == nullptr) return;
    g_QZSound.FreeSample(static_cast<DWORD>(entry->id));
    entries_->Remove(entry);
    delete entry;
}

void SoundEffects::UnloadAll() {
    for (int i = 0; i < Count(); ++i) g_QZSound.FreeSample(static_cast<DWORD>(entries_->At(i)->id));
    if (entries_ != nullptr) entries_->DeleteAll();
    g_QZSound.StopStream();
    QZSound::ClearSampleList();
}

void SoundEffects::Shutdown() {
    if (entries_ != nullptr) {
        UnloadAll();
        delete entries_;
        entries_ = nullptr;
    }
    g_QZSound.Exit();
}

void SoundEffects::EnableMusic(int on) { g_QZSound.EnableMusic(on); }

void SoundEffects::EnableSFX(int on) { g_QZSound.EnableSFX(on); }
