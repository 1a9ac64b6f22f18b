#include "platform/sdl/sdl_audio.h"

namespace platform::sdl {
namespace {

constexpr int kRate = 44100;
// 1024 frames: 23 ms of latency, less than two frame slots, which a click's sound does not show;
// the device's thread wakes 43 times a second instead of 86, most of what a still game costs.
constexpr Uint16 kDeviceFrames = 1024;

}  // namespace

bool Audio::Open(AudioSource* source, AudioDeviceInfo* info) {
    if (device_ != 0) return false;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec want{};
    want.freq = kRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = kDeviceFrames;
    want.callback = &Audio::Callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    source_ = source;
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) {
        source_ = nullptr;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    *info = AudioDeviceInfo{kRate, true, true};
    return true;
}

bool Audio::Start() {
    if (device_ == 0) return false;
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void Audio::Stop() {
    if (device_ != 0) SDL_PauseAudioDevice(device_, 1);
}

// SDL_CloseAudioDevice returns only once the callback has finished.
void Audio::Close() {
    if (device_ == 0) return;
    SDL_CloseAudioDevice(device_);
    device_ = 0;
    source_ = nullptr;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void Audio::Callback(void* user, Uint8* stream, int bytes) {
    auto* self = static_cast<Audio*>(user);
    const auto frames = static_cast<std::size_t>(bytes) / (2 * sizeof(std::int16_t));
    self->source_->Render(reinterpret_cast<std::int16_t*>(stream), frames);
}

}  // namespace platform::sdl
